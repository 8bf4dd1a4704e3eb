#include "codec/memory_map.h"

#include "codec/bank_links_area.h"
#include "codec/bank_table_area.h"
#include "codec/icon_glyph.h"
#include "codec/one_touch_area.h"
#include "codec/settings_image.h"
#include "codec/title_block.h"

#include <algorithm>

namespace rqm27 {

namespace {

constexpr int Block = 64;
constexpr int PresetAreaStart = ChannelAreaEnd;
constexpr int PresetAreaSize = 1344;

Status DecodeBankTableBytes(const QByteArray& bytes, CloneImage& image) {
  image.banks = DecodeBankTable(bytes);
  return Ok();
}

QByteArray EncodeBankTableBytes(const CloneImage& image, const QByteArray&) {
  return EncodeBankTableArea(image.banks);
}

Status DecodeOneTouchBytes(const QByteArray& bytes, CloneImage& image) {
  image.oneTouch = DecodeOneTouch(bytes, image.banks);
  return Ok();
}

QByteArray EncodeOneTouchBytes(const CloneImage& image, const QByteArray&) {
  return EncodeOneTouch(image.oneTouch);
}

Status DecodeSettingsBytes(const QByteArray& bytes, CloneImage& image) {
  return DecodeSettingsImage(bytes, image.settings);
}

QByteArray EncodeSettingsBytes(const CloneImage& image, const QByteArray& held) {
  return EncodeSettingsImage(held, image.settings);
}

Status DecodeMemoryProtectByte(const QByteArray& bytes, CloneImage& image) {
  return DecodeMemoryProtect(static_cast<std::uint8_t>(bytes.at(0)), image.settings);
}

Status DecodeTitleBytes(const QByteArray& bytes, CloneImage& image) {
  DecodeTitleBlock(bytes, image.title, image.settings);
  return Ok();
}

QByteArray EncodeTitleBytes(const CloneImage& image, const QByteArray&) {
  return EncodeTitleBlock(image.title, image.settings);
}

Status DecodeIconBytes(const QByteArray& bytes, CloneImage& image) {
  for (int n = 0; n < IconCount; ++n) image.icons[n] = DecodeIconGlyph(bytes.mid(n * IconBytes));
  return Ok();
}

QByteArray EncodeIconBytes(const CloneImage& image, const QByteArray&) {
  QByteArray bytes;
  for (const IconGlyph& icon : image.icons) bytes += EncodeIconGlyph(icon);
  return bytes;
}

Status DecodeBankLinkBytes(const QByteArray& bytes, CloneImage& image) {
  image.bankLinks = DecodeBankLinks(bytes);
  return Ok();
}

QByteArray EncodeBankLinkBytes(const CloneImage& image, const QByteArray&) {
  return EncodeBankLinks(image.bankLinks);
}

}  // namespace

const std::array<MemoryArea, 9> MemoryAreas = {{
    {MemoryAreaId::BankTable, "the bank table", nullptr, 0, BankTableAddress, BankTableAreaSize,
     Block, Block, false, nullptr, DecodeBankTableBytes, EncodeBankTableBytes},
    {MemoryAreaId::OneTouch, "the one-touch memories", nullptr, 0, OneTouchAddress,
     OneTouchAreaSize, Block, OneTouchAreaSize, false, nullptr, DecodeOneTouchBytes,
     EncodeOneTouchBytes},
    {MemoryAreaId::Settings, "the settings area", nullptr, 0, SettingsAreaAddress, SettingsAreaSize,
     Block, Block, false, &CloneImage::settingsImage, DecodeSettingsBytes, EncodeSettingsBytes},
    {MemoryAreaId::MemoryProtect, "the memory-protect setting", nullptr, 0, MemoryProtectAddress, 1,
     Block, 0, false, nullptr, DecodeMemoryProtectByte, nullptr},
    {MemoryAreaId::Title, "the opening title", nullptr, 0, TitleBlockAddress, TitleBlockWriteSize,
     Block, TitleBlockWriteSize, false, nullptr, DecodeTitleBytes, EncodeTitleBytes},
    {MemoryAreaId::Icons, "the icons", "icon", IconBytes, IconAddress(0), IconCount* IconBytes,
     IconBytes, IconBytes, false, nullptr, DecodeIconBytes, EncodeIconBytes},
    {MemoryAreaId::BankLinks, "the bank-link groups", nullptr, 0, BankLinksAddress, GroupsAreaSize,
     Block, GroupRecordSize, true, nullptr, DecodeBankLinkBytes, EncodeBankLinkBytes},
    {MemoryAreaId::Channels, "the channels", nullptr, 0, ChannelAreaStart,
     ChannelAreaEnd - ChannelAreaStart, 0, 0, false, nullptr, nullptr, nullptr},
    {MemoryAreaId::Presets, "the preset channels", nullptr, 0, PresetAreaStart, PresetAreaSize, 0,
     0, false, nullptr, nullptr, nullptr},
}};

const MemoryArea& AreaOf(MemoryAreaId id) {
  return *std::find_if(MemoryAreas.begin(), MemoryAreas.end(),
                       [id](const MemoryArea& area) { return area.id == id; });
}

QString AreaPlace(const MemoryArea& area, int offset) {
  if (area.itemName == nullptr) return QLatin1StringView(area.name);
  return QStringLiteral("%1 %2").arg(QLatin1StringView(area.itemName)).arg(offset / area.itemSize);
}

}  // namespace rqm27
