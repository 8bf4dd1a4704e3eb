#include "link/blocks.h"

#include "codec/bank_links_area.h"
#include "codec/bank_table_area.h"
#include "codec/channel_record.h"
#include "codec/icon_glyph.h"
#include "codec/one_touch_area.h"
#include "codec/settings_image.h"
#include "codec/title_block.h"
#include "model/hex_text.h"

namespace rqm27 {

namespace {

QString Address(int address) {
  return HexPad(static_cast<std::uint64_t>(address), 5);
}

// Reads consecutive blocks and joins them.
Result<QByteArray> ReadBlocks(LinkSession& link, int address, int count, const QString& what) {
  QByteArray bytes;
  for (int i = 0; i < count; ++i) {
    const auto block = ReadBlock(link, address + BlockBytes * i, what);
    if (!block) return block;
    bytes += *block;
  }
  return bytes;
}

// Writes bytes as consecutive blocks of `size`, stopping at the first refusal.
Status WriteBlocks(LinkSession& link, int address, const QByteArray& bytes, int size,
                   const QString& what) {
  for (int offset = 0; offset < bytes.size(); offset += size) {
    if (const Status s = WriteBlock(link, address + offset, bytes.mid(offset, size), what); !s) {
      return s;
    }
  }
  return Ok();
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
  const auto bytes =
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

Status ReadBankTable(LinkSession& link, CloneImage& image) {
  const auto area = ReadBlocks(link, BankTableAddress, 2, QStringLiteral("the bank table"));
  if (!area) return Error{area.error()};
  image.banks = DecodeBankTable(*area);
  return Ok();
}

Status WriteBankTable(LinkSession& link, const CloneImage& image) {
  return WriteBlocks(link, BankTableAddress, EncodeBankTableArea(image.banks), BlockBytes,
                     QStringLiteral("the bank table"));
}

Status ReadOneTouch(LinkSession& link, CloneImage& image) {
  const auto block = ReadBlock(link, OneTouchAddress, QStringLiteral("the one-touch memories"));
  if (!block) return Error{block.error()};
  image.oneTouch = DecodeOneTouch(block->left(OneTouchAreaSize), image.banks);
  return Ok();
}

Status WriteOneTouch(LinkSession& link, const CloneImage& image) {
  return WriteBlock(link, OneTouchAddress, EncodeOneTouch(image.oneTouch),
                    QStringLiteral("the one-touch memories"));
}

Status ReadSettingsImage(LinkSession& link, CloneImage& image) {
  const auto area = ReadBlocks(link, SettingsAreaAddress, SettingsAreaSize / BlockBytes,
                               QStringLiteral("the settings area"));
  if (!area) return Error{area.error()};
  image.settingsImage = *area;
  return Ok();
}

Status DecodeReadSettings(CloneImage& image) {
  if (const Status s = DecodeSettingsImage(image.settingsImage, image.settings); !s) {
    return Error{QStringLiteral("reading the settings area: %1").arg(s.error())};
  }
  return Ok();
}

Status WriteSettingsImage(LinkSession& link, CloneImage& image) {
  if (const Status s = ReadSettingsImage(link, image); !s) return s;
  image.settingsImage = EncodeSettingsImage(image.settingsImage, image.settings);
  return WriteBlocks(link, SettingsAreaAddress, image.settingsImage, BlockBytes,
                     QStringLiteral("the settings area"));
}

Status ReadMemoryProtect(LinkSession& link, CloneImage& image) {
  const auto block =
      ReadBlock(link, MemoryProtectAddress, QStringLiteral("the memory-protect setting"));
  if (!block) return Error{block.error()};
  if (const Status s = DecodeMemoryProtect(static_cast<std::uint8_t>(block->at(0)), image.settings);
      !s) {
    return Error{QStringLiteral("reading the memory-protect setting: %1").arg(s.error())};
  }
  return Ok();
}

Status ReadTitleBlock(LinkSession& link, CloneImage& image) {
  const auto block = ReadBlock(link, TitleBlockAddress, QStringLiteral("the opening title"));
  if (!block) return Error{block.error()};
  DecodeTitleBlock(*block, image.title, image.settings);
  return Ok();
}

Status WriteTitleBlock(LinkSession& link, const CloneImage& image) {
  return WriteBlock(link, TitleBlockAddress, EncodeTitleBlock(image.title, image.settings),
                    QStringLiteral("the opening title"));
}

Status ReadBankLinks(LinkSession& link, CloneImage& image) {
  const auto area = ReadBlocks(link, BankLinksAddress, 2, QStringLiteral("the bank-link groups"));
  if (!area) return Error{area.error()};
  image.bankLinks = DecodeBankLinks(area->left(GroupsAreaSize));
  return Ok();
}

Status WriteBankLinks(LinkSession& link, const CloneImage& image) {
  return WriteBlocks(link, BankLinksAddress, EncodeBankLinks(image.bankLinks), GroupRecordSize,
                     QStringLiteral("the bank-link groups"));
}

Status ReadIconBlock(LinkSession& link, CloneImage& image, int icon) {
  const auto block = ReadBlock(link, IconAddress(icon), QStringLiteral("icon %1").arg(icon));
  if (!block) return Error{block.error()};
  image.icons[icon] = DecodeIconGlyph(*block);
  return Ok();
}

Status WriteIconBlock(LinkSession& link, const CloneImage& image, int icon) {
  return WriteBlock(link, IconAddress(icon), EncodeIconGlyph(image.icons[icon]),
                    QStringLiteral("icon %1").arg(icon));
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
