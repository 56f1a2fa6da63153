// Right presses made by the X server itself (xdotool's XTEST input), so the
// press travels the whole way a user's press does: X server, Qt's xcb plugin,
// Qt's own double-click detection, the window, the widget.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>

#include "gui_support.h"
#include "ui/main_window.h"

namespace zelvane {
namespace {

bool xdotool(const QStringList& arguments) { return QProcess::execute("xdotool", arguments) == 0; }

using RealInputGuiTest = QtMainWindowTest;

TEST_F(RealInputGuiTest, RealRightClicksGiveOneRightButtonDownAndADoubleClickGivesOne) {
  struct Case {
    const char* name;
    int control;  // -1 for the background
    int clicks;   // clicks 60 ms apart, well inside the double-click time
    int expected;
  };
  const Case cases[] = {
      {"background", -1, 1, 1},        {"PreviewView (disabled)", PreviewView, 1, 1},
      {"TestButton", TestButton, 1, 1}, {"KeepRed", KeepRed, 1, 1},
      {"SampleSwatch", SampleSwatch, 1, 1}, {"background twice", -1, 2, 1},
      {"PreviewView twice", PreviewView, 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QPoint client =
        c.control < 0 ? QPoint(790, 370) : control(c.control)->geometry().topLeft() + QPoint(8, 8);
    const QPoint at = window()->mapToGlobal(client);
    ASSERT_TRUE(xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())}));
    ASSERT_TRUE(xdotool({"click", "--repeat", QString::number(c.clicks), "--delay", "60", "3"}));
    settle(100);
    EXPECT_EQ(countOfKind(takeQueuedEvents(*toolkit_), RightButtonDown), c.expected);
    QTest::qWait(700);  // the next click starts no double click
  }
}

}  // namespace
}  // namespace zelvane
