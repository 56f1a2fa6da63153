#pragma once
// The toolkit on Qt Widgets. Qt's signals, the close request and the right
// presses seen by an application-wide filter append to one FIFO of UiEvents;
// waitEvent pops it and otherwise lets Qt handle the window system's events.
#include <QPoint>
#include <QPointer>
#include <deque>
#include <map>
#include <memory>

#include "platform/qt/right_press_filter.h"
#include "platform/qt/top_window.h"
#include "platform/toolkit.h"

class QMenu;

namespace zelvane {

class QtToolkit final : public Toolkit {
 public:
  QtToolkit();
  ~QtToolkit() override;

  bool createWindow(const WindowSpec& layout) override;
  void createControl(const ControlSpec& layout) override;
  void setControlEnabled(int id, bool enabled) override;
  void setControlImage(int id, const ImageBuffer* image) override;
  void setControlText(int id, const std::string& text) override;
  int checkState(int id) override;
  void setControlBackground(int id, std::int32_t color) override;
  void destroyWindow() override;
  UiEvent waitEvent() override;
  void setBusy(bool busy) override;

  // The Qt objects behind the numbers (null when absent), for tests.
  QWidget* window() const { return window_.get(); }
  QWidget* control(int id) const;
  // Events queued and not yet taken.
  std::size_t pendingEvents() const { return events_.size(); }

 private:
  QWidget* makeControl(const ControlSpec& layout);
  void queue(UiEvent event) { events_.push_back(event); }
  void queueControlEvent(int id) { queue(UiEvent{ControlEvent, id, 0}); }
  void showPendingContextMenu();

  std::unique_ptr<TopWindow> window_;
  std::map<int, QWidget*> controls_;  // owned by window_
  std::deque<UiEvent> events_;
  RightPressFilter rightPresses_;
  bool busy_ = false;
  // The path field's context menu opens once the right press that asked for
  // it has been taken from the queue, so a color pick there sees the field.
  QPointer<QWidget> menuOwner_;
  QPoint menuPosition_;
  std::unique_ptr<QMenu> contextMenu_;
};

}  // namespace zelvane
