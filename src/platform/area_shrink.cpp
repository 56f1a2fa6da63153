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

// Adds a row's bytes to the column sums; a plain loop the compiler turns into
// vector adds.
void addRow(const std::uint8_t* __restrict row, std::size_t count, std::uint32_t* __restrict sums) {
  for (std::size_t i = 0; i < count; ++i) sums[i] += row[i];
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
    const std::size_t values = source.stride();
    // Per target row: the sums of the fully covered source rows, column by
    // column, then those sums with the partly covered rows weighted in.
    std::vector<std::uint32_t> inner(values);
    std::vector<std::uint32_t> column(values);
    // Every target pixel covers source.width x source.height weight units.
    const std::uint64_t area = std::uint64_t(source.width) * std::uint64_t(source.height);
    const auto fullRow = static_cast<std::uint32_t>(height);
    const auto fullColumn = static_cast<std::uint64_t>(width);
    for (int ty = 0; ty < height; ++ty) {
      const Span& span = rows[static_cast<std::size_t>(ty)];
      std::fill(inner.begin(), inner.end(), 0u);
      for (int sy = span.first + 1; sy < span.last; ++sy) addRow(source.row(sy), values, inner.data());
      // At most source.height x 255: no overflow.
      const std::uint8_t* first = source.row(span.first);
      const std::uint8_t* last = source.row(span.last);
      for (std::size_t i = 0; i < values; ++i)
        column[i] = inner[i] * fullRow + first[i] * span.firstWeight + last[i] * span.lastWeight;
      std::uint8_t* out = result->row(ty);
      for (const Span& c : columns) {
        for (int ch = 0; ch < 3; ++ch) {
          const std::uint32_t* v = column.data() + 3 * static_cast<std::size_t>(c.first) + ch;
          std::uint64_t total = std::uint64_t(v[0]) * c.firstWeight;
          const std::size_t between = static_cast<std::size_t>(c.last - c.first);
          if (between > 0) {
            std::uint64_t inside = 0;
            for (std::size_t k = 1; k < between; ++k) inside += v[3 * k];
            total += inside * fullColumn + std::uint64_t(v[3 * between]) * c.lastWeight;
          }
          *out++ = static_cast<std::uint8_t>((total + area / 2) / area);
        }
      }
    }
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return result;
}

}  // namespace zelvane
