#include "codec/bank_links_area.h"

#include "codec/byte_view.h"
#include "model/hex_text.h"

#include <cstdint>

namespace rqm27 {
namespace {

// The tails hold no bank bits, so the default records are exactly the tails.
inline constexpr BankLinks GroupTails = DefaultBankLinks();

// Bank b is bit 7 - b % 8 of byte b / 8: the bitmap is read most significant bit first.
constexpr int BankByte(int bank) {
  return bank / 8;
}
constexpr int BankBit(int bank) {
  return 7 - bank % 8;
}

constexpr int RecordOffset(int group) {
  return group * GroupRecordSize;
}

}  // namespace

BankLinks DecodeBankLinks(const QByteArray& area) {
  const QByteArray padded = ZeroPadded(area, GroupsAreaSize);
  const ByteReader read(padded);
  BankLinks links{};
  for (int k = 0; k < GroupCount; ++k) {
    for (int i = 0; i < GroupRecordSize; ++i) links[k][i] = read.u8(RecordOffset(k) + i);
  }
  return links;
}

QByteArray EncodeBankLinks(const BankLinks& links) {
  QByteArray bytes(GroupsAreaSize, '\0');
  ByteWriter write(bytes);
  for (int k = 0; k < GroupCount; ++k) {
    for (int i = 0; i < GroupRecordSize; ++i) write.setU8(RecordOffset(k) + i, links[k][i]);
  }
  return bytes;
}

QString GroupRecordHex(const BankLinkGroup& record) {
  return BytesToHex(QByteArray(reinterpret_cast<const char*>(record.data()), GroupRecordSize));
}

Result<BankLinkGroup> GroupRecordFromHex(QStringView hex, const QString& what) {
  const Result<QByteArray> bytes = HexToBytes(hex, what, GroupRecordSize);
  if (!bytes) return Error{bytes.error()};
  const ByteReader read(*bytes);
  BankLinkGroup record{};
  for (int i = 0; i < GroupRecordSize; ++i) record[i] = read.u8(i);
  return record;
}

bool IsGroupMember(const BankLinkGroup& record, int bank) {
  if (bank < 0 || bank >= BankCount) return false;
  return BitField(record[BankByte(bank)], BankBit(bank), 1) == 1;
}

void SetGroupMember(BankLinkGroup& record, int bank, bool member) {
  if (bank < 0 || bank >= BankCount) return;
  std::uint8_t& byte = record[BankByte(bank)];
  byte = WithBitField(byte, BankBit(bank), 1, member ? 1 : 0);
}

BankLinks CollectGroups(const BankLinks& links, const BankTable& banks) {
  BankLinks collected = GroupTails;
  for (int k = 0; k < GroupCount; ++k) {
    for (int b = 0; b < BankCount; ++b) {
      if (banks.counts[b] > 0 && IsGroupMember(links[k], b)) SetGroupMember(collected[k], b, true);
    }
  }
  return collected;
}

}  // namespace rqm27
