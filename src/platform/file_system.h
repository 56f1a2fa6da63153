#pragma once
// File-system queries the commands need.
#include <string>

namespace zelvane {

// True when anything (file, folder, link, device) exists under the path.
bool pathExists(const std::string& path);

// Lower-cases the text (ASCII letters; other characters stay as they are).
std::string toLowerText(const std::string& text);

}  // namespace zelvane
