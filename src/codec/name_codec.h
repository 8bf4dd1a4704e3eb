// Channel names and the opening title in the receiver: 32 bytes, 16 character codes of two
// bytes each, low byte first.
//
//   offset  width  field
//   2k      1      low byte of character k's code (the character itself for a single byte,
//                  the trail byte for a double-byte character)
//   2k+1    1      high byte of the code (0 for a single byte, the lead byte otherwise)
//
// Unused positions hold 00 00. "A" is 41 00; the double-byte character 82 A0 is A0 82.
#pragma once

#include "model/channel_name.h"

#include <QByteArray>

namespace rqm27 {

inline constexpr int NameBytes = 32;

// The name of 32 bytes (at least; only the first 32 are read).
ChannelName DecodeName(const QByteArray& bytes);

// The 32 bytes of a name.
QByteArray EncodeName(const ChannelName& name);

}  // namespace rqm27
