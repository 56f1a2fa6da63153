#pragma once
// The filter pass: grays every pixel whose hue class is not kept, or whose hue
// lies strictly inside the correction band when correction is on.
#include <array>

#include "color/color_classes.h"

namespace zelvane {

// A hue h is inside when low < h < high, without wrap-around at 0 or 360.
struct HueBand {
  int low = 0;
  int high = 0;
};

struct FilterSettings {
  std::array<bool, kColorClassCount> keep{};  // indexed by ColorClass
  bool correction = false;
  HueBand band;
};

// Whether a pixel of this hue turns gray: its class is not kept, or
// correction is on and the hue lies strictly inside the band.
bool hueTurnsGray(int hue, const FilterSettings& settings);

// The gray a pixel of this color becomes under these settings, or the color
// itself when it keeps it.
PackedColor filteredColor(PackedColor color, const FilterSettings& settings);

// Filters the picture under `imageNumber` in place; alpha never changes.
// A number that holds no picture is left alone.
void applyFilter(int imageNumber, const FilterSettings& settings);

}  // namespace zelvane
