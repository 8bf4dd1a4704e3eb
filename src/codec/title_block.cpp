#include "codec/title_block.h"

#include "codec/byte_view.h"
#include "codec/name_codec.h"
#include "model/hex_text.h"

namespace rqm27 {
namespace {

inline constexpr int TitleOffset = 0;
inline constexpr int StartupMessageOffset = NameBytes;
inline constexpr int StartupMessageIndex = 5;  // in the Display lists
inline constexpr int StartupMessageOther = 2;  // the entry of every byte other than 0 and 1
inline constexpr int MemoryProtectIndex = 0;   // in the Mem lists
inline constexpr int MemoryOverwriteEntries = 3;

}  // namespace

void DecodeTitleBlock(const QByteArray& block, ChannelName& title, SettingsSelections& settings) {
  const QByteArray padded = ZeroPadded(block, StartupMessageOffset + 1);
  const ByteReader read(padded);
  title = DecodeName(read.bytes(TitleOffset, NameBytes));
  const int byte = read.u8(StartupMessageOffset);
  settings.at(SettingsList::Display, StartupMessageIndex) = byte <= 1 ? byte : StartupMessageOther;
}

QByteArray EncodeTitleBlock(const ChannelName& title, const SettingsSelections& settings) {
  QByteArray bytes(TitleBlockWriteSize, '\0');
  ByteWriter write(bytes);
  write.setBytes(TitleOffset, EncodeName(title));
  write.setU8(StartupMessageOffset,
              static_cast<std::uint8_t>(settings.at(SettingsList::Display, StartupMessageIndex)));
  return bytes;
}

Status DecodeMemoryProtect(std::uint8_t byte, SettingsSelections& settings) {
  if (byte >= MemoryOverwriteEntries) {
    return Error{QStringLiteral("memory-protect byte 0x%1 (Memory Overwrite): value %2 is outside "
                                "the list (0-%3)")
                     .arg(HexPad(MemoryProtectAddress, 5))
                     .arg(byte)
                     .arg(MemoryOverwriteEntries - 1)};
  }
  settings.at(SettingsList::Mem, MemoryProtectIndex) = byte;
  return Ok();
}

}  // namespace rqm27
