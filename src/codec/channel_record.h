// A memory channel as the receiver stores it: one 64-byte record.
//
//   offset  width  field               values
//   0       1      band code           0 = empty slot (only the low four bits are tested);
//                                      1, 2 or 3 from the receive frequency (BandCodeFor)
//   1       4      receive frequency   unsigned, little-endian, hertz
//   5       1      mode                low four bits: 0 FM, 1 AM, 2 WFM, 3 LSB, 4 USB, 5 CW
//   6       1      tuning step         index 0-18 into StepNames
//   7       4      shift frequency     unsigned, little-endian, hertz
//   11      1      shift direction     low four bits: 0 Off, 1 +, 2 -
//   12      1      sub-tone type       low four bits: 0 None, 1 Train, 3 TSQ, 4 SQ, 5 DCS
//   13      1      tone-squelch tone   0 and 1 = ToneNames index 0, n = 2-39 = index n - 1;
//                                      written 0 for index 0, index + 1 otherwise
//   14      1      DCS code            index 0-103 into DcsNames
//   15      1      carrier             index 0-28 into CarrierNames
//   16      1      fixed               00
//   17      1      fixed               3E
//   18      1      skip                low four bits: 1 = skipped in scanning; written 01 or 00
//   19      1      fixed               00
//   20      1      fixed               0A
//   21      11     fixed               00 each
//   32      32     name                16 character codes, see name_codec.h
//
// Fixed bytes and the high four bits of bytes 5, 11, 12 and 18 are not read; frequencies are
// held to 10 Hz, so the single-hertz digit does not survive a decode.
#pragma once

#include "model/channel_slot.h"
#include "model/result.h"

#include <QByteArray>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace rqm27 {

inline constexpr int ChannelRecordSize = 64;

// The band code of a used slot: the presets always 1, others from the frequency in hertz.
int BandCodeFor(int slot, std::int64_t hertz);

// Decodes a record (at least 64 bytes) into the slot. A byte outside its table fails the
// decode with a message naming the slot and the field; the slot is then left as it was.
// An empty record marks the slot unused and resets the fields the grid shows; the listed
// indexes (step, carrier, tones, DCS) stay as the slot had them. A mode code without a mode
// reads as FM, which is what writing the slot back stores; an unknown sub-tone code leaves
// the slot's sub-tone as it was, an unknown shift code reads as Off.
Status DecodeChannelRecord(const QByteArray& record, int slot, ChannelSlot& target);

// The same for the 128 hexadecimal characters the link carries.
Status DecodeChannelRecordHex(QStringView hex, int slot, ChannelSlot& target);

// The record of a slot; frequencies go down to the 10 Hz the slot holds. An unused slot gives
// nullopt when skipEmpty (the full write leaves it
// out) and 64 zero bytes otherwise (which erase the slot in the receiver).
Result<std::optional<QByteArray>> EncodeChannelRecord(const ChannelSlot& source, int slot,
                                                      bool skipEmpty);

}  // namespace rqm27
