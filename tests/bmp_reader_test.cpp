#include "platform/bmp_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bmp_fixtures.h"
#include "platform/image_facility.h"

namespace zelvane {
namespace {

// Four table colors: black, red, green, blue (stored blue, green, red, 0).
const Bytes kFourColors = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};

struct Rgba {
  int r, g, b, a;
};
constexpr Rgba K{0, 0, 0, 255}, R{255, 0, 0, 255}, G{0, 255, 0, 255}, B{0, 0, 255, 255};

struct DecodeCase {
  const char* name;
  BmpLayout layout;
  int depth;
  std::vector<Rgba> topFirst;  // expected pixels, top row first
};

std::vector<DecodeCase> decodeCases() {
  std::vector<DecodeCase> cases;
  // 24 bits, 2 x 2, bottom row first, each row padded from 6 to 8 bytes.
  cases.push_back({"24-bit bottom-up", {40, 2, 2, 24, 0, 0, {}, {},
                   {0, 0, 255, 0, 255, 0, 0, 0,     // bottom: red, green
                    255, 0, 0, 10, 20, 30, 0, 0}},  // top: blue, (30, 20, 10)
                   24, {B, {30, 20, 10, 255}, R, G}});
  cases.push_back({"24-bit top-down shows upright", {40, 2, -2, 24, 0, 0, {}, {},
                   {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 10, 20, 30, 0, 0}},
                   24, {R, G, B, {30, 20, 10, 255}}});
  cases.push_back({"24-bit 124-byte header, last row without padding", {124, 3, 2, 24, 0, 0, {}, {},
                   {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0,  // bottom: red x3, padded
                    255, 0, 0, 255, 0, 0, 255, 0, 0}},         // top: blue x3
                   24, {B, B, B, R, R, R}});
  cases.push_back({"8-bit table of 4 used colors", {40, 3, 2, 8, 0, 4, {}, kFourColors,
                   {1, 2, 3, 0, 3, 0, 1, 0}},
                   24, {B, K, R, R, G, B}});
  cases.push_back({"8-bit index past a short table gives black", {40, 2, 1, 8, 0, 2, {}, {0, 0, 0, 0, 0, 0, 255, 0},
                   {1, 7, 0, 0}},
                   24, {R, K}});
  {
    Bytes sixteen = kFourColors;  // used colors 0: the table holds 2^4 entries
    sixteen.resize(64, 0);
    cases.push_back({"4-bit, used colors 0 means 16", {40, 3, 2, 4, 0, 0, {}, sixteen,
                     {0x12, 0x30, 0, 0, 0x32, 0x10, 0, 0}},
                     24, {B, G, R, R, G, B}});
  }
  cases.push_back({"1-bit, 9 pixels a row", {40, 9, 1, 1, 0, 2, {}, {0, 0, 255, 0, 255, 0, 0, 0},
                   {0xA5, 0x80, 0, 0}},
                   24, {B, R, B, R, R, B, R, B, B}});
  // RLE8, 4 x 3 bottom-up: a run, a literal of 3 (padded), end of line, a
  // delta that leaves pixels unset (black), end of picture.
  cases.push_back({"RLE8 with runs, literal, delta", {40, 4, 3, 8, 1, 4, {}, kFourColors,
                   {2, 1, 0, 3, 2, 3, 1, 0,   // bottom row: 2 x red, literal green, blue, (red clipped), pad
                    0, 0,                      // end of line
                    0, 2, 1, 1,                // delta: x + 1, one row up -> row 2, x 1
                    2, 3,                      // two blue from x 1
                    0, 1}},
                   24, {K, B, B, K, K, K, K, K, R, R, G, B}});
  // RLE4, 5 x 2: a run of alternating nibbles, a literal of 3 nibbles.
  cases.push_back({"RLE4 runs and odd literal", {40, 5, 2, 4, 2, 4, {}, kFourColors,
                   {5, 0x12, 0, 0, 0, 3, 0x31, 0x20, 0, 1}},
                   24, {B, R, G, K, K, R, G, R, G, R}});
  cases.push_back({"16-bit 5-5-5", {40, 3, 1, 16, 0, 0, {}, {},
                   {0x00, 0x7C, 0xE0, 0x03, 0x10, 0x42, 0, 0}},  // red, green, (16,16,16)
                   24, {R, G, {132, 132, 132, 255}}});
  cases.push_back({"16-bit bit masks 5-6-5", {40, 2, 1, 16, 3, 0, {0xF800, 0x07E0, 0x001F}, {},
                   {0x00, 0x04, 0x1F, 0xF8}},  // green 32 of 63, red + blue
                   24, {{0, 130, 0, 255}, {255, 0, 255, 255}}});
  cases.push_back({"16-bit bit masks 4-4-4 inside a 52-byte header", {52, 2, 1, 16, 3, 0, {0x0F00, 0x00F0, 0x000F}, {},
                   {0x0F, 0x08, 0x70, 0x00}},  // blue 15 + red 8; green 7 of 15
                   24, {{136, 0, 255, 255}, {0, 119, 0, 255}}});
  cases.push_back({"32-bit with all alpha 0 loads opaque", {40, 2, 1, 32, 0, 0, {}, {},
                   {0, 0, 255, 0, 255, 0, 0, 0}},
                   32, {R, B}});
  cases.push_back({"32-bit top-down with all alpha 0 loads opaque", {40, 1, -2, 32, 0, 0, {}, {},
                   {0, 0, 255, 0, 255, 0, 0, 0}},
                   32, {R, B}});
  cases.push_back({"32-bit partial alpha is kept", {40, 2, 1, 32, 0, 0, {}, {},
                   {0, 0, 255, 0, 255, 0, 0, 128}},
                   32, {{255, 0, 0, 0}, {0, 0, 255, 128}}});
  cases.push_back({"32-bit bit masks after a 40-byte header", {40, 2, 1, 32, 3, 0, {0xFF00, 0xFF0000, 0xFF000000}, {},
                   {0, 1, 2, 3, 0, 0, 0, 255}},  // red 1, green 2, blue 3; blue 255
                   32, {{1, 2, 3, 255}, B}});
  cases.push_back({"32-bit bit masks with alpha, 108-byte header", {108, 2, 1, 32, 3, 0,
                   {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, {},
                   {0, 0, 255, 64, 0, 255, 0, 0}},
                   32, {{255, 0, 0, 64}, {0, 255, 0, 0}}});
  cases.push_back({"32-bit bit masks with alpha, 56-byte header", {56, 1, 1, 32, 3, 0,
                   {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}, {},
                   {10, 20, 30, 40}},
                   32, {{10, 20, 30, 40}}});
  return cases;
}

TEST(BmpReader, DecodesEveryLayoutToItsPixels) {
  for (const DecodeCase& c : decodeCases()) {
    SCOPED_TRACE(c.name);
    const Bytes file = buildBmp(c.layout);
    std::unique_ptr<ImageBuffer> image = readBmp(file.data(), file.size());
    ASSERT_TRUE(image);
    const int height = c.layout.height < 0 ? -c.layout.height : c.layout.height;
    ASSERT_EQ(image->width, c.layout.width);
    ASSERT_EQ(image->height, height);
    ASSERT_EQ(image->depth(), c.depth);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < c.layout.width; ++x) {
        SCOPED_TRACE("x " + std::to_string(x) + " y " + std::to_string(y));
        const Rgba& want = c.topFirst[static_cast<std::size_t>(y * c.layout.width + x)];
        const std::uint8_t* p = image->row(y) + x * image->bytesPerPixel;
        EXPECT_EQ(p[0], want.r);
        EXPECT_EQ(p[1], want.g);
        EXPECT_EQ(p[2], want.b);
        if (c.depth == 32) {
          EXPECT_EQ(p[3], want.a);
        }
      }
  }
}

struct RejectCase {
  const char* name;
  Bytes file;
};

Bytes withByte(Bytes b, std::size_t at, std::uint8_t value) {
  b[at] = value;
  return b;
}
Bytes with32(Bytes b, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) b[at + i] = (value >> (8 * i)) & 255;
  return b;
}
Bytes cut(Bytes b, std::size_t drop) {
  b.resize(b.size() - drop);
  return b;
}

TEST(BmpReader, RefusesWhatItCannotReadSafely) {
  const BmpLayout rgb{40, 2, 2, 24, 0, 0, {}, {}, Bytes(16, 7)};
  const Bytes good = buildBmp(rgb);
  const BmpLayout palette{40, 2, 1, 8, 0, 4, {}, kFourColors, {1, 2, 0, 0}};
  const BmpLayout rle{40, 4, 2, 8, 1, 4, {}, kFourColors, {4, 1, 0, 0, 4, 2, 0, 1}};
  BmpLayout os2 = rgb;
  os2.headerSize = 12;
  BmpLayout topDownRle = rle;
  topDownRle.height = -2;
  BmpLayout hugeTable = palette;
  hugeTable.colorsUsed = 200;  // the table would run past the end of the file
  hugeTable.pixels = {};

  const std::vector<RejectCase> cases = {
      {"OS/2 core header", buildBmp(os2)},
      {"width 0", with32(good, 18, 0)},
      {"negative width", with32(good, 18, 0xFFFFFFFE)},
      {"height 0", with32(good, 22, 0)},
      {"height beyond the largest side", with32(good, 22, 40000)},
      {"48 bits per pixel", withByte(good, 28, 48)},
      {"0 bits per pixel", withByte(good, 28, 0)},
      {"embedded JPEG", with32(good, 30, 4)},
      {"bit masks on 24 bits", with32(good, 30, 3)},
      {"truncated pixel data", cut(good, 3)},
      {"pixel data offset past the end", with32(good, 10, 0x7FFFFFF0)},
      {"info header size past the end", with32(good, 14, 0xFFFFFFF0)},
      {"color table past the end", buildBmp(hugeTable)},
      {"RLE8 without its end", cut(buildBmp(rle), 2)},
      {"RLE stored top row first", buildBmp(topDownRle)},
      {"only the signature", {'B', 'M'}},
      {"file header only", cut(good, good.size() - 14)},
  };
  for (const RejectCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(readBmp(c.file.data(), c.file.size()));
  }
  EXPECT_TRUE(readBmp(good.data(), good.size())) << "the base of the cases must load";
  const Bytes rleFile = buildBmp(rle);
  EXPECT_TRUE(readBmp(rleFile.data(), rleFile.size()));
}

// Run lengths, deltas and literals that reach past the picture's edges are
// clipped, never written outside the raster (ASan watches this test).
TEST(BmpReader, ClipsRunLengthDataThatOverrunsThePicture) {
  const BmpLayout rle{40, 3, 2, 8, 1, 4, {}, kFourColors,
                      {255, 1,            // a run far past the row end
                       0, 2, 250, 0,      // delta far right
                       0, 5, 1, 2, 3, 1, 2, 0,  // literal past the edge
                       0, 2, 0, 200,      // delta far up: past the top ends the picture
                       2, 2}};
  const Bytes file = buildBmp(rle);
  std::unique_ptr<ImageBuffer> image = readBmp(file.data(), file.size());
  ASSERT_TRUE(image);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(image->row(1)[x * 3], 255) << "bottom row is red";
}

}  // namespace
}  // namespace zelvane
