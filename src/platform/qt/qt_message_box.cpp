#include <QApplication>
#include <QMessageBox>

#include "platform/qt/arrow_while_modal.h"
#include "platform/qt/qt_dialogs.h"

namespace zelvane {
namespace {

constexpr int kIconBits = 0xF0;
constexpr int kOkButtonCode = 1;

}  // namespace

int QtDialogs::messageBox(const std::string& title, const std::string& text, int flags) {
  const QMessageBox::Icon icon =
      (flags & kIconBits) == kMessageErrorIcon ? QMessageBox::Critical : QMessageBox::NoIcon;
  // Owned by the active window of ours, if any; modal to the whole program.
  QMessageBox box(icon, QString::fromStdString(title), QString::fromStdString(text),
                  QMessageBox::Ok, QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  ArrowWhileModal arrow;
  box.exec();
  return kOkButtonCode;
}

}  // namespace zelvane
