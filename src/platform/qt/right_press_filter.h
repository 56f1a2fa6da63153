#pragma once
// Sees every event of the application and reports each press of the right
// mouse button in one of the program's windows exactly once.
#include <QObject>
#include <functional>

namespace zelvane {

class RightPressFilter final : public QObject {
 public:
  explicit RightPressFilter(std::function<void()> onRightPress);

  bool eventFilter(QObject* receiver, QEvent* event) override;

 private:
  std::function<void()> onRightPress_;
};

}  // namespace zelvane
