// Any bytes through loadImageData: the BMP reader, recognition and the JPEG
// decoder must never read or write out of bounds, leak or hit undefined
// behaviour, whatever the file holds.
#include <cstddef>
#include <cstdint>

#include "image/codecs.h"
#include "platform/image_facility.h"

namespace {

std::uint32_t big16(const std::uint8_t* p) { return std::uint32_t{p[0]} << 8 | p[1]; }

// The picture area a header claims, so that pictures far larger than any
// fuzz input can describe in earnest are skipped: the loaders may take them
// (up to 32767 x 32767), but filling gigabytes would only slow the search.
std::uint64_t claimedArea(const std::uint8_t* data, std::size_t size) {
  if (size >= 26 && data[0] == 'B' && data[1] == 'M') {
    auto s32 = [&](std::size_t at) {
      return static_cast<std::int32_t>(data[at] | data[at + 1] << 8 | data[at + 2] << 16 |
                                       static_cast<std::uint32_t>(data[at + 3]) << 24);
    };
    const std::int64_t w = s32(18), h = s32(22);
    return static_cast<std::uint64_t>((w < 0 ? -w : w) * (h < 0 ? -h : h));
  }
  std::uint64_t largest = 0;  // every frame header in the data counts
  for (std::size_t i = 0; i + 9 <= size; ++i)
    if (data[i] == 0xFF && data[i + 1] >= 0xC0 && data[i + 1] <= 0xCF && data[i + 1] != 0xC4 &&
        data[i + 1] != 0xC8 && data[i + 1] != 0xCC) {
      const std::uint64_t area = std::uint64_t{big16(data + i + 5)} * big16(data + i + 7);
      if (area > largest) largest = area;
    }
  return largest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool enabled = (zelvane::enableJpegDecoder(), true);
  (void)enabled;
  if (claimedArea(data, size) > (std::uint64_t{1} << 18)) return -1;  // not added to the corpus
  const zelvane::ImageBuffer* image = zelvane::loadImageData(0, data, size);
  if (image) {
    // The first and last byte of the raster must lie inside its allocation.
    volatile std::uint8_t first = image->pixels[0];
    volatile std::uint8_t last = image->pixels[image->byteCount() - 1];
    (void)first;
    (void)last;
  }
  zelvane::releaseAllImages();
  return 0;
}
