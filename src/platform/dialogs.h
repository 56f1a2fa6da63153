#pragma once
// Modal dialogs: the open and save file dialogs and the message box. The real
// ones are Qt's (platform/qt); tests install scripted ones.
#include <string>
#include <vector>

namespace zelvane {

enum class FileDialogMode { Open, Save };

struct FileFilter {
  std::string description;  // "All supported formats"
  std::string patterns;     // "*.bmp; *.jpg; *.jpeg"
};

struct FileDialogRequest {
  FileDialogMode mode = FileDialogMode::Open;
  std::string title;
  std::string startFolder;   // "" for none
  std::string proposedName;  // "" for none
  std::vector<FileFilter> filters;  // the first one is selected
};

inline constexpr int kMessageErrorIcon = 16;

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The chosen full path, or "" when the user cancelled or the dialog failed.
  virtual std::string chooseFilePath(const FileDialogRequest& request) = 0;
  // Shows a modal box with one OK button (and the error icon for flags 16);
  // returns when dismissed, with the code of the button.
  virtual int messageBox(const std::string& title, const std::string& text, int flags) = 0;
};

// The dialogs in use; until some are installed every dialog is cancelled.
Dialogs& dialogs();
void installDialogs(Dialogs* dialogs);

}  // namespace zelvane
