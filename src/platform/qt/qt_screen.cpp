#include "platform/qt/qt_screen.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include "color/color_classes.h"

namespace zelvane {
namespace {

std::uint32_t firstPixel(const QPixmap& pixmap) {
  if (pixmap.isNull() || pixmap.width() < 1 || pixmap.height() < 1) return kUnreadablePixel;
  const QRgb rgb = pixmap.toImage().pixel(0, 0);
  return makeColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

std::uint32_t readFromScreen(const QPoint& point) {
  QScreen* screen = QGuiApplication::screenAt(point);
  if (!screen) return kUnreadablePixel;
  const QPoint local = point - screen->geometry().topLeft();
  return firstPixel(screen->grabWindow(0, local.x(), local.y(), 1, 1));
}

std::uint32_t readFromOwnWindow(const QPoint& point) {
  QWidget* window = QApplication::topLevelAt(point);
  if (!window) return kUnreadablePixel;
  const QPoint local = window->mapFromGlobal(point);
  if (!window->rect().contains(local)) return kUnreadablePixel;
  return firstPixel(window->grab(QRect(local, QSize(1, 1))));
}

}  // namespace

bool QtScreen::cursorPosition(ScreenPoint& point) {
  const QPoint position = QCursor::pos();
  point = {position.x(), position.y()};
  return true;
}

std::uint32_t QtScreen::pixelColor(ScreenPoint point) {
  const QPoint where(point.x, point.y);
  const std::uint32_t color = readScreen_ ? readFromScreen(where) : kUnreadablePixel;
  return color != kUnreadablePixel ? color : readFromOwnWindow(where);
}

}  // namespace zelvane
