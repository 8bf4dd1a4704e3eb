// The one-touch area at 0x180, 27 bytes: nine entries of three bytes, memory i at offset 3i.
//
//   offset  width  field
//   3i      1      bank 0-49, or FF when memory i is not set
//   3i+1    2      position of the channel inside the bank, unsigned, low byte first
//                  (0 is the bank's first channel)
//
// A memory that is not set is written FF FF FF; on reading only the bank byte FF marks it, the
// other two bytes are then ignored. Bank 3, channel 12 is 03 0C 00.
#pragma once

#include "model/bank_table.h"
#include "model/one_touch.h"

#include <QByteArray>

#include <vector>

namespace rqm27 {

inline constexpr int OneTouchAddress = 0x180;
inline constexpr int OneTouchAreaSize = 27;

// The banks a one-touch memory can point at: those holding channels, ascending.
std::vector<int> BanksWithChannels(const BankTable& banks);

// The memories of an area of at least 27 bytes (only the first 27 are read; an entry cut off
// by the end of a shorter area is not set). A memory that is not set reads as bank 0,
// channel 0. A set memory is checked against the given table: a bank outside 0-49 or without
// channels becomes the first bank that has channels (bank 0 when none has), channel 0; a
// position at or beyond the bank's count becomes channel 0 of that bank.
OneTouchMemories DecodeOneTouch(const QByteArray& area, const BankTable& banks);

// The 27 bytes of the memories.
QByteArray EncodeOneTouch(const OneTouchMemories& memories);

// The memories after the bank table has changed: each keeps its bank and channel while the
// table still has them, and otherwise takes the same replacement as DecodeOneTouch. Whether
// a memory is set does not change.
OneTouchMemories RebuildOneTouch(const OneTouchMemories& memories, const BankTable& banks);

}  // namespace rqm27
