// The one way the codecs read and write the receiver's bytes: numbers and bit fields at byte
// offsets of a QByteArray.
//
//   width  form                                       example
//   u8     one byte                                   0A is 10
//   u16    two bytes, low byte first                  2C 01 is 300
//   u32    four bytes, low byte first                 40 86 A4 08 is 145000000
//   bits   `width` bits of a byte from bit `shift`    bits 0-3 of 1F are F, bit 7 of 80 is 1
//          up, bit 0 the least significant
//
// The views check no bounds: the caller sizes the array (ZeroPadded for an area that may
// arrive short) and passes offsets inside it.
#pragma once

#include <QByteArray>

#include <cstdint>

namespace rqm27 {

constexpr int BitField(std::uint8_t byte, int shift, int width) {
  return (byte >> shift) & ((1 << width) - 1);
}

// The byte with bits shift to shift + width - 1 replaced by the low bits of `value`.
constexpr std::uint8_t WithBitField(std::uint8_t byte, int shift, int width, int value) {
  const int mask = ((1 << width) - 1) << shift;
  return static_cast<std::uint8_t>((byte & ~mask) | ((value << shift) & mask));
}

// The first `size` bytes, with 00 for each byte past the end of a shorter array.
inline QByteArray ZeroPadded(const QByteArray& bytes, int size) {
  return bytes.leftJustified(size, '\0', true);
}

class ByteReader {
 public:
  explicit ByteReader(const QByteArray& bytes) : bytes_(bytes) {}
  // A reader of a temporary would outlive its bytes.
  explicit ByteReader(const QByteArray&&) = delete;

  std::uint8_t u8(int offset) const { return static_cast<std::uint8_t>(bytes_[offset]); }
  std::uint16_t u16(int offset) const {
    return static_cast<std::uint16_t>(u8(offset) | (u8(offset + 1) << 8));
  }
  std::uint32_t u32(int offset) const {
    return u16(offset) | (static_cast<std::uint32_t>(u16(offset + 2)) << 16);
  }
  int bits(int offset, int shift, int width) const { return BitField(u8(offset), shift, width); }
  QByteArray bytes(int offset, int width) const { return bytes_.mid(offset, width); }

 private:
  const QByteArray& bytes_;
};

// Writes into the caller's array and reads back what is there now.
class ByteWriter : public ByteReader {
 public:
  explicit ByteWriter(QByteArray& bytes) : ByteReader(bytes), bytes_(bytes) {}

  void setU8(int offset, std::uint8_t value) { bytes_[offset] = static_cast<char>(value); }
  void setU16(int offset, std::uint16_t value) {
    setU8(offset, static_cast<std::uint8_t>(value & 0xFF));
    setU8(offset + 1, static_cast<std::uint8_t>(value >> 8));
  }
  void setU32(int offset, std::uint32_t value) {
    setU16(offset, static_cast<std::uint16_t>(value & 0xFFFF));
    setU16(offset + 2, static_cast<std::uint16_t>(value >> 16));
  }
  void setBits(int offset, int shift, int width, int value) {
    setU8(offset, WithBitField(u8(offset), shift, width, value));
  }
  void setBytes(int offset, const QByteArray& value) {
    bytes_.replace(offset, value.size(), value);
  }

 private:
  QByteArray& bytes_;
};

}  // namespace rqm27
