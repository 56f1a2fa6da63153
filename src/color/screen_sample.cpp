#include "color/screen_sample.h"

#include <cstdint>

#include "platform/screen.h"
#include "ui/main_window.h"

namespace zelvane {

HueBand hueBand;

namespace {

// Kept between samples: when the cursor cannot be read, the last position is
// sampled again.
ScreenPoint cursorPoint;

}  // namespace

void sampleScreenColor() {
  screen().cursorPosition(cursorPoint);
  const PackedColor color = screen().pixelColor(cursorPoint);
  const int hue = computeHue(color);
  hueBand = {hue - kHueBandHalfWidth, hue + kHueBandHalfWidth};
  // The failure value is all bits set, which the swatch takes as its default.
  setSwatchColor(static_cast<std::int32_t>(color));
}

}  // namespace zelvane
