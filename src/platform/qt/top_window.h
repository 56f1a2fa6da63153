#pragma once
// The main window's Qt widget: a close request from the user or the window
// system does not close it; it is reported and the program decides.
#include <QWidget>
#include <functional>

namespace zelvane {

class TopWindow final : public QWidget {
 public:
  explicit TopWindow(std::function<void()> onCloseRequest);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void()> onCloseRequest_;
};

}  // namespace zelvane
