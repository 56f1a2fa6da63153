// Walks every 24-bit color once and checks what must hold for each of them.
#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "color/color_classes.h"

namespace zelvane {
namespace {

// The classes as the hues computeHue produces fall out of the ordered table.
ColorClass expectedClass(int hue) {
  if (hue <= 10 || hue >= 345) return ColorClass::Red;
  if (hue <= 29) return ColorClass::Orange;
  if (hue <= 70) return ColorClass::Yellow;
  if (hue <= 159) return ColorClass::Green;
  if (hue <= 191) return ColorClass::Cyan;
  if (hue <= 250) return ColorClass::Blue;
  return ColorClass::Violet;
}

TEST(AllColors, HueGrayAndClassHoldForEveryColor) {
  std::array<bool, 360> hueSeen{};
  int badHues = 0, badGrays = 0;
  for (PackedColor color = 0; color < (1u << 24); ++color) {
    const int hue = computeHue(color);
    if (hue < 0 || hue > 359) {
      if (++badHues < 5) ADD_FAILURE() << "color " << color << " has hue " << hue;
      continue;
    }
    hueSeen[hue] = true;
    const int gray = grayLevel(redOf(color), greenOf(color), blueOf(color));
    if (gray < 0 || gray > 255) {
      if (++badGrays < 5) ADD_FAILURE() << "color " << color << " has gray " << gray;
    }
  }
  EXPECT_EQ(badHues, 0);
  EXPECT_EQ(badGrays, 0);
  for (int h = 0; h < 360; ++h) EXPECT_TRUE(hueSeen[h]) << "no color has hue " << h;
}

TEST(AllColors, GraysKeepTheirValueAndHaveHueZero) {
  for (int v = 0; v <= 255; ++v) {
    EXPECT_EQ(grayLevel(v, v, v), v);
    EXPECT_EQ(computeHue(makeColor(v, v, v)), 0);
  }
}

TEST(AllColors, EveryHueOfTheCircleHasExactlyTheClassOfItsRange) {
  for (int hue = 0; hue <= 360; ++hue) {
    const std::optional<ColorClass> colorClass = classifyHue(hue);
    ASSERT_TRUE(colorClass.has_value()) << "hue " << hue;
    EXPECT_EQ(*colorClass, expectedClass(hue)) << "hue " << hue;
  }
  EXPECT_FALSE(classifyHue(-1).has_value());
  EXPECT_FALSE(classifyHue(361).has_value());
}

}  // namespace
}  // namespace zelvane
