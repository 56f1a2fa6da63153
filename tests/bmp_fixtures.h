#pragma once
// BMP files built field by field for the tests.
#include <cstdint>
#include <vector>

namespace zelvane {

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& b, std::uint32_t v) {
  b.push_back(v & 255);
  b.push_back((v >> 8) & 255);
}
inline void put32(Bytes& b, std::uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}

// A BMP file laid out the usual way: file header, info header (masks inside it
// when it is longer than 40 bytes, after it when it is 40 bytes long), color
// table, pixel data.
struct BmpLayout {
  std::uint32_t headerSize = 40;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  std::vector<std::uint32_t> masks;  // written only when not empty
  Bytes colorTable;                  // blue, green, red, 0 per entry
  Bytes pixels;
};

inline Bytes buildBmp(const BmpLayout& f) {
  Bytes info;
  put32(info, f.headerSize);
  put32(info, static_cast<std::uint32_t>(f.width));
  put32(info, static_cast<std::uint32_t>(f.height));
  put16(info, 1);
  put16(info, f.bits);
  put32(info, f.compression);
  put32(info, static_cast<std::uint32_t>(f.pixels.size()));
  put32(info, 2835);
  put32(info, 2835);
  put32(info, f.colorsUsed);
  put32(info, 0);
  for (std::uint32_t m : f.masks) put32(info, m);
  if (f.headerSize > 12 && info.size() < f.headerSize) info.resize(f.headerSize, 0);
  if (f.headerSize == 12) info.resize(12);

  Bytes file = {'B', 'M'};
  const std::uint32_t offset =
      static_cast<std::uint32_t>(14 + info.size() + f.colorTable.size());
  put32(file, offset + static_cast<std::uint32_t>(f.pixels.size()));
  put32(file, 0);
  put32(file, offset);
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), f.colorTable.begin(), f.colorTable.end());
  file.insert(file.end(), f.pixels.begin(), f.pixels.end());
  return file;
}

}  // namespace zelvane
