// The installed toolkit, dialogs and screen, with silent stand-ins until the
// real ones (or a test's) are installed.
#include "platform/dialogs.h"
#include "platform/screen.h"
#include "platform/toolkit.h"

namespace zelvane {
namespace {

class SilentToolkit final : public Toolkit {
 public:
  bool createWindow(const WindowSpec&) override { return false; }
  void createControl(const ControlSpec&) override {}
  void setControlEnabled(int, bool) override {}
  void setControlImage(int, const ImageBuffer*) override {}
  void setControlText(int, const std::string&) override {}
  int checkState(int) override { return 0; }
  void setControlBackground(int, std::int32_t) override {}
  void destroyWindow() override {}
  UiEvent waitEvent() override { return UiEvent{CloseRequest, 0, 0}; }
  void setBusy(bool) override {}
};

class CancellingDialogs final : public Dialogs {
 public:
  std::string chooseFilePath(const FileDialogRequest&) override { return ""; }
  int messageBox(const std::string&, const std::string&, int) override { return 1; }
};

class BlindScreen final : public Screen {
 public:
  bool cursorPosition(ScreenPoint&) override { return false; }
  std::uint32_t pixelColor(ScreenPoint) override { return kUnreadablePixel; }
};

SilentToolkit silentToolkit;
CancellingDialogs cancellingDialogs;
BlindScreen blindScreen;

Toolkit* installedToolkit = &silentToolkit;
Dialogs* installedDialogs = &cancellingDialogs;
Screen* installedScreen = &blindScreen;

}  // namespace

Toolkit& toolkit() { return *installedToolkit; }
void installToolkit(Toolkit* t) { installedToolkit = t ? t : &silentToolkit; }

Dialogs& dialogs() { return *installedDialogs; }
void installDialogs(Dialogs* d) { installedDialogs = d ? d : &cancellingDialogs; }

Screen& screen() { return *installedScreen; }
void installScreen(Screen* s) { installedScreen = s ? s : &blindScreen; }

}  // namespace zelvane
