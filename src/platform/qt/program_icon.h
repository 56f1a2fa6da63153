#pragma once
// The program's icon, drawn in code: a ring of seven colored segments, red
// through violet, resting on a gray cog wheel.
#include <QImage>

namespace zelvane {

inline constexpr int kProgramIconSide = 48;

// A 48 x 48 32-bit picture with a transparent background.
QImage drawProgramIcon();

}  // namespace zelvane
