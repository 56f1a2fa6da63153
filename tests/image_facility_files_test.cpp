#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "image/codecs.h"
#include "jpeg_fixtures.h"
#include "platform/image_facility.h"
#include "test_files.h"

namespace zelvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

class ImageFiles : public ::testing::Test {
 protected:
  void SetUp() override { enableJpegDecoder(); }
  void TearDown() override { releaseAllImages(); }

  // A picture whose every byte differs from its neighbours.
  ImageBuffer* makeVaried(int number, int width, int height, int depth) {
    ImageBuffer* image = createImage(number, width, height, depth);
    for (std::size_t i = 0; i < image->byteCount(); ++i)
      image->pixels[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return image;
  }
  // A picture of flat blocks: block (bx, by) has red bx * 100, green by * 100.
  ImageBuffer* makeBlocks(int number, int blocks, int side, int depth) {
    ImageBuffer* image = createImage(number, blocks * side, blocks * side, depth);
    for (int y = 0; y < image->height; ++y)
      for (int x = 0; x < image->width; ++x) {
        std::uint8_t* p = image->row(y) + x * image->bytesPerPixel;
        p[0] = static_cast<std::uint8_t>(x / side * 100);
        p[1] = static_cast<std::uint8_t>(y / side * 100);
        p[2] = 50;
        if (depth == 32) p[3] = 255;
      }
    return image;
  }

  ScratchFolder folder;
};

TEST_F(ImageFiles, DuplicateCopiesSizeFormAndEveryByte) {
  for (int depth : {24, 32}) {
    SCOPED_TRACE(depth);
    const ImageBuffer* source = makeVaried(0, 5, 3, depth);
    makeVaried(1, 9, 9, 24);
    duplicateImage(0, 1);
    const ImageBuffer* copy = imageAt(1);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->width, 5);
    EXPECT_EQ(copy->height, 3);
    EXPECT_EQ(copy->depth(), depth);
    EXPECT_EQ(0, std::memcmp(copy->pixels.get(), source->pixels.get(), source->byteCount()));
  }
}

// A copy may share its raster until one side is drawn on; whichever side is
// drawn on, and whatever happens to the source, the other keeps its pixels.
TEST_F(ImageFiles, CopyAndSourceStayApartWhicheverIsChanged) {
  const PackedColor mark = makeColor(1, 2, 3);
  const struct {
    const char* name;
    void (*change)();  // after duplicateImage(0, 1)
    int unchanged;     // the number that must keep the original pixels
  } cases[] = {
      {"draw on the copy", [] { beginDrawing(1); writePixel(0, 0, makeColor(1, 2, 3)); endDrawing(); }, 0},
      {"draw on the source", [] { beginDrawing(0); writePixel(4, 2, makeColor(1, 2, 3)); endDrawing(); }, 1},
      {"release the source", [] { releaseImage(0); }, 1},
      {"resample the copy", [] { resampleImage(1, 2, 2); }, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    makeVaried(0, 5, 3, 24);
    duplicateImage(0, 1);
    const Bytes original(imageAt(0)->pixels.get(), imageAt(0)->pixels.get() + imageAt(0)->byteCount());
    c.change();
    const ImageBuffer* kept = imageAt(c.unchanged);
    ASSERT_TRUE(kept);
    ASSERT_EQ(kept->byteCount(), original.size());
    EXPECT_EQ(0, std::memcmp(kept->pixels.get(), original.data(), original.size()));
  }
  // Drawn on, the copy holds the change.
  makeVaried(0, 5, 3, 24);
  duplicateImage(0, 1);
  beginDrawing(1);
  writePixel(0, 0, mark);
  endDrawing();
  beginDrawing(1);
  EXPECT_EQ(readPixel(0, 0), mark);
  endDrawing();
  // A copy made while the source is open for drawing does not follow the
  // drawing that goes on.
  makeVaried(0, 5, 3, 24);
  beginDrawing(0);
  duplicateImage(0, 1);
  const PackedColor before = makeColor(imageAt(1)->row(0)[0], imageAt(1)->row(0)[1], imageAt(1)->row(0)[2]);
  writePixel(0, 0, mark);
  endDrawing();
  const std::uint8_t* copied = imageAt(1)->row(0);
  EXPECT_EQ(makeColor(copied[0], copied[1], copied[2]), before);
}

TEST_F(ImageFiles, DuplicateFromNothingLeavesTheTargetAlone) {
  const ImageBuffer* target = makeVaried(1, 4, 4, 24);
  duplicateImage(0, 1);
  EXPECT_EQ(imageAt(1), target);
  duplicateImage(0, kImageSlotCount);  // numbers that name nothing do nothing
  duplicateImage(kImageSlotCount, 1);
  EXPECT_EQ(imageAt(1), target);
}

TEST_F(ImageFiles, ResampleAveragesWhatEachPixelCovers) {
  for (int depth : {24, 32}) {
    SCOPED_TRACE(depth);
    makeBlocks(1, 3, 4, depth);  // 12 x 12 of 3 x 3 flat blocks
    resampleImage(1, 3, 3);
    const ImageBuffer* small = imageAt(1);
    ASSERT_TRUE(small);
    ASSERT_EQ(small->width, 3);
    ASSERT_EQ(small->height, 3);
    ASSERT_EQ(small->depth(), depth);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x) {
        const std::uint8_t* p = small->row(y) + x * small->bytesPerPixel;
        EXPECT_NEAR(p[0], x * 100, 1);
        EXPECT_NEAR(p[1], y * 100, 1);
        EXPECT_NEAR(p[2], 50, 1);
      }
  }
  // A fine checkerboard of black and white becomes mid gray, not a copy of
  // one of its pixels.
  ImageBuffer* board = createImage(1, 8, 8, 24);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) std::memset(board->row(y) + x * 3, (x + y) % 2 ? 255 : 0, 3);
  resampleImage(1, 2, 2);
  ASSERT_TRUE(hasImage(1));
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(imageAt(1)->row(1)[3 + c], 128, 2);
}

TEST_F(ImageFiles, ResampleGivesExactlyTheAskedSize) {
  const struct {
    int fromW, fromH, toW, toH;
  } cases[] = {{640, 480, 380, 285}, {7, 5, 1, 1}, {3, 2, 380, 253}, {1, 1, 5, 7}, {100, 10, 33, 10}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.fromW) + "x" + std::to_string(c.fromH) + " to " +
                 std::to_string(c.toW) + "x" + std::to_string(c.toH));
    makeVaried(1, c.fromW, c.fromH, 24);
    resampleImage(1, c.toW, c.toH);
    EXPECT_EQ(imageWidth(1), c.toW);
    EXPECT_EQ(imageHeight(1), c.toH);
  }
}

TEST_F(ImageFiles, ResampleToTheSameSizeOrOfNothingChangesNothing) {
  const ImageBuffer* image = makeVaried(1, 6, 4, 24);
  const Bytes before(image->pixels.get(), image->pixels.get() + image->byteCount());
  resampleImage(1, 6, 4);
  ASSERT_EQ(imageAt(1), image);
  EXPECT_EQ(0, std::memcmp(image->pixels.get(), before.data(), before.size()));
  resampleImage(2, 3, 3);
  EXPECT_FALSE(hasImage(2));
}

TEST_F(ImageFiles, ResampleThatCannotBeHeldLeavesNoPicture) {
  makeVaried(1, 4, 4, 24);
  resampleImage(1, kMaxImageSide + 1, 2);
  EXPECT_FALSE(hasImage(1));
  makeVaried(1, 4, 4, 24);
  resampleImage(1, 0, 2);
  EXPECT_FALSE(hasImage(1));
}

// A 2 x 1 BMP: red, blue.
const Bytes kTinyBmp = {'B', 'M', 64, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                        2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 8, 0, 0, 0,
                        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                        0, 0, 255, 255, 0, 0, 0, 0};

TEST_F(ImageFiles, ContentDecidesTheFormatNotTheName) {
  JpegRecipe recipe;
  recipe.width = 24;
  recipe.height = 8;
  const Bytes jpeg = makeJpeg(recipe, Bytes(24 * 8 * 3, 120));
  writeFile(folder.file("really-a-bmp.jpg"), kTinyBmp);
  writeFile(folder.file("really-a-jpeg.bmp"), jpeg);

  const ImageBuffer* bmp = loadImageFile(0, folder.file("really-a-bmp.jpg"));
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->width, 2);
  EXPECT_EQ(bmp->row(0)[0], 255);
  EXPECT_EQ(bmp->row(0)[5], 255);
  const ImageBuffer* fromJpeg = loadImageFile(0, folder.file("really-a-jpeg.bmp"));
  ASSERT_TRUE(fromJpeg);
  EXPECT_EQ(fromJpeg->width, 24);
  EXPECT_EQ(fromJpeg->height, 8);
}

TEST_F(ImageFiles, FileThatCannotBeReadKeepsThePreviousPicture) {
  writeFile(folder.file("picture.bmp"), kTinyBmp);
  const std::string unreadable[] = {folder.file("missing.bmp"), folder.path(), ""};
  for (const std::string& path : unreadable) {
    SCOPED_TRACE(path);
    const ImageBuffer* previous = loadImageFile(0, folder.file("picture.bmp"));
    ASSERT_TRUE(previous);
    EXPECT_FALSE(loadImageFile(0, path));
    EXPECT_EQ(imageAt(0), previous);
  }
}

TEST_F(ImageFiles, FileReadButNotRecognizedLeavesNoPicture) {
  const struct {
    const char* name;
    Bytes bytes;
  } cases[] = {
      {"empty", {}},
      {"one byte", {'B'}},
      {"PNG", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13}},
      {"GIF", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}},
      {"icon directory", {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    writeFile(folder.file("picture.bmp"), kTinyBmp);
    ASSERT_TRUE(loadImageFile(0, folder.file("picture.bmp")));
    writeFile(folder.file("other"), c.bytes);
    EXPECT_FALSE(loadImageFile(0, folder.file("other")));
    EXPECT_FALSE(hasImage(0));
  }
}

// A decoder that takes data beginning with "TEST", reports the size in the
// next two bytes, and fails to decode when the sixth byte is 1.
int releases = 0;
void* checkTest(const std::uint8_t* bytes, std::size_t size, DecodedSize& decoded) {
  if (size < 6 || std::memcmp(bytes, "TEST", 4) != 0) return nullptr;
  decoded.width = bytes[4];
  decoded.height = bytes[4];
  decoded.depth = 24;
  return const_cast<std::uint8_t*>(bytes);
}
bool decodeTest(void* handle, ImageBuffer& raster) {
  std::memset(raster.pixels.get(), 77, raster.byteCount());
  return static_cast<std::uint8_t*>(handle)[5] != 1;
}
void releaseTest(void*) { ++releases; }
constexpr std::uint32_t kTestCodec = 0x54534554;

TEST_F(ImageFiles, RegisteredDecoderIsReleasedWhateverDecodeGives) {
  registerImageDecoder({kTestCodec, checkTest, decodeTest, releaseTest});
  const struct {
    const char* name;
    Bytes data;
    bool loads;
  } cases[] = {
      {"decodes", {'T', 'E', 'S', 'T', 3, 0}, true},
      {"decode fails", {'T', 'E', 'S', 'T', 3, 1}, false},
      {"raster cannot be made", {'T', 'E', 'S', 'T', 0, 0}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    releases = 0;
    makeVaried(0, 2, 2, 24);
    const ImageBuffer* image = loadImageData(0, c.data.data(), c.data.size());
    EXPECT_EQ(image != nullptr, c.loads);
    EXPECT_EQ(hasImage(0), c.loads);
    EXPECT_EQ(releases, 1);
    if (image) {
      EXPECT_EQ(image->row(2)[8], 77);
    }
  }
}

// An encoder that records what it was given.
struct Received {
  int calls24 = 0, calls32 = 0;
  Bytes pixels;
  int depth = 0;
} received;
bool record(const ImageBuffer& picture, int depth) {
  received.pixels.assign(picture.pixels.get(), picture.pixels.get() + picture.byteCount());
  received.depth = depth;
  return true;
}
bool encode24(const std::string&, const ImageBuffer& p, int) { return ++received.calls24, record(p, p.depth()); }
bool encode32(const std::string&, const ImageBuffer& p, int) { return ++received.calls32, record(p, p.depth()); }
constexpr std::uint32_t kWithAlpha = 0x31544C41, kWithoutAlpha = 0x32544C41;

TEST_F(ImageFiles, SaveHandsEachRasterFormToTheRightOperation) {
  registerImageEncoder({kWithAlpha, encode24, encode32});
  registerImageEncoder({kWithoutAlpha, encode24, nullptr});
  ImageBuffer* picture = createImage(0, 2, 1, 32);
  const std::uint8_t rgba[8] = {100, 0, 255, 128, 10, 20, 30, 0};
  std::memcpy(picture->pixels.get(), rgba, 8);
  const Bytes flat = {177, 127, 255, 255, 255, 255};  // over white
  const Bytes asIs(rgba, rgba + 8);

  const struct {
    const char* name;
    std::uint32_t codec;
    int depth;
    int calls24, calls32;
    Bytes expected;
  } cases[] = {
      {"own depth to a 32-bit encoder", kWithAlpha, -1, 0, 1, asIs},
      {"32 asked of a 32-bit encoder", kWithAlpha, 32, 0, 1, asIs},
      {"24 asked of a 32-bit encoder", kWithAlpha, 24, 1, 0, flat},
      {"encoder without a 32-bit operation", kWithoutAlpha, -1, 1, 0, flat},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    received = {};
    EXPECT_TRUE(saveImageFile(0, folder.file("x"), c.codec, 8, c.depth));
    EXPECT_EQ(received.calls24, c.calls24);
    EXPECT_EQ(received.calls32, c.calls32);
    EXPECT_EQ(received.pixels, c.expected);
  }

  received = {};
  EXPECT_FALSE(saveImageFile(0, "", kWithAlpha, 8, -1));
  EXPECT_FALSE(saveImageFile(0, folder.file("x"), 0x12345678, 8, -1));
  EXPECT_FALSE(saveImageFile(3, folder.file("x"), kWithAlpha, 8, -1));
  EXPECT_EQ(received.calls24 + received.calls32, 0);
  EXPECT_TRUE(folder.names().empty());
}

TEST_F(ImageFiles, FlattenOverWhiteFollowsItsFormula) {
  const struct {
    int color, alpha, expected;
  } cases[] = {{0, 255, 0}, {0, 0, 255}, {100, 128, 177}, {200, 1, 254}, {255, 77, 255}, {37, 255, 37}};
  ImageBuffer* picture = createImage(0, static_cast<int>(std::size(cases)), 1, 32);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    std::uint8_t* p = picture->row(0) + i * 4;
    p[0] = p[1] = p[2] = static_cast<std::uint8_t>(cases[i].color);
    p[3] = static_cast<std::uint8_t>(cases[i].alpha);
  }
  std::unique_ptr<ImageBuffer> flat = flattenOverWhite(*picture);
  ASSERT_TRUE(flat);
  ASSERT_EQ(flat->depth(), 24);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    for (int c = 0; c < 3; ++c) EXPECT_EQ(flat->row(0)[i * 3 + c], cases[i].expected);
  }
}

}  // namespace
}  // namespace zelvane
