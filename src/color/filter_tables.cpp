#include "color/filter_tables.h"

#include <cstddef>
#include <vector>

namespace zelvane {
namespace {

// One color for each reachable pair of differences, with its smallest channel
// at 0; pairs no color has (|r - b| > 255) keep hue 0 and are never looked up.
std::vector<std::uint16_t> buildHueTable() {
  std::vector<std::uint16_t> hues(kDifferenceCount, 0);
  for (int redMinusGreen = -255; redMinusGreen <= 255; ++redMinusGreen) {
    for (int greenMinusBlue = -255; greenMinusBlue <= 255; ++greenMinusBlue) {
      int blue = 0, green = greenMinusBlue, red = greenMinusBlue + redMinusGreen;
      if (red - blue < -255 || red - blue > 255) continue;
      const int lowest = min3(red, green, blue);
      red -= lowest;
      green -= lowest;
      blue -= lowest;
      hues[differenceIndex(red, green, blue)] =
          static_cast<std::uint16_t>(computeHue(makeColor(red, green, blue)));
    }
  }
  return hues;
}

const std::vector<std::uint16_t>& hueTable() {
  static const std::vector<std::uint16_t> table = buildHueTable();
  return table;
}

}  // namespace

int tabledHue(int red, int green, int blue) {
  return hueTable()[static_cast<std::size_t>(differenceIndex(red, green, blue))];
}

GrayMask::GrayMask(const FilterSettings& settings) {
  // The outcome per hue first, then per pair of differences.
  std::array<bool, 360> grayHue{};
  for (int hue = 0; hue < 360; ++hue) grayHue[static_cast<std::size_t>(hue)] = hueTurnsGray(hue, settings);
  const std::vector<std::uint16_t>& hues = hueTable();
  for (std::size_t word = 0; word < bits_.size(); ++word) {
    std::uint64_t bits = 0;
    for (std::size_t bit = 0; bit < 64; ++bit) {
      if (grayHue[hues[word * 64 + bit]]) bits |= std::uint64_t{1} << bit;
    }
    bits_[word] = bits;
  }
}

}  // namespace zelvane
