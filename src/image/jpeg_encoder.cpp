// JPEG encoding over libjpeg into a replacement file.
#include <algorithm>

#include "image/codecs.h"
#include "image/jpeg_errors.h"
#include "platform/replacement_file.h"

namespace zelvane {
namespace {

// One setjmp at the top; only plain C objects live below it.
bool writeJpeg(std::FILE* stream, const ImageBuffer& picture, int qualityLevel) {
  jpeg_compress_struct info;
  SilentJpegErrors errors;
  info.err = useSilentErrors(errors);
  if (setjmp(errors.exit)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, stream);
  info.image_width = static_cast<JDIMENSION>(picture.width);
  info.image_height = static_cast<JDIMENSION>(picture.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 10 * std::clamp(qualityLevel, 0, 10), FALSE);
  jpeg_start_compress(&info, TRUE);
  // Our 24-bit rows are already R,G,B bytes: each is passed as it is.
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPLE*>(picture.row(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

bool encodeJpegFile(const std::string& path, const ImageBuffer& picture, int qualityLevel) {
  if (picture.bytesPerPixel != 3 || !picture.pixels) return false;
  ReplacementFile file;
  if (!beginReplacement(path, file)) return false;
  if (!writeJpeg(file.stream, picture, qualityLevel)) {
    abandonReplacement(file);
    return false;
  }
  return commitReplacement(file);
}

}  // namespace zelvane
