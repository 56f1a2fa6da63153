#pragma once
// Picking a hue from the screen: the color under the cursor sets the
// correction band and colors the swatch.
#include "color/filter_pass.h"

namespace zelvane {

inline constexpr int kHueBandHalfWidth = 20;

// Reads the pixel under the cursor, sets the band to its hue -/+ 20 and shows
// the color in the swatch; an unreadable pixel gives hue 0 and the default
// swatch background.
void sampleScreenColor();

// The band set by the latest sample; (0, 0) before the first.
extern HueBand hueBand;

}  // namespace zelvane
