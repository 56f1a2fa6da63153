#include "gui_support.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include "ui/main_window.h"

namespace zelvane {

void settle(int ms) {
  QCoreApplication::processEvents();
  QTest::qWait(ms);
}

QColor screenPixel(QPoint global) {
  const QImage image =
      QGuiApplication::primaryScreen()->grabWindow(0, global.x(), global.y(), 1, 1).toImage();
  return image.pixelColor(0, 0);
}

std::vector<UiEvent> takeQueuedEvents(QtToolkit& toolkit) {
  std::vector<UiEvent> events;
  while (toolkit.pendingEvents() > 0) events.push_back(toolkit.waitEvent());
  return events;
}

int countOfKind(const std::vector<UiEvent>& events, int kind) {
  int count = 0;
  for (const UiEvent& event : events) count += event.kind == kind ? 1 : 0;
  return count;
}

void QtMainWindowTest::SetUp() {
  toolkit_ = std::make_unique<QtToolkit>();
  installToolkit(toolkit_.get());
  ASSERT_TRUE(buildMainWindow());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window()));
  settle(100);
  takeQueuedEvents(*toolkit_);  // focus changes while the window came up
}

void QtMainWindowTest::TearDown() {
  closeMainWindow();
  installToolkit(nullptr);
  toolkit_.reset();
  settle(10);
}

QColor QtMainWindowTest::clientPixel(QPoint client) const {
  return screenPixel(window()->mapToGlobal(client));
}

QColor QtMainWindowTest::background() const { return clientPixel(QPoint(790, 370)); }

}  // namespace zelvane
