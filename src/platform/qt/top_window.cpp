#include "platform/qt/top_window.h"

#include <QCloseEvent>

namespace zelvane {

TopWindow::TopWindow(std::function<void()> onCloseRequest)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      onCloseRequest_(std::move(onCloseRequest)) {}

void TopWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  onCloseRequest_();
}

}  // namespace zelvane
