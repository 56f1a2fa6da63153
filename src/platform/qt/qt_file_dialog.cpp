#include "platform/qt/qt_dialogs.h"

namespace zelvane {

// The open and save file dialogs come with the commands; until then every
// file dialog is cancelled.
std::string QtDialogs::chooseFilePath(const FileDialogRequest&) { return ""; }

}  // namespace zelvane
