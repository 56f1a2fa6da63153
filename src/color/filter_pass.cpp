#include "color/filter_pass.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "color/filter_tables.h"
#include "platform/image_facility.h"

namespace zelvane {

bool hueTurnsGray(int hue, const FilterSettings& settings) {
  const std::optional<ColorClass> colorClass = classifyHue(hue);
  const bool classDropped = colorClass && !settings.keep[static_cast<std::size_t>(*colorClass)];
  const bool inBand = settings.correction && settings.band.low < hue && hue < settings.band.high;
  return classDropped || inBand;
}

PackedColor filteredColor(PackedColor color, const FilterSettings& settings) {
  if (!hueTurnsGray(computeHue(color), settings)) return color;
  const int gray = grayLevel(redOf(color), greenOf(color), blueOf(color));
  return makeColor(gray, gray, gray);
}

namespace {

// Rows are read and written four bytes at a time as little-endian words.
static_assert(std::endian::native == std::endian::little);

std::uint32_t loadWord(const std::uint8_t* p) {
  std::uint32_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

void storeWord(std::uint8_t* p, std::uint32_t word) { std::memcpy(p, &word, sizeof word); }

// R,G,B,A: the alpha byte goes back as it was.
void filterRow32(std::uint8_t* p, int width, const GrayMask& mask) {
  int x = 0;
  for (; x + 4 <= width; x += 4, p += 16) {
    const std::uint32_t w0 = loadWord(p), w1 = loadWord(p + 4), w2 = loadWord(p + 8),
                        w3 = loadWord(p + 12);
    const PackedColor c0 = mask.filter(w0 & 0xFFFFFFu);
    const PackedColor c1 = mask.filter(w1 & 0xFFFFFFu);
    const PackedColor c2 = mask.filter(w2 & 0xFFFFFFu);
    const PackedColor c3 = mask.filter(w3 & 0xFFFFFFu);
    storeWord(p, (w0 & 0xFF000000u) | c0);
    storeWord(p + 4, (w1 & 0xFF000000u) | c1);
    storeWord(p + 8, (w2 & 0xFF000000u) | c2);
    storeWord(p + 12, (w3 & 0xFF000000u) | c3);
  }
  for (; x < width; ++x, p += 4) {
    const std::uint32_t word = loadWord(p);
    storeWord(p, (word & 0xFF000000u) | mask.filter(word & 0xFFFFFFu));
  }
}

// R,G,B: four pixels fill three words; the last pixels of a row that do not
// make up a group of four go byte by byte.
void filterRow24(std::uint8_t* p, int width, const GrayMask& mask) {
  int x = 0;
  for (; x + 4 <= width; x += 4, p += 12) {
    const std::uint32_t w0 = loadWord(p), w1 = loadWord(p + 4), w2 = loadWord(p + 8);
    const PackedColor c0 = mask.filter(w0 & 0xFFFFFFu);
    const PackedColor c1 = mask.filter((w0 >> 24) | ((w1 & 0xFFFFu) << 8));
    const PackedColor c2 = mask.filter((w1 >> 16) | ((w2 & 0xFFu) << 16));
    const PackedColor c3 = mask.filter(w2 >> 8);
    storeWord(p, c0 | (c1 << 24));
    storeWord(p + 4, (c1 >> 8) | (c2 << 16));
    storeWord(p + 8, (c2 >> 16) | (c3 << 8));
  }
  for (; x < width; ++x, p += 3) {
    const PackedColor color = mask.filter(makeColor(p[0], p[1], p[2]));
    p[0] = static_cast<std::uint8_t>(redOf(color));
    p[1] = static_cast<std::uint8_t>(greenOf(color));
    p[2] = static_cast<std::uint8_t>(blueOf(color));
  }
}

}  // namespace

void applyFilter(int imageNumber, const FilterSettings& settings) {
  const int width = imageWidth(imageNumber);
  const int height = imageHeight(imageNumber);
  if (width == 0 || height == 0) return;
  ImageBuffer* image = beginDrawing(imageNumber);
  if (!image) return;
  // The outcome of a pixel depends on its own color only, so rows are walked
  // in memory order, each pixel decided by the tables.
  const GrayMask mask(settings);
  for (int y = 0; y < height; ++y) {
    if (image->bytesPerPixel == 4) {
      filterRow32(image->row(y), width, mask);
    } else {
      filterRow24(image->row(y), width, mask);
    }
  }
  endDrawing();
}

}  // namespace zelvane
