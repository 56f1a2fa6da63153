// The BMP header is parsed once into a plain struct; then one function per
// family of layout (color table rows, RLE, bit masks, 24 and 32 bits) writes
// the rows straight into the raster. Every read goes through ByteReader.
#include "platform/bmp_reader.h"

#include <array>
#include <cstring>

#include "platform/byte_reader.h"

namespace zelvane {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSizes[] = {40, 52, 56, 108, 124};  // not the 12-byte OS/2 one
constexpr std::uint32_t kPlainInfoHeaderSize = 40;

enum : std::uint32_t { kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3 };

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
};

struct BmpHeader {
  std::uint32_t dataOffset = 0;
  std::uint32_t headerSize = 0;
  int width = 0;
  int height = 0;  // rows, always positive here
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
  std::size_t colorTableOffset = 0;
};

bool knownHeaderSize(std::uint32_t size) {
  for (std::uint32_t known : kInfoHeaderSizes)
    if (size == known) return true;
  return false;
}

bool knownLayout(int bits, std::uint32_t compression) {
  switch (compression) {
    case kBiRgb: return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kBiRle8: return bits == 8;
    case kBiRle4: return bits == 4;
    case kBiBitfields: return bits == 16 || bits == 32;
    default: return false;  // embedded JPEG or PNG, and anything unknown
  }
}

bool parseHeader(ByteReader& in, BmpHeader& header) {
  in.seek(10);
  header.dataOffset = in.u32();
  header.headerSize = in.u32();
  const std::int32_t width = in.s32();
  const std::int32_t height = in.s32();
  in.u16();  // planes
  header.bitCount = in.u16();
  header.compression = in.u32();
  in.skip(12);  // image size, resolution
  header.colorsUsed = in.u32();
  if (in.isShort() || !knownHeaderSize(header.headerSize)) return false;
  if (!knownLayout(header.bitCount, header.compression)) return false;
  if (width <= 0 || width > kMaxImageSide || height == 0) return false;
  const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
  if (rows > kMaxImageSide) return false;
  header.width = width;
  header.height = static_cast<int>(rows);
  header.topDown = height < 0;
  // Windows does not compress rows stored top first.
  if (header.topDown && (header.compression == kBiRle8 || header.compression == kBiRle4))
    return false;

  // Bit masks lie inside the longer headers, or right after the 40-byte one.
  header.colorTableOffset = kFileHeaderSize + header.headerSize;
  in.seek(kFileHeaderSize + kPlainInfoHeaderSize);
  if (header.compression == kBiBitfields) {
    for (int i = 0; i < 3; ++i) header.masks[i] = in.u32();
    if (header.headerSize == kPlainInfoHeaderSize) header.colorTableOffset += 12;
  } else if (header.bitCount == 16) {
    header.masks = {0x7C00, 0x03E0, 0x001F, 0};
  }
  if (header.compression == kBiBitfields && header.headerSize >= 56) {
    in.seek(kFileHeaderSize + kPlainInfoHeaderSize + 12);
    header.masks[3] = in.u32();
  }
  return !in.isShort();
}

bool readColorTable(ByteReader& in, const BmpHeader& header, std::array<Rgb, 256>& table) {
  const std::uint32_t full = 1u << header.bitCount;
  const std::uint32_t count =
      header.colorsUsed == 0 || header.colorsUsed > full ? full : header.colorsUsed;
  in.seek(header.colorTableOffset);
  const std::uint8_t* entries = in.take(std::size_t{count} * 4);
  if (!entries) return false;
  for (std::uint32_t i = 0; i < count; ++i)  // blue, green, red, reserved
    table[i] = Rgb{entries[4 * i + 2], entries[4 * i + 1], entries[4 * i]};
  return true;
}

// One channel of a bit-mask layout, widened to 8 bits with rounding.
struct MaskChannel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint64_t maximum = 0;

  explicit MaskChannel(std::uint32_t m) : mask(m) {
    if (mask == 0) return;
    while (!((mask >> shift) & 1u)) ++shift;
    maximum = mask >> shift;
  }
  std::uint8_t operator()(std::uint32_t pixel) const {
    if (maximum == 0) return 0;
    const std::uint64_t value = (pixel & mask) >> shift;
    return static_cast<std::uint8_t>((value * 255 + maximum / 2) / maximum);
  }
};

void writeColorTableRow(const std::uint8_t* in, const BmpHeader& header,
                        const std::array<Rgb, 256>& table, std::uint8_t* out) {
  const int bits = header.bitCount;
  const int perByte = 8 / bits;
  const unsigned lowMask = (1u << bits) - 1;
  for (int x = 0; x < header.width; ++x, out += 3) {
    const int shift = 8 - bits * (x % perByte + 1);
    const Rgb& color = table[(in[x / perByte] >> shift) & lowMask];
    out[0] = color.red;
    out[1] = color.green;
    out[2] = color.blue;
  }
}

void writeMaskRow(const std::uint8_t* in, const BmpHeader& header,
                  const std::array<MaskChannel, 4>& channels, int bytesPerPixel, std::uint8_t* out) {
  for (int x = 0; x < header.width; ++x, in += header.bitCount / 8, out += bytesPerPixel) {
    std::uint32_t pixel = in[0] | static_cast<std::uint32_t>(in[1]) << 8;
    if (header.bitCount == 32)
      pixel |= static_cast<std::uint32_t>(in[2]) << 16 | static_cast<std::uint32_t>(in[3]) << 24;
    for (int c = 0; c < bytesPerPixel; ++c) out[c] = channels[c](pixel);
  }
}

void writeDirectRow(const std::uint8_t* in, const BmpHeader& header, std::uint8_t* out) {
  const int inStep = header.bitCount / 8;
  const int outStep = inStep;  // 24 bits to the 24-bit raster, 32 to the 32-bit one
  for (int x = 0; x < header.width; ++x, in += inStep, out += outStep) {
    out[0] = in[2];  // files store blue, green, red (, alpha)
    out[1] = in[1];
    out[2] = in[0];
    if (inStep == 4) out[3] = in[3];
  }
}

// The layout of rows without compression. Every row must lie inside the data;
// the last one may lack its padding.
struct RowSpan {
  std::uint64_t stride = 0;
  std::uint64_t total = 0;
};

bool uncompressedRowsFit(const BmpHeader& header, std::size_t size, RowSpan& span) {
  const std::uint64_t rowBits = std::uint64_t{static_cast<std::uint32_t>(header.width)} *
                                static_cast<std::uint32_t>(header.bitCount);
  span.stride = (rowBits + 31) / 32 * 4;
  span.total = span.stride * static_cast<std::uint64_t>(header.height - 1) + (rowBits + 7) / 8;
  return header.dataOffset <= size && span.total <= size - header.dataOffset;
}

bool readUncompressed(ByteReader& in, const BmpHeader& header, const std::array<Rgb, 256>& table,
                      ImageBuffer& raster) {
  RowSpan span;
  if (!uncompressedRowsFit(header, in.size(), span) || !in.seek(header.dataOffset)) return false;
  const std::uint8_t* data = in.take(static_cast<std::size_t>(span.total));
  if (!data) return false;

  std::array<MaskChannel, 4> channels{MaskChannel(header.masks[0]), MaskChannel(header.masks[1]),
                                      MaskChannel(header.masks[2]), MaskChannel(header.masks[3])};
  const bool masked = header.bitCount == 16 || header.compression == kBiBitfields;
  for (int fileRow = 0; fileRow < header.height; ++fileRow) {
    const std::uint8_t* fileData = data + span.stride * static_cast<std::uint64_t>(fileRow);
    std::uint8_t* out = raster.row(header.topDown ? fileRow : header.height - 1 - fileRow);
    if (header.bitCount <= 8) writeColorTableRow(fileData, header, table, out);
    else if (masked) writeMaskRow(fileData, header, channels, raster.bytesPerPixel, out);
    else writeDirectRow(fileData, header, out);
  }
  return true;
}

// RLE8 and RLE4, bottom row first. Pixels the data skips stay black; data that
// ends before its end-of-picture code gives no picture.
bool readRunLength(ByteReader& in, const BmpHeader& header, const std::array<Rgb, 256>& table,
                   ImageBuffer& raster) {
  std::memset(raster.pixels.get(), 0, raster.byteCount());
  const bool fourBits = header.compression == kBiRle4;
  int x = 0;
  int fileRow = 0;
  auto put = [&](unsigned index) {
    if (x < header.width && fileRow < header.height) {
      std::uint8_t* p = raster.row(header.height - 1 - fileRow) + static_cast<std::size_t>(x) * 3;
      p[0] = table[index].red;
      p[1] = table[index].green;
      p[2] = table[index].blue;
    }
    ++x;
  };
  if (!in.seek(header.dataOffset)) return false;
  while (fileRow < header.height) {
    const unsigned count = in.u8();
    const unsigned value = in.u8();
    if (in.isShort()) return false;
    if (count > 0) {  // a run of one index, or of two alternating nibbles
      for (unsigned i = 0; i < count; ++i)
        put(fourBits ? (i % 2 == 0 ? value >> 4 : value & 15u) : value);
    } else if (value == 0) {  // end of line
      x = 0;
      ++fileRow;
    } else if (value == 1) {  // end of picture
      break;
    } else if (value == 2) {  // move right and up
      x += in.u8();
      fileRow += in.u8();
    } else {  // `value` indices stored as they are, padded to 16 bits
      const std::size_t bytes = fourBits ? (value + 1) / 2 : value;
      const std::uint8_t* literal = in.take(bytes);
      if (!literal) return false;
      for (unsigned i = 0; i < value; ++i)
        put(fourBits ? (i % 2 == 0 ? literal[i / 2] >> 4 : literal[i / 2] & 15u) : literal[i]);
      if (bytes % 2) in.skip(1);
    }
    if (in.isShort()) return false;
    if (x > header.width) x = header.width;  // keeps a long run of deltas from overflowing
  }
  return true;
}

// A 32-bit picture whose alpha bytes are all 0 was written without alpha: it
// is opaque.
void makeOpaqueWithoutAlpha(ImageBuffer& raster) {
  const std::size_t count = static_cast<std::size_t>(raster.width) * raster.height;
  std::uint8_t* pixels = raster.pixels.get();
  for (std::size_t i = 0; i < count; ++i)
    if (pixels[4 * i + 3] != 0) return;
  for (std::size_t i = 0; i < count; ++i) pixels[4 * i + 3] = 255;
}

}  // namespace

bool isBmpData(const std::uint8_t* bytes, std::size_t size) {
  return size >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

std::unique_ptr<ImageBuffer> readBmp(const std::uint8_t* bytes, std::size_t size) {
  if (!isBmpData(bytes, size)) return nullptr;
  ByteReader in(bytes, size);
  BmpHeader header;
  if (!parseHeader(in, header)) return nullptr;
  std::array<Rgb, 256> table{};  // indices past the table's end give black
  if (header.bitCount <= 8 && !readColorTable(in, header, table)) return nullptr;

  const bool runLength = header.compression == kBiRle8 || header.compression == kBiRle4;
  RowSpan span;  // the rows must be there before a raster is made for them
  if (!runLength && !uncompressedRowsFit(header, size, span)) return nullptr;
  std::unique_ptr<ImageBuffer> raster =
      makeImageBuffer(header.width, header.height, header.bitCount == 32 ? 32 : 24);
  if (!raster) return nullptr;
  const bool ok = runLength ? readRunLength(in, header, table, *raster)
                            : readUncompressed(in, header, table, *raster);
  if (!ok) return nullptr;
  if (raster->bytesPerPixel == 4) makeOpaqueWithoutAlpha(*raster);
  return raster;
}

}  // namespace zelvane
