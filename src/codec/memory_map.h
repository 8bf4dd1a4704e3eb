// The receiver's memory map: one row per area, with where it lies, how the link moves it and
// how its bytes become part of an image and back. The memory-image codec and the full and
// partial transfers all walk this one table, so a new area is one new row.
//
//   address        size    area                      read            written
//   00200-0027F    128     bank table                2 blocks        2 writes of 64
//   00180-0019A    27      one-touch memories        1 block         1 write of 27
//   00000-000BF    192     settings area             3 blocks        read afresh, patched,
//                                                                    3 writes of 64
//   1FE01          1       memory-protect setting    1 block         never
//   001A0-001C1    34      opening title             1 block         1 write of 34
//   01000-010FF    256     icons, 8 of 32 bytes      8 blocks, one   8 writes of 32
//                                                    at each icon
//   00100-00157    88      bank-link groups          2 blocks        11 writes of 8, after
//                                                                    the channels
//   01200-1BAFF    108800  memory channels 1-1700, 64 bytes each (channel_record.h), moved
//                          one record at a time; the dual-watch pairs are split
//   1BB00-1C03F    1344    the fixed preset channels 1701-1721 (only selected-row transfers)
//
// The rows are in the order a full read takes them: the one-touch memories are decoded
// against the bank table read before them.
#pragma once

#include "model/clone_image.h"
#include "model/result.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace rqm27 {

inline constexpr int ChannelAreaStart = 0x01200;
inline constexpr int ChannelAreaEnd = 0x1BB00;  // one past the last byte

enum class MemoryAreaId {
  BankTable,
  OneTouch,
  Settings,
  MemoryProtect,
  Title,
  Icons,
  BankLinks,
  Channels,
  Presets,
};

struct MemoryArea {
  MemoryAreaId id;
  const char* name;  // as messages say it: "the bank table"
  // An area made of equal items ("icon 3") names the item; otherwise null.
  const char* itemName;
  int itemSize;
  int address;
  int size;
  // A read takes a block at every readStep bytes and keeps readStep bytes of it.
  int readStep;
  // A write sends writeStep bytes at a time; 0 for an area that is never written.
  int writeStep;
  // Written after the channels by a full write.
  bool writtenAfterChannels;
  // The bytes the image keeps as they were read (the settings area keeps the bytes that no
  // setting covers); a write reads them afresh and patches them.
  QByteArray CloneImage::*keptBytes;
  // Sets the image's part from the area's `size` bytes; null for the channel records, which
  // are moved one record at a time.
  Status (*decode)(const QByteArray& bytes, CloneImage& image);
  // The area's bytes for the image; `held` are the bytes the receiver holds now.
  QByteArray (*encode)(const CloneImage& image, const QByteArray& held);

  bool moved() const { return decode != nullptr; }
  bool written() const { return writeStep > 0; }
};

extern const std::array<MemoryArea, 9> MemoryAreas;

const MemoryArea& AreaOf(MemoryAreaId id);

// What lies at an offset of an area, in words: "the bank table", "icon 3".
QString AreaPlace(const MemoryArea& area, int offset);

}  // namespace rqm27
