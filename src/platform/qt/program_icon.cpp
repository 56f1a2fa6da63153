#include "platform/qt/program_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <array>

namespace zelvane {
namespace {

constexpr std::array<QRgb, 7> kRingColors{
    qRgb(230, 30, 30),   // red
    qRgb(245, 140, 20),  // orange
    qRgb(240, 220, 30),  // yellow
    qRgb(40, 180, 60),   // green
    qRgb(30, 200, 210),  // cyan
    qRgb(40, 80, 220),   // blue
    qRgb(140, 50, 200),  // violet
};

// A wheel of `teeth` teeth around `center`, with a hole in the middle.
QPainterPath cogWheel(QPointF center, double outer, double inner, double hole, int teeth) {
  QPainterPath path;
  const int corners = teeth * 4;
  for (int i = 0; i < corners; ++i) {
    const double angle = 2 * M_PI * i / corners;
    const double radius = (i % 4 < 2) ? outer : inner;
    const QPointF point = center + QPointF(radius * qCos(angle), radius * qSin(angle));
    if (i == 0) path.moveTo(point);
    else path.lineTo(point);
  }
  path.closeSubpath();
  path.addEllipse(center, hole, hole);
  path.setFillRule(Qt::OddEvenFill);
  return path;
}

}  // namespace

QImage drawProgramIcon() {
  QImage icon(kProgramIconSide, kProgramIconSide, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);

  // The ring lies on the face of the wheel, both centred.
  const QPointF center(24, 24);
  painter.setPen(QPen(QColor(70, 70, 70), 1.2));
  painter.setBrush(QColor(150, 150, 150));
  painter.drawPath(cogWheel(center, 23, 19, 4, 12));

  const QRectF ringBox(center - QPointF(16, 16), QSizeF(32, 32));
  constexpr int kRingWidth = 7;
  const QRectF arcBox = ringBox.adjusted(kRingWidth / 2.0, kRingWidth / 2.0, -kRingWidth / 2.0,
                                         -kRingWidth / 2.0);
  constexpr int kSegments = static_cast<int>(kRingColors.size());
  for (int i = 0; i < kSegments; ++i) {
    painter.setPen(QPen(QColor(kRingColors[i]), kRingWidth, Qt::SolidLine, Qt::FlatCap));
    // Qt counts angles in 1/16 degree, counter-clockwise from three o'clock;
    // red starts at the top and the colors run clockwise.
    const int start = (90 - i * 360 / kSegments) * 16;
    painter.drawArc(arcBox, start, -(360 * 16 / kSegments));
  }
  painter.end();
  return icon.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace zelvane
