#include "platform/area_shrink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/image_facility.h"

namespace zelvane {
namespace {

// The length of [a0, a1) inside [b0, b1).
double overlap(double a0, double a1, double b0, double b1) {
  return std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
}

// The exact area average of target pixel (tx, ty), channel c, in doubles.
double referenceAverage(const ImageBuffer& source, int width, int height, int tx, int ty, int c) {
  const double sx = static_cast<double>(source.width) / width;
  const double sy = static_cast<double>(source.height) / height;
  double sum = 0;
  for (int y = 0; y < source.height; ++y) {
    const double wy = overlap(y, y + 1, ty * sy, (ty + 1) * sy);
    if (wy == 0) continue;
    for (int x = 0; x < source.width; ++x) {
      const double wx = overlap(x, x + 1, tx * sx, (tx + 1) * sx);
      sum += wx * wy * source.row(y)[3 * x + c];
    }
  }
  return sum / (sx * sy);
}

TEST(AreaShrink, EveryPixelIsTheRoundedAverageOfTheAreaItCovers) {
  const struct {
    int fromW, fromH, toW, toH;
  } cases[] = {
      {7, 5, 3, 2},     // fractional cover on both axes
      {10, 10, 10, 3},  // width kept, height shrunk
      {13, 1, 4, 1},    // a single row
      {9, 9, 1, 1},     // everything into one pixel
      {64, 36, 6, 3},   // the photo's shape, large factor
      {5, 8, 4, 7},     // just below the source size
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.fromW) + "x" + std::to_string(c.fromH) + " to " +
                 std::to_string(c.toW) + "x" + std::to_string(c.toH));
    auto source = makeImageBuffer(c.fromW, c.fromH, 24);
    std::uint32_t seed = 7;
    for (std::size_t i = 0; i < source->byteCount(); ++i) {
      seed = seed * 1664525u + 1013904223u;
      source->pixels[i] = static_cast<std::uint8_t>(seed >> 24);
    }
    const auto small = shrinkByAreaAverage(*source, c.toW, c.toH);
    ASSERT_TRUE(small);
    ASSERT_EQ(small->width, c.toW);
    ASSERT_EQ(small->height, c.toH);
    ASSERT_EQ(small->depth(), 24);
    for (int y = 0; y < c.toH; ++y)
      for (int x = 0; x < c.toW; ++x)
        for (int ch = 0; ch < 3; ++ch) {
          const double want = referenceAverage(*source, c.toW, c.toH, x, y, ch);
          EXPECT_LE(std::abs(small->row(y)[3 * x + ch] - want), 0.5 + 1e-9)
              << "pixel " << x << "," << y << " channel " << ch << " wants " << want;
        }
  }
}

TEST(AreaShrink, RefusesWhatItCannotShrink) {
  auto rgb = makeImageBuffer(8, 6, 24);
  auto rgba = makeImageBuffer(8, 6, 32);
  EXPECT_FALSE(shrinkByAreaAverage(*rgba, 4, 3));  // 32-bit rows
  EXPECT_FALSE(shrinkByAreaAverage(*rgb, 9, 6));   // wider than the source
  EXPECT_FALSE(shrinkByAreaAverage(*rgb, 8, 7));   // taller than the source
  EXPECT_FALSE(shrinkByAreaAverage(*rgb, 0, 3));
}

}  // namespace
}  // namespace zelvane
