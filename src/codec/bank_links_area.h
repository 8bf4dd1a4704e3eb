// The group area at 0x100, 88 bytes: eleven bank-link records of 8 bytes, record k at 8k.
//
//   offset  width  field
//   8k      8      record k: a 64-bit bitmap read most significant bit first, so that bit
//                  position p (0-63) is bit 7 - p % 8 of byte p / 8
//     bits 0-49    bank p belongs to the group when set ("8000000000000000" is bank 0 alone,
//                  "0000000000004000" bank 49 alone)
//     bits 50-63   no groups: always written as the fixed tail, all 0 in records 0-9 and only
//                  bit 56 set in record 10 (the record ends in byte 80)
//
// Each record is carried as 16 upper-case hexadecimal characters, byte 0 first.
#pragma once

#include "model/bank_links.h"
#include "model/bank_table.h"
#include "model/result.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace rqm27 {

inline constexpr int BankLinksAddress = 0x100;
inline constexpr int GroupRecordSize = 8;
inline constexpr int GroupsAreaSize = GroupCount * GroupRecordSize;

// The records of an area of at least 88 bytes (only the first 88 are read); a byte beyond the
// end of a shorter area counts as 00. The bytes are kept as they are, tails included.
BankLinks DecodeBankLinks(const QByteArray& area);

// The 88 bytes of the records, as they are held.
QByteArray EncodeBankLinks(const BankLinks& links);

// A record as 16 upper-case hexadecimal characters.
QString GroupRecordHex(const BankLinkGroup& record);

// A record from exactly 16 hexadecimal characters of either case; the error names `what`.
Result<BankLinkGroup> GroupRecordFromHex(QStringView hex, const QString& what);

// Membership of bank 0-49; another bank number is never a member and cannot be set.
bool IsGroupMember(const BankLinkGroup& record, int bank);
void SetGroupMember(BankLinkGroup& record, int bank, bool member);

// The records as they are written: the membership of banks that hold channels kept, banks
// without channels dropped, and bits 50-63 replaced by the fixed tails.
BankLinks CollectGroups(const BankLinks& links, const BankTable& banks);

}  // namespace rqm27
