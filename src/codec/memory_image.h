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
#include <QString>

#include <array>
#include <optional>

namespace rqm27 {

inline constexpr int MemoryImageSize = 131072;
inline constexpr int ChannelAreaStart = 0x01200;
inline constexpr int ChannelAreaEnd = 0x1BB00;  // one past the last byte

// The areas of the memory map by address, for naming the place of an address.
struct MemoryArea {
  int start;
  int size;
  const char* name;
};
inline constexpr std::array<MemoryArea, 9> MemoryAreas = {{
    {0x00000, 192, "the settings"},
    {0x00100, 88, "the bank-link groups"},
    {0x00180, 27, "the one-touch memories"},
    {0x001A0, 34, "the opening title"},
    {0x00200, 128, "the bank table"},
    {0x01000, 256, "the icons"},
    {0x01200, 108800, "the channels"},
    {0x1BB00, 1344, "the preset channels"},
    {0x1FE01, 1, "the memory-protect setting"},
}};

// What lies at an address, in words: "channel slot 52 (address 02440)", "the opening title
// (address 001A4)".
QString DescribeAddress(int address);

// The first address at which two memories differ, or nothing when they are the same.
std::optional<int> FirstDifference(const QByteArray& a, const QByteArray& b);

// What a full read of a receiver holding this memory gives: a start-up image with every area
// decoded, in the order the read takes them. Fails, naming the area, slot or setting, when a
// byte cannot be decoded or the size is not 131072.
Result<CloneImage> DecodeMemoryImage(const QByteArray& memory);

// What a receiver holding `base` holds after a full write of the image: every area written,
// the channel area cleared and the used slots 1-1700 written; the memory-protect byte and the
// preset slots are left as they were.
Result<QByteArray> EncodeMemoryImage(const CloneImage& image, const QByteArray& base);

}  // namespace rqm27
