#include "files/icon_font_file.h"

#include "support/qstring_print.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <random>

namespace rqm27 {
namespace {

const QDateTime kNow(QDate(2024, 3, 5), QTime(7, 8, 9));

QByteArray FontFile(const QStringList& lines) {
  return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

// Pixels set at random, or every one.
IconPixels Icons(unsigned seed) {
  std::mt19937 random(seed);
  IconPixels icons{};
  for (auto& glyph : icons) {
    for (auto& row : glyph) {
      for (auto& pixel : row) pixel = seed == 0 || (random() & 1);
    }
  }
  return icons;
}
const IconPixels kAllSet = Icons(0);

// A block of the digit and 16 rows, each row `row`.
QStringList Block(const QString& digit, const QString& row) {
  QStringList lines{digit};
  for (int r = 0; r < IconSize; ++r) lines << row;
  return lines;
}

IconPixels Read(const QStringList& lines, const IconPixels& current) {
  const auto read = ReadIconFontFile(FontFile(lines), current, "a.FK5");
  EXPECT_TRUE(read.ok()) << read.error().toStdString();
  return read.ok() ? *read : IconPixels{};
}

TEST(IconFontFile, WritesStampBlocksAndEndIn138Lines) {
  IconPixels icons{};
  icons[0][0][15] = 1;
  icons[7][15][0] = 1;
  icons[3][8] = {1, 1, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  const QByteArray file = WriteIconFontFile(icons, kNow);
  ASSERT_TRUE(file.endsWith("\r\nFile End\r\n"));
  const QStringList lines = QString::fromLatin1(file).split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 139);
  EXPECT_EQ(lines[0], "Save Date and Time 2024/03/05 7:08:09");
  for (int n = 0; n < 8; ++n) EXPECT_EQ(lines[1 + 17 * n], QString::number(n));
  EXPECT_EQ(lines[2], "0000000000000001");
  EXPECT_EQ(lines[3], "0000000000000000");
  EXPECT_EQ(lines[1 + 17 * 3 + 1 + 8], "1100101000000001");
  EXPECT_EQ(lines[136], "1000000000000000");
}

TEST(IconFontFile, BlocksFillIconsInFileOrderWhateverTheirDigit) {
  const QString ones(16, u'1');
  const QString rowB = "0110000000000110";
  const IconPixels current = Icons(4);
  IconPixels expected = current;
  expected[0] = kAllSet[0];
  for (auto& row : expected[1]) {
    for (int c = 0; c < IconSize; ++c) row[static_cast<std::size_t>(c)] = rowB[c] == u'1';
  }
  EXPECT_EQ(Read(QStringList{"stamp", "File", "8", "12"} + Block("7", ones) + QStringList{"xx"} +
                     Block("3", rowB) + QStringList{"File End"},
                 current),
            expected);

  // A file cut inside a block fills the rows it holds.
  expected = current;
  expected[0] = kAllSet[0];
  for (int r = 0; r < 3; ++r) expected[1][static_cast<std::size_t>(r)].fill(1);
  EXPECT_EQ(Read(QStringList{"stamp"} + Block("0", ones) + Block("1", ones).mid(0, 4), current),
            expected);

  // The first line is never a block, whatever it holds.
  EXPECT_EQ(Read(Block("0", ones), current), current);
  const auto misnamed = ReadIconFontFile(FontFile(Block("0", ones)), current, "a.fk5.bak");
  ASSERT_FALSE(misnamed.ok());
  EXPECT_EQ(misnamed.error(), QStringLiteral("This File don't Open: a.fk5.bak"));
}

TEST(IconFontFile, RowsThatCannotBeReadLeaveTheirPixels) {
  QStringList block = Block("0", "1111111111111111");
  block[1] = "111111111111111";    // 15 characters: row 0 kept
  block[2] = "11111111111111111";  // 17 characters: row 1 kept
  block[3] = "1 11111111111111";   // row 2: pixel 1 kept
  block[4] = "0x00000000000002";   // row 3: pixels 1 and 15 kept
  block[5] = QString();            // row 4 kept
  for (const IconPixels& current : {IconPixels{}, kAllSet}) {
    IconPixels expected = current;
    for (int r = 2; r < IconSize; ++r) {
      if (r != 4) expected[0][static_cast<std::size_t>(r)].fill(r == 3 ? 0 : 1);
    }
    expected[0][2][1] = current[0][2][1];
    expected[0][3][1] = current[0][3][1];
    expected[0][3][15] = current[0][3][15];
    EXPECT_EQ(Read(QStringList{"stamp"} + block, current), expected);
  }
}

}  // namespace
}  // namespace rqm27
