#include "ui/message_box.h"

#include "platform/dialogs.h"

namespace zelvane {

int showMessage(const std::string& title, const std::string& text, int flags) {
  return dialogs().messageBox(title, text, flags);
}

}  // namespace zelvane
