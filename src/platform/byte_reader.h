#pragma once
// Little-endian reads from a byte range that answer 0 and mark the reader
// short instead of reading past its end: the bounds live here, not before
// every read.
#include <cstddef>
#include <cstdint>

namespace zelvane {

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool seek(std::size_t offset) {
    if (offset > size_) return markShort();
    position_ = offset;
    return true;
  }
  bool skip(std::size_t count) { return count <= remaining() ? seek(position_ + count) : markShort(); }
  // The next `count` bytes, or null (and short) when fewer remain.
  const std::uint8_t* take(std::size_t count) {
    if (count > remaining()) return markShort(), nullptr;
    const std::uint8_t* start = data_ + position_;
    position_ += count;
    return start;
  }

  std::uint8_t u8() {
    if (position_ >= size_) return markShort(), 0;
    return data_[position_++];
  }
  std::uint16_t u16() {
    const unsigned low = u8();
    return static_cast<std::uint16_t>(low | static_cast<unsigned>(u8()) << 8);
  }
  std::uint32_t u32() {
    const std::uint32_t low = u16();
    return low | static_cast<std::uint32_t>(u16()) << 16;
  }
  std::int32_t s32() { return static_cast<std::int32_t>(u32()); }

  std::size_t position() const { return position_; }
  std::size_t remaining() const { return size_ - position_; }
  std::size_t size() const { return size_; }
  bool isShort() const { return short_; }

 private:
  bool markShort() {
    short_ = true;
    position_ = size_;
    return false;
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
  bool short_ = false;
};

}  // namespace zelvane
