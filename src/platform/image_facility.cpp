#include "platform/image_facility.h"

#include <array>
#include <cstring>
#include <new>

namespace zelvane {
namespace {

// A copy shares its raster with the picture it was made from until one of
// them is drawn on (beginDrawing): the preview is made by a copy that is at
// once resampled, and that full-size copy need never exist.
std::array<std::shared_ptr<ImageBuffer>, kImageSlotCount> slots;
ImageBuffer* drawingTarget = nullptr;

bool validNumber(int number) { return number >= 0 && number < kImageSlotCount; }

}  // namespace

std::unique_ptr<ImageBuffer> makeImageBuffer(int width, int height, int depth) {
  if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return nullptr;
  if (depth != 24 && depth != 32) return nullptr;
  auto image = std::make_unique<ImageBuffer>();
  image->width = width;
  image->height = height;
  image->bytesPerPixel = depth / 8;
  image->pixels.reset(new (std::nothrow) std::uint8_t[image->byteCount()]);
  if (!image->pixels) return nullptr;
  return image;
}

bool hasImage(int number) { return imageAt(number) != nullptr; }

int imageWidth(int number) {
  const ImageBuffer* image = imageAt(number);
  return image ? image->width : 0;
}

int imageHeight(int number) {
  const ImageBuffer* image = imageAt(number);
  return image ? image->height : 0;
}

const ImageBuffer* imageAt(int number) {
  return validNumber(number) ? slots[number].get() : nullptr;
}

ImageBuffer* createImage(int number, int width, int height, int depth) {
  if (!validNumber(number)) return nullptr;
  releaseImage(number);
  return storeImage(number, makeImageBuffer(width, height, depth));
}

ImageBuffer* storeImage(int number, std::unique_ptr<ImageBuffer> image) {
  if (!validNumber(number)) return nullptr;
  if (drawingTarget == slots[number].get()) drawingTarget = nullptr;
  slots[number] = std::move(image);
  return slots[number].get();
}

void releaseImage(int number) { storeImage(number, nullptr); }

void releaseAllImages() {
  for (int n = 0; n < kImageSlotCount; ++n) releaseImage(n);
}

namespace {

// A copy of its own, or null when memory runs out.
std::unique_ptr<ImageBuffer> copyOf(const ImageBuffer& source) {
  std::unique_ptr<ImageBuffer> copy = makeImageBuffer(source.width, source.height, source.depth());
  if (copy) std::memcpy(copy->pixels.get(), source.pixels.get(), source.byteCount());
  return copy;
}

}  // namespace

void duplicateImage(int from, int to) {
  const ImageBuffer* source = imageAt(from);
  if (!source || !validNumber(to) || from == to) return;
  if (slots[to] == slots[from]) return;  // already the same picture
  releaseImage(to);  // the old picture goes first, so two copies never coexist
  // The picture open for drawing is being changed pixel by pixel: it cannot
  // be shared.
  if (source == drawingTarget) storeImage(to, copyOf(*source));
  else slots[to] = slots[from];
}

ImageBuffer* beginDrawing(int number) {
  drawingTarget = nullptr;
  if (!validNumber(number) || !slots[number]) return nullptr;
  // Drawing on a shared picture first gives this number a copy of its own;
  // when that cannot be made, no picture remains, as a failed copy leaves.
  if (slots[number].use_count() > 1) storeImage(number, copyOf(*slots[number]));
  drawingTarget = slots[number].get();
  return drawingTarget;
}

PackedColor readPixel(int x, int y) {
  if (!drawingTarget || x < 0 || y < 0 || x >= drawingTarget->width || y >= drawingTarget->height)
    return 0;
  const std::uint8_t* p = drawingTarget->row(y) + static_cast<std::size_t>(x) * drawingTarget->bytesPerPixel;
  return makeColor(p[0], p[1], p[2]);
}

void writePixel(int x, int y, PackedColor color) {
  if (!drawingTarget || x < 0 || y < 0 || x >= drawingTarget->width || y >= drawingTarget->height)
    return;
  std::uint8_t* p = drawingTarget->row(y) + static_cast<std::size_t>(x) * drawingTarget->bytesPerPixel;
  p[0] = static_cast<std::uint8_t>(redOf(color));
  p[1] = static_cast<std::uint8_t>(greenOf(color));
  p[2] = static_cast<std::uint8_t>(blueOf(color));
}

void endDrawing() { drawingTarget = nullptr; }

}  // namespace zelvane
