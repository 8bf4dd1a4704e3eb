#include "codec/title_block.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

TEST(TitleBlockCodec, TitleAndStartupMessageBothWays) {
  for (const auto& [byte, index] : {std::pair{0, 0}, {1, 1}, {2, 2}, {7, 2}, {0xFF, 2}}) {
    QByteArray block = QByteArray::fromHex("4100A082") + QByteArray(60, '\x11');
    block[32] = static_cast<char>(byte);
    ChannelName title;
    SettingsSelections settings = DefaultSettings();
    SettingsSelections expected = settings;
    expected.at(SettingsList::Display, 5) = index;
    DecodeTitleBlock(block, title, settings);
    EXPECT_EQ(settings, expected) << byte;
    EXPECT_EQ(EncodeTitleBlock(title, settings).toHex().toUpper(),
              "4100A082" + QByteArray("1111").repeated(14) +
                  QByteArray::number(index).rightJustified(2, '0') + "00");
  }
}

TEST(MemoryProtectByte, SetsMemoryOverwriteOrRefuses) {
  for (int byte : {0, 1, 2, 3, 0xFF}) {
    SettingsSelections settings = DefaultSettings();
    SettingsSelections expected = settings;
    if (byte <= 2) expected.at(SettingsList::Mem, 0) = byte;
    EXPECT_EQ(DecodeMemoryProtect(static_cast<std::uint8_t>(byte), settings).ok(), byte <= 2);
    EXPECT_EQ(settings, expected) << byte;
  }
  SettingsSelections settings;
  EXPECT_EQ(DecodeMemoryProtect(5, settings).error(),
            "memory-protect byte 0x1FE01 (Memory Overwrite): value 5 is outside the list (0-2)");
}

}  // namespace
}  // namespace rqm27
