#pragma once
// Tables that let the filter pass decide and gray a pixel without a division.
// They are built from computeHue and from the grayLevel weights with the same
// IEEE operations, so every color gets exactly the hue and gray level that
// color_classes gives it.
#include <array>
#include <bit>
#include <cstdint>

#include "color/color_classes.h"
#include "color/filter_pass.h"

namespace zelvane {

// The hue of a color depends only on r - g and g - b: which channel is largest,
// the spread max - min and the numerator of the sector all follow from them.
// Each difference runs over -255..255; rows are padded to 512 entries.
inline constexpr int kDifferenceRow = 512;
inline constexpr int kDifferenceCount = 511 * kDifferenceRow;

constexpr int differenceIndex(int red, int green, int blue) {
  return (red - green + 255) * kDifferenceRow + (green - blue + 255);
}

// computeHue of the color, read from a table built once from computeHue.
int tabledHue(int red, int green, int blue);

// Each channel times its weight, rounded once, exactly the products grayLevel
// forms before it adds them.
struct WeightedChannels {
  std::array<double, 256> red;
  std::array<double, 256> green;
  std::array<double, 256> blue;
};

constexpr WeightedChannels makeWeightedChannels() {
  WeightedChannels w{};
  for (int i = 0; i < 256; ++i) {
    w.red[i] = static_cast<double>(i) * kRedWeight;
    w.green[i] = static_cast<double>(i) * kGreenWeight;
    w.blue[i] = static_cast<double>(i) * kBlueWeight;
  }
  return w;
}

inline constexpr WeightedChannels kWeightedChannels = makeWeightedChannels();

// grayLevel: the same two sums in the same order, then rounding half to even.
// Adding 1.5 * 2^52 to a sum in 0..2^51 leaves a double whose unit is 1, so the
// addition itself rounds to the nearest integer, ties to even, and the low bits
// of the result hold that integer. (grayLevel's final + 0.0 only turns -0.0
// into 0.0, and a sum of nonnegative products is never -0.0.)
inline int tabledGray(int red, int green, int blue) {
  double a = kWeightedChannels.red[red] + kWeightedChannels.green[green];
  a = a + kWeightedChannels.blue[blue];
  const double shifted = a + 6755399441055744.0;  // 1.5 * 2^52
  return static_cast<int>(std::bit_cast<std::uint64_t>(shifted) & 0xFFFFu);
}

// Which colors one pass turns gray: one bit per pair of channel differences,
// built from the settings and the hue table.
class GrayMask {
 public:
  explicit GrayMask(const FilterSettings& settings);

  bool turnsGray(int red, int green, int blue) const {
    const auto i = static_cast<unsigned>(differenceIndex(red, green, blue));
    return (bits_[i / 64] >> (i % 64)) & 1u;
  }

  // filteredColor under the settings of this mask. The gray is formed for
  // every color and chosen by a bit mask, not a branch: in fine texture the
  // outcome changes from pixel to pixel and cannot be guessed.
  PackedColor filter(PackedColor color) const {
    const int r = redOf(color), g = greenOf(color), b = blueOf(color);
    const PackedColor choose = PackedColor{0} - static_cast<PackedColor>(turnsGray(r, g, b));
    const PackedColor gray = static_cast<PackedColor>(tabledGray(r, g, b)) * 0x010101u;
    return color ^ ((color ^ gray) & choose);
  }

 private:
  std::array<std::uint64_t, kDifferenceCount / 64> bits_;
};

}  // namespace zelvane
