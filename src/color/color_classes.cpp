#include "color/color_classes.h"

#include <cmath>

namespace zelvane {
namespace {

// Halves go away from zero, on the signed value, before 360 is added.
int roundHalfAwayFromZero(float t) {
  const double v = t;
  return static_cast<int>(v > 0.0 ? std::floor(v + 0.5) : std::ceil(v - 0.5));
}

}  // namespace

int computeHue(PackedColor color) {
  const int r = redOf(color), g = greenOf(color), b = blueOf(color);
  const int max = max3(r, g, b), min = min3(r, g, b);
  const int d = max - min;
  if (d == 0) return 0;

  double q;
  if (max == r) {
    q = static_cast<double>(g - b) + 0.0;
    q = q / static_cast<double>(d);
  } else if (max == g) {
    q = (static_cast<double>(b - r) + 0.0) / static_cast<double>(d);
    q = q + 2.0;
  } else {
    q = (static_cast<double>(r - g) + 0.0) / static_cast<double>(d);
    q = q + 4.0;
  }
  const float s = static_cast<float>(q);
  const float t = s * 60.0f;
  const int hue = roundHalfAwayFromZero(t);
  return hue < 0 ? hue + 360 : hue;
}

std::optional<ColorClass> classifyHue(int hue) {
  for (const HueRange& range : kHueRanges) {
    if (range.low <= hue && hue <= range.high) return range.colorClass;
  }
  return std::nullopt;
}

int grayLevel(int red, int green, int blue) {
  double a = static_cast<double>(red) * kRedWeight;
  a = a + static_cast<double>(green) * kGreenWeight;
  a = a + static_cast<double>(blue) * kBlueWeight;
  a = a + 0.0;
  return static_cast<int>(std::nearbyint(a));  // default rounding: half to even
}

}  // namespace zelvane
