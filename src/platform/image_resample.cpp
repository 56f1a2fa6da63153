// Resampling a held picture to a new size.
#include "platform/image_facility.h"
#include "platform/smooth_scale.h"

namespace zelvane {

void resampleImage(int number, int width, int height) {
  const ImageBuffer* picture = imageAt(number);
  if (!picture) return;
  if (picture->width == width && picture->height == height) return;
  // On failure the null result replaces the picture: no picture remains.
  storeImage(number, smoothScale(*picture, width, height));
}

}  // namespace zelvane
