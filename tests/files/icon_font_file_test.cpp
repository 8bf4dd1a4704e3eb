#include "files/icon_font_file.h"

#include "app/qstring_print.h"
#include "support/sample_image.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <random>

namespace rqm27 {
namespace {

const QDateTime kNow(QDate(2024, 3, 5), QTime(7, 8, 9));

QStringList Lines(const QByteArray& file) {
  QStringList lines = QString::fromLatin1(file).split(QStringLiteral("\r\n"));
  EXPECT_EQ(lines.last(), QString()) << "the last line must end with CR LF";
  lines.removeLast();
  return lines;
}

QByteArray FontFile(const QStringList& lines) {
  return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

IconPixels RandomIcons(unsigned seed) {
  std::mt19937 random(seed);
  IconPixels icons{};
  for (auto& glyph : icons) {
    for (auto& row : glyph) {
      for (auto& pixel : row) pixel = static_cast<std::uint8_t>(random() & 1);
    }
  }
  return icons;
}

IconPixels AllSet() {
  IconPixels icons{};
  for (auto& glyph : icons) {
    for (auto& row : glyph) row.fill(1);
  }
  return icons;
}

TEST(IconFontFile, WritesStampBlocksAndEndIn138Lines) {
  IconPixels icons{};
  icons[0][0][15] = 1;
  icons[7][15][0] = 1;
  icons[3][8] = {1, 1, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  const QStringList lines = Lines(WriteIconFontFile(icons, kNow));
  ASSERT_EQ(lines.size(), 138);
  EXPECT_EQ(lines[0], "Save Date and Time 2024/03/05 7:08:09");
  for (int n = 0; n < 8; ++n) EXPECT_EQ(lines[1 + 17 * n], QString::number(n));
  EXPECT_EQ(lines[2], "0000000000000001");
  EXPECT_EQ(lines[3], "0000000000000000");
  EXPECT_EQ(lines[1 + 17 * 3 + 1 + 8], "1100101000000001");
  EXPECT_EQ(lines[136], "1000000000000000");
  EXPECT_EQ(lines[137], "File End");
}

TEST(IconFontFile, ReadingWhatWasWrittenGivesTheIconsBack) {
  const IconPixels cases[] = {RandomIcons(1), RandomIcons(2), testing::SampleImage().icons,
                              IconPixels{}, AllSet()};
  for (const IconPixels& icons : cases) {
    for (const IconPixels& current : {IconPixels{}, AllSet()}) {
      const auto read = ReadIconFontFile(WriteIconFontFile(icons, kNow), current, "icons.FK5");
      ASSERT_TRUE(read.ok()) << read.error().toStdString();
      EXPECT_EQ(*read, icons);
    }
  }
}

TEST(IconFontFile, NameMustEndInFk5) {
  const struct {
    const char* name;
    bool accepted;
  } cases[] = {{"a.FK5", true},  {"C:/icons/a.fk5", true}, {"a.Fk5", true},
               {"a.txt", false}, {"a.FK", false},          {"a.fk5.bak", false}};
  const QByteArray file = WriteIconFontFile(RandomIcons(3), kNow);
  for (const auto& c : cases) {
    const auto read = ReadIconFontFile(file, IconPixels{}, c.name);
    EXPECT_EQ(read.ok(), c.accepted) << c.name;
    if (!read.ok()) {
      EXPECT_EQ(read.error(), QStringLiteral("This File don't Open: %1").arg(c.name));
    }
  }
}

// A block of the digit and 16 rows, each row `row`.
QStringList Block(const QString& digit, const QString& row) {
  QStringList lines{digit};
  for (int r = 0; r < IconSize; ++r) lines << row;
  return lines;
}

IconGlyph GlyphOfRows(const QString& row) {
  IconGlyph glyph{};
  for (auto& pixels : glyph) {
    for (int c = 0; c < IconSize; ++c) pixels[static_cast<std::size_t>(c)] = row[c] == u'1';
  }
  return glyph;
}

TEST(IconFontFile, BlocksFillIconsInFileOrderWhateverTheirDigit) {
  const QString rowA = "1000000000000001";
  const QString rowB = "0110000000000110";
  const IconPixels current = RandomIcons(4);
  const auto read =
      ReadIconFontFile(FontFile(QStringList{"stamp", "File", "8", "12"} + Block("7", rowA) +
                                QStringList{"xx"} + Block("3", rowB) + QStringList{"File End"}),
                       current, "a.FK5");
  ASSERT_TRUE(read.ok());
  IconPixels expected = current;
  expected[0] = GlyphOfRows(rowA);
  expected[1] = GlyphOfRows(rowB);
  EXPECT_EQ(*read, expected);
}

TEST(IconFontFile, RowsThatCannotBeReadLeaveTheirPixels) {
  QStringList block = Block("0", "1111111111111111");
  block[1] = "111111111111111";    // 15 characters: row 0 kept
  block[2] = "11111111111111111";  // 17 characters: row 1 kept
  block[3] = "1 11111111111111";   // row 2: pixel 1 kept
  block[4] = "0x00000000000002";   // row 3: pixels 1 and 15 kept
  block[5] = QString();            // row 4 kept
  for (const IconPixels& current : {IconPixels{}, AllSet(), RandomIcons(5)}) {
    const auto read = ReadIconFontFile(FontFile(QStringList{"stamp"} + block), current, "a.FK5");
    ASSERT_TRUE(read.ok());
    IconPixels expected = current;
    for (int r = 2; r < IconSize; ++r) {
      if (r != 4) expected[0][static_cast<std::size_t>(r)].fill(r == 3 ? 0 : 1);
    }
    expected[0][2][1] = current[0][2][1];
    expected[0][3][1] = current[0][3][1];
    expected[0][3][15] = current[0][3][15];
    EXPECT_EQ(*read, expected);
  }
}

TEST(IconFontFile, StopsAtTheNinthBlockOrTheEndOfTheFile) {
  const QString ones(16, u'1');
  const QString zeros(16, u'0');
  QStringList nine{"stamp"};
  for (int n = 0; n < 9; ++n) nine += Block("0", n == 8 ? zeros : ones);
  const auto all = ReadIconFontFile(FontFile(nine), IconPixels{}, "a.FK5");
  ASSERT_TRUE(all.ok());
  EXPECT_EQ(*all, AllSet());

  QStringList cut = QStringList{"stamp"} + Block("0", ones) + Block("1", ones).mid(0, 4);
  const IconPixels current = RandomIcons(6);
  const auto part = ReadIconFontFile(FontFile(cut), current, "a.FK5");
  ASSERT_TRUE(part.ok());
  IconPixels expected = current;
  expected[0] = AllSet()[0];
  for (int r = 0; r < 3; ++r) expected[1][static_cast<std::size_t>(r)].fill(1);
  EXPECT_EQ(*part, expected);

  // The first line is never a block, whatever it holds.
  const auto noStamp = ReadIconFontFile(FontFile(Block("0", ones)), current, "a.FK5");
  ASSERT_TRUE(noStamp.ok());
  EXPECT_EQ(*noStamp, current);
}

}  // namespace
}  // namespace rqm27
