// Starting and stopping Qt, and installing the Qt services.
#include <QApplication>
#include <QToolTip>
#include <cstdio>
#include <memory>

#include "platform/dialogs.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_screen.h"
#include "platform/qt/qt_toolkit.h"
#include "platform/screen.h"
#include "platform/toolkit.h"

namespace zelvane {
namespace {

int argc = 1;
char programName[] = "zelvane";
char* argv[] = {programName, nullptr};

std::unique_ptr<QApplication> ownApplication;
std::unique_ptr<QtToolkit> qtToolkit;
std::unique_ptr<QtDialogs> qtDialogs;
std::unique_ptr<QtScreen> qtScreen;

// Qt ends the process when it cannot reach a display; say why and stop first.
bool displayNamed() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

bool startWindowSystem() {
  if (!QApplication::instance()) {
    if (!displayNamed()) {
      std::fputs("zelvane: no display to show the window on\n", stderr);
      return false;
    }
    // One pixel of the layout is one screen pixel, whatever the display scale.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    ownApplication = std::make_unique<QApplication>(argc, argv);
  }
  qtToolkit = std::make_unique<QtToolkit>();
  qtDialogs = std::make_unique<QtDialogs>();
  installToolkit(qtToolkit.get());
  installDialogs(qtDialogs.get());
  qtScreen = std::make_unique<QtScreen>();
  installScreen(qtScreen.get());
  return true;
}

void stopWindowSystem() {
  QToolTip::hideText();
  installScreen(nullptr);
  installDialogs(nullptr);
  installToolkit(nullptr);
  qtScreen.reset();
  qtDialogs.reset();
  qtToolkit.reset();
  ownApplication.reset();
}

}  // namespace zelvane
