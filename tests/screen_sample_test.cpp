// Sampling a screen color against a scripted screen and a recording window.
#include "color/screen_sample.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "command_harness.h"
#include "platform/screen.h"

namespace zelvane {
namespace {

using namespace testing_support;

// A screen whose pixels and cursor the test sets; it records where it was read.
class ScriptedScreen final : public Screen {
 public:
  bool cursorReadable = true;
  ScreenPoint cursor;
  std::map<std::pair<int, int>, std::uint32_t> pixels;  // missing: unreadable
  std::vector<ScreenPoint> reads;

  bool cursorPosition(ScreenPoint& point) override {
    if (!cursorReadable) return false;
    point = cursor;
    return true;
  }
  std::uint32_t pixelColor(ScreenPoint point) override {
    reads.push_back(point);
    auto it = pixels.find({point.x, point.y});
    return it == pixels.end() ? kUnreadablePixel : it->second;
  }
};

class ScreenSample : public CommandTest {
 protected:
  ScriptedScreen screen_;
  void SetUp() override {
    CommandTest::SetUp();
    installScreen(&screen_);
  }
  void TearDown() override {
    installScreen(nullptr);
    CommandTest::TearDown();
  }
  void sampleAt(int x, int y, std::uint32_t color) {
    screen_.cursor = {x, y};
    screen_.pixels[{x, y}] = color;
    sampleScreenColor();
  }
};

struct SampleCase {
  std::uint32_t color;
  int low, high;
  std::int32_t swatch;
};

TEST_F(ScreenSample, BandIsTheHueWithTwentyOnEitherSide) {
  const SampleCase cases[] = {
      {makeColor(255, 0, 0), -20, 20, 0x0000FF},
      {makeColor(128, 128, 128), -20, 20, 0x808080},
      {makeColor(255, 255, 255), -20, 20, 0xFFFFFF},
      {makeColor(0, 0, 0), -20, 20, 0},
      {makeColor(120, 0, 31), 324, 364, 0x1F0078},
      {makeColor(0, 0, 255), 220, 260, 0xFF0000},
      {makeColor(0, 72, 255), 203, 243, 0xFF4800},
      {makeColor(0, 255, 0), 100, 140, 0x00FF00},
      {kUnreadablePixel, -20, 20, -1},
  };
  int x = 0;
  for (const SampleCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "color 0x" << std::hex << c.color);
    sampleAt(++x, 7, c.color);
    EXPECT_EQ(hueBand.low, c.low);
    EXPECT_EQ(hueBand.high, c.high);
    ASSERT_TRUE(toolkit_.swatch.has_value());
    EXPECT_EQ(*toolkit_.swatch, c.swatch);
  }
}

TEST_F(ScreenSample, ReadsWhereTheCursorIsAndKeepsTheLastPointWhenItCannot) {
  sampleAt(40, 60, makeColor(0, 0, 255));
  ASSERT_EQ(screen_.reads.size(), 1u);
  EXPECT_EQ(screen_.reads[0].x, 40);
  EXPECT_EQ(screen_.reads[0].y, 60);

  screen_.cursorReadable = false;
  screen_.cursor = {5, 5};
  screen_.pixels[{40, 60}] = makeColor(255, 0, 0);
  sampleScreenColor();
  ASSERT_EQ(screen_.reads.size(), 2u);
  EXPECT_EQ(screen_.reads[1].x, 40);
  EXPECT_EQ(screen_.reads[1].y, 60);
  EXPECT_EQ(hueBand.low, -20);
  EXPECT_EQ(*toolkit_.swatch, 0x0000FF);
}

TEST_F(ScreenSample, TheBandGraysItsHuesInTheNextTestOnlyWithCorrectionTicked) {
  // Hue 242 lies inside (203, 243); hue 0 and the green stay.
  const Picture picture{3, 1, {makeColor(1, 0, 24), makeColor(255, 0, 0), makeColor(0, 200, 0)}};
  writeBmp(folder_ / "three.bmp", picture);
  openThroughDialog(pathOf("three.bmp"));
  sampleAt(1, 1, makeColor(0, 72, 255));
  EXPECT_EQ(pictureOf(PreviewImage), picture) << "sampling changes no picture";

  toolkit_.tickAllClassesBut({});
  testPreview();
  EXPECT_EQ(pictureOf(PreviewImage), picture);

  toolkit_.ticked[CorrectionCheck] = 1;
  testPreview();
  const int gray = grayLevel(1, 0, 24);
  EXPECT_EQ(pictureOf(PreviewImage).at(0, 0), makeColor(gray, gray, gray));
  EXPECT_EQ(pictureOf(PreviewImage).at(1, 0), makeColor(255, 0, 0));
  EXPECT_EQ(pictureOf(PreviewImage).at(2, 0), makeColor(0, 200, 0));
}

}  // namespace
}  // namespace zelvane
