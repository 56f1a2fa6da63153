#pragma once
// The dialogs on Qt: Qt's message box and file dialogs, modal to the whole
// program.
#include "platform/dialogs.h"

namespace zelvane {

class QtDialogs final : public Dialogs {
 public:
  std::string chooseFilePath(const FileDialogRequest& request) override;  // qt_file_dialog.cpp
  int messageBox(const std::string& title, const std::string& text,
                 int flags) override;  // qt_message_box.cpp
};

}  // namespace zelvane
