#include "image/save_jpeg.h"

namespace zelvane {

// Placeholder until the commands land.
void saveAsJpeg() {}

}  // namespace zelvane
