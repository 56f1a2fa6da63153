// Loading and saving an 18-megapixel picture through the image facility, next
// to bare libjpeg-turbo calls on the same bytes in the same run, plus the load
// of a 24-bit BMP of that size and the resample to a preview.
#include <benchmark/benchmark.h>

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "bare_jpeg.h"
#include "bmp_file.h"
#include "image/codecs.h"
#include "platform/image_facility.h"

namespace zelvane {
namespace {

using bench::Clocks;
using bench::decodeBare;
using bench::encodeBare;
using bench::timeOnce;

constexpr int kWidth = 5640;   // 18 megapixels, 16:9
constexpr int kHeight = 3172;
constexpr int kQuality = 80;   // what the facility uses at level 8
constexpr int kPicture = 0, kScratch = 1;

// A photo-like picture: smooth gradients with a little noise, so that JPEG
// sizes and speeds are those of real photographs rather than of flat areas.
const ImageBuffer& bigPicture() {
  static const ImageBuffer* picture = [] {
    ImageBuffer* image = createImage(kPicture, kWidth, kHeight, 24);
    std::uint32_t seed = 1;
    for (int y = 0; y < kHeight; ++y) {
      std::uint8_t* p = image->row(y);
      for (int x = 0; x < kWidth; ++x, p += 3) {
        seed = seed * 1664525u + 1013904223u;
        const int noise = static_cast<int>(seed >> 28) - 8;
        p[0] = static_cast<std::uint8_t>(std::clamp(x * 255 / kWidth + noise, 0, 255));
        p[1] = static_cast<std::uint8_t>(std::clamp(y * 255 / kHeight + noise, 0, 255));
        p[2] = static_cast<std::uint8_t>(std::clamp(((x ^ y) & 255) / 2 + 64 + noise, 0, 255));
      }
    }
    return image;
  }();
  return *picture;
}

std::string outputPath(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

const std::vector<std::uint8_t>& bigJpeg() {
  static const std::vector<std::uint8_t> bytes = [] {
    const std::string path = outputPath("zelvane-bench-source.jpg");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    encodeBare(bigPicture().pixels.get(), kWidth, kHeight, kQuality, file);
    std::fclose(file);
    std::vector<std::uint8_t> data(std::filesystem::file_size(path));
    file = std::fopen(path.c_str(), "rb");
    if (std::fread(data.data(), 1, data.size(), file) != data.size()) std::abort();
    std::fclose(file);
    std::remove(path.c_str());
    return data;
  }();
  return bytes;
}

void BM_DecodeJpegFacility(benchmark::State& state) {
  enableJpegDecoder();
  const auto& bytes = bigJpeg();
  for (auto _ : state) {
    const ImageBuffer* image = loadImageData(kScratch, bytes.data(), bytes.size());
    if (!image) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(image);
  }
  releaseImage(kScratch);
  state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}

void BM_DecodeJpegBare(benchmark::State& state) {
  const auto& bytes = bigJpeg();
  for (auto _ : state) decodeBare(bytes);
}

void BM_EncodeJpegFacility(benchmark::State& state) {
  enableJpegEncoder();
  bigPicture();
  const std::string path = outputPath("zelvane-bench-facility.jpg");
  for (auto _ : state) {
    if (!saveImageFile(kPicture, path, JpegCodecId, 8, -1)) state.SkipWithError("save failed");
  }
  std::remove(path.c_str());
}

void BM_EncodeJpegBare(benchmark::State& state) {
  const ImageBuffer& picture = bigPicture();
  const std::string path = outputPath("zelvane-bench-bare.jpg");
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    encodeBare(picture.pixels.get(), picture.width, picture.height, kQuality, file);
    std::fclose(file);
  }
  std::remove(path.c_str());
}

// The same file written the way the facility writes it (synced to disk before
// it is renamed into place), so that the cost of the sync shows on its own.
void BM_EncodeJpegBareSynced(benchmark::State& state) {
  const ImageBuffer& picture = bigPicture();
  const std::string path = outputPath("zelvane-bench-bare-synced.jpg");
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    encodeBare(picture.pixels.get(), picture.width, picture.height, kQuality, file);
    std::fflush(file);
    fdatasync(fileno(file));
    std::fclose(file);
  }
  std::remove(path.c_str());
}

// Facility and bare calls are taken in turns; reports wall and CPU time of
// each and the ratios facility / bare.
void reportPair(benchmark::State& state, const Clocks& facility, const Clocks& bare) {
  const double n = static_cast<double>(state.iterations());
  state.counters["facility_ms"] = 1e3 * facility.wall / n;
  state.counters["bare_ms"] = 1e3 * bare.wall / n;
  state.counters["facility_cpu_ms"] = 1e3 * facility.cpu / n;
  state.counters["bare_cpu_ms"] = 1e3 * bare.cpu / n;
  state.counters["ratio_wall"] = facility.wall / bare.wall;
  state.counters["ratio_cpu"] = facility.cpu / bare.cpu;
}

void BM_DecodeJpegInTurns(benchmark::State& state) {
  enableJpegDecoder();
  const auto& bytes = bigJpeg();
  Clocks facility, bare;
  for (auto _ : state) {
    const double took = timeOnce(facility, [&] {
      if (!loadImageData(kScratch, bytes.data(), bytes.size())) state.SkipWithError("load failed");
      releaseImage(kScratch);  // the bare side frees its raster too
    });
    timeOnce(bare, [&] { decodeBare(bytes); });
    state.SetIterationTime(took);  // the Time column is the facility's
  }
  reportPair(state, facility, bare);
}

void BM_EncodeJpegInTurns(benchmark::State& state) {
  enableJpegEncoder();
  const ImageBuffer& picture = bigPicture();
  const std::string facilityPath = outputPath("zelvane-bench-turns-facility.jpg");
  const std::string barePath = outputPath("zelvane-bench-turns-bare.jpg");
  Clocks facility, bare;
  for (auto _ : state) {
    const double took = timeOnce(facility, [&] {
      if (!saveImageFile(kPicture, facilityPath, JpegCodecId, 8, -1)) state.SkipWithError("save failed");
    });
    timeOnce(bare, [&] {
      std::FILE* file = std::fopen(barePath.c_str(), "wb");
      encodeBare(picture.pixels.get(), picture.width, picture.height, kQuality, file);
      std::fclose(file);
    });
    state.SetIterationTime(took);  // the Time column is the facility's
  }
  reportPair(state, facility, bare);
  std::remove(facilityPath.c_str());
  std::remove(barePath.c_str());
}

void BM_LoadBmp24(benchmark::State& state) {
  const std::vector<std::uint8_t> file =
      bench::bmpFileOf(bigPicture().pixels.get(), kWidth, kHeight);
  for (auto _ : state) {
    const ImageBuffer* image = loadImageData(kScratch, file.data(), file.size());
    if (!image) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(image);
  }
  releaseImage(kScratch);
}

void BM_ResampleToPreview(benchmark::State& state) {
  bigPicture();
  for (auto _ : state) {
    state.PauseTiming();
    duplicateImage(kPicture, kScratch);
    state.ResumeTiming();
    resampleImage(kScratch, 524, 295);
    if (imageWidth(kScratch) != 524) state.SkipWithError("resample failed");
  }
  releaseImage(kScratch);
}

BENCHMARK(BM_DecodeJpegFacility)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_DecodeJpegBare)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_EncodeJpegFacility)->Unit(benchmark::kMillisecond)->MinTime(3)->UseRealTime();
BENCHMARK(BM_EncodeJpegBare)->Unit(benchmark::kMillisecond)->MinTime(3)->UseRealTime();
BENCHMARK(BM_EncodeJpegBareSynced)->Unit(benchmark::kMillisecond)->MinTime(3)->UseRealTime();
BENCHMARK(BM_DecodeJpegInTurns)->Iterations(20)->UseManualTime();
BENCHMARK(BM_EncodeJpegInTurns)->Iterations(20)->UseManualTime();
BENCHMARK(BM_LoadBmp24)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_ResampleToPreview)->Unit(benchmark::kMillisecond)->MinTime(3)->UseRealTime();

}  // namespace
}  // namespace zelvane
