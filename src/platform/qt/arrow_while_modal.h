#pragma once
// A modal dialog opened by a command shows the arrow, not the busy pointer the
// command runs under; the busy pointer comes back when the dialog closes.
#include <QApplication>

namespace zelvane {

class ArrowWhileModal {
 public:
  ArrowWhileModal() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
  ~ArrowWhileModal() { QApplication::restoreOverrideCursor(); }
  ArrowWhileModal(const ArrowWhileModal&) = delete;
  ArrowWhileModal& operator=(const ArrowWhileModal&) = delete;
};

}  // namespace zelvane
