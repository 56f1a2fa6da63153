#pragma once
// How the file dialog (QtDialogs::chooseFilePath) writes its filters; free of
// Qt types so that it can be checked without a display.
#include <string>

#include "platform/dialogs.h"

namespace zelvane {

// One filter as Qt writes it: "description (pattern pattern ...)"; patterns
// may be separated by ';' and blanks.
std::string qtNameFilter(const FileFilter& filter);

}  // namespace zelvane
