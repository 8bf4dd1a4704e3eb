#include "codec/memory_image.h"

#include "codec/bank_links_area.h"
#include "codec/bank_table_area.h"
#include "codec/channel_record.h"
#include "codec/icon_glyph.h"
#include "codec/one_touch_area.h"
#include "codec/settings_image.h"
#include "codec/title_block.h"
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

void Put(QByteArray& memory, int address, const QByteArray& bytes) {
  memory.replace(address, bytes.size(), bytes);
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
    if (address >= area.start && address < area.start + area.size) {
      return QStringLiteral("%1 (%2)").arg(QLatin1StringView(area.name), where);
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
  image.banks = DecodeBankTable(memory.mid(BankTableAddress, BankTableAreaSize));
  image.oneTouch = DecodeOneTouch(memory.mid(OneTouchAddress, OneTouchAreaSize), image.banks);
  image.settingsImage = memory.mid(SettingsAreaAddress, SettingsAreaSize);
  if (const Status s = DecodeSettingsImage(image.settingsImage, image.settings); !s) {
    return Error{s.error()};
  }
  const auto protect = static_cast<std::uint8_t>(memory[MemoryProtectAddress]);
  if (const Status s = DecodeMemoryProtect(protect, image.settings); !s) return Error{s.error()};
  DecodeTitleBlock(memory.mid(TitleBlockAddress, TitleBlockWriteSize), image.title, image.settings);
  for (int n = 0; n < IconCount; ++n) {
    image.icons[n] = DecodeIconGlyph(memory.mid(IconAddress(n), IconBytes));
  }
  image.bankLinks = DecodeBankLinks(memory.mid(BankLinksAddress, GroupCount * GroupRecordSize));
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
  Put(memory, BankTableAddress, EncodeBankTableArea(image.banks));
  Put(memory, OneTouchAddress, EncodeOneTouch(image.oneTouch));
  Put(memory, SettingsAreaAddress,
      EncodeSettingsImage(base.mid(SettingsAreaAddress, SettingsAreaSize), image.settings));
  Put(memory, TitleBlockAddress, EncodeTitleBlock(image.title, image.settings));
  for (int n = 0; n < IconCount; ++n) Put(memory, IconAddress(n), EncodeIconGlyph(image.icons[n]));
  memory.replace(ChannelAreaStart, ChannelAreaEnd - ChannelAreaStart,
                 QByteArray(ChannelAreaEnd - ChannelAreaStart, '\0'));
  for (int slot = 1; slot <= LastTransferredSlot; ++slot) {
    const auto record = EncodeChannelRecord(image.slot(slot), slot, true);
    if (!record) return Error{record.error()};
    if (record->has_value()) Put(memory, ChannelAddress(slot), **record);
  }
  Put(memory, BankLinksAddress, EncodeBankLinks(image.bankLinks));
  return memory;
}

}  // namespace rqm27
