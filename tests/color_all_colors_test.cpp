// Walks every 24-bit color once and checks what must hold for each of them.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "color/color_classes.h"
#include "color/filter_pass.h"
#include "color/filter_tables.h"
#include "platform/image_facility.h"

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

TEST(AllColors, TablesGiveExactlyTheHueAndGrayOfEveryColor) {
  int badHues = 0, badGrays = 0;
  for (PackedColor color = 0; color < (1u << 24); ++color) {
    const int r = redOf(color), g = greenOf(color), b = blueOf(color);
    if (tabledHue(r, g, b) != computeHue(color) && ++badHues < 5) {
      ADD_FAILURE() << "color " << color << ": table hue " << tabledHue(r, g, b) << ", computed "
                    << computeHue(color);
    }
    if (tabledGray(r, g, b) != grayLevel(r, g, b) && ++badGrays < 5) {
      ADD_FAILURE() << "color " << color << ": table gray " << tabledGray(r, g, b) << ", computed "
                    << grayLevel(r, g, b);
    }
  }
  EXPECT_EQ(badHues, 0);
  EXPECT_EQ(badGrays, 0);
}

// Every color once, pixel i with color i, in the 24-bit or the 32-bit form;
// the alpha of the 32-bit form varies from pixel to pixel.
std::uint8_t alphaOf(PackedColor color) { return static_cast<std::uint8_t>(color * 37u); }

std::vector<std::uint8_t> everyColorPixels(int bytesPerPixel) {
  std::vector<std::uint8_t> bytes((std::size_t{1} << 24) * static_cast<std::size_t>(bytesPerPixel));
  std::uint8_t* p = bytes.data();
  for (PackedColor color = 0; color < (1u << 24); ++color, p += bytesPerPixel) {
    p[0] = static_cast<std::uint8_t>(redOf(color));
    p[1] = static_cast<std::uint8_t>(greenOf(color));
    p[2] = static_cast<std::uint8_t>(blueOf(color));
    if (bytesPerPixel == 4) p[3] = alphaOf(color);
  }
  return bytes;
}

FilterSettings settingsOf(const std::array<bool, kColorClassCount>& keep, bool correction,
                          HueBand band) {
  FilterSettings settings;
  settings.keep = keep;
  settings.correction = correction;
  settings.band = band;
  return settings;
}

// The pass over a 4096 x 4096 picture of every color, in both forms, gives
// each color exactly filteredColor's result. Alternate classes kept put a kept
// and a dropped class on the two sides of every class boundary; the bands lie
// inside kept classes so that both band edges show, and cross 0 and 360
// without wrapping.
TEST(AllColors, FilterPassGivesEveryColorItsExactResult) {
  constexpr std::array<bool, kColorClassCount> kNone{};
  constexpr std::array<bool, kColorClassCount> kAll{true, true, true, true, true, true, true};
  constexpr std::array<bool, kColorClassCount> kRedYellowCyanViolet{true, false, true, false,
                                                                    true, false, true};
  constexpr std::array<bool, kColorClassCount> kOrangeGreenBlue{false, true, false, true,
                                                                false, true, false};
  struct Case {
    const char* name;
    FilterSettings settings;
  };
  const Case cases[] = {
      {"nothing kept", settingsOf(kNone, false, {})},
      {"alternate classes, band inside Yellow", settingsOf(kRedYellowCyanViolet, true, {30, 50})},
      {"other alternate classes, band inside Blue", settingsOf(kOrangeGreenBlue, true, {203, 243})},
      {"all kept, band across 0", settingsOf(kAll, true, {-20, 20})},
      {"all kept, band across 360", settingsOf(kAll, true, {330, 370})},
  };
  const std::vector<std::uint8_t> pixels24 = everyColorPixels(3);
  const std::vector<std::uint8_t> pixels32 = everyColorPixels(4);
  ImageBuffer* image24 = createImage(0, 4096, 4096, 24);
  ImageBuffer* image32 = createImage(1, 4096, 4096, 32);
  ASSERT_TRUE(image24 && image32);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::memcpy(image24->pixels.get(), pixels24.data(), pixels24.size());
    std::memcpy(image32->pixels.get(), pixels32.data(), pixels32.size());
    applyFilter(0, c.settings);
    applyFilter(1, c.settings);
    const std::uint8_t* p24 = image24->pixels.get();
    const std::uint8_t* p32 = image32->pixels.get();
    int bad = 0;
    for (PackedColor color = 0; color < (1u << 24) && bad < 5; ++color, p24 += 3, p32 += 4) {
      const PackedColor expected = filteredColor(color, c.settings);
      const PackedColor got24 = makeColor(p24[0], p24[1], p24[2]);
      const PackedColor got32 = makeColor(p32[0], p32[1], p32[2]);
      if (got24 != expected || got32 != expected || p32[3] != alphaOf(color)) {
        ++bad;
        ADD_FAILURE() << "color " << color << ": expected " << expected << ", 24-bit pass gives "
                      << got24 << ", 32-bit pass gives " << got32 << " with alpha " << int{p32[3]}
                      << " instead of " << int{alphaOf(color)};
      }
    }
  }
  releaseAllImages();
}

}  // namespace
}  // namespace zelvane
