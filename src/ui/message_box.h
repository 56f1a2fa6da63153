#pragma once
// The modal message box the commands tell the user things with.
#include <string>

namespace zelvane {

inline constexpr int kMessageOk = 0;
inline constexpr int kMessageError = 16;  // OK button with the error icon

// Shows the box and returns when the user has dismissed it, with the code of
// the button; no caller needs it.
int showMessage(const std::string& title, const std::string& text, int flags);

}  // namespace zelvane
