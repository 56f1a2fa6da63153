// The event source on the real Qt layer: right presses, double clicks, the
// controls' reports and the close request, as the loop receives them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "gui_support.h"
#include "ui/event_loop.h"
#include "ui/main_window.h"
#include "x_client.h"

namespace zelvane {
namespace {

using EventsGuiTest = QtMainWindowTest;

// A point of the client area over the given control, or over nothing.
struct PressPlace {
  const char* name;
  int control;  // -1 for the window's background
  QPoint offset;  // inside the control, or the client point for the background
};

const PressPlace kPressPlaces[] = {
    {"background", -1, {790, 370}},
    {"PreviewView (disabled)", PreviewView, {100, 100}},
    {"ClassFrame", ClassFrame, {300, 200}},
    {"TestButton", TestButton, {20, 15}},
    {"BrowseButton", BrowseButton, {20, 15}},
    {"KeepRed check box", KeepRed, {10, 12}},
    {"CorrectionCheck", CorrectionCheck, {30, 12}},
    {"SampleSwatch", SampleSwatch, {17, 12}},
    {"PathField", PathField, {100, 15}},
};

QPoint clientPoint(QtToolkit& toolkit, const PressPlace& place) {
  if (place.control < 0) return place.offset;
  return toolkit.control(place.control)->geometry().topLeft() + place.offset;
}

TEST_F(EventsGuiTest, OneRightPressAnywhereInTheClientAreaGivesExactlyOneRightButtonDown) {
  for (const PressPlace& place : kPressPlaces) {
    SCOPED_TRACE(place.name);
    const QPoint at = clientPoint(*toolkit_, place);
    QTest::mousePress(window()->windowHandle(), Qt::RightButton, {}, at);
    QTest::mouseRelease(window()->windowHandle(), Qt::RightButton, {}, at);
    settle(20);
    const std::vector<UiEvent> events = takeQueuedEvents(*toolkit_);
    EXPECT_EQ(countOfKind(events, RightButtonDown), 1);
    // A right press clicks no button and ticks no box.
    for (const UiEvent& event : events) {
      if (event.kind != ControlEvent) continue;
      EXPECT_EQ(event.control, PathField);
    }
  }
}

TEST_F(EventsGuiTest, RightDoubleClickGivesOneRightButtonDownAndSlowPressesGiveTwo) {
  for (const PressPlace& place : kPressPlaces) {
    if (place.control == PathField) continue;  // its context menu takes the second press
    SCOPED_TRACE(place.name);
    const QPoint at = clientPoint(*toolkit_, place);
    QTest::mouseDClick(window()->windowHandle(), Qt::RightButton, {}, at);
    settle(20);
    EXPECT_EQ(countOfKind(takeQueuedEvents(*toolkit_), RightButtonDown), 1);

    // Two presses further apart than a double click are two presses.
    QTest::mouseClick(window()->windowHandle(), Qt::RightButton, {}, at);
    QTest::mouseClick(window()->windowHandle(), Qt::RightButton, {}, at);
    settle(20);
    EXPECT_EQ(countOfKind(takeQueuedEvents(*toolkit_), RightButtonDown), 2);
  }
}

TEST_F(EventsGuiTest, LeftPressesGiveNoRightButtonDown) {
  QTest::mouseClick(window()->windowHandle(), Qt::LeftButton, {}, QPoint(790, 370));
  settle(20);
  EXPECT_TRUE(takeQueuedEvents(*toolkit_).empty());
}

TEST_F(EventsGuiTest, CheckBoxClickReportsItsIdAfterTheTickChanged) {
  for (int id : {KeepRed, KeepOrange, KeepYellow, KeepGreen, KeepCyan, KeepBlue, KeepViolet,
                 CorrectionCheck}) {
    SCOPED_TRACE(testing::Message() << "check box " << id);
    auto* box = qobject_cast<QCheckBox*>(control(id));
    ASSERT_NE(box, nullptr);
    for (int expectedTick : {1, 0}) {
      // What the loop would read while handling the event.
      QTest::mouseClick(window()->windowHandle(), Qt::LeftButton, {},
                        box->geometry().topLeft() + QPoint(10, 12));
      settle(10);
      std::vector<UiEvent> events = takeQueuedEvents(*toolkit_);
      std::erase_if(events, [](const UiEvent& e) { return e.kind != ControlEvent; });
      ASSERT_EQ(events.size(), 1u);
      EXPECT_EQ(events[0].control, id);
      EXPECT_EQ(events[0].window, 0);
      EXPECT_EQ(isTicked(id), expectedTick);
    }
  }
}

TEST_F(EventsGuiTest, TheTickHasChangedWhenTheEventIsQueued) {
  auto* box = qobject_cast<QCheckBox*>(control(KeepGreen));
  int tickWhenQueued = -1;
  // Queued by the same signal the toolkit listens to, after the toolkit.
  QObject::connect(box, &QCheckBox::clicked, box, [&] {
    if (toolkit_->pendingEvents() > 0) tickWhenQueued = box->isChecked() ? 1 : 0;
  });
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(10, 12));
  EXPECT_EQ(tickWhenQueued, 1);
}

TEST_F(EventsGuiTest, ButtonClicksReportTheirIds) {
  for (int id : {TestButton, SaveButton, ResetButton, BrowseButton}) {
    SCOPED_TRACE(testing::Message() << "button " << id);
    QTest::mouseClick(control(id), Qt::LeftButton);
    settle(10);
    std::vector<UiEvent> events = takeQueuedEvents(*toolkit_);
    std::erase_if(events, [](const UiEvent& e) { return e.kind != ControlEvent; });
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].control, id);
  }
}

TEST_F(EventsGuiTest, PathFieldReportsTextChangesAndFocus) {
  setPathText("/home/user/pictures/flower.bmp");
  std::vector<UiEvent> events = takeQueuedEvents(*toolkit_);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, ControlEvent);
  EXPECT_EQ(events[0].control, PathField);
  EXPECT_EQ(qobject_cast<QLineEdit*>(control(PathField))->text(),
            QString("/home/user/pictures/flower.bmp"));

  window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
  control(KeepRed)->setFocus();
  settle(10);
  takeQueuedEvents(*toolkit_);
  control(PathField)->setFocus();  // gains the focus
  control(KeepRed)->setFocus();    // loses it
  settle(10);
  events = takeQueuedEvents(*toolkit_);
  ASSERT_EQ(events.size(), 2u);
  for (const UiEvent& event : events) EXPECT_EQ(event.control, PathField);
}

bool aMenuIsVisible() {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (qobject_cast<QMenu*>(top) && top->isVisible()) return true;
  }
  return false;
}

// A color pick over the path field must see the field, not its context menu:
// the menu opens once the loop has taken the press and run its command.
TEST_F(EventsGuiTest, PathFieldMenuOpensOnlyAfterTheLoopTookTheRightPress) {
  const QPoint at = control(PathField)->geometry().center();
  QTest::mousePress(window()->windowHandle(), Qt::RightButton, {}, at);
  QTest::mouseRelease(window()->windowHandle(), Qt::RightButton, {}, at);
  settle(20);
  EXPECT_FALSE(aMenuIsVisible());
  EXPECT_EQ(waitEvent().kind, RightButtonDown);
  settle(20);
  EXPECT_FALSE(aMenuIsVisible());

  bool menuOpened = false;
  QTimer::singleShot(300, [&] {
    menuOpened = aMenuIsVisible();
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (qobject_cast<QMenu*>(top)) top->close();
    }
    window()->close();
  });
  // The next wait opens the menu, then ends with the close request.
  UiEvent event;
  do event = waitEvent(); while (event.kind != CloseRequest);
  EXPECT_TRUE(menuOpened);
}

TEST_F(EventsGuiTest, WindowSystemCloseRequestIsQueuedAndDoesNotClose) {
  ASSERT_TRUE(sendDeleteWindow(window()->winId()));
  ASSERT_TRUE(QTest::qWaitFor([&] { return toolkit_->pendingEvents() > 0; }, 3000));
  const std::vector<UiEvent> events = takeQueuedEvents(*toolkit_);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, CloseRequest);
  EXPECT_EQ(events[0].window, 0);
  EXPECT_TRUE(window()->isVisible());
}

TEST_F(EventsGuiTest, ClosingDropsTheQueuedEvents) {
  QTest::mouseClick(control(TestButton), Qt::LeftButton);
  settle(10);
  ASSERT_GT(toolkit_->pendingEvents(), 0u);
  closeMainWindow();
  EXPECT_EQ(toolkit_->pendingEvents(), 0u);
  EXPECT_EQ(toolkit_->window(), nullptr);
  EXPECT_EQ(isTicked(KeepRed), 0);
}

// The whole program on a display: the loop runs until the window system asks
// the window to close, then the program ends with 0.
TEST(EventLoopGuiTest, LoopEndsWithZeroOnTheWindowSystemsCloseRequest) {
  bool sawWindow = false;
  QTimer::singleShot(300, [&] {
    const unsigned long window = findWindowByName("Zelvane v 0.1 ", 3000);
    sawWindow = window != 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->windowTitle() != "Zelvane v 0.1 ") continue;
      // A click that must be ignored, then the close request.
      QTest::mouseClick(top->windowHandle(), Qt::LeftButton);
      if (!sawWindow) top->close();  // do not leave the loop waiting
    }
    if (sawWindow) sendDeleteWindow(window);
  });
  EXPECT_EQ(runEventLoop(), 0);
  EXPECT_TRUE(sawWindow);
  settle(10);
  for (QWidget* top : QApplication::topLevelWidgets()) {
    EXPECT_NE(top->windowTitle(), QString("Zelvane v 0.1 "));
  }
}

}  // namespace
}  // namespace zelvane
