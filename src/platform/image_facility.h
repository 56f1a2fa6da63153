#pragma once
// The pictures the program holds, addressed by small numbers (0 is the full
// picture, 1 the preview), and everything done to them: create, copy,
// resample, pixel access, load and save. An operation on a number that holds
// nothing does nothing; a read from it gives 0.
#include <cstddef>
#include <cstdint>
#include <string>

#include "color/color_classes.h"
#include "platform/image_buffer.h"

namespace zelvane {

inline constexpr int kImageSlotCount = 8;

bool hasImage(int number);
int imageWidth(int number);
int imageHeight(int number);
// The picture under a number, or null. Valid until that number changes.
const ImageBuffer* imageAt(int number);

// Replaces the picture under `number` by a new raster (pixels unset); returns
// it, or null (and no picture remains) when it cannot be made.
ImageBuffer* createImage(int number, int width, int height, int depth);
// Puts a finished raster under `number`, releasing what was there.
ImageBuffer* storeImage(int number, std::unique_ptr<ImageBuffer> image);
void releaseImage(int number);
void releaseAllImages();

// Drawing context: pixel access to one picture at a time. beginDrawing gives
// the raster (null when the number holds nothing) so that row loops can work
// on it directly; readPixel/writePixel address the open picture.
ImageBuffer* beginDrawing(int number);
PackedColor readPixel(int x, int y);
void writePixel(int x, int y, PackedColor color);  // never changes alpha
void endDrawing();

}  // namespace zelvane
