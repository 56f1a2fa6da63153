#include "color/filter_pass.h"

#include <cstddef>
#include <cstdint>

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

void applyFilter(int imageNumber, const FilterSettings& settings) {
  const int width = imageWidth(imageNumber);
  const int height = imageHeight(imageNumber);
  if (width == 0 || height == 0) return;
  ImageBuffer* image = beginDrawing(imageNumber);
  if (!image) return;
  // The outcome of a pixel depends on its own color only, so rows are walked
  // in memory order.
  for (int y = 0; y < height; ++y) {
    std::uint8_t* p = image->row(y);
    for (int x = 0; x < width; ++x, p += image->bytesPerPixel) {
      const PackedColor color = makeColor(p[0], p[1], p[2]);
      const PackedColor result = filteredColor(color, settings);
      if (result != color) {
        p[0] = static_cast<std::uint8_t>(redOf(result));
        p[1] = static_cast<std::uint8_t>(greenOf(result));
        p[2] = static_cast<std::uint8_t>(blueOf(result));
      }
    }
  }
  endDrawing();
}

}  // namespace zelvane
