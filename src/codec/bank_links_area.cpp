#include "codec/bank_links_area.h"

#include "model/hex_text.h"

#include <cstdint>

namespace rqm27 {
namespace {

// The tails hold no bank bits, so the default records are exactly the tails.
inline constexpr BankLinks GroupTails = DefaultBankLinks();

constexpr std::uint8_t BankMask(int bank) {
  return static_cast<std::uint8_t>(0x80 >> (bank % 8));
}

}  // namespace

BankLinks DecodeBankLinks(const QByteArray& area) {
  BankLinks links{};
  for (int k = 0; k < GroupCount; ++k) {
    for (int i = 0; i < GroupRecordSize; ++i) {
      const int at = k * GroupRecordSize + i;
      links[k][i] = at < area.size() ? static_cast<std::uint8_t>(area[at]) : 0;
    }
  }
  return links;
}

QByteArray EncodeBankLinks(const BankLinks& links) {
  QByteArray bytes;
  bytes.reserve(GroupsAreaSize);
  for (const BankLinkGroup& record : links) {
    for (std::uint8_t byte : record) bytes += static_cast<char>(byte);
  }
  return bytes;
}

QString GroupRecordHex(const BankLinkGroup& record) {
  return BytesToHex(QByteArray(reinterpret_cast<const char*>(record.data()), GroupRecordSize));
}

Result<BankLinkGroup> GroupRecordFromHex(QStringView hex, const QString& what) {
  const Result<QByteArray> bytes = HexToBytes(hex, what, GroupRecordSize);
  if (!bytes) return Error{bytes.error()};
  BankLinkGroup record{};
  for (int i = 0; i < GroupRecordSize; ++i) record[i] = static_cast<std::uint8_t>((*bytes)[i]);
  return record;
}

bool IsGroupMember(const BankLinkGroup& record, int bank) {
  if (bank < 0 || bank >= BankCount) return false;
  return (record[bank / 8] & BankMask(bank)) != 0;
}

void SetGroupMember(BankLinkGroup& record, int bank, bool member) {
  if (bank < 0 || bank >= BankCount) return;
  if (member) {
    record[bank / 8] |= BankMask(bank);
  } else {
    record[bank / 8] &= static_cast<std::uint8_t>(~BankMask(bank));
  }
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
