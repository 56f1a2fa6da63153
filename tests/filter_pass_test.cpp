#include "color/filter_pass.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/image_facility.h"

namespace zelvane {
namespace {

constexpr int kImage = 0;

FilterSettings keepAll() {
  FilterSettings s;
  s.keep.fill(true);
  return s;
}

// A picture whose pixels run through many hues, saturations and values, with
// an alpha byte that differs from pixel to pixel in the 32-bit form.
ImageBuffer* makeVariedImage(int width, int height, int depth) {
  ImageBuffer* image = createImage(kImage, width, height, depth);
  std::uint32_t seed = 12345;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* p = image->row(y);
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < image->bytesPerPixel; ++c) {
        seed = seed * 1664525u + 1013904223u;
        *p++ = static_cast<std::uint8_t>(seed >> 24);
      }
    }
  }
  return image;
}

std::vector<std::uint8_t> bytesOf(const ImageBuffer& image) {
  return {image.pixels.get(), image.pixels.get() + image.byteCount()};
}

void setPixel(int x, int y, PackedColor color) {
  beginDrawing(kImage);
  writePixel(x, y, color);
  endDrawing();
}

PackedColor pixelAt(int x, int y) {
  beginDrawing(kImage);
  const PackedColor color = readPixel(x, y);
  endDrawing();
  return color;
}

class FilterPass : public testing::TestWithParam<int> {
 protected:
  void TearDown() override { releaseAllImages(); }
  int depth() const { return GetParam(); }
};

TEST_P(FilterPass, KeepingEveryClassWithoutCorrectionChangesNoByte) {
  const ImageBuffer* image = makeVariedImage(37, 23, depth());
  const auto before = bytesOf(*image);
  FilterSettings settings = keepAll();
  settings.band = {-20, 20};  // ignored while correction is off
  applyFilter(kImage, settings);
  EXPECT_EQ(bytesOf(*image), before);
}

TEST_P(FilterPass, KeepingNoClassGraysEveryPixelToItsOwnGrayAndKeepsAlpha) {
  const ImageBuffer* image = makeVariedImage(37, 23, depth());
  const auto before = bytesOf(*image);
  applyFilter(kImage, FilterSettings{});
  const auto after = bytesOf(*image);
  const int bpp = image->bytesPerPixel;
  for (std::size_t i = 0; i < before.size(); i += bpp) {
    const int gray = grayLevel(before[i], before[i + 1], before[i + 2]);
    ASSERT_EQ(after[i], gray) << "pixel " << i / bpp;
    ASSERT_EQ(after[i + 1], gray);
    ASSERT_EQ(after[i + 2], gray);
    if (bpp == 4) {
      ASSERT_EQ(after[i + 3], before[i + 3]) << "alpha of pixel " << i / bpp;
    }
  }
}

TEST_P(FilterPass, ASecondPassChangesNothingAndNoPassBringsColorBack) {
  const ImageBuffer* image = makeVariedImage(41, 19, depth());
  FilterSettings settings = keepAll();
  settings.keep[static_cast<int>(ColorClass::Green)] = false;
  settings.keep[static_cast<int>(ColorClass::Red)] = false;
  settings.correction = true;
  settings.band = {200, 260};
  applyFilter(kImage, settings);
  const auto once = bytesOf(*image);
  applyFilter(kImage, settings);
  EXPECT_EQ(bytesOf(*image), once);
  applyFilter(kImage, keepAll());
  EXPECT_EQ(bytesOf(*image), once);
}

TEST_P(FilterPass, GrayedPixelsKeepTheirAlpha) {
  ImageBuffer* image = createImage(kImage, 3, 1, depth());
  const std::uint8_t pixels[3][4] = {{255, 0, 0, 0}, {0, 255, 0, 128}, {0, 0, 255, 255}};
  for (int x = 0; x < 3; ++x) std::memcpy(image->row(0) + x * image->bytesPerPixel, pixels[x], image->bytesPerPixel);
  applyFilter(kImage, FilterSettings{});
  const std::uint8_t expected[3][4] = {{54, 54, 54, 0}, {182, 182, 182, 128}, {18, 18, 18, 255}};
  for (int x = 0; x < 3; ++x) {
    SCOPED_TRACE(x);
    EXPECT_EQ(0, std::memcmp(image->row(0) + x * image->bytesPerPixel, expected[x], image->bytesPerPixel));
  }
}

// Rows are handled in groups of pixels with the rest one by one; every width
// from 1 to 9 puts pixels in each place of a group and in the rest.
TEST_P(FilterPass, EveryWidthGivesEachPixelTheResultOfItsColor) {
  FilterSettings settings;
  settings.keep[static_cast<int>(ColorClass::Yellow)] = true;
  settings.keep[static_cast<int>(ColorClass::Blue)] = true;
  settings.keep[static_cast<int>(ColorClass::Violet)] = true;
  settings.correction = true;
  settings.band = {230, 270};
  for (int width = 1; width <= 9; ++width) {
    SCOPED_TRACE(testing::Message() << "width " << width);
    const ImageBuffer* image = makeVariedImage(width, 7, depth());
    const auto before = bytesOf(*image);
    applyFilter(kImage, settings);
    const auto after = bytesOf(*image);
    const int bpp = image->bytesPerPixel;
    for (std::size_t i = 0; i < before.size(); i += bpp) {
      const PackedColor expected =
          filteredColor(makeColor(before[i], before[i + 1], before[i + 2]), settings);
      ASSERT_EQ(makeColor(after[i], after[i + 1], after[i + 2]), expected) << "pixel " << i / bpp;
      if (bpp == 4) {
        ASSERT_EQ(after[i + 3], before[i + 3]) << "alpha of pixel " << i / bpp;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(BothForms, FilterPass, testing::Values(24, 32),
                         [](const testing::TestParamInfo<int>& info) {
                           return "Depth" + std::to_string(info.param);
                         });

TEST(FilterPassBand, TheBandIsStrictOnBothSides) {
  // (40, 7, 0): hue 11, Orange, gray 14.
  const PackedColor orange = makeColor(40, 7, 0);
  const PackedColor gray = makeColor(14, 14, 14);
  struct Case { bool keepOrange; bool correction; HueBand band; PackedColor result; };
  const Case cases[] = {
      {false, false, {0, 0}, gray},       {true, false, {-9, 31}, orange},
      {true, true, {-9, 31}, gray},       {true, true, {11, 51}, orange},
      {true, true, {-29, 11}, orange},    {true, true, {10, 12}, gray},
      {true, true, {0, 0}, orange},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "keep " << c.keepOrange << " correction " << c.correction
                                    << " band (" << c.band.low << ", " << c.band.high << ")");
    createImage(kImage, 1, 1, 24);
    setPixel(0, 0, orange);
    FilterSettings settings = keepAll();
    settings.keep[static_cast<int>(ColorClass::Orange)] = c.keepOrange;
    settings.correction = c.correction;
    settings.band = c.band;
    applyFilter(kImage, settings);
    EXPECT_EQ(pixelAt(0, 0), c.result);
  }
  releaseAllImages();
}

TEST(FilterPassBand, TheBandDoesNotWrapAroundZero) {
  // One pixel per hue 0..359 would need a color per hue; a column of colors
  // with known hues near both ends of the circle is enough.
  struct Probe { PackedColor color; int hue; };
  const Probe probes[] = {
      {makeColor(120, 0, 1), 359},  {makeColor(120, 0, 31), 344}, {makeColor(255, 0, 0), 0},
      {makeColor(120, 19, 0), 10},  {makeColor(120, 17, 0), 9},   {makeColor(40, 7, 0), 11},
      {makeColor(120, 1, 0), 1},
  };
  struct Case { HueBand band; int firstInside; int lastInside; };
  const Case cases[] = {{{-20, 20}, 0, 19}, {{330, 370}, 331, 359}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "band (" << c.band.low << ", " << c.band.high << ")");
    createImage(kImage, 1, std::size(probes), 24);
    for (std::size_t i = 0; i < std::size(probes); ++i) setPixel(0, static_cast<int>(i), probes[i].color);
    FilterSettings settings = keepAll();
    settings.correction = true;
    settings.band = c.band;
    applyFilter(kImage, settings);
    for (std::size_t i = 0; i < std::size(probes); ++i) {
      ASSERT_EQ(computeHue(probes[i].color), probes[i].hue);
      const bool inside = c.firstInside <= probes[i].hue && probes[i].hue <= c.lastInside;
      const PackedColor color = probes[i].color;
      const int g = grayLevel(redOf(color), greenOf(color), blueOf(color));
      EXPECT_EQ(pixelAt(0, static_cast<int>(i)), inside ? makeColor(g, g, g) : color)
          << "hue " << probes[i].hue;
    }
  }
  releaseAllImages();
}

TEST(FilterPassSizes, TinyAndEmptyPictures) {
  createImage(kImage, 1, 1, 32);
  setPixel(0, 0, makeColor(0, 0, 255));
  applyFilter(kImage, FilterSettings{});
  EXPECT_EQ(pixelAt(0, 0), makeColor(18, 18, 18));

  // A number with no picture, and sizes of 0, visit nothing and do not fail.
  releaseAllImages();
  applyFilter(kImage, FilterSettings{});
  EXPECT_FALSE(hasImage(kImage));
  EXPECT_EQ(createImage(kImage, 0, 5, 24), nullptr);
  EXPECT_EQ(createImage(kImage, 5, 0, 24), nullptr);
  applyFilter(kImage, FilterSettings{});
  EXPECT_EQ(imageWidth(kImage), 0);
  EXPECT_EQ(imageHeight(kImage), 0);
}

}  // namespace
}  // namespace zelvane
