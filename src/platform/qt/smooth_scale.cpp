// Qt's smooth scaling over our rasters. The source is wrapped without a copy;
// Qt converts it once to its 32-bit working form, and only the small result is
// converted back into our layout.
#include "platform/smooth_scale.h"

#include <QImage>
#include <cstring>

namespace zelvane {

std::unique_ptr<ImageBuffer> smoothScale(const ImageBuffer& source, int width, int height) {
  if (!source.pixels || width <= 0 || height <= 0) return nullptr;
  const bool withAlpha = source.bytesPerPixel == 4;
  const QImage::Format ours = withAlpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888;
  const QImage wrapped(source.pixels.get(), source.width, source.height,
                       static_cast<qsizetype>(source.stride()), ours);
  if (wrapped.isNull()) return nullptr;

  QImage scaled = wrapped.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (scaled.isNull() || scaled.width() != width || scaled.height() != height) return nullptr;
  if (scaled.format() != ours) {
    scaled.convertTo(ours);
    if (scaled.isNull() || scaled.format() != ours) return nullptr;
  }

  std::unique_ptr<ImageBuffer> result = makeImageBuffer(width, height, source.depth());
  if (!result) return nullptr;
  for (int y = 0; y < height; ++y) std::memcpy(result->row(y), scaled.constScanLine(y), result->stride());
  return result;
}

}  // namespace zelvane
