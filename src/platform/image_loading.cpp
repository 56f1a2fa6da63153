// Loading a picture: read the file whole, know the format by its content,
// decode into a raster held under the number.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <vector>

#include "platform/bmp_reader.h"
#include "platform/image_facility.h"

namespace zelvane {
namespace {

std::vector<ImageDecoder>& decoders() {
  static std::vector<ImageDecoder> list;
  return list;
}

// The whole file in one buffer, or false when it cannot be opened or read in
// full.
bool readWholeFile(const std::string& path, std::unique_ptr<std::uint8_t[]>& buffer,
                   std::size_t& size) {
  // Non-blocking so that a FIFO under the name cannot hang the open.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0;
  if (ok) {
    size = static_cast<std::size_t>(info.st_size);
    buffer.reset(new (std::nothrow) std::uint8_t[size > 0 ? size : 1]);
    ok = buffer != nullptr;
  }
  std::size_t done = 0;
  while (ok && done < size) {  // read() may hand over a large file in parts
    const ssize_t got = ::read(fd, buffer.get() + done, size - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) ok = false;
    else done += static_cast<std::size_t>(got);
  }
  ::close(fd);
  return ok;
}

std::unique_ptr<ImageBuffer> decodeWith(const ImageDecoder& decoder, void* handle,
                                        const DecodedSize& size) {
  std::unique_ptr<ImageBuffer> raster = makeImageBuffer(size.width, size.height, size.depth);
  if (raster && !decoder.decode(handle, *raster)) raster.reset();
  decoder.release(handle);
  return raster;
}

}  // namespace

void registerImageDecoder(const ImageDecoder& decoder) {
  for (const ImageDecoder& known : decoders())
    if (known.codecId == decoder.codecId) return;
  decoders().push_back(decoder);
}

const ImageBuffer* loadImageData(int number, const std::uint8_t* bytes, std::size_t size) {
  releaseImage(number);
  if (!bytes && size > 0) return nullptr;
  if (isBmpData(bytes, size)) return storeImage(number, readBmp(bytes, size));
  for (const ImageDecoder& decoder : decoders()) {
    DecodedSize decodedSize;
    void* handle = decoder.check(bytes, size, decodedSize);
    if (handle) return storeImage(number, decodeWith(decoder, handle, decodedSize));
  }
  return nullptr;
}

const ImageBuffer* loadImageFile(int number, const std::string& path) {
  std::unique_ptr<std::uint8_t[]> buffer;
  std::size_t size = 0;
  if (path.empty() || !readWholeFile(path, buffer, size)) return nullptr;
  return loadImageData(number, buffer.get(), size);
}

}  // namespace zelvane
