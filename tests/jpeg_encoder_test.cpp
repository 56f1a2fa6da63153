#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <string>

#include "bmp_fixtures.h"
#include "image/codecs.h"
#include "jpeg_fixtures.h"
#include "platform/image_facility.h"
#include "test_files.h"

namespace zelvane {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr int kImage = 0;

class JpegSaving : public ::testing::Test {
 protected:
  void SetUp() override {
    enableJpegDecoder();
    enableJpegEncoder();
  }
  void TearDown() override { releaseAllImages(); }

  // A picture under kImage of one color, or of noise when `noise` is set.
  ImageBuffer* makePicture(int width, int height, int depth, std::uint8_t r, std::uint8_t g,
                           std::uint8_t b, bool noise = false) {
    ImageBuffer* image = createImage(kImage, width, height, depth);
    std::uint32_t seed = 99;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        std::uint8_t* p = image->row(y) + x * image->bytesPerPixel;
        if (noise) {
          for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>((seed = seed * 69069u + 1u) >> 24);
        } else {
          p[0] = r, p[1] = g, p[2] = b;
        }
        if (depth == 32) p[3] = 255;
      }
    return image;
  }

  ScratchFolder folder;
};

struct Segment {
  std::uint8_t marker;
  Bytes body;  // without marker and length
};

// The segments up to and including SOS, then the entropy-coded data, then
// what follows it.
struct ParsedJpeg {
  std::vector<Segment> segments;
  Bytes scan;
  Bytes tail;
};

ParsedJpeg parseJpeg(const Bytes& file) {
  ParsedJpeg parsed;
  if (file.size() < 4 || file[0] != 0xFF || file[1] != 0xD8) return parsed;
  parsed.segments.push_back({0xD8, {}});
  std::size_t i = 2;
  while (i + 4 <= file.size() && file[i] == 0xFF) {
    const std::uint8_t marker = file[i + 1];
    const std::size_t length = file[i + 2] << 8 | file[i + 3];
    if (length < 2 || i + 2 + length > file.size()) break;
    parsed.segments.push_back({marker, Bytes(file.begin() + i + 4, file.begin() + i + 2 + length)});
    i += 2 + length;
    if (marker == 0xDA) break;
  }
  // The scan ends at the first marker that is neither a stuffed 0 nor a restart.
  std::size_t end = i;
  while (end + 1 < file.size() && !(file[end] == 0xFF && file[end + 1] != 0 &&
                                    !(file[end + 1] >= 0xD0 && file[end + 1] <= 0xD7)))
    ++end;
  parsed.scan.assign(file.begin() + i, file.begin() + end);
  parsed.tail.assign(file.begin() + end, file.end());
  return parsed;
}

// ITU-T T.81 Annex K tables K.1 and K.2, in natural order.
constexpr int kLuminance[64] = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr int kChrominance[64] = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};
// Natural position of each zigzag entry.
constexpr int kZigzag[64] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

void expectQuantTable(const Segment& dqt, int id, const int (&annex)[64]) {
  ASSERT_EQ(dqt.body.size(), 65u);
  EXPECT_EQ(dqt.body[0], id) << "8-bit entries, table " << id;
  for (int z = 0; z < 64; ++z) {
    const int scaled = std::clamp((annex[kZigzag[z]] * 40 + 50) / 100, 1, 255);
    EXPECT_EQ(dqt.body[1 + z], scaled) << "table " << id << " zigzag " << z;
  }
}

TEST_F(JpegSaving, WritesTheBaselineJfifLayoutSegmentBySegment) {
  makePicture(40, 24, 24, 0, 0, 0, true);
  const std::string path = folder.file("out.jpg");
  ASSERT_TRUE(saveImageFile(kImage, path, JpegCodecId, 8, -1));
  const ParsedJpeg jpeg = parseJpeg(readFile(path));

  const std::uint8_t order[] = {0xD8, 0xE0, 0xDB, 0xDB, 0xC0, 0xC4, 0xC4, 0xC4, 0xC4, 0xDA};
  ASSERT_EQ(jpeg.segments.size(), std::size(order));
  for (std::size_t i = 0; i < std::size(order); ++i) ASSERT_EQ(jpeg.segments[i].marker, order[i]) << i;

  const Bytes jfif = {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
  EXPECT_EQ(jpeg.segments[1].body, jfif) << "JFIF 1.01, units 0, density 1 x 1, no thumbnail";
  expectQuantTable(jpeg.segments[2], 0, kLuminance);
  expectQuantTable(jpeg.segments[3], 1, kChrominance);
  const int firstRow[8] = {6, 4, 4, 6, 10, 16, 20, 24};
  for (int k = 0; k < 8; ++k) {
    int z = 0;
    while (kZigzag[z] != k) ++z;
    EXPECT_EQ(jpeg.segments[2].body[1 + z], firstRow[k]);
  }

  const Bytes frame = {8, 0, 24, 0, 40, 3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1};
  EXPECT_EQ(jpeg.segments[4].body, frame);

  const struct {
    std::uint8_t classAndId;
    std::size_t length;
    std::uint8_t counts[16];
  } huffman[] = {
      {0x00, 29, {0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0}},
      {0x10, 179, {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D}},
      {0x01, 29, {0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0}},
      {0x11, 179, {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77}},
  };
  for (int t = 0; t < 4; ++t) {
    SCOPED_TRACE(t);
    const Bytes& body = jpeg.segments[5 + t].body;
    ASSERT_EQ(body.size(), huffman[t].length);
    EXPECT_EQ(body[0], huffman[t].classAndId);
    EXPECT_TRUE(std::equal(body.begin() + 1, body.begin() + 17, huffman[t].counts));
  }

  const Bytes scanHeader = {3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0};
  EXPECT_EQ(jpeg.segments[9].body, scanHeader);
  ASSERT_FALSE(jpeg.scan.empty());
  for (std::size_t i = 0; i + 1 < jpeg.scan.size(); ++i)
    ASSERT_FALSE(jpeg.scan[i] == 0xFF && jpeg.scan[i + 1] >= 0xD0 && jpeg.scan[i + 1] <= 0xD7)
        << "no restart markers";
  EXPECT_EQ(jpeg.tail, (Bytes{0xFF, 0xD9}));
}

TEST_F(JpegSaving, SmallAndOddSizesSaveAndReadBackAtTheirSize) {
  const struct {
    int width, height;
  } sizes[] = {{1, 1}, {3, 5}, {17, 9}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
    makePicture(size.width, size.height, 24, 200, 100, 50);
    const std::string path = folder.file("small.jpg");
    ASSERT_TRUE(saveImageFile(kImage, path, JpegCodecId, 8, -1));
    const ImageBuffer* back = loadImageFile(1, path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->width, size.width);
    EXPECT_EQ(back->height, size.height);
    const std::uint8_t* p = back->row(size.height - 1) + (size.width - 1) * 3;
    EXPECT_NEAR(p[0], 200, 4);
    EXPECT_NEAR(p[1], 100, 4);
    EXPECT_NEAR(p[2], 50, 4);
  }
  struct stat info {};
  ASSERT_EQ(::stat(folder.file("small.jpg").c_str(), &info), 0);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask) << "an ordinary file, readable as usual";
}

TEST_F(JpegSaving, QualityLevelIsLimitedToZeroToTen) {
  makePicture(16, 16, 24, 0, 0, 0, true);
  auto saved = [&](int level) {
    const std::string path = folder.file("level" + std::to_string(level) + ".jpg");
    EXPECT_TRUE(saveImageFile(kImage, path, JpegCodecId, level, -1));
    return readFile(path);
  };
  EXPECT_EQ(saved(12), saved(10));
  EXPECT_EQ(saved(-4), saved(0));
  EXPECT_NE(saved(8), saved(10));
  EXPECT_NE(saved(1), saved(0));
}

TEST_F(JpegSaving, ThirtyTwoBitPictureSavesFlattenedOverWhite) {
  ImageBuffer* image = makePicture(16, 16, 32, 0, 0, 200);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 8; ++x) image->row(y)[x * 4 + 3] = 0;  // left half transparent
  const std::string path = folder.file("alpha.jpg");
  ASSERT_TRUE(saveImageFile(kImage, path, JpegCodecId, 8, -1));
  const ImageBuffer* back = loadImageFile(1, path);
  ASSERT_TRUE(back);
  ASSERT_EQ(back->depth(), 24);
  const std::uint8_t* left = back->row(8) + 2 * 3;
  const std::uint8_t* right = back->row(8) + 13 * 3;
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(left[c], 255, 4) << "white where alpha is 0";
  EXPECT_NEAR(right[0], 0, 4);
  EXPECT_NEAR(right[2], 200, 4);
}

// From a BMP file to a JPEG file: the picture keeps its way up and its alpha
// decides how much white shows through.
TEST_F(JpegSaving, BmpFilesSaveUprightAndOverWhite) {
  const struct {
    const char* name;
    int bits, heightSign;
    std::uint8_t topAlpha;
    int topRed, topGreen, topBlue;
  } cases[] = {
      {"24-bit stored bottom row first", 24, 1, 0, 255, 0, 0},
      {"24-bit stored top row first", 24, -1, 0, 255, 0, 0},
      {"32-bit with transparent top half", 32, 1, 0, 255, 255, 255},
      {"32-bit top first, half transparent top", 32, -1, 128, 255, 127, 127},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // 16 x 16: top half red, bottom half blue, in file row order.
    const int bytes = c.bits / 8;
    Bytes pixels;
    for (int fileRow = 0; fileRow < 16; ++fileRow) {
      const int y = c.heightSign < 0 ? fileRow : 15 - fileRow;
      for (int x = 0; x < 16; ++x) {
        const bool top = y < 8;
        pixels.insert(pixels.end(), {std::uint8_t(top ? 0 : 255), 0, std::uint8_t(top ? 255 : 0)});
        if (bytes == 4) pixels.push_back(top ? c.topAlpha : 255);
      }
    }
    BmpLayout layout;
    layout.width = 16;
    layout.height = 16 * c.heightSign;
    layout.bits = static_cast<std::uint16_t>(c.bits);
    layout.pixels = pixels;
    writeFile(folder.file("in.bmp"), buildBmp(layout));
    ASSERT_TRUE(loadImageFile(kImage, folder.file("in.bmp")));
    ASSERT_TRUE(saveImageFile(kImage, folder.file("out.jpg"), JpegCodecId, 8, -1));
    const ImageBuffer* back = loadImageFile(1, folder.file("out.jpg"));
    ASSERT_TRUE(back);
    const std::uint8_t* top = back->row(3) + 8 * 3;
    const std::uint8_t* bottom = back->row(12) + 8 * 3;
    EXPECT_NEAR(top[0], c.topRed, 5);
    EXPECT_NEAR(top[1], c.topGreen, 5);
    EXPECT_NEAR(top[2], c.topBlue, 5);
    EXPECT_NEAR(bottom[0], 0, 5);
    EXPECT_NEAR(bottom[2], 255, 5);
  }
}

TEST_F(JpegSaving, SavingIntoAMissingFolderFailsAndCreatesNothing) {
  makePicture(8, 8, 24, 1, 2, 3);
  EXPECT_FALSE(saveImageFile(kImage, folder.file("no-such-folder/out.jpg"), JpegCodecId, 8, -1));
  EXPECT_TRUE(folder.names().empty());
}

// The file-size limit makes the kernel refuse writes past a few kilobytes, as
// a full disk would.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

TEST_F(JpegSaving, WriteThatFailsPartWayLeavesNoFileAndTheOldOneIntact) {
  makePicture(256, 256, 24, 0, 0, 0, true);  // compresses to far more than the limit
  const std::string existing = folder.file("existing.jpg");
  const Bytes old = {'o', 'l', 'd'};
  writeFile(existing, old);
  {
    FileSizeLimit limit(8192);
    EXPECT_FALSE(saveImageFile(kImage, existing, JpegCodecId, 8, -1));
    EXPECT_FALSE(saveImageFile(kImage, folder.file("new.jpg"), JpegCodecId, 8, -1));
  }
  EXPECT_EQ(readFile(existing), old);
  EXPECT_EQ(folder.names(), std::vector<std::string>{"existing.jpg"}) << "no new or temporary file";
  // Without the limit the same save succeeds: the failure came from the write.
  EXPECT_TRUE(saveImageFile(kImage, folder.file("new.jpg"), JpegCodecId, 8, -1));
  EXPECT_GT(readFile(folder.file("new.jpg")).size(), 8192u);
}

}  // namespace
}  // namespace zelvane
