#pragma once
// A 24-bit bottom-up BMP file of a packed RGB raster, for the load benchmarks.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelvane::bench {

inline std::vector<std::uint8_t> bmpFileOf(const std::uint8_t* raster, int width, int height) {
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> file(54 + stride * static_cast<std::size_t>(height), 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<std::uint32_t>(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  file[26] = 1;
  file[28] = 24;
  for (int y = 0; y < height; ++y) {  // bottom row first, blue, green, red
    std::uint8_t* out = &file[54 + stride * static_cast<std::size_t>(height - 1 - y)];
    const std::uint8_t* in = raster + static_cast<std::size_t>(width) * 3 * static_cast<std::size_t>(y);
    for (int x = 0; x < width; ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
  return file;
}

}  // namespace zelvane::bench
