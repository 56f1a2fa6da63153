// Saving a picture through a registered encoder.
#include <vector>

#include "platform/image_facility.h"

namespace zelvane {
namespace {

std::vector<ImageEncoder>& encoders() {
  static std::vector<ImageEncoder> list;
  return list;
}

const ImageEncoder* encoderFor(std::uint32_t codecId) {
  for (const ImageEncoder& encoder : encoders())
    if (encoder.codecId == codecId) return &encoder;
  return nullptr;
}

}  // namespace

void registerImageEncoder(const ImageEncoder& encoder) {
  if (encoderFor(encoder.codecId)) return;
  encoders().push_back(encoder);
}

std::unique_ptr<ImageBuffer> flattenOverWhite(const ImageBuffer& picture) {
  if (picture.bytesPerPixel != 4 || !picture.pixels) return nullptr;
  std::unique_ptr<ImageBuffer> flat = makeImageBuffer(picture.width, picture.height, 24);
  if (!flat) return nullptr;
  for (int y = 0; y < picture.height; ++y) {
    const std::uint8_t* in = picture.row(y);
    std::uint8_t* out = flat->row(y);
    for (int x = 0; x < picture.width; ++x, in += 4, out += 3) {
      const unsigned alpha = in[3];
      for (int c = 0; c < 3; ++c)
        out[c] = static_cast<std::uint8_t>((65025u - alpha * (255u - in[c])) / 255u);
    }
  }
  return flat;
}

bool saveImageFile(int number, const std::string& path, std::uint32_t codecId, int qualityLevel,
                   int depth) {
  const ImageBuffer* picture = imageAt(number);
  if (path.empty() || !picture) return false;
  const ImageEncoder* encoder = encoderFor(codecId);
  if (!encoder || !encoder->encode24) return false;

  if (picture->bytesPerPixel == 3) return encoder->encode24(path, *picture, qualityLevel);
  if (picture->bytesPerPixel != 4) return false;
  if (encoder->encode32 && (depth == 32 || depth == -1))
    return encoder->encode32(path, *picture, qualityLevel);
  // The flat copy is made before any file is touched, and freed on return.
  std::unique_ptr<ImageBuffer> flat = flattenOverWhite(*picture);
  return flat && encoder->encode24(path, *flat, qualityLevel);
}

}  // namespace zelvane
