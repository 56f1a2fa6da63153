#include "platform/area_shrink.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

namespace zelvane {
namespace {

// How source pixels [first, last] cover one target pixel along one axis, in
// units where a source pixel is `target` long and a target pixel `source`
// long: the first and last pixel may be covered in part, those between fully.
struct Span {
  int first = 0;
  int last = 0;
  std::uint32_t firstWeight = 0;
  std::uint32_t lastWeight = 0;  // 0 when first == last
};

std::vector<Span> spansOf(int source, int target) {
  std::vector<Span> spans(static_cast<std::size_t>(target));
  for (int t = 0; t < target; ++t) {
    const std::int64_t begin = std::int64_t{t} * source;  // in 1/target source pixels
    const std::int64_t end = begin + source;
    Span& span = spans[static_cast<std::size_t>(t)];
    span.first = static_cast<int>(begin / target);
    span.last = static_cast<int>((end - 1) / target);
    if (span.first == span.last) {
      span.firstWeight = static_cast<std::uint32_t>(source);
    } else {
      span.firstWeight = static_cast<std::uint32_t>(std::int64_t{span.first + 1} * target - begin);
      span.lastWeight = static_cast<std::uint32_t>(end - std::int64_t{span.last} * target);
    }
  }
  return spans;
}

// One source row reduced to the target width: per target pixel and channel
// the sum of values times horizontal weight (at most source width x 255).
void reduceRow(const std::uint8_t* row, const std::vector<Span>& spans, std::uint32_t fullWeight,
               std::uint32_t* sums) {
  for (const Span& span : spans) {
    const std::uint8_t* p = row + std::size_t{3} * static_cast<std::size_t>(span.first);
    std::uint32_t r = p[0] * span.firstWeight, g = p[1] * span.firstWeight,
                  b = p[2] * span.firstWeight;
    if (span.last > span.first) {
      std::uint32_t ir = 0, ig = 0, ib = 0;  // the fully covered pixels between
      const std::uint8_t* end = row + std::size_t{3} * static_cast<std::size_t>(span.last);
      for (p += 3; p < end; p += 3) {
        ir += p[0];
        ig += p[1];
        ib += p[2];
      }
      r += ir * fullWeight + end[0] * span.lastWeight;
      g += ig * fullWeight + end[1] * span.lastWeight;
      b += ib * fullWeight + end[2] * span.lastWeight;
    }
    sums[0] = r;
    sums[1] = g;
    sums[2] = b;
    sums += 3;
  }
}

}  // namespace

std::unique_ptr<ImageBuffer> shrinkByAreaAverage(const ImageBuffer& source, int width, int height) {
  if (source.bytesPerPixel != 3 || !source.pixels || width <= 0 || height <= 0 ||
      width > source.width || height > source.height)
    return nullptr;
  std::unique_ptr<ImageBuffer> result = makeImageBuffer(width, height, 24);
  if (!result) return nullptr;
  try {
    const std::vector<Span> columns = spansOf(source.width, width);
    const std::vector<Span> rows = spansOf(source.height, height);
    const std::size_t values = std::size_t{3} * static_cast<std::size_t>(width);
    std::vector<std::uint32_t> rowSums(values);
    std::vector<std::uint64_t> totals(values);
    // Every target pixel covers source.width x source.height weight units.
    const std::uint64_t area = std::uint64_t(source.width) * std::uint64_t(source.height);
    for (int ty = 0; ty < height; ++ty) {
      const Span& span = rows[static_cast<std::size_t>(ty)];
      std::fill(totals.begin(), totals.end(), 0);
      for (int sy = span.first; sy <= span.last; ++sy) {
        const std::uint64_t weight = sy == span.first               ? span.firstWeight
                                     : sy == span.last              ? span.lastWeight
                                                                    : std::uint64_t(height);
        reduceRow(source.row(sy), columns, static_cast<std::uint32_t>(width), rowSums.data());
        for (std::size_t i = 0; i < values; ++i) totals[i] += weight * rowSums[i];
      }
      std::uint8_t* out = result->row(ty);
      for (std::size_t i = 0; i < values; ++i)
        out[i] = static_cast<std::uint8_t>((totals[i] + area / 2) / area);
    }
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return result;
}

}  // namespace zelvane
