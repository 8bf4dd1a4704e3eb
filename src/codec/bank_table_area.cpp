#include "codec/bank_table_area.h"

#include "model/hex_text.h"

#include <array>
#include <cstdint>

namespace rqm27 {
namespace {

inline constexpr std::array<std::uint8_t, BankTableAreaSize - BankTableCountBytes> FixedTail = {
    0x64, 0x00, 0xC8, 0x00, 0x64, 0x00, 0x00, 0x00, 0x64, 0x00, 0x00, 0x00, 0x15, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

int ByteAt(const QByteArray& bytes, int i) {
  return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
}

}  // namespace

BankTable DecodeBankTable(const QByteArray& area) {
  BankTable banks;
  for (int b = 0; b < BankCount; ++b) {
    banks.counts[b] = ByteAt(area, 2 * b) + 256 * ByteAt(area, 2 * b + 1);
  }
  return banks;
}

QByteArray EncodeBankTable(const BankTable& banks) {
  QByteArray bytes(BankTableCountBytes, '\0');
  for (int b = 0; b < BankCount; ++b) {
    const auto count = static_cast<std::uint16_t>(banks.counts[b]);
    bytes[2 * b] = static_cast<char>(count & 0xFF);
    bytes[2 * b + 1] = static_cast<char>(count >> 8);
  }
  return bytes;
}

QByteArray EncodeBankTableArea(const BankTable& banks) {
  QByteArray bytes = EncodeBankTable(banks);
  for (std::uint8_t byte : FixedTail) bytes += static_cast<char>(byte);
  return bytes;
}

QString BankTableHex(const BankTable& banks) {
  return BytesToHex(EncodeBankTable(banks));
}

}  // namespace rqm27
