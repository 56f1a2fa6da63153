#pragma once
// What the benchmarks compare the program with: plain libjpeg-turbo calls with
// the same settings, and a clock that takes both in turns.
#include <time.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>
#include <jpeglib.h>

namespace zelvane::bench {

// Encodes a packed 24-bit RGB raster into an open file.
inline void encodeBare(const std::uint8_t* raster, int width, int height, int quality,
                       std::FILE* file) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, FALSE);
  jpeg_start_compress(&info, TRUE);
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPLE*>(raster + stride * info.next_scanline);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
}

// Decodes into a raster of its own, freed on return, as the program's load
// must make one.
inline void decodeBare(const std::vector<std::uint8_t>& bytes) {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  info.dct_method = JDCT_ISLOW;
  jpeg_start_decompress(&info);
  const std::size_t stride = static_cast<std::size_t>(info.output_width) * 3;
  std::unique_ptr<std::uint8_t[]> raster(new std::uint8_t[stride * info.output_height]);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = raster.get() + stride * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  benchmark::DoNotOptimize(raster.get());
}

// Program and bare calls are taken in turns, each timed on its own, so that a
// load on the machine weighs on both alike.
struct Clocks {
  double wall = 0, cpu = 0;
};

inline double seconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Adds one run of `work` to the clocks; gives its wall time.
template <typename Work>
double timeOnce(Clocks& clocks, Work work) {
  const double wall = seconds(CLOCK_MONOTONIC), cpu = seconds(CLOCK_THREAD_CPUTIME_ID);
  work();
  const double took = seconds(CLOCK_MONOTONIC) - wall;
  clocks.wall += took;
  clocks.cpu += seconds(CLOCK_THREAD_CPUTIME_ID) - cpu;
  return took;
}

}  // namespace zelvane::bench
