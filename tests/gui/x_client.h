#pragma once
// A second client of the X server, as a window manager or another program
// would talk to ours. Kept apart: Xlib's macros clash with Qt and gtest.
#include <string>

namespace zelvane {

// The top-level window of the display whose name is `title`, or 0; waits up
// to `timeoutMs` for it to appear.
unsigned long findWindowByName(const std::string& title, int timeoutMs);
// Asks the window to close as a window manager does: a WM_PROTOCOLS client
// message carrying WM_DELETE_WINDOW. False when the display cannot be opened.
bool sendDeleteWindow(unsigned long window);

}  // namespace zelvane
