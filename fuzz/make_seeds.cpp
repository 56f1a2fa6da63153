// Writes small seed files for the fuzzers: BMP files of every layout the
// reader takes, and JPEG files of every kind libjpeg writes.
// Usage: make_seeds <folder>   (creates <folder>/bmp and <folder>/jpeg)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, std::uint32_t v) {
  b.push_back(v & 255);
  b.push_back((v >> 8) & 255);
}
void put32(Bytes& b, std::uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}

Bytes pattern(std::size_t size, unsigned seed) {
  Bytes b(size);
  for (auto& x : b) x = static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 23);
  return b;
}

Bytes bmp(std::uint32_t headerSize, int width, int height, int bits, std::uint32_t compression,
          std::uint32_t colors, const std::vector<std::uint32_t>& masks, Bytes pixels) {
  Bytes info;
  put32(info, headerSize);
  put32(info, static_cast<std::uint32_t>(width));
  put32(info, static_cast<std::uint32_t>(height));
  put16(info, 1);
  put16(info, static_cast<std::uint32_t>(bits));
  put32(info, compression);
  put32(info, static_cast<std::uint32_t>(pixels.size()));
  put32(info, 2835);
  put32(info, 2835);
  put32(info, colors);
  put32(info, 0);
  for (std::uint32_t m : masks) put32(info, m);
  if (info.size() < headerSize) info.resize(headerSize, 0);
  const std::size_t tableEntries = bits <= 8 ? (colors ? colors : 1u << bits) : 0;
  const Bytes table = pattern(tableEntries * 4, 5);
  Bytes file = {'B', 'M'};
  const auto offset = static_cast<std::uint32_t>(14 + info.size() + table.size());
  put32(file, offset + static_cast<std::uint32_t>(pixels.size()));
  put32(file, 0);
  put32(file, offset);
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), table.begin(), table.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

std::size_t stride(int width, int bits) { return (static_cast<std::size_t>(width) * bits + 31) / 32 * 4; }

struct JpegKind {
  const char* name;
  int components;
  J_COLOR_SPACE input, stored;
  bool progressive, arithmetic;
  unsigned restart;
};

Bytes jpeg(const JpegKind& kind, int width, int height) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = kind.components;
  info.in_color_space = kind.input;
  jpeg_set_defaults(&info);
  jpeg_set_colorspace(&info, kind.stored);
  jpeg_set_quality(&info, 75, TRUE);
  if (kind.progressive) jpeg_simple_progression(&info);
  info.arith_code = kind.arithmetic;
  info.restart_interval = kind.restart;
  jpeg_start_compress(&info, TRUE);
  const Bytes samples = pattern(static_cast<std::size_t>(width) * height * kind.components, 9);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPLE*>(samples.data() + info.next_scanline * width * kind.components);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes file(buffer, buffer + size);
  std::free(buffer);
  return file;
}

void save(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_seeds <folder>\n");
    return 2;
  }
  const std::filesystem::path root = argv[1];
  std::filesystem::create_directories(root / "bmp");
  std::filesystem::create_directories(root / "jpeg");

  const Bytes rle8 = {3, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 1, 2, 3, 0, 0, 4, 2, 0, 1};
  const Bytes rle4 = {5, 0x12, 0, 0, 0, 3, 0x31, 0x20, 0, 2, 1, 0, 3, 0x45, 0, 1};
  const struct {
    const char* name;
    Bytes file;
  } bmps[] = {
      {"rgb24", bmp(40, 5, 3, 24, 0, 0, {}, pattern(stride(5, 24) * 3, 1))},
      {"rgb24-top-down", bmp(40, 5, -3, 24, 0, 0, {}, pattern(stride(5, 24) * 3, 2))},
      {"rgb24-v5", bmp(124, 3, 2, 24, 0, 0, {}, pattern(stride(3, 24) * 2, 3))},
      {"pal8", bmp(40, 7, 3, 8, 0, 16, {}, pattern(stride(7, 8) * 3, 4))},
      {"pal4", bmp(40, 7, 3, 4, 0, 0, {}, pattern(stride(7, 4) * 3, 5))},
      {"pal1", bmp(40, 13, 2, 1, 0, 2, {}, pattern(stride(13, 1) * 2, 6))},
      {"rle8", bmp(40, 4, 3, 8, 1, 4, {}, rle8)},
      {"rle4", bmp(40, 5, 3, 4, 2, 16, {}, rle4)},
      {"rgb555", bmp(40, 3, 2, 16, 0, 0, {}, pattern(stride(3, 16) * 2, 7))},
      {"bitfields565", bmp(40, 3, 2, 16, 3, 0, {0xF800, 0x07E0, 0x001F}, pattern(stride(3, 16) * 2, 8))},
      {"rgba32", bmp(40, 3, 2, 32, 0, 0, {}, pattern(3 * 2 * 4, 9))},
      {"rgbx32", bmp(40, 2, 2, 32, 0, 0, {}, Bytes(16, 0))},
      {"bitfields32", bmp(40, 2, 2, 32, 3, 0, {0xFF0000, 0xFF00, 0xFF}, pattern(16, 10))},
      {"bitfields32-v4", bmp(108, 2, 2, 32, 3, 0, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, pattern(16, 11))},
      {"bitfields32-v3", bmp(56, 2, 2, 32, 3, 0, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, pattern(16, 12))},
  };
  for (const auto& b : bmps) save(root / "bmp" / (std::string(b.name) + ".bmp"), b.file);

  const JpegKind kinds[] = {
      {"baseline", 3, JCS_RGB, JCS_YCbCr, false, false, 0},
      {"progressive", 3, JCS_RGB, JCS_YCbCr, true, false, 0},
      {"arithmetic", 3, JCS_RGB, JCS_YCbCr, false, true, 0},
      {"progressive-arithmetic", 3, JCS_RGB, JCS_YCbCr, true, true, 0},
      {"restart", 3, JCS_RGB, JCS_YCbCr, false, false, 1},
      {"rgb", 3, JCS_RGB, JCS_RGB, false, false, 0},
      {"gray", 1, JCS_GRAYSCALE, JCS_GRAYSCALE, false, false, 0},
      {"gray-progressive", 1, JCS_GRAYSCALE, JCS_GRAYSCALE, true, false, 0},
      {"cmyk", 4, JCS_CMYK, JCS_CMYK, false, false, 0},
      {"ycck", 4, JCS_CMYK, JCS_YCCK, false, false, 0},
      {"two-components", 2, JCS_UNKNOWN, JCS_UNKNOWN, false, false, 0},
  };
  for (const JpegKind& kind : kinds) save(root / "jpeg" / (std::string(kind.name) + ".jpg"), jpeg(kind, 19, 13));
  return 0;
}
