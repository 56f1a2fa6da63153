// What a user waits for, on an 18-megapixel photo: Open (load, copy, fit, hand
// to the view), Test on the preview, and Save (filter the full picture, encode
// it to a JPEG file). The real commands run against a toolkit and dialogs
// without a display. Each is timed in turns with the bare libjpeg-turbo call
// on the same bytes, so a busy machine weighs on both alike, and reported as
// a ratio of wall time and of CPU time.
//
// Peak memory: each open-test-save sequence runs again in a fresh process
// (this program started with --sequence), which reports its ru_maxrss before
// and after, so that nothing the benchmark itself holds is counted.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "bare_jpeg.h"
#include "bmp_file.h"
#include "image/codecs.h"
#include "image/image_store.h"
#include "image/save_jpeg.h"
#include "platform/dialogs.h"
#include "platform/image_facility.h"
#include "platform/toolkit.h"
#include "ui/main_window.h"

namespace zelvane {
namespace {

using bench::Clocks;
using bench::decodeBare;
using bench::encodeBare;
using bench::timeOnce;

constexpr int kWidth = 5640;  // 18 megapixels, 16:9
constexpr int kHeight = 3172;
constexpr int kPhotoQuality = 90;  // the photo as a camera might write it
constexpr int kSaveQuality = 80;   // what Save writes
constexpr std::size_t kRasterBytes = std::size_t{kWidth} * kHeight * 3;

// ---------------------------------------------------------------------------
// The program's surroundings without a display.

// Red and Orange are kept; every other class turns gray on Test and Save.
class BenchToolkit final : public Toolkit {
 public:
  const ImageBuffer* shown = nullptr;
  bool createWindow(const WindowSpec&) override { return true; }
  void createControl(const ControlSpec&) override {}
  void setControlEnabled(int, bool) override {}
  void setControlImage(int id, const ImageBuffer* image) override {
    if (id == PreviewView) shown = image;
  }
  void setControlText(int, const std::string&) override {}
  int checkState(int id) override { return id == KeepRed || id == KeepOrange ? 1 : 0; }
  void setControlBackground(int, std::int32_t) override {}
  void destroyWindow() override {}
  UiEvent waitEvent() override { return UiEvent{CloseRequest, 0, 0}; }
  void setBusy(bool) override {}
};

class AnsweringDialogs final : public Dialogs {
 public:
  std::string answer;
  std::string chooseFilePath(const FileDialogRequest&) override { return answer; }
  int messageBox(const std::string&, const std::string&, int) override { return 1; }
};

BenchToolkit benchToolkit;
AnsweringDialogs benchDialogs;

void startProgram() {
  static bool started = false;
  if (started) return;
  started = true;
  installToolkit(&benchToolkit);
  installDialogs(&benchDialogs);
  enableJpegDecoder();
  enableJpegEncoder();
  PreviewBoxWidth = 380;
  PreviewBoxHeight = 295;
}

// ---------------------------------------------------------------------------
// The photo: a sky-to-ground gradient, a few soft colored blobs (flowers,
// leaves), fine texture and sensor noise, so that JPEG sizes and speeds are
// those of a real photograph rather than of flat areas.

std::vector<std::uint8_t> makePhotoRaster() {
  std::vector<std::uint8_t> raster(kRasterBytes);
  struct Blob {
    double x, y, radius;
    int r, g, b;
  };
  const Blob blobs[] = {{1200, 1900, 420, 220, 40, 30},  {2600, 2300, 360, 240, 140, 20},
                        {4100, 1700, 500, 60, 160, 50},  {4800, 2600, 300, 200, 30, 120},
                        {700, 800, 260, 40, 90, 210},    {3300, 900, 380, 250, 220, 60}};
  std::uint32_t seed = 12345;
  for (int y = 0; y < kHeight; ++y) {
    const double v = static_cast<double>(y) / kHeight;
    std::uint8_t* p = raster.data() + std::size_t{kWidth} * 3 * y;
    for (int x = 0; x < kWidth; ++x, p += 3) {
      const double u = static_cast<double>(x) / kWidth;
      // Sky above, earth below, with a soft horizon.
      double r = 90 + 110 * v + 20 * std::sin(u * 7.0);
      double g = 140 + 40 * v * (1 - v) * 4 - 30 * v;
      double b = 230 - 170 * v + 15 * std::cos(v * 11.0 + u * 3.0);
      for (const Blob& blob : blobs) {
        const double dx = x - blob.x, dy = y - blob.y;
        const double d2 = (dx * dx + dy * dy) / (blob.radius * blob.radius);
        if (d2 < 4) {
          const double w = std::exp(-d2);
          r += (blob.r - r) * w;
          g += (blob.g - g) * w;
          b += (blob.b - b) * w;
        }
      }
      const double texture = 12 * std::sin(x * 0.05 + std::sin(y * 0.03) * 4) * std::sin(y * 0.04);
      seed = seed * 1664525u + 1013904223u;
      const int noise = static_cast<int>(seed >> 28) - 8;
      p[0] = static_cast<std::uint8_t>(std::clamp(static_cast<int>(r + texture) + noise, 0, 255));
      p[1] = static_cast<std::uint8_t>(std::clamp(static_cast<int>(g + texture) + noise, 0, 255));
      p[2] = static_cast<std::uint8_t>(std::clamp(static_cast<int>(b + texture) + noise, 0, 255));
    }
  }
  return raster;
}

// ---------------------------------------------------------------------------
// Files.

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> readFile(const std::string& path) {
  std::vector<std::uint8_t> bytes(std::filesystem::file_size(path));
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (!in || std::fread(bytes.data(), 1, bytes.size(), in) != bytes.size()) std::abort();
  std::fclose(in);
  return bytes;
}

// The least a BMP open can do: read the file and turn its rows into ours.
void readBmpBare(const std::string& path) {
  const std::vector<std::uint8_t> file = readFile(path);
  const std::size_t stride = (std::size_t{kWidth} * 3 + 3) / 4 * 4;
  std::unique_ptr<std::uint8_t[]> raster(new std::uint8_t[kRasterBytes]);
  for (int y = 0; y < kHeight; ++y) {
    const std::uint8_t* in = &file[54 + stride * static_cast<std::size_t>(kHeight - 1 - y)];
    std::uint8_t* out = raster.get() + std::size_t{kWidth} * 3 * y;
    for (int x = 0; x < kWidth; ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
  benchmark::DoNotOptimize(raster.get());
}

// The photo's files, made once: the JPEG at quality 90 and the 24-bit BMP.
struct PhotoFiles {
  std::string folder, jpeg, bmp;
  std::vector<std::uint8_t> jpegBytes;
  std::size_t bmpSize = 0;
};

const PhotoFiles& photoFiles() {
  static const PhotoFiles files = [] {
    PhotoFiles f;
    f.folder = (std::filesystem::temp_directory_path() /
                ("zelvane-e2e-" + std::to_string(::getpid())))
                   .string();
    std::filesystem::create_directories(f.folder);
    f.jpeg = f.folder + "/photo.jpg";
    f.bmp = f.folder + "/photo.bmp";
    const std::vector<std::uint8_t> raster = makePhotoRaster();
    std::FILE* out = std::fopen(f.jpeg.c_str(), "wb");
    encodeBare(raster.data(), kWidth, kHeight, kPhotoQuality, out);
    std::fclose(out);
    f.jpegBytes = readFile(f.jpeg);
    const std::vector<std::uint8_t> bmp = bench::bmpFileOf(raster.data(), kWidth, kHeight);
    writeFile(f.bmp, bmp);
    f.bmpSize = bmp.size();
    std::atexit([] { std::filesystem::remove_all(photoFiles().folder); });
    return f;
  }();
  return files;
}

// ---------------------------------------------------------------------------
// The commands as the event loop runs them.

bool openCommand(const std::string& path) {
  benchDialogs.answer = path;
  openImage(openPath);
  return hasImage(SourceImage) && benchToolkit.shown == imageAt(PreviewImage) &&
         imageWidth(PreviewImage) < kWidth;
}

void testCommand() { testPreview(); }

// Save needs a free name each time; the file is removed outside the timing.
bool saveCommand(const std::string& path) {
  benchDialogs.answer = path;
  saveAsJpeg();
  return std::filesystem::exists(path);
}

// ---------------------------------------------------------------------------
// Timing in turns.

void reportPair(benchmark::State& state, const char* bareName, const Clocks& command,
                const Clocks& bare) {
  const double n = static_cast<double>(state.iterations());
  state.counters["ms"] = 1e3 * command.wall / n;
  state.counters["cpu_ms"] = 1e3 * command.cpu / n;
  state.counters[std::string(bareName) + "_ms"] = 1e3 * bare.wall / n;
  state.counters[std::string(bareName) + "_cpu_ms"] = 1e3 * bare.cpu / n;
  state.counters["ratio"] = command.wall / bare.wall;
  state.counters["ratio_cpu"] = command.cpu / bare.cpu;
}

// Open next to the bare decode of the same JPEG bytes.
void BM_OpenJpeg(benchmark::State& state) {
  startProgram();
  const PhotoFiles& files = photoFiles();
  Clocks command, bare;
  for (auto _ : state) {
    releaseAllImages();  // each open starts as the first open of a run does
    const double took = timeOnce(command, [&] {
      if (!openCommand(files.jpeg)) state.SkipWithError("open failed");
    });
    timeOnce(bare, [&] { decodeBare(files.jpegBytes); });
    state.SetIterationTime(took);
  }
  reportPair(state, "bare_decode", command, bare);
  state.counters["file_MB"] = static_cast<double>(files.jpegBytes.size()) / 1e6;
}

// Open of the 24-bit BMP, next to the least a BMP open can do (read the file,
// swap the rows into ours) and to the bare decode of the same photo as JPEG.
void BM_OpenBmp(benchmark::State& state) {
  startProgram();
  const PhotoFiles& files = photoFiles();
  Clocks command, bare, decode;
  for (auto _ : state) {
    releaseAllImages();
    const double took = timeOnce(command, [&] {
      if (!openCommand(files.bmp)) state.SkipWithError("open failed");
    });
    timeOnce(bare, [&] { readBmpBare(files.bmp); });
    timeOnce(decode, [&] { decodeBare(files.jpegBytes); });
    state.SetIterationTime(took);
  }
  reportPair(state, "bare_bmp_read", command, bare);
  const double n = static_cast<double>(state.iterations());
  state.counters["bare_decode_ms"] = 1e3 * decode.wall / n;
  state.counters["ratio_to_decode"] = command.wall / decode.wall;
  state.counters["ratio_cpu_to_decode"] = command.cpu / decode.cpu;
  state.counters["file_MB"] = static_cast<double>(files.bmpSize) / 1e6;
}

// Test on the preview of the opened photo (filtering again and again, as
// repeated Tests do).
void BM_TestPreview(benchmark::State& state) {
  startProgram();
  const PhotoFiles& files = photoFiles();
  if (!openCommand(files.jpeg)) state.SkipWithError("open failed");
  Clocks command;
  for (auto _ : state) {
    const double took = timeOnce(command, testCommand);
    state.SetIterationTime(took);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["ms"] = 1e3 * command.wall / n;
  state.counters["cpu_ms"] = 1e3 * command.cpu / n;
  state.counters["preview_px"] = imageWidth(PreviewImage) * imageHeight(PreviewImage);
}

// Save after opening `path`, next to the bare encode of the same raster (the
// full picture as Save left it) into a file of its own.
void saveInTurns(benchmark::State& state, const std::string& path) {
  startProgram();
  const PhotoFiles& files = photoFiles();
  if (!openCommand(path)) state.SkipWithError("open failed");
  const std::string saved = files.folder + "/saved.jpg";
  const std::string bareSaved = files.folder + "/bare.jpg";
  Clocks command, bare;
  for (auto _ : state) {
    std::filesystem::remove(saved);
    const double took = timeOnce(command, [&] {
      if (!saveCommand(saved)) state.SkipWithError("save failed");
    });
    const ImageBuffer* picture = imageAt(SourceImage);
    timeOnce(bare, [&] {
      std::FILE* out = std::fopen(bareSaved.c_str(), "wb");
      encodeBare(picture->pixels.get(), picture->width, picture->height, kSaveQuality, out);
      std::fclose(out);
    });
    state.SetIterationTime(took);
  }
  reportPair(state, "bare_encode", command, bare);
  state.counters["saved_MB"] = static_cast<double>(std::filesystem::file_size(saved)) / 1e6;
  std::filesystem::remove(saved);
  std::filesystem::remove(bareSaved);
}

void BM_SaveAfterJpeg(benchmark::State& state) { saveInTurns(state, photoFiles().jpeg); }
void BM_SaveAfterBmp(benchmark::State& state) { saveInTurns(state, photoFiles().bmp); }

// ---------------------------------------------------------------------------
// Peak memory of open, Test, Save in a fresh process.

long maxRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// The child: prints "<rss before> <peak rss>" in kB, or exits non-zero.
int runSequence(const std::string& input, const std::string& output) {
  startProgram();
  const long before = maxRssKb();
  if (!openCommand(input)) return 3;
  testCommand();
  if (!saveCommand(output)) return 4;
  std::printf("%ld %ld\n", before, maxRssKb());
  return 0;
}

std::string selfPath() {
  char buffer[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

void peakMemory(benchmark::State& state, const std::string& input, std::size_t fileBytes) {
  const PhotoFiles& files = photoFiles();
  const std::string output = files.folder + "/sequence.jpg";
  long before = 0, peak = 0;
  for (auto _ : state) {
    std::filesystem::remove(output);
    std::string command = "'";
    command.append(selfPath()).append("' --sequence '").append(input).append("' '");
    command.append(output).append("'");
    std::FILE* child = ::popen(command.c_str(), "r");
    if (!child || std::fscanf(child, "%ld %ld", &before, &peak) != 2) state.SkipWithError("no figures");
    if (child && ::pclose(child) != 0) state.SkipWithError("sequence failed");
  }
  std::filesystem::remove(output);
  const double raster = static_cast<double>(kRasterBytes) / 1e6;
  const double file = static_cast<double>(fileBytes) / 1e6;
  const double grown = static_cast<double>(peak - before) * 1024 / 1e6;
  state.counters["peak_MB"] = static_cast<double>(peak) * 1024 / 1e6;
  state.counters["start_MB"] = static_cast<double>(before) * 1024 / 1e6;
  state.counters["grown_MB"] = grown;
  state.counters["raster_MB"] = raster;
  state.counters["file_MB"] = file;
  state.counters["budget_MB"] = 2.5 * raster + file;  // 2.5 rasters plus the file
  state.counters["grown_per_raster"] = grown / raster;
}

void BM_PeakMemoryJpeg(benchmark::State& state) {
  peakMemory(state, photoFiles().jpeg, photoFiles().jpegBytes.size());
}
void BM_PeakMemoryBmp(benchmark::State& state) {
  peakMemory(state, photoFiles().bmp, photoFiles().bmpSize);
}

BENCHMARK(BM_OpenJpeg)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenBmp)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TestPreview)->Iterations(200)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAfterJpeg)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAfterBmp)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeakMemoryJpeg)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeakMemoryBmp)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelvane

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--sequence") == 0)
    return zelvane::runSequence(argv[2], argv[3]);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
