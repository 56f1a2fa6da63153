#include "platform/qt/image_view.h"

#include <QImage>
#include <QPainter>

#include "platform/image_facility.h"

namespace zelvane {
namespace {

// The view keeps a pointer to a picture the image facility owns. A repaint
// between a picture's release and the next setImage must not read freed
// memory, so the view draws only a picture the facility still holds.
bool stillHeld(const ImageBuffer* image) {
  for (int number = 0; number < kImageSlotCount; ++number) {
    if (imageAt(number) == image) return true;
  }
  return false;
}

}  // namespace

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
  // Transparent parts of a 32-bit picture show the window behind the view.
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void ImageView::setImage(const ImageBuffer* image) {
  image_ = image;
  if (image_) resize(image_->width, image_->height);
  repaint();
}

void ImageView::paintEvent(QPaintEvent*) {
  if (!image_ || !stillHeld(image_) || !image_->pixels) return;
  const QImage::Format format =
      image_->bytesPerPixel == 4 ? QImage::Format_RGBA8888 : QImage::Format_RGB888;
  const QImage wrapped(image_->pixels.get(), image_->width, image_->height,
                       static_cast<qsizetype>(image_->stride()), format);
  QPainter painter(this);
  painter.drawImage(0, 0, wrapped);
}

}  // namespace zelvane
