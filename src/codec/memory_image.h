// The receiver's whole memory as one flat image of 131072 bytes, byte n at address n.
//
//   address        size  area
//   00000-000BF    192   settings (settings_image.h)
//   00100-00157    88    bank-link groups, 11 records of 8 bytes (bank_links.h)
//   00180-0019A    27    one-touch memories, 9 entries of 3 bytes (one_touch.h)
//   001A0-001C1    34    opening title and its display mode (title_block.h)
//   00200-0027F    128   bank table: 50 counts and a fixed tail (bank_table.h)
//   01000-010FF    256   user icons, 8 glyphs of 32 bytes (icon_glyph.h)
//   01200-1BAFF    108800 memory channels 1-1700, 64 bytes each (channel_record.h); the
//                        dual-watch pairs are split (ChannelPosition)
//   1BB00-1C03F    1344  the fixed preset channels 1701-1721 (reached only by selected-row
//                        transfers)
//   1FE01          1     memory-protect setting (title_block.h); read, never written
#pragma once

#include "model/clone_image.h"
#include "model/result.h"

#include <QByteArray>

namespace rqm27 {

inline constexpr int MemoryImageSize = 131072;
inline constexpr int ChannelAreaStart = 0x01200;
inline constexpr int ChannelAreaEnd = 0x1BB00;  // one past the last byte

// What a full read of a receiver holding this memory gives: a start-up image with every area
// decoded, in the order the read takes them. Fails, naming the area, slot or setting, when a
// byte cannot be decoded or the size is not 131072.
Result<CloneImage> DecodeMemoryImage(const QByteArray& memory);

// What a receiver holding `base` holds after a full write of the image: every area written,
// the channel area cleared and the used slots 1-1700 written; the memory-protect byte and the
// preset slots are left as they were.
Result<QByteArray> EncodeMemoryImage(const CloneImage& image, const QByteArray& base);

}  // namespace rqm27
