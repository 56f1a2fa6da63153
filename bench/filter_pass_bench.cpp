// Speed of the filter pass on a full-size photo (5640 x 3172, about 18
// megapixels) whose pixels run through every 24-bit color in turn, so that
// every hue, saturation and value occurs. Rates are per CPU second of the one
// thread that runs the pass, so that time spent waiting for a shared core does
// not count.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "color/filter_pass.h"
#include "platform/image_facility.h"

namespace zelvane {
namespace {

constexpr int kWidth = 5640;
constexpr int kHeight = 3172;
constexpr int kImage = 0;

// The picture before any pass, kept aside so that every run starts from it.
std::vector<std::uint8_t> everyColorInTurn(int bytesPerPixel) {
  const std::size_t count = static_cast<std::size_t>(kWidth) * kHeight;
  std::vector<std::uint8_t> bytes(count * bytesPerPixel);
  std::uint8_t* p = bytes.data();
  for (std::size_t i = 0; i < count; ++i, p += bytesPerPixel) {
    const std::uint32_t color = static_cast<std::uint32_t>(i) & 0xFFFFFFu;
    p[0] = static_cast<std::uint8_t>(color);
    p[1] = static_cast<std::uint8_t>(color >> 8);
    p[2] = static_cast<std::uint8_t>(color >> 16);
    if (bytesPerPixel == 4) p[3] = static_cast<std::uint8_t>(i * 7);
  }
  return bytes;
}

// Pixels of unrelated colors side by side, as in grain and fine texture: no
// run of equal outcomes helps the processor guess the next one.
std::vector<std::uint8_t> noise(int bytesPerPixel) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(kWidth) * kHeight * bytesPerPixel);
  std::uint32_t seed = 12345;
  for (std::uint8_t& byte : bytes) {
    seed = seed * 1664525u + 1013904223u;
    byte = static_cast<std::uint8_t>(seed >> 24);
  }
  return bytes;
}

FilterSettings allDroppedWithCorrection() {
  FilterSettings settings;  // no class kept
  settings.correction = true;
  settings.band = {203, 243};
  return settings;
}

// A typical choice: keep the warm colors, drop the rest, correct a band of
// blues.
FilterSettings someKeptWithCorrection() {
  FilterSettings settings;
  settings.keep[static_cast<int>(ColorClass::Red)] = true;
  settings.keep[static_cast<int>(ColorClass::Orange)] = true;
  settings.keep[static_cast<int>(ColorClass::Yellow)] = true;
  settings.keep[static_cast<int>(ColorClass::Blue)] = true;
  settings.correction = true;
  settings.band = {203, 243};
  return settings;
}

void runPass(benchmark::State& state, int depth, const FilterSettings& settings,
             std::vector<std::uint8_t> (*picture)(int) = everyColorInTurn) {
  const std::vector<std::uint8_t> original = picture(depth / 8);
  ImageBuffer* image = createImage(kImage, kWidth, kHeight, depth);
  if (!image) {
    state.SkipWithError("cannot make the picture");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(image->pixels.get(), original.data(), original.size());
    state.ResumeTiming();
    applyFilter(kImage, settings);
    benchmark::ClobberMemory();
  }
  const double megapixels = static_cast<double>(kWidth) * kHeight / 1e6;
  state.counters["Mpx"] =
      benchmark::Counter(megapixels, benchmark::Counter::kIsIterationInvariantRate);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kWidth) * kHeight);
  releaseAllImages();
}

void BM_FilterAllDropped24(benchmark::State& state) { runPass(state, 24, allDroppedWithCorrection()); }
void BM_FilterAllDropped32(benchmark::State& state) { runPass(state, 32, allDroppedWithCorrection()); }
void BM_FilterSomeKept24(benchmark::State& state) { runPass(state, 24, someKeptWithCorrection()); }
void BM_FilterSomeKept32(benchmark::State& state) { runPass(state, 32, someKeptWithCorrection()); }

void BM_FilterSomeKeptNoise24(benchmark::State& state) {
  runPass(state, 24, someKeptWithCorrection(), noise);
}
void BM_FilterSomeKeptNoise32(benchmark::State& state) {
  runPass(state, 32, someKeptWithCorrection(), noise);
}

// The preview (at most 380 x 295): here the work each pass does before the
// first pixel shows.
void BM_FilterPreview24(benchmark::State& state) {
  ImageBuffer* image = createImage(kImage, 380, 295, 24);
  std::vector<std::uint8_t> original(image->byteCount());
  for (std::size_t i = 0; i < original.size(); ++i) original[i] = static_cast<std::uint8_t>(i * 7);
  const FilterSettings settings = someKeptWithCorrection();
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(image->pixels.get(), original.data(), original.size());
    state.ResumeTiming();
    applyFilter(kImage, settings);
    benchmark::ClobberMemory();
  }
  releaseAllImages();
}

BENCHMARK(BM_FilterAllDropped24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterAllDropped32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterSomeKept24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterSomeKept32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterSomeKeptNoise24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterSomeKeptNoise32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterPreview24)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zelvane
