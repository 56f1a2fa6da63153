#include "color/color_classes.h"

#include <gtest/gtest.h>

#include <optional>

namespace zelvane {
namespace {

struct WorkedColor {
  int r, g, b;
  int hue;
  ColorClass colorClass;
  int gray;
};

// Includes the half-degree cases where the rounding rule or the single
// precision step decides the hue.
const WorkedColor kWorkedColors[] = {
    {255, 0, 0, 0, ColorClass::Red, 54},        {0, 255, 0, 120, ColorClass::Green, 182},
    {0, 0, 255, 240, ColorClass::Blue, 18},     {255, 255, 0, 60, ColorClass::Yellow, 237},
    {0, 255, 255, 180, ColorClass::Cyan, 201},  {255, 0, 255, 300, ColorClass::Violet, 73},
    {128, 128, 128, 0, ColorClass::Red, 128},   {255, 255, 255, 0, ColorClass::Red, 255},
    {0, 0, 0, 0, ColorClass::Red, 0},           {120, 1, 0, 1, ColorClass::Red, 26},
    {120, 0, 1, 359, ColorClass::Red, 26},      {120, 17, 0, 9, ColorClass::Red, 38},
    {120, 19, 0, 10, ColorClass::Red, 39},      {40, 7, 0, 11, ColorClass::Orange, 14},
    {120, 59, 0, 30, ColorClass::Yellow, 68},   {33, 40, 0, 71, ColorClass::Green, 36},
    {0, 120, 79, 160, ColorClass::Cyan, 92},    {0, 97, 120, 192, ColorClass::Blue, 78},
    {7, 0, 40, 251, ColorClass::Violet, 4},     {119, 0, 120, 300, ColorClass::Violet, 34},
    {120, 0, 119, 300, ColorClass::Violet, 34}, {120, 0, 29, 345, ColorClass::Red, 28},
    {120, 0, 31, 344, ColorClass::Violet, 28},  {1, 0, 24, 242, ColorClass::Blue, 2},
    {0, 24, 1, 123, ColorClass::Green, 17},
};

TEST(ColorClasses, WorkedColorsGiveTheirHueClassAndGray) {
  for (const WorkedColor& w : kWorkedColors) {
    SCOPED_TRACE(testing::Message() << "(" << w.r << ", " << w.g << ", " << w.b << ")");
    const PackedColor color = makeColor(w.r, w.g, w.b);
    EXPECT_EQ(computeHue(color), w.hue);
    EXPECT_EQ(classifyHue(w.hue), std::optional<ColorClass>(w.colorClass));
    EXPECT_EQ(grayLevel(w.r, w.g, w.b), w.gray);
  }
}

TEST(ColorClasses, GraySumsOnAHalfGoToEven) {
  struct Tie { int r, g, b, gray; };
  // 32.5 -> 32, 33.5 -> 34; 15.5 -> 16 needs the blue weight one ulp above 0.0722.
  const Tie ties[] = {{0, 41, 44, 32}, {1, 42, 45, 34}, {0, 14, 76, 16}};
  for (const Tie& t : ties) {
    SCOPED_TRACE(testing::Message() << "(" << t.r << ", " << t.g << ", " << t.b << ")");
    EXPECT_EQ(grayLevel(t.r, t.g, t.b), t.gray);
  }
}

TEST(ColorClasses, ChannelsIgnoreTheTopByte) {
  const PackedColor allBits = 4294967295u;
  EXPECT_EQ(redOf(allBits), 255);
  EXPECT_EQ(greenOf(allBits), 255);
  EXPECT_EQ(blueOf(allBits), 255);
  EXPECT_EQ(computeHue(allBits), 0);
  EXPECT_EQ(grayLevel(redOf(allBits), greenOf(allBits), blueOf(allBits)), 255);

  const PackedColor color = makeColor(0x12, 0x34, 0x56);
  EXPECT_EQ(color, 0x563412u);
  EXPECT_EQ(redOf(color | 0xAB000000u), 0x12);
  EXPECT_EQ(greenOf(color), 0x34);
  EXPECT_EQ(blueOf(color), 0x56);
}

TEST(ColorClasses, ClassifyHueAtTheEdgesOfTheTable) {
  struct Edge { int hue; std::optional<ColorClass> colorClass; };
  const Edge edges[] = {
      {-1, std::nullopt},          {0, ColorClass::Red},      {9, ColorClass::Red},
      {10, ColorClass::Red},       {11, ColorClass::Orange},  {29, ColorClass::Orange},
      {30, ColorClass::Yellow},    {70, ColorClass::Yellow},  {71, ColorClass::Green},
      {159, ColorClass::Green},    {160, ColorClass::Cyan},   {190, ColorClass::Cyan},
      {191, ColorClass::Cyan},     {192, ColorClass::Blue},   {249, ColorClass::Blue},
      {250, ColorClass::Blue},     {251, ColorClass::Violet}, {344, ColorClass::Violet},
      {345, ColorClass::Red},      {359, ColorClass::Red},    {360, ColorClass::Red},
      {361, std::nullopt},
  };
  for (const Edge& e : edges) {
    SCOPED_TRACE(testing::Message() << "hue " << e.hue);
    EXPECT_EQ(classifyHue(e.hue), e.colorClass);
  }
}

}  // namespace
}  // namespace zelvane
