#include "color/filter_pass.h"

#include <cstddef>
#include <cstdint>

#include "color/filter_tables.h"
#include "platform/image_facility.h"

namespace zelvane {

PackedColor filteredColor(PackedColor color, const FilterSettings& settings) {
  const int hue = computeHue(color);
  const std::optional<ColorClass> colorClass = classifyHue(hue);
  const bool classDropped = colorClass && !settings.keep[static_cast<std::size_t>(*colorClass)];
  const bool inBand = settings.correction && settings.band.low < hue && hue < settings.band.high;
  if (!classDropped && !inBand) return color;
  const int gray = grayLevel(redOf(color), greenOf(color), blueOf(color));
  return makeColor(gray, gray, gray);
}

namespace {

// Red, green and blue lead every pixel; a fourth byte (alpha) is never touched.
template <int kBytesPerPixel>
void filterRow(std::uint8_t* p, int width, const GrayMask& mask) {
  for (int x = 0; x < width; ++x, p += kBytesPerPixel) {
    const int r = p[0], g = p[1], b = p[2];
    if (mask.turnsGray(r, g, b)) {
      const auto gray = static_cast<std::uint8_t>(tabledGray(r, g, b));
      p[0] = gray;
      p[1] = gray;
      p[2] = gray;
    }
  }
}

}  // namespace

void applyFilter(int imageNumber, const FilterSettings& settings) {
  const int width = imageWidth(imageNumber);
  const int height = imageHeight(imageNumber);
  if (width == 0 || height == 0) return;
  ImageBuffer* image = beginDrawing(imageNumber);
  if (!image) return;
  // The outcome of a pixel depends on its own color only, so rows are walked
  // in memory order, each pixel decided by the tables.
  const GrayMask mask(settings);
  for (int y = 0; y < height; ++y) {
    if (image->bytesPerPixel == 4) {
      filterRow<4>(image->row(y), width, mask);
    } else {
      filterRow<3>(image->row(y), width, mask);
    }
  }
  endDrawing();
}

}  // namespace zelvane
