#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "image/codecs.h"
#include "jpeg_fixtures.h"
#include "platform/image_facility.h"

namespace zelvane {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr int kImage = 0;

struct Color {
  int r, g, b;
};

// A 32 x 32 picture of four flat 16 x 16 quarters.
const Color kQuarters[4] = {{220, 30, 40}, {20, 200, 60}, {30, 40, 210}, {200, 150, 50}};

Bytes quartersSamples(int components) {
  Bytes samples;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const Color& c = kQuarters[(y / 16) * 2 + x / 16];
      if (components == 1) {
        samples.push_back(static_cast<std::uint8_t>(c.g));
      } else {
        samples.insert(samples.end(), {static_cast<std::uint8_t>(c.r),
                                       static_cast<std::uint8_t>(c.g),
                                       static_cast<std::uint8_t>(c.b)});
      }
    }
  return samples;
}

class JpegDecoding : public ::testing::Test {
 protected:
  void SetUp() override { enableJpegDecoder(); }
  void TearDown() override { releaseAllImages(); }
};

struct KindCase {
  const char* name;
  JpegRecipe recipe;
};

TEST_F(JpegDecoding, LoadsEveryKindOfEightBitFile) {
  auto recipe = [](auto change) {
    JpegRecipe r;
    r.width = r.height = 32;
    change(r);
    return r;
  };
  const KindCase cases[] = {
      {"baseline 4:2:0", recipe([](JpegRecipe&) {})},
      {"progressive", recipe([](JpegRecipe& r) { r.progressive = true; })},
      {"arithmetic coded", recipe([](JpegRecipe& r) { r.arithmetic = true; })},
      {"progressive arithmetic", recipe([](JpegRecipe& r) { r.progressive = r.arithmetic = true; })},
      {"restart markers", recipe([](JpegRecipe& r) { r.restartInterval = 1; })},
      {"stored as RGB", recipe([](JpegRecipe& r) { r.stored = JCS_RGB; })},
      {"grayscale", recipe([](JpegRecipe& r) {
         r.components = 1;
         r.input = r.stored = JCS_GRAYSCALE;
       })},
  };
  for (const KindCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes file = makeJpeg(c.recipe, quartersSamples(c.recipe.components));
    const ImageBuffer* image = loadImageData(kImage, file.data(), file.size());
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 32);
    ASSERT_EQ(image->height, 32);
    ASSERT_EQ(image->depth(), 24);
    const bool gray = c.recipe.components == 1;
    // Pixel for pixel what libjpeg itself gives...
    const Bytes bare = decodeBare(file, gray ? JCS_GRAYSCALE : JCS_RGB);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const std::uint8_t* p = image->row(y) + x * 3;
        const std::size_t i = static_cast<std::size_t>(y * 32 + x);
        if (gray) {
          ASSERT_EQ(p[0], bare[i]);
          ASSERT_EQ(p[1], bare[i]);
          ASSERT_EQ(p[2], bare[i]);
        } else {
          ASSERT_EQ(p[0], bare[3 * i]);
          ASSERT_EQ(p[1], bare[3 * i + 1]);
          ASSERT_EQ(p[2], bare[3 * i + 2]);
        }
      }
    // ...and, in the middle of each quarter, the color that went in.
    for (int q = 0; q < 4; ++q) {
      const std::uint8_t* p = image->row((q / 2) * 16 + 8) + ((q % 2) * 16 + 8) * 3;
      const Color& want = kQuarters[q];
      EXPECT_NEAR(p[0], gray ? want.g : want.r, 4);
      EXPECT_NEAR(p[1], want.g, 4);
      EXPECT_NEAR(p[2], gray ? want.g : want.b, 4);
    }
  }
}

TEST_F(JpegDecoding, CmykFromAdobeFilesScalesByK) {
  // Three flat 8 x 8 blocks of stored C, M, Y, K (inverted, as Adobe stores).
  const std::uint8_t blocks[3][4] = {{255, 128, 0, 255}, {130, 65, 33, 200}, {90, 200, 255, 0}};
  const Color expected[3] = {{255, 128, 0}, {101, 50, 25}, {0, 0, 0}};
  Bytes samples;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 24; ++x) samples.insert(samples.end(), blocks[x / 8], blocks[x / 8] + 4);

  for (J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
    SCOPED_TRACE(stored == JCS_CMYK ? "CMYK" : "YCCK");
    JpegRecipe recipe;
    recipe.width = 24;
    recipe.height = 8;
    recipe.components = 4;
    recipe.input = JCS_CMYK;
    recipe.stored = stored;
    const Bytes file = makeJpeg(recipe, samples);
    const ImageBuffer* image = loadImageData(kImage, file.data(), file.size());
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 24);
    const Bytes cmyk = decodeBare(file, JCS_CMYK);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 24; ++x) {
        const std::uint8_t* p = image->row(y) + x * 3;
        const std::uint8_t* s = &cmyk[static_cast<std::size_t>(y * 24 + x) * 4];
        for (int c = 0; c < 3; ++c) ASSERT_EQ(p[c], s[c] * s[3] / 255);
      }
    if (stored == JCS_YCCK) continue;  // YCCK goes through a lossy color transform
    for (int b = 0; b < 3; ++b) {
      SCOPED_TRACE(b);
      const std::uint8_t* p = image->row(4) + (b * 8 + 4) * 3;
      EXPECT_EQ(p[0], expected[b].r);
      EXPECT_EQ(p[1], expected[b].g);
      EXPECT_EQ(p[2], expected[b].b);
    }
  }
}

TEST_F(JpegDecoding, FileCutInTheMiddleOfItsDataStillLoads) {
  JpegRecipe recipe;
  recipe.width = recipe.height = 64;
  recipe.quality = 90;
  Bytes samples(64 * 64 * 3);
  std::uint32_t seed = 7;
  for (auto& s : samples) s = static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 24);
  const Bytes whole = makeJpeg(recipe, samples);
  const Bytes half(whole.begin(), whole.begin() + static_cast<long>(whole.size() / 2));

  const ImageBuffer* image = loadImageData(kImage, half.data(), half.size());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 64);
  EXPECT_EQ(image->height, 64);
  const Bytes full = decodeBare(whole, JCS_RGB);
  for (int y = 0; y < 8; ++y)  // what the cut file still holds comes out as in the whole one
    EXPECT_EQ(0, std::memcmp(image->row(y), &full[static_cast<std::size_t>(y) * 64 * 3], 64 * 3))
        << "row " << y;
}

// A baseline file with one marker byte (or more) changed.
Bytes patched(Bytes file, std::uint8_t marker, std::size_t offsetInSegment, std::uint8_t value) {
  for (std::size_t i = 2; i + 1 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] == marker) {
      file[i + offsetInSegment] = value;
      return file;
    }
  ADD_FAILURE() << "marker not found";
  return file;
}

TEST_F(JpegDecoding, RefusesWhatLibjpegCannotDecode) {
  JpegRecipe rgb;
  const Bytes baseline = makeJpeg(rgb, Bytes(16 * 16 * 3, 90));
  JpegRecipe two = rgb;
  two.components = 2;
  two.input = two.stored = JCS_UNKNOWN;
  Bytes hierarchical = baseline;  // a DHP segment before the frame
  const std::uint8_t dhp[] = {0xFF, 0xDE, 0x00, 0x0B, 8, 0, 16, 0, 16, 1, 1, 0x11, 0};
  hierarchical.insert(hierarchical.begin() + 2, std::begin(dhp), std::end(dhp));
  Bytes twelveBit = patched(baseline, 0xC0, 1, 0xC1);  // extended sequential...
  twelveBit = patched(twelveBit, 0xC1, 4, 12);        // ...with 12-bit samples
  const Bytes headerOnly(baseline.begin(), baseline.begin() + 20);

  const struct {
    const char* name;
    Bytes file;
  } cases[] = {
      {"2 components", makeJpeg(two, Bytes(16 * 16 * 2, 90))},
      {"lossless frame", patched(baseline, 0xC0, 1, 0xC3)},
      {"12-bit samples", twelveBit},
      {"hierarchical", hierarchical},
      {"start of image only", {0xFF, 0xD8}},
      {"header cut before the scan", headerOnly},
      {"PNG signature", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}},
      {"one byte", {0xFF}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(loadImageData(kImage, baseline.data(), baseline.size())) << "base must load";
    EXPECT_FALSE(loadImageData(kImage, c.file.data(), c.file.size()));
    EXPECT_FALSE(hasImage(kImage)) << "a failed load leaves no picture";
  }
}

}  // namespace
}  // namespace zelvane
