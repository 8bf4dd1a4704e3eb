#include "link/blocks.h"

#include "codec/channel_record.h"
#include "model/hex_text.h"

#include <algorithm>

namespace rqm27 {

namespace {

QString Address(int address) {
  return HexPad(static_cast<std::uint64_t>(address), 5);
}

// What the image holds in an area: the bytes it keeps, or the area's encoding of it.
QByteArray HeldBytes(const MemoryArea& area, const CloneImage& image) {
  if (area.keptBytes != nullptr && (image.*area.keptBytes).size() == area.size) {
    return image.*area.keptBytes;
  }
  if (area.encode == nullptr) return QByteArray(area.size, '\0');
  return area.encode(image, QByteArray(area.size, '\0')).leftJustified(area.size, '\0', true);
}

// The area's bytes from `from` to `to` as the receiver holds them, over `held`.
Result<QByteArray> ReadAreaBytes(LinkSession& link, const MemoryArea& area, QByteArray held,
                                 int from, int to) {
  for (int offset = from; offset < to; offset += area.readStep) {
    auto block = ReadBlock(link, area.address + offset, AreaPlace(area, offset));
    if (!block) return block;
    const int kept = std::min(area.readStep, to - offset);
    held.replace(offset, kept, block->left(kept));
  }
  return held;
}

QString SlotName(int slot) {
  return QStringLiteral("channel slot %1").arg(slot);
}

}  // namespace

QByteArray BlockReadCommand(int address) {
  return "ZT~F" + Address(address).toLatin1() + "R";
}

QByteArray BlockWriteCommand(int address, const QByteArray& bytes) {
  return "ZT~F" + Address(address).toLatin1() + "W" + bytes.toHex().toUpper();
}

Result<QByteArray> ReadBlock(LinkSession& link, int address, const QString& what) {
  const QByteArray reply = link.send(BlockReadCommand(address), 2 * BlockBytes);
  if (reply.size() != 2 * BlockBytes) {
    return Error{QStringLiteral("reading %1: no valid reply to the block read at %2%3")
                     .arg(what, Address(address),
                          reply.isEmpty() ? QString()
                                          : QStringLiteral(" (%1 characters)").arg(reply.size()))};
  }
  auto bytes =
      HexToBytes(QString::fromLatin1(reply),
                 QStringLiteral("reading %1 at %2").arg(what, Address(address)), BlockBytes);
  if (!bytes) return Error{bytes.error()};
  return bytes;
}

Status WriteBlock(LinkSession& link, int address, const QByteArray& bytes, const QString& what) {
  const QByteArray reply = link.send(BlockWriteCommand(address, bytes));
  if (reply == "OK") return Ok();
  return Error{
      QStringLiteral("writing %1: the receiver %2 the write at %3")
          .arg(what,
               reply.isEmpty()
                   ? QStringLiteral("did not answer")
                   : QStringLiteral("answered \"%1\" to").arg(QString::fromLatin1(reply.left(20))),
               Address(address))};
}

Status ReadArea(LinkSession& link, const MemoryArea& area, CloneImage& image, int from, int to) {
  const auto bytes =
      ReadAreaBytes(link, area, HeldBytes(area, image), from, to < 0 ? area.size : to);
  if (!bytes) return Error{bytes.error()};
  if (area.keptBytes != nullptr) image.*area.keptBytes = *bytes;
  if (const Status s = area.decode(*bytes, image); !s) {
    return Error{QStringLiteral("reading %1: %2").arg(QLatin1StringView(area.name), s.error())};
  }
  return Ok();
}

Status WriteArea(LinkSession& link, const MemoryArea& area, CloneImage& image, int from, int to) {
  if (to < 0) to = area.size;
  QByteArray held = HeldBytes(area, image);
  if (area.keptBytes != nullptr) {
    const auto fresh = ReadAreaBytes(link, area, held, 0, area.size);
    if (!fresh) return Error{fresh.error()};
    held = *fresh;
  }
  const QByteArray bytes = area.encode(image, held);
  if (area.keptBytes != nullptr) image.*area.keptBytes = bytes;
  for (int offset = from; offset < to; offset += area.writeStep) {
    const QByteArray chunk = bytes.mid(offset, std::min(area.writeStep, to - offset));
    if (Status s = WriteBlock(link, area.address + offset, chunk, AreaPlace(area, offset)); !s) {
      return s;
    }
  }
  return Ok();
}

Status ReadChannelBlock(LinkSession& link, CloneImage& image, int slot) {
  const auto block = ReadBlock(link, ChannelAddress(slot), SlotName(slot));
  if (!block) return Error{block.error()};
  if (const Status s = DecodeChannelRecord(*block, slot, image.slot(slot)); !s) {
    return Error{QStringLiteral("reading %1 at %2: %3")
                     .arg(SlotName(slot), Address(ChannelAddress(slot)), s.error())};
  }
  return Ok();
}

Status WriteChannelBlock(LinkSession& link, const CloneImage& image, int slot, bool skipEmpty) {
  const auto record = EncodeChannelRecord(image.slot(slot), slot, skipEmpty);
  if (!record) return Error{QStringLiteral("writing %1: %2").arg(SlotName(slot), record.error())};
  if (!record->has_value()) return Ok();
  return WriteBlock(link, ChannelAddress(slot), **record, SlotName(slot));
}

}  // namespace rqm27
