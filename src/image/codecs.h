#pragma once
// The JPEG decoder and encoder, plugged into the image facility.
#include <cstdint>
#include <string>

#include "platform/image_buffer.h"

namespace zelvane {

// "JPEG" read as a little-endian 32-bit number.
inline constexpr std::uint32_t JpegCodecId = 0x4745504A;

// Register the codecs with the image facility; a repeated call does nothing.
void enableJpegDecoder();
void enableJpegEncoder();

// Writes a 24-bit raster as a baseline JFIF file at quality 10 x level (level
// limited to 0..10). The file appears under `path` only when it is complete:
// a failure leaves no new file and any old file under that name untouched.
bool encodeJpegFile(const std::string& path, const ImageBuffer& picture, int qualityLevel);

}  // namespace zelvane
