#pragma once
// Helpers for the window tests: the real main window on the real toolkit, the
// screen read back, the queued events taken.
#include <gtest/gtest.h>

#include <QColor>
#include <QPoint>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/qt/qt_toolkit.h"

namespace zelvane {

// Lets Qt handle everything pending, paints included, for `ms` milliseconds.
void settle(int ms = 50);

// The color the screen shows at a point in screen coordinates.
QColor screenPixel(QPoint global);

// The events queued so far, oldest first, without waiting for more.
std::vector<UiEvent> takeQueuedEvents(QtToolkit& toolkit);

int countOfKind(const std::vector<UiEvent>& events, int kind);

// MainWindow built on a fresh Qt toolkit, shown and painted.
class QtMainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  QWidget* window() const { return toolkit_->window(); }
  QWidget* control(int id) const { return toolkit_->control(id); }
  // The screen pixel at a point of the window's client area.
  QColor clientPixel(QPoint client) const;
  // The window's background as the screen shows it where no control lies.
  QColor background() const;

  std::unique_ptr<QtToolkit> toolkit_;
};

}  // namespace zelvane
