#pragma once
// Our reader of Windows BMP files held in memory.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/image_buffer.h"

namespace zelvane {

// True when the data begins with "BM".
bool isBmpData(const std::uint8_t* bytes, std::size_t size);

// The picture the file holds: 24-bit for up to 24 bits per pixel, 32-bit for
// 32. Null when the layout is not one we read or any offset, size or count
// points outside the data.
std::unique_ptr<ImageBuffer> readBmp(const std::uint8_t* bytes, std::size_t size);

}  // namespace zelvane
