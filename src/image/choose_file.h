#pragma once
// The open and save file dialogs as the commands ask for them.
#include <optional>
#include <string>

#include "platform/dialogs.h"

namespace zelvane {

// Shows the open or save dialog. The previous path, when set, gives the
// starting folder and the proposed name; `filter` is "description|pattern"
// pairs, the first selected. Returns the chosen path, or "" on cancel.
std::string chooseFile(FileDialogMode mode, const std::string& title,
                       const std::optional<std::string>& previousPath, const std::string& filter);

}  // namespace zelvane
