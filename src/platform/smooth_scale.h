#pragma once
// Smooth scaling of a raster, done by the toolkit.
#include <memory>

#include "platform/image_buffer.h"

namespace zelvane {

// The whole raster scaled to exactly width x height in the same raster form,
// every new pixel an average of the pixels it covers; null when the size is
// out of range or memory runs out.
std::unique_ptr<ImageBuffer> smoothScale(const ImageBuffer& source, int width, int height);

}  // namespace zelvane
