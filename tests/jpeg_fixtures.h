#pragma once
// JPEG files made in the test through libjpeg itself, with chosen parameters,
// and bare libjpeg decoding to compare with.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace zelvane {

struct JpegRecipe {
  int width = 16;
  int height = 16;
  int components = 3;
  J_COLOR_SPACE input = JCS_RGB;
  J_COLOR_SPACE stored = JCS_YCbCr;  // what the file holds
  int quality = 100;
  bool progressive = false;
  bool arithmetic = false;
  unsigned restartInterval = 0;
};

// Samples are packed rows, top first, `components` bytes a pixel.
inline std::vector<std::uint8_t> makeJpeg(const JpegRecipe& recipe,
                                          const std::vector<std::uint8_t>& samples) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(recipe.width);
  info.image_height = static_cast<JDIMENSION>(recipe.height);
  info.input_components = recipe.components;
  info.in_color_space = recipe.input;
  jpeg_set_defaults(&info);
  jpeg_set_colorspace(&info, recipe.stored);
  jpeg_set_quality(&info, recipe.quality, TRUE);
  if (recipe.progressive) jpeg_simple_progression(&info);
  info.arith_code = recipe.arithmetic ? TRUE : FALSE;
  info.restart_interval = recipe.restartInterval;
  jpeg_start_compress(&info, TRUE);
  const std::size_t stride = static_cast<std::size_t>(recipe.width) * recipe.components;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPLE*>(samples.data() + stride * info.next_scanline);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<std::uint8_t> file(buffer, buffer + size);
  std::free(buffer);
  return file;
}

// The samples bare libjpeg gives for the file in the output color space.
inline std::vector<std::uint8_t> decodeBare(const std::vector<std::uint8_t>& file,
                                            J_COLOR_SPACE output) {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  errors.output_message = [](j_common_ptr) {};
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, file.data(), file.size());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = output;
  info.dct_method = JDCT_ISLOW;
  jpeg_start_decompress(&info);
  const std::size_t stride = static_cast<std::size_t>(info.output_width) * info.output_components;
  std::vector<std::uint8_t> samples(stride * info.output_height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = samples.data() + stride * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return samples;
}

}  // namespace zelvane
