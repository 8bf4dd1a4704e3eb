#include "codec/memory_image.h"

#include "codec/byte_view.h"
#include "codec/channel_record.h"
#include "model/hex_text.h"

#include <algorithm>

namespace rqm27 {

namespace {

Status CheckSize(const QByteArray& memory, const char* what) {
  if (memory.size() != MemoryImageSize) {
    return Error{QStringLiteral("%1 memory image has %2 bytes; a memory image has exactly %3")
                     .arg(QLatin1StringView(what))
                     .arg(memory.size())
                     .arg(MemoryImageSize)};
  }
  return Ok();
}

// The slot whose record holds an address of the channel area.
int SlotAtAddress(int address) {
  for (int slot = 1; slot <= LastTransferredSlot; ++slot) {
    const int start = ChannelAddress(slot);
    if (address >= start && address < start + ChannelRecordSize) return slot;
  }
  return 0;
}

}  // namespace

QString DescribeAddress(int address) {
  QString where = QStringLiteral("address %1").arg(HexPad(static_cast<std::uint64_t>(address), 5));
  if (address >= ChannelAreaStart && address < ChannelAreaEnd) {
    return QStringLiteral("channel slot %1 (%2)").arg(SlotAtAddress(address)).arg(where);
  }
  for (const MemoryArea& area : MemoryAreas) {
    if (address >= area.address && address < area.address + area.size) {
      return QStringLiteral("%1 (%2)").arg(AreaPlace(area, address - area.address), where);
    }
  }
  return where;
}

std::optional<int> FirstDifference(const QByteArray& a, const QByteArray& b) {
  const qsizetype size = std::min(a.size(), b.size());
  for (qsizetype i = 0; i < size; ++i) {
    if (a[i] != b[i]) return static_cast<int>(i);
  }
  if (a.size() != b.size()) return static_cast<int>(size);
  return std::nullopt;
}

Result<CloneImage> DecodeMemoryImage(const QByteArray& memory) {
  if (const Status size = CheckSize(memory, "the"); !size) return Error{size.error()};
  CloneImage image = StartupImage();
  for (const MemoryArea& area : MemoryAreas) {
    if (!area.moved()) continue;
    const QByteArray bytes = memory.mid(area.address, area.size);
    if (area.keptBytes != nullptr) image.*area.keptBytes = bytes;
    if (const Status s = area.decode(bytes, image); !s) return Error{s.error()};
  }
  for (int slot = 1; slot <= LastTransferredSlot; ++slot) {
    const QByteArray record = memory.mid(ChannelAddress(slot), ChannelRecordSize);
    if (const Status s = DecodeChannelRecord(record, slot, image.slot(slot)); !s) {
      return Error{s.error()};
    }
  }
  return image;
}

Result<QByteArray> EncodeMemoryImage(const CloneImage& image, const QByteArray& base) {
  if (const Status size = CheckSize(base, "the base"); !size) return Error{size.error()};
  QByteArray memory = base;
  ByteWriter writer(memory);
  for (const MemoryArea& area : MemoryAreas) {
    if (!area.written()) continue;
    writer.setBytes(area.address, area.encode(image, base.mid(area.address, area.size)));
  }
  writer.setBytes(ChannelAreaStart, QByteArray(ChannelAreaEnd - ChannelAreaStart, '\0'));
  for (int slot = 1; slot <= LastTransferredSlot; ++slot) {
    const auto record = EncodeChannelRecord(image.slot(slot), slot, true);
    if (!record) return Error{record.error()};
    if (record->has_value()) writer.setBytes(ChannelAddress(slot), **record);
  }
  return memory;
}

}  // namespace rqm27
