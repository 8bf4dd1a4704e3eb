#include "codec/icon_glyph.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

TEST(IconGlyphCodec, EachBitIsOnePixel) {
  const int cases[][4] = {{0, 0x01, 0, 0}, {16, 0x80, 15, 0}, {15, 0x01, 0, 15}, {22, 0x04, 10, 6}};
  for (const auto& [byte, value, row, column] : cases) {
    QByteArray bytes(IconBytes, '\0');
    bytes[byte] = static_cast<char>(value);
    IconGlyph expected{};
    expected[row][column] = 1;
    EXPECT_EQ(DecodeIconGlyph(bytes), expected) << byte;
    EXPECT_EQ(EncodeIconGlyph(expected), bytes) << byte;
  }
}

TEST(IconGlyphCodec, FontTextRoundTripsAndRejectsBadText) {
  IconGlyph corners{};
  corners[0][0] = corners[15][15] = 1;
  const QString hex = "01" + QString("00").repeated(30) + "80";
  EXPECT_EQ(EncodeFontGlyph(corners), hex);
  // A block read hands over 128 characters; the second half is not icon data.
  EXPECT_EQ(*ExpandFontString(hex.toLower() + QString("Z").repeated(64)), corners);
  const QString good = QString("0").repeated(64);
  for (const QString& bad : {good.left(63), "G" + good.mid(1), good.left(62) + " 0"}) {
    const Result<IconGlyph> glyph = ExpandFontString(bad);
    ASSERT_FALSE(glyph.ok()) << bad.toStdString();
    EXPECT_TRUE(glyph.error().contains("icon data")) << bad.toStdString();
  }
}

}  // namespace
}  // namespace rqm27
