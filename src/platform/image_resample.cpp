// Resampling a held picture to a new size.
#include "platform/area_shrink.h"
#include "platform/image_facility.h"
#include "platform/smooth_scale.h"

namespace zelvane {

void resampleImage(int number, int width, int height) {
  const ImageBuffer* picture = imageAt(number);
  if (!picture) return;
  if (picture->width == width && picture->height == height) return;
  // A 24-bit picture shrinks straight from its own rows; the toolkit would
  // first convert all of it to its 32-bit working form, a second full-size
  // copy that takes longer than the averaging itself.
  const bool shrinks = width <= picture->width && height <= picture->height;
  // On failure the null result replaces the picture: no picture remains.
  storeImage(number, picture->bytesPerPixel == 3 && shrinks
                         ? shrinkByAreaAverage(*picture, width, height)
                         : smoothScale(*picture, width, height));
}

}  // namespace zelvane
