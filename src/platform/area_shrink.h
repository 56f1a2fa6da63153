#pragma once
// Shrinking a 24-bit raster by exact area averaging, row by row: no
// full-size working copy and no change of pixel format on the way.
#include <memory>

#include "platform/image_buffer.h"

namespace zelvane {

// The raster at width x height (neither larger than the source's), each new
// pixel the average of the source area it covers, partly covered source
// pixels counted by the part covered, rounded to nearest. Null when the
// source is not 24-bit, a size is out of range, or memory runs out.
std::unique_ptr<ImageBuffer> shrinkByAreaAverage(const ImageBuffer& source, int width, int height);

}  // namespace zelvane
