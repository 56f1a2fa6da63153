#pragma once
#include "platform/image_facility.h"

namespace zelvane {

// The JPEG decoder's check, decode and release, under JpegCodecId.
ImageDecoder jpegDecoder();

}  // namespace zelvane
