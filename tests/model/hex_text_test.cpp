#include "model/hex_text.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

TEST(HexText, PadsButNeverCutsAndReadsLittleEndianWords) {
  const std::tuple<std::uint64_t, int, const char*> pads[] = {
      {26, 5, "0001A"}, {300, 2, "12C"}, {0, 2, "00"}, {0xABCDEF01, 8, "ABCDEF01"}};
  for (const auto& [value, width, expected] : pads) {
    EXPECT_EQ(HexPad(value, width), QString::fromLatin1(expected)) << value;
  }
  EXPECT_EQ(Word16ToHex(300), "2C01");
  EXPECT_EQ(Word16FromHex(u"2c01"), 300);
  EXPECT_EQ(Word16FromHex(u"2C0G"), std::nullopt);
  EXPECT_EQ(ByteFromHex(u"fF"), 255);
  EXPECT_EQ(ByteFromHex(u"F"), std::nullopt);
}

TEST(HexText, BinaryDigitsBothWays) {
  EXPECT_EQ(*BinaryToHex(u"00011010"), "1A");
  EXPECT_EQ(*HexToBinary(u"8A"), "10001010");
  EXPECT_FALSE(BinaryToHex(u"0001101").ok());
  EXPECT_FALSE(BinaryToHex(u"0002").ok());
  EXPECT_FALSE(HexToBinary(u"8Z").ok());
}

TEST(HexText, StrictReaderNamesTheAreaAndTheCharacter) {
  const auto good = HexToBytes(u"00ff7A", QStringLiteral("test area"), 3);
  ASSERT_TRUE(good.ok());
  EXPECT_EQ(*good, QByteArray("\x00\xff\x7a", 3));
  const auto badChar = HexToBytes(u"00G1", QStringLiteral("group record 3"));
  ASSERT_FALSE(badChar.ok());
  EXPECT_TRUE(badChar.error().contains("group record 3"));
  EXPECT_TRUE(badChar.error().contains("\"G\" at character 3"));
  const auto badLength = HexToBytes(u"0011", QStringLiteral("settings area"), 3);
  ASSERT_FALSE(badLength.ok());
  EXPECT_TRUE(badLength.error().contains("expected 6"));
  EXPECT_FALSE(HexToBytes(u"001", QStringLiteral("x")).ok());
}

}  // namespace
}  // namespace rqm27
