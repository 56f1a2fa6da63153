#include "image/codecs.h"

#include "image/jpeg_decoder.h"
#include "platform/image_facility.h"

namespace zelvane {

void enableJpegDecoder() { registerImageDecoder(jpegDecoder()); }

void enableJpegEncoder() {
  ImageEncoder encoder;
  encoder.codecId = JpegCodecId;
  encoder.encode24 = encodeJpegFile;  // no 32-bit operation: 32-bit pictures come flattened
  registerImageEncoder(encoder);
}

}  // namespace zelvane
