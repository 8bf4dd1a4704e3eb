#include "codec/bank_table_area.h"

#include "codec/byte_view.h"
#include "model/hex_text.h"

#include <array>
#include <cstdint>

namespace rqm27 {
namespace {

inline constexpr std::array<std::uint8_t, BankTableAreaSize - BankTableCountBytes> FixedTail = {
    0x64, 0x00, 0xC8, 0x00, 0x64, 0x00, 0x00, 0x00, 0x64, 0x00, 0x00, 0x00, 0x15, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

constexpr int CountOffset(int bank) {
  return 2 * bank;
}

}  // namespace

BankTable DecodeBankTable(const QByteArray& area) {
  const QByteArray counts = ZeroPadded(area, BankTableCountBytes);
  const ByteReader read(counts);
  BankTable banks;
  for (int b = 0; b < BankCount; ++b) banks.counts[b] = read.u16(CountOffset(b));
  return banks;
}

QByteArray EncodeBankTable(const BankTable& banks) {
  QByteArray bytes(BankTableCountBytes, '\0');
  ByteWriter write(bytes);
  for (int b = 0; b < BankCount; ++b) {
    write.setU16(CountOffset(b), static_cast<std::uint16_t>(banks.counts[b]));
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
