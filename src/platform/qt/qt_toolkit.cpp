#include "platform/qt/qt_toolkit.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "platform/qt/image_view.h"
#include "platform/qt/program_icon.h"

namespace zelvane {
namespace {

QString fromUtf8(const char* text) { return QString::fromUtf8(text ? text : ""); }

}  // namespace

QtToolkit::QtToolkit() : rightPresses_([this] { queue(UiEvent{RightButtonDown, 0, 0}); }) {
  qApp->installEventFilter(&rightPresses_);
}

QtToolkit::~QtToolkit() {
  qApp->removeEventFilter(&rightPresses_);
  destroyWindow();
  if (busy_) QApplication::restoreOverrideCursor();
}

bool QtToolkit::createWindow(const WindowSpec& layout) {
  if (window_) return false;
  window_ = std::make_unique<TopWindow>([this] { queue(UiEvent{CloseRequest, 0, 0}); });
  window_->setWindowTitle(fromUtf8(layout.title));
  window_->setWindowIcon(QIcon(QPixmap::fromImage(drawProgramIcon())));
  window_->setAttribute(Qt::WA_AlwaysShowToolTips);
  window_->resize(layout.clientWidth, layout.clientHeight);
  window_->move(layout.x, layout.y);  // the frame's corner, or the client's without one
  window_->show();
  return true;
}

void QtToolkit::createControl(const ControlSpec& layout) {
  if (!window_ || controls_.count(layout.id)) return;
  QWidget* widget = makeControl(layout);
  widget->setObjectName(fromUtf8(layout.name));
  widget->setGeometry(layout.x, layout.y, layout.width, layout.height);
  if (layout.tooltip) widget->setToolTip(fromUtf8(layout.tooltip));
  widget->show();  // the window is already visible
  controls_[layout.id] = widget;
}

QWidget* QtToolkit::makeControl(const ControlSpec& layout) {
  const int id = layout.id;
  const QString text = fromUtf8(layout.text);
  switch (layout.kind) {
    case ControlKind::ImageView:
      return new ImageView(window_.get());
    case ControlKind::GroupFrame:
      return new QGroupBox(text, window_.get());
    case ControlKind::CheckBox: {
      auto* box = new QCheckBox(text, window_.get());
      // clicked comes after the tick has changed, and only from the user.
      QObject::connect(box, &QCheckBox::clicked, box, [this, id] { queueControlEvent(id); });
      return box;
    }
    case ControlKind::ColorSwatch: {
      auto* swatch = new QLabel(text, window_.get());
      swatch->setAutoFillBackground(true);
      return swatch;
    }
    case ControlKind::PushButton: {
      auto* button = new QPushButton(text, window_.get());
      button->setAutoDefault(false);  // Enter does nothing
      button->setDefault(false);
      QObject::connect(button, &QPushButton::clicked, button,
                       [this, id] { queueControlEvent(id); });
      return button;
    }
    case ControlKind::ReadOnlyField: {
      auto* field = new QLineEdit(text, window_.get());
      field->setReadOnly(true);
      QObject::connect(field, &QLineEdit::textChanged, field, [this, id] { queueControlEvent(id); });
      QObject::connect(qApp, &QApplication::focusChanged, field,
                       [this, id, field](QWidget* old, QWidget* now) {
                         if (old == field || now == field) queueControlEvent(id);
                       });
      field->setContextMenuPolicy(Qt::CustomContextMenu);
      QObject::connect(field, &QLineEdit::customContextMenuRequested, field,
                       [this, field](const QPoint& at) {
                         menuOwner_ = field;
                         menuPosition_ = field->mapToGlobal(at);
                       });
      return field;
    }
  }
  return new QWidget(window_.get());
}

QWidget* QtToolkit::control(int id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

void QtToolkit::setControlEnabled(int id, bool enabled) {
  if (QWidget* widget = control(id)) widget->setEnabled(enabled);
}

void QtToolkit::setControlImage(int id, const ImageBuffer* image) {
  if (auto* view = dynamic_cast<ImageView*>(control(id))) view->setImage(image);
}

void QtToolkit::setControlText(int id, const std::string& text) {
  QWidget* widget = control(id);
  const QString value = QString::fromStdString(text);
  if (auto* field = qobject_cast<QLineEdit*>(widget)) field->setText(value);
  else if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(value);
  else if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(value);
  else if (auto* frame = qobject_cast<QGroupBox*>(widget)) frame->setTitle(value);
}

int QtToolkit::checkState(int id) {
  const auto* box = qobject_cast<QCheckBox*>(control(id));
  return box && box->isChecked() ? 1 : 0;
}

void QtToolkit::setControlBackground(int id, std::int32_t color) {
  QWidget* widget = control(id);
  if (!widget) return;
  if (color == kDefaultBackground) {
    widget->setPalette(QPalette());  // inherits the window's colors again
  } else {
    const auto packed = static_cast<std::uint32_t>(color);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window,
                     QColor(packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF));
    widget->setPalette(palette);
  }
  widget->update();  // drawn when the loop next waits
}

void QtToolkit::destroyWindow() {
  contextMenu_.reset();
  controls_.clear();
  window_.reset();
  events_.clear();  // every queued event concerns the window
}

void QtToolkit::showPendingContextMenu() {
  if (!menuOwner_) return;
  auto* field = qobject_cast<QLineEdit*>(menuOwner_.data());
  menuOwner_.clear();
  if (!field) return;
  contextMenu_.reset(field->createStandardContextMenu());
  contextMenu_->popup(menuPosition_);
}

UiEvent QtToolkit::waitEvent() {
  for (;;) {
    if (!events_.empty()) {
      const UiEvent event = events_.front();
      events_.pop_front();
      return event;
    }
    // Without a window no event can come: end rather than wait for ever.
    if (!window_) return UiEvent{CloseRequest, 0, 0};
    showPendingContextMenu();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

void QtToolkit::setBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The command blocks the loop: hand the new cursor to the display now.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace zelvane
