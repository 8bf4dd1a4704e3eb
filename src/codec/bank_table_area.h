// The bank table area at 0x200, 128 bytes: how many memory channels each of the 50 banks holds.
//
//   offset  width  field
//   2b      2      count of bank b (b = 0-49), unsigned, low byte first; any value 0-65535
//   100     28     fixed tail, always written as
//                  64 00 C8 00 64 00 00 00 64 00 00 00 15 00 00 00 followed by 12 bytes 00;
//                  what was read there is not kept
//
// A count of 300 is 2C 01. The counts need not add up to 1200: the table is decoded as it is
// and BankTable::consistent() tells whether it may be used.
#pragma once

#include "model/bank_table.h"

#include <QByteArray>
#include <QString>

namespace rqm27 {

inline constexpr int BankTableAddress = 0x200;
inline constexpr int BankTableAreaSize = 128;
// The counts alone, bytes 0-99.
inline constexpr int BankTableCountBytes = 2 * BankCount;

// The table of an area of at least 100 bytes (bytes 100 onward are not read); a byte beyond
// the end of a shorter area counts as 00.
BankTable DecodeBankTable(const QByteArray& area);

// The 100 bytes of the counts.
QByteArray EncodeBankTable(const BankTable& banks);

// The whole 128-byte area as it is written: the counts and the fixed tail.
QByteArray EncodeBankTableArea(const BankTable& banks);

// The counts as 200 upper-case hexadecimal characters, four a bank.
QString BankTableHex(const BankTable& banks);

}  // namespace rqm27
