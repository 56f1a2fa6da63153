#pragma once
// The image view: shows one picture unscaled, one picture pixel to one screen
// pixel, a 32-bit picture composited over the window background by its alpha.
#include <QWidget>

#include "platform/image_buffer.h"

namespace zelvane {

class ImageView final : public QWidget {
 public:
  explicit ImageView(QWidget* parent);

  // Shows `image` (not copied) at its own size; null keeps the size and shows
  // nothing. Repaints at once.
  void setImage(const ImageBuffer* image);
  const ImageBuffer* image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const ImageBuffer* image_ = nullptr;
};

}  // namespace zelvane
