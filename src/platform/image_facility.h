#pragma once
// The pictures the program holds, addressed by small numbers (0 is the full
// picture, 1 the preview), and everything done to them: create, copy,
// resample, pixel access, load and save. An operation on a number that holds
// nothing does nothing; a read from it gives 0.
#include <cstddef>
#include <cstdint>
#include <memory>
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

// When `from` holds a picture, `to` gets an exact copy of it (same size and
// raster form); otherwise nothing changes. The two share one raster until
// either is drawn on (beginDrawing), which then gets its own; when that copy
// cannot be made, no picture remains under that number. A raster pointer
// from createImage or storeImage must not be written through once the
// picture has been copied: draw through beginDrawing.
void duplicateImage(int from, int to);
// Replaces the picture by a smooth resample of all of it at exactly
// width x height: each new pixel averages what it covers. Nothing happens when
// the number holds nothing or the size is already that; when memory runs out,
// no picture remains under the number.
void resampleImage(int number, int width, int height);

// Loading. Both give the picture now held under `number`, or null.
// loadImageFile reads the whole file first: a file that cannot be read leaves
// the previous picture in place. From loadImageData on, a failure leaves no
// picture under `number`. The format is known by the content, never the name.
const ImageBuffer* loadImageFile(int number, const std::string& path);
const ImageBuffer* loadImageData(int number, const std::uint8_t* bytes, std::size_t size);

// Saves the picture under `number` through the encoder registered for
// `codecId`. depth -1 means the picture's own depth. A 32-bit picture goes to
// an encoder without a 32-bit operation flattened over white. True on success.
bool saveImageFile(int number, const std::string& path, std::uint32_t codecId, int qualityLevel,
                   int depth);

// Each of red, green, blue becomes (65025 - a * (255 - c)) / 255: the pixel
// composited over white. Gives a 24-bit raster, or null when memory runs out.
std::unique_ptr<ImageBuffer> flattenOverWhite(const ImageBuffer& picture);

// Plug-in codecs. A decoder's check looks at the whole file in memory; when it
// takes the file it returns a non-null handle and the raster size and depth it
// will fill, and release(handle) is then called once whatever decode gives. A
// check that refuses frees its own preparations.
struct DecodedSize {
  int width = 0;
  int height = 0;
  int depth = 24;
};
struct ImageDecoder {
  std::uint32_t codecId = 0;
  void* (*check)(const std::uint8_t* bytes, std::size_t size, DecodedSize& size_out) = nullptr;
  bool (*decode)(void* handle, ImageBuffer& raster) = nullptr;
  void (*release)(void* handle) = nullptr;
};
// An encoder writes a whole file; encode32 may be null.
struct ImageEncoder {
  std::uint32_t codecId = 0;
  bool (*encode24)(const std::string& path, const ImageBuffer& picture, int qualityLevel) = nullptr;
  bool (*encode32)(const std::string& path, const ImageBuffer& picture, int qualityLevel) = nullptr;
};
// Added at the end of the list; registering the same codec again does nothing.
void registerImageDecoder(const ImageDecoder& decoder);
void registerImageEncoder(const ImageEncoder& encoder);

// Drawing context: pixel access to one picture at a time. beginDrawing gives
// the raster (null when the number holds nothing, or when a shared raster
// cannot be copied) so that row loops can work on it directly;
// readPixel/writePixel address the open picture.
ImageBuffer* beginDrawing(int number);
PackedColor readPixel(int x, int y);
void writePixel(int x, int y, PackedColor color);  // never changes alpha
void endDrawing();

}  // namespace zelvane
