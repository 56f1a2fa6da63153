#include "platform/qt/right_press_filter.h"

#include <QApplication>
#include <QMouseEvent>

namespace zelvane {

RightPressFilter::RightPressFilter(std::function<void()> onRightPress)
    : onRightPress_(std::move(onRightPress)) {}

bool RightPressFilter::eventFilter(QObject* receiver, QEvent* event) {
  // One press reaches the filter on the window first, then on the widget under
  // the pointer and on every parent it propagates to: count it on the window.
  if (event->type() != QEvent::MouseButtonPress || !receiver->isWindowType()) return false;
  const auto* press = static_cast<const QMouseEvent*>(event);
  if (press->button() != Qt::RightButton) return false;
  // The second press of a double click is a double click, not a press.
  if (press->flags().testFlag(Qt::MouseEventCreatedDoubleClick)) return false;
  // A modal dialog runs its own loop; presses on it are not the program's.
  if (QApplication::activeModalWidget()) return false;
  onRightPress_();
  return false;
}

}  // namespace zelvane
