#pragma once
// A picture's raster: rows of R,G,B (24-bit) or R,G,B,A (32-bit) bytes, top row
// first, rows packed without padding.
#include <cstddef>
#include <cstdint>
#include <memory>

namespace zelvane {

inline constexpr int kMaxImageSide = 32767;

struct ImageBuffer {
  int width = 0;
  int height = 0;
  int bytesPerPixel = 3;  // 3 for the 24-bit form, 4 for the 32-bit form
  std::unique_ptr<std::uint8_t[]> pixels;

  int depth() const { return bytesPerPixel * 8; }
  std::size_t stride() const { return static_cast<std::size_t>(width) * bytesPerPixel; }
  std::size_t byteCount() const { return stride() * static_cast<std::size_t>(height); }
  std::uint8_t* row(int y) { return pixels.get() + stride() * static_cast<std::size_t>(y); }
  const std::uint8_t* row(int y) const {
    return pixels.get() + stride() * static_cast<std::size_t>(y);
  }
};

// A raster of the given size and depth (24 or 32) with unset pixels, or null
// when the size is out of range or memory runs out.
std::unique_ptr<ImageBuffer> makeImageBuffer(int width, int height, int depth);

}  // namespace zelvane
