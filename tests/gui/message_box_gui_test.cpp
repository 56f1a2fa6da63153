// showMessage on the real Qt message box: found among the top-level widgets
// while it waits for the user, checked, and dismissed with its OK button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "gui_support.h"
#include "platform/qt/qt_dialogs.h"
#include "ui/message_box.h"

namespace zelvane {
namespace {

struct SeenBox {
  bool found = false;
  bool modal = false;
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttonCount = 0;
  QString okText;
  Qt::CursorShape cursor = Qt::BitmapCursor;
};

// Looks for the box once it is up, records it and presses OK.
void inspectAndDismissSoon(SeenBox& seen) {
  QTimer::singleShot(200, [&seen] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(top);
      if (!box || !box->isVisible()) continue;
      seen.found = true;
      seen.modal = box->isModal();
      seen.title = box->windowTitle();
      seen.text = box->text();
      seen.icon = box->icon();
      seen.buttonCount = static_cast<int>(box->buttons().size());
      if (QAbstractButton* ok = box->button(QMessageBox::Ok)) seen.okText = ok->text();
      if (QApplication::overrideCursor()) seen.cursor = QApplication::overrideCursor()->shape();
      if (QAbstractButton* ok = box->button(QMessageBox::Ok)) QTest::mouseClick(ok, Qt::LeftButton);
      else box->reject();
    }
  });
}

class MessageBoxGuiTest : public ::testing::Test {
 protected:
  void SetUp() override { installDialogs(&dialogs_); }
  void TearDown() override { installDialogs(nullptr); }
  QtDialogs dialogs_;
};

TEST_F(MessageBoxGuiTest, ShowsTitleTextIconAndOneOkButtonUntilDismissed) {
  struct Case {
    const char* text;
    int flags;
    QMessageBox::Icon icon;
  };
  const Case cases[] = {
      {"The requester was canceled.", 0, QMessageBox::NoIcon},
      {"Request canceled", 0, QMessageBox::NoIcon},
      {"Sorry, but that name is already taken!", 16, QMessageBox::Critical},
      {"<b>shown as written</b> & not as markup", 0, QMessageBox::NoIcon},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SeenBox seen;
    inspectAndDismissSoon(seen);
    EXPECT_EQ(showMessage("Information", c.text, c.flags), 1);
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.title, QString("Information"));
    EXPECT_EQ(seen.text, QString(c.text));
    EXPECT_EQ(seen.icon, c.icon);
    EXPECT_EQ(seen.buttonCount, 1);
    EXPECT_EQ(seen.okText, QString("OK"));
  }
}

TEST_F(MessageBoxGuiTest, BoxShowsTheArrowWhileACommandHoldsTheBusyPointer) {
  QtToolkit toolkit;
  toolkit.setBusy(true);
  SeenBox seen;
  inspectAndDismissSoon(seen);
  showMessage("Information", "Request canceled", 0);
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.cursor, Qt::ArrowCursor);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  toolkit.setBusy(false);
}

TEST_F(MessageBoxGuiTest, RightPressesOnTheBoxAreNotQueuedForTheLoop) {
  QtToolkit toolkit;
  installToolkit(&toolkit);
  std::size_t queuedDuringBox = 99;
  QTimer::singleShot(200, [&] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(top);
      if (!box || !box->isVisible()) continue;
      QTest::mouseClick(box->windowHandle(), Qt::RightButton, {}, QPoint(5, 5));
      queuedDuringBox = toolkit.pendingEvents();
      box->button(QMessageBox::Ok)->click();
    }
  });
  showMessage("Information", "Request canceled", 0);
  EXPECT_EQ(queuedDuringBox, 0u);
  installToolkit(nullptr);
}

}  // namespace
}  // namespace zelvane
