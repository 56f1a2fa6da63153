// MainWindow on the real Qt layer: the window, its sixteen controls, the
// keyboard, the swatch and the preview as the screen shows them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include "gui_support.h"
#include "platform/image_facility.h"
#include "platform/qt/image_view.h"
#include "ui/main_window.h"

namespace zelvane {
namespace {

using Kind = ControlKind;

struct ExpectedControl {
  int id;
  Kind kind;
  QRect geometry;
  const char* text;
  const char* tooltip;
};

const ExpectedControl kExpected[] = {
    {PreviewView, Kind::ImageView, {380, 40, 380, 295}, "", ""},
    {ClassFrame, Kind::GroupFrame, {15, 5, 355, 235},
     "Select color          color correction (Use the right mouse button)", ""},
    {KeepRed, Kind::CheckBox, {35, 25, 170, 25}, "Red", ""},
    {CorrectionCheck, Kind::CheckBox, {205, 25, 75, 25}, "color correction", ""},
    {SampleSwatch, Kind::ColorSwatch, {275, 25, 35, 25}, "     ", ""},
    {KeepOrange, Kind::CheckBox, {35, 55, 170, 25}, "Orange", ""},
    {KeepYellow, Kind::CheckBox, {35, 85, 170, 25}, "Yellow", ""},
    {KeepGreen, Kind::CheckBox, {35, 115, 170, 25}, "Green", ""},
    {KeepCyan, Kind::CheckBox, {35, 145, 170, 25}, "Cyan", ""},
    {KeepBlue, Kind::CheckBox, {35, 175, 170, 25}, "Blue", ""},
    {KeepViolet, Kind::CheckBox, {35, 205, 170, 25}, "Violet", ""},
    {TestButton, Kind::PushButton, {35, 250, 160, 30}, "Test", "View test"},
    {SaveButton, Kind::PushButton, {15, 315, 355, 30}, "Save", "Save to File"},
    {ResetButton, Kind::PushButton, {195, 250, 160, 30}, "Reset", "The initial state of the image"},
    {PathField, Kind::ReadOnlyField, {385, 5, 320, 30}, "", ""},
    {BrowseButton, Kind::PushButton, {720, 5, 45, 30}, "...", "Open an image file"},
};

const int kTabOrder[] = {KeepRed,  CorrectionCheck, KeepOrange,  KeepYellow, KeepGreen,
                         KeepCyan, KeepBlue,        KeepViolet,  TestButton, SaveButton,
                         ResetButton, PathField,    BrowseButton};

// What the Qt widget is, in the terms of the control table.
bool isKind(QWidget* widget, Kind kind) {
  switch (kind) {
    case Kind::ImageView: return dynamic_cast<ImageView*>(widget) != nullptr;
    case Kind::GroupFrame: return qobject_cast<QGroupBox*>(widget) != nullptr;
    case Kind::CheckBox: return qobject_cast<QCheckBox*>(widget) != nullptr;
    case Kind::ColorSwatch: return qobject_cast<QLabel*>(widget) != nullptr;
    case Kind::PushButton: return qobject_cast<QPushButton*>(widget) != nullptr;
    case Kind::ReadOnlyField: {
      auto* field = qobject_cast<QLineEdit*>(widget);
      return field && field->isReadOnly();
    }
  }
  return false;
}

QString textOf(QWidget* widget) {
  if (auto* frame = qobject_cast<QGroupBox*>(widget)) return frame->title();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* field = qobject_cast<QLineEdit*>(widget)) return field->text();
  return {};
}

// A picture of one color in the preview slot, shown in the view.
const ImageBuffer* showPicture(int width, int height, QColor color) {
  ImageBuffer* image = createImage(1, width, height, 24);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* p = image->row(y);
    for (int x = 0; x < width; ++x, p += 3) {
      p[0] = color.red(), p[1] = color.green(), p[2] = color.blue();
    }
  }
  setPreviewImage(image);
  return image;
}

using MainWindowGuiTest = QtMainWindowTest;

TEST_F(MainWindowGuiTest, WindowHasTitleClientSizePlaceAndNoMaximizeBox) {
  EXPECT_EQ(window()->windowTitle(), QString("Zelvane v 0.1 "));
  EXPECT_EQ(window()->size(), QSize(800, 380));
  // With no window manager there is no frame: the client starts at the corner.
  EXPECT_EQ(window()->mapToGlobal(QPoint(0, 0)), QPoint(582, 17));
  const Qt::WindowFlags flags = window()->windowFlags();
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  // Freely resizable.
  EXPECT_EQ(window()->minimumSize(), QSize(0, 0));
  EXPECT_EQ(window()->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
  EXPECT_TRUE(window()->windowIcon().availableSizes().contains(QSize(48, 48)));
}

TEST_F(MainWindowGuiTest, EveryControlHasItsKindPlaceTextAndTooltip) {
  for (const ExpectedControl& expected : kExpected) {
    SCOPED_TRACE(testing::Message() << "control " << expected.id);
    QWidget* widget = control(expected.id);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(isKind(widget, expected.kind));
    EXPECT_EQ(widget->geometry(), expected.geometry);
    EXPECT_EQ(widget->parentWidget(), window());
    EXPECT_TRUE(widget->isVisible());
    EXPECT_EQ(textOf(widget), QString(expected.text));
    EXPECT_EQ(widget->toolTip(), QString(expected.tooltip));
    EXPECT_EQ(widget->font(), QApplication::font());
    if (expected.kind == Kind::CheckBox) {
      EXPECT_EQ(isTicked(expected.id), 0);
    }
    EXPECT_EQ(widget->isEnabled(), expected.id != PreviewView);
  }
  EXPECT_EQ(control(16), nullptr);
}

TEST_F(MainWindowGuiTest, TabAndShiftTabWalkTheControlsInCreationOrderAndWrap) {
  window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
  const int count = static_cast<int>(std::size(kTabOrder));
  control(kTabOrder[0])->setFocus(Qt::OtherFocusReason);
  for (int step = 1; step <= count; ++step) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    const int expected = kTabOrder[step % count];
    SCOPED_TRACE(testing::Message() << "Tab step " << step << " expects control " << expected);
    EXPECT_EQ(QApplication::focusWidget(), control(expected));
  }
  for (int step = 1; step <= count; ++step) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    const int expected = kTabOrder[(count - step % count) % count];
    SCOPED_TRACE(testing::Message() << "Shift+Tab step " << step << " expects control " << expected);
    EXPECT_EQ(QApplication::focusWidget(), control(expected));
  }
}

TEST_F(MainWindowGuiTest, EnterOnAFocusedButtonDoesNothingWhileSpacePressesIt) {
  window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
  for (int id : {TestButton, SaveButton, ResetButton, BrowseButton}) {
    SCOPED_TRACE(testing::Message() << "button " << id);
    control(id)->setFocus(Qt::TabFocusReason);
    settle(10);
    takeQueuedEvents(*toolkit_);
    QTest::keyClick(control(id), Qt::Key_Return);
    QTest::keyClick(control(id), Qt::Key_Enter);
    settle(10);
    EXPECT_EQ(countOfKind(takeQueuedEvents(*toolkit_), ControlEvent), 0);
    QTest::keyClick(control(id), Qt::Key_Space);
    settle(10);
    const std::vector<UiEvent> events = takeQueuedEvents(*toolkit_);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, ControlEvent);
    EXPECT_EQ(events[0].control, id);
  }
}

TEST_F(MainWindowGuiTest, FocusComesBackToItsControlWhenTheWindowIsActivatedAgain) {
  window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
  control(SaveButton)->setFocus(Qt::TabFocusReason);

  QWidget other;
  other.setGeometry(100, 500, 200, 100);
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_NE(QApplication::focusWidget(), control(SaveButton));

  window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
  EXPECT_EQ(QApplication::focusWidget(), control(SaveButton));
}

TEST_F(MainWindowGuiTest, TooltipShowsWhileAnotherWindowIsActive) {
  QWidget other;
  other.setGeometry(100, 500, 200, 100);
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

  QWidget* button = control(TestButton);
  QTest::mouseMove(window()->windowHandle(), button->geometry().center());
  QTest::mouseMove(window()->windowHandle(), button->geometry().center() + QPoint(1, 0));
  EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 3000));
  EXPECT_EQ(QToolTip::text(), QString("View test"));

  // The tooltip is a window of the program: a right press on it samples too.
  takeQueuedEvents(*toolkit_);
  QWidget* tip = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->isVisible() && top->inherits("QTipLabel")) tip = top;
  }
  ASSERT_NE(tip, nullptr);
  QTest::mouseClick(tip->windowHandle(), Qt::RightButton, {}, QPoint(3, 3));
  settle(20);
  EXPECT_EQ(countOfKind(takeQueuedEvents(*toolkit_), RightButtonDown), 1);
  QToolTip::hideText();
}

TEST_F(MainWindowGuiTest, SwatchShowsTheWindowBackgroundThenTheSetColorThenTheBackgroundAgain) {
  const QPoint swatch = control(SampleSwatch)->geometry().center();
  const QColor windowColor = window()->palette().color(QPalette::Window);
  EXPECT_EQ(background(), windowColor);
  EXPECT_EQ(clientPixel(swatch), windowColor);

  struct Case {
    std::int32_t color;
    QColor shown;
  };
  const Case cases[] = {
      {0x0000FF, QColor(255, 0, 0)},    // red sits in the low byte
      {0xFF0000, QColor(0, 0, 255)},
      {0x204060, QColor(0x60, 0x40, 0x20)},
      {-1, windowColor},
      {0x00FF00, QColor(0, 255, 0)},
      {-1, windowColor},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "color " << c.color);
    setSwatchColor(c.color);
    settle();
    EXPECT_EQ(clientPixel(swatch), c.shown);
    // The whole 35 x 25 area, under the five blanks too.
    EXPECT_EQ(clientPixel(control(SampleSwatch)->geometry().topLeft()), c.shown);
    EXPECT_EQ(clientPixel(control(SampleSwatch)->geometry().bottomRight()), c.shown);
  }
}

TEST_F(MainWindowGuiTest, PreviewTakesEachPictureSizeAndTheFreedAreaShowsTheBackground) {
  const QColor windowColor = background();
  const QRect box(380, 40, 380, 295);
  EXPECT_EQ(control(PreviewView)->geometry(), box);
  EXPECT_EQ(clientPixel(box.center()), windowColor);

  showPicture(393, 295, QColor(200, 30, 40));
  settle();
  EXPECT_EQ(control(PreviewView)->geometry(), QRect(380, 40, 393, 295));
  EXPECT_EQ(clientPixel(QPoint(380, 40)), QColor(200, 30, 40));
  EXPECT_EQ(clientPixel(QPoint(380 + 392, 40 + 294)), QColor(200, 30, 40));
  // The disabled view does not gray its picture.
  EXPECT_FALSE(control(PreviewView)->isEnabled());

  showPicture(120, 80, QColor(10, 90, 250));
  settle();
  EXPECT_EQ(control(PreviewView)->geometry(), QRect(380, 40, 120, 80));
  EXPECT_EQ(clientPixel(QPoint(380 + 119, 40 + 79)), QColor(10, 90, 250));
  for (QPoint freed : {QPoint(380 + 120, 40), QPoint(380, 40 + 80), QPoint(700, 300),
                       QPoint(380 + 392, 40 + 294)}) {
    SCOPED_TRACE(testing::Message() << "freed point " << freed.x() << "," << freed.y());
    EXPECT_EQ(clientPixel(freed), windowColor);
  }

  // No picture: the size stays, nothing is drawn.
  setPreviewImage(nullptr);
  settle();
  EXPECT_EQ(control(PreviewView)->geometry(), QRect(380, 40, 120, 80));
  EXPECT_EQ(clientPixel(QPoint(380 + 10, 40 + 10)), windowColor);
  releaseImage(1);
}

TEST_F(MainWindowGuiTest, ThirtyTwoBitPictureIsDrawnOverTheBackgroundByItsAlpha) {
  const QColor windowColor = background();
  ImageBuffer* image = createImage(1, 3, 1, 32);
  const std::uint8_t pixels[] = {255, 0, 0, 255,   // opaque red
                                 0, 0, 255, 0,     // fully transparent blue
                                 0, 0, 0, 128};    // half-transparent black
  std::copy(std::begin(pixels), std::end(pixels), image->row(0));
  setPreviewImage(image);
  settle();
  EXPECT_EQ(clientPixel(QPoint(380, 40)), QColor(255, 0, 0));
  EXPECT_EQ(clientPixel(QPoint(381, 40)), windowColor);
  const QColor half = clientPixel(QPoint(382, 40));
  EXPECT_NEAR(half.red(), windowColor.red() * 127 / 255, 2);
  EXPECT_NEAR(half.green(), windowColor.green() * 127 / 255, 2);
  EXPECT_NEAR(half.blue(), windowColor.blue() * 127 / 255, 2);
  setPreviewImage(nullptr);
  releaseImage(1);
}

TEST_F(MainWindowGuiTest, ViewDrawsNothingFromAPictureThatWasReleased) {
  const QColor windowColor = background();
  showPicture(50, 50, QColor(0, 200, 0));
  settle();
  EXPECT_EQ(clientPixel(QPoint(400, 60)), QColor(0, 200, 0));
  // Released behind the view's back; a repaint must not read the freed raster.
  releaseImage(1);
  control(PreviewView)->repaint();
  settle();
  EXPECT_EQ(clientPixel(QPoint(400, 60)), windowColor);
}

TEST_F(MainWindowGuiTest, BusyPointerWhileACommandRuns) {
  toolkit_->setBusy(true);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  toolkit_->setBusy(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace zelvane
