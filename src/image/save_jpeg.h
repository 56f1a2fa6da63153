#pragma once
// The save command. Placeholder until the commands land.

namespace zelvane {

void saveAsJpeg();

}  // namespace zelvane
