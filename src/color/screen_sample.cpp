#include "color/screen_sample.h"

namespace zelvane {

// Placeholder until the commands land.
void sampleScreenColor() {}

}  // namespace zelvane
