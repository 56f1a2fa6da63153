#pragma once
// Picking a color from the screen. Placeholder until the commands land.

namespace zelvane {

void sampleScreenColor();

}  // namespace zelvane
