// The opening title block at 0x1A0 (a read returns 64 bytes; 34 are written) and the
// memory-protect byte at 0x1FE01.
//
// Title block:
//   offset  width  field
//   0       32     opening title: 16 character codes of two bytes, low byte first (name_codec.h)
//   32      1      "Startup Message" setting (Display list 5): 0 and 1 are entries 0 and 1,
//                  every other value reads as entry 2; written as the entry's index
//   33      1      written as 00, not read
//
// Memory-protect byte:
//   offset  width  field
//   0       1      "Memory Overwrite" setting (Mem list 0): the entry's index 0-2
//                  ("Prohibit", "Allow", "Fail-Safe"); read only, never written
#pragma once

#include "model/channel_name.h"
#include "model/result.h"
#include "model/settings_selections.h"

#include <QByteArray>

#include <cstdint>

namespace rqm27 {

inline constexpr int TitleBlockAddress = 0x1A0;
inline constexpr int TitleBlockWriteSize = 34;
inline constexpr int MemoryProtectAddress = 0x1FE01;

// Sets the title and the "Startup Message" selection from a block of at least 33 bytes; a
// byte beyond the end of a shorter block counts as 00.
void DecodeTitleBlock(const QByteArray& block, ChannelName& title, SettingsSelections& settings);

// The 34 bytes written to the title block.
QByteArray EncodeTitleBlock(const ChannelName& title, const SettingsSelections& settings);

// Sets the "Memory Overwrite" selection to the byte; a byte that names no entry is an error
// and leaves the selections unchanged.
Status DecodeMemoryProtect(std::uint8_t byte, SettingsSelections& settings);

}  // namespace rqm27
