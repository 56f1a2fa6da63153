#pragma once
// Channels, hue, hue classes and gray level of a color. Every function is pure
// and follows a fixed sequence of IEEE operations, so results never depend on
// the compiler or the processor.
#include <bit>
#include <cstdint>
#include <optional>

namespace zelvane {

// Red in bits 0-7, green in bits 8-15, blue in bits 16-23.
using PackedColor = std::uint32_t;

constexpr int redOf(PackedColor c) { return static_cast<int>(c & 255u); }
constexpr int greenOf(PackedColor c) { return static_cast<int>((c >> 8) & 255u); }
constexpr int blueOf(PackedColor c) { return static_cast<int>((c >> 16) & 255u); }
constexpr PackedColor makeColor(int red, int green, int blue) {
  return static_cast<PackedColor>(red) + 256u * static_cast<PackedColor>(green) +
         65536u * static_cast<PackedColor>(blue);
}
constexpr int max3(int a, int b, int c) { return a > b ? (a > c ? a : c) : (b > c ? b : c); }
constexpr int min3(int a, int b, int c) { return a < b ? (a < c ? a : c) : (b < c ? b : c); }

enum class ColorClass { Red, Orange, Yellow, Green, Cyan, Blue, Violet };
inline constexpr int kColorClassCount = 7;

// One inclusive hue range of the classification table.
struct HueRange {
  int low;
  int high;
  ColorClass colorClass;
};

// Tried in this order; the first range holding the hue decides. The overlaps
// (9-10, 190-191, 249-250) are settled by that order.
inline constexpr HueRange kHueRanges[] = {
    {0, 10, ColorClass::Red},      {345, 360, ColorClass::Red},
    {30, 70, ColorClass::Yellow},  {71, 159, ColorClass::Green},
    {160, 191, ColorClass::Cyan},  {190, 250, ColorClass::Blue},
    {249, 344, ColorClass::Violet}, {9, 29, ColorClass::Orange},
};

// Hue in whole degrees, 0..359.
int computeHue(PackedColor color);

// The class of a hue, or none for a hue outside every range (below 0, above 360).
std::optional<ColorClass> classifyHue(int hue);

// BT.709 luma weights of grayLevel. The blue weight is one unit in the last
// place above the double nearest to 0.0722; the gray of colors whose sum lies
// on a half depends on it.
inline constexpr double kRedWeight = 0.2126;
inline constexpr double kGreenWeight = 0.7152;
inline constexpr double kBlueWeight = std::bit_cast<double>(std::uint64_t{0x3FB27BB2FEC56D5E});

// BT.709 luma rounded half to even, 0..255.
int grayLevel(int red, int green, int blue);

}  // namespace zelvane
