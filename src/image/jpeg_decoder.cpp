// JPEG decoding over libjpeg: check reads the header and starts decompression,
// decode writes each scanline straight into its raster row, release destroys
// the decompressor. Each step that calls libjpeg has one setjmp at its top and
// no C++ object with a destructor after it.
#include "image/jpeg_decoder.h"

#include <cstdlib>

#include "image/codecs.h"
#include "image/jpeg_errors.h"

namespace zelvane {
namespace {

struct JpegReading {
  jpeg_decompress_struct info;
  SilentJpegErrors errors;
};

// The output color space for each color space a file may have; others
// (JCS_UNKNOWN: 2 components, more than 4) are refused.
bool chooseOutputSpace(J_COLOR_SPACE stored, J_COLOR_SPACE& output) {
  switch (stored) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB: output = JCS_RGB; return true;
    case JCS_CMYK:
    case JCS_YCCK: output = JCS_CMYK; return true;
    default: return false;
  }
}

void destroyReading(JpegReading* reading) {
  jpeg_destroy_decompress(&reading->info);
  std::free(reading);
}

// Header and start of decompression; false when libjpeg refuses the file.
bool startReading(JpegReading& reading, const std::uint8_t* bytes, std::size_t size) {
  jpeg_decompress_struct& info = reading.info;
  if (setjmp(reading.errors.exit)) return false;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  if (!chooseOutputSpace(info.jpeg_color_space, info.out_color_space)) return false;
  info.dct_method = JDCT_ISLOW;
  jpeg_start_decompress(&info);
  return true;
}

void* checkJpeg(const std::uint8_t* bytes, std::size_t size, DecodedSize& decoded) {
  if (size < 2 || bytes[0] != 0xFF || bytes[1] != 0xD8) return nullptr;
  auto* reading = static_cast<JpegReading*>(std::calloc(1, sizeof(JpegReading)));
  if (!reading) return nullptr;
  reading->info.err = useSilentErrors(reading->errors);
  if (!startReading(*reading, bytes, size)) {
    destroyReading(reading);
    return nullptr;
  }
  decoded.width = static_cast<int>(reading->info.output_width);
  decoded.height = static_cast<int>(reading->info.output_height);
  decoded.depth = 24;
  return reading;
}

// Adobe files store CMYK inverted (255 = no ink), so K scales each channel.
void cmykToRgb(const JSAMPLE* in, std::uint8_t* out, int width) {
  for (int x = 0; x < width; ++x, in += 4, out += 3) {
    const unsigned k = in[3];
    out[0] = static_cast<std::uint8_t>(in[0] * k / 255u);
    out[1] = static_cast<std::uint8_t>(in[1] * k / 255u);
    out[2] = static_cast<std::uint8_t>(in[2] * k / 255u);
  }
}

bool decodeJpeg(void* handle, ImageBuffer& raster) {
  auto* reading = static_cast<JpegReading*>(handle);
  jpeg_decompress_struct& info = reading->info;
  const bool cmyk = info.out_color_space == JCS_CMYK;
  if (raster.bytesPerPixel != 3 || raster.width != static_cast<int>(info.output_width) ||
      raster.height != static_cast<int>(info.output_height) ||
      info.output_components != (cmyk ? 4 : 3))
    return false;
  if (setjmp(reading->errors.exit)) return false;
  // CMYK rows pass through one buffer from libjpeg's pool, freed with it.
  JSAMPROW cmykRow = nullptr;
  if (cmyk)
    cmykRow = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                        info.output_width * 4, 1)[0];
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    JSAMPROW row = cmyk ? cmykRow : raster.row(y);
    if (jpeg_read_scanlines(&info, &row, 1) != 1) return false;
    if (cmyk) cmykToRgb(cmykRow, raster.row(y), raster.width);
  }
  jpeg_finish_decompress(&info);
  return true;
}

void releaseJpeg(void* handle) { destroyReading(static_cast<JpegReading*>(handle)); }

}  // namespace

ImageDecoder jpegDecoder() {
  ImageDecoder decoder;
  decoder.codecId = JpegCodecId;
  decoder.check = checkJpeg;
  decoder.decode = decodeJpeg;
  decoder.release = releaseJpeg;
  return decoder;
}

}  // namespace zelvane
