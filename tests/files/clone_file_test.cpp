#include "files/clone_file.h"

#include "model/code_page.h"
#include "support/sample_image.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <tuple>

namespace rqm27 {
namespace {

using testing::SampleImage;

QString Repeat(const char* text, int times) {
  return QString::fromUtf8(text).repeated(times);
}

// A file of the header, the given lines and the end line, as the writer ends lines.
QByteArray FileOf(const QStringList& lines) {
  QByteArray bytes = "Save Date and Time 2024/01/01 00:00:00\r\n";
  for (const QString& line : lines) bytes += UnicodeToCp932(line) + "\r\n";
  return bytes + "File End\r\n";
}

Result<Noted<CloneImage>> Read(const QByteArray& bytes,
                               const CloneImage& current = StartupImage()) {
  return ReadCloneFile(bytes, current, QStringLiteral("x.M27"));
}

// A channel line of a plain 145 MHz channel with the given fields.
QString ChannelLine(const QString& slot, const QString& name, const QString& decimals = "00000",
                    const QString& step = "00", const QString& shiftDecimals = "00000") {
  return "CH" + slot + "0145." + decimals + "0" + step + "00008080000" + "000." + shiftDecimals +
         "0" + name;
}

QByteArray GoldenFile() {
  return testing::ReadFile(QStringLiteral(RQM27_TEST_DATA "/golden/written.M27"));
}

// Lines are written to the character in the golden file and read back in the round trip.
TEST(CloneFile, LineFeedsAloneReadAsCarriageReturnsAndLineFeeds) {
  const auto crlf = Read(GoldenFile());
  const auto lf = Read(GoldenFile().replace("\r\n", "\n"));
  ASSERT_TRUE(crlf.ok() && lf.ok());
  EXPECT_NE(crlf->value, StartupImage());
  EXPECT_EQ(lf->value, crlf->value);
}

// Each bad line is line 3, after a good channel line; the load stops with the problem.
TEST(CloneFile, BadLineStopsTheLoadNamingTheLine) {
  const QString good = "CH00000145.0000000700308120001000.600000ABC";
  auto channel = [&](int position, const char* field) {
    return QString(good).replace(position, static_cast<int>(qstrlen(field)), field);
  };
  const QString hex64 = Repeat("0F", 32);
  const std::pair<QString, const char*> cases[] = {
      {channel(17, "19"), "step index 19 is outside 0-18"},
      {channel(24, "39"), "TSQ tone index 39 is outside 0-38"},
      {channel(26, "104"), "DCS index 104 is outside 0-103"},
      {channel(2, "1721"), "slot index 1721 is outside 0-1720"},
      {good.left(39), "channel line of 39 characters"},
      {"BK" + Repeat("0100", 5) + "1201" + Repeat("0000", 44), "bank 5 count 1201 is outside"},
      {"GRD11" + Repeat("0", 50), "group number 11 is outside 0-10"},
      {"GRD03" + Repeat("0", 7) + "2" + Repeat("0", 42), "flag \"2\" for bank 7 is not 0 or 1"},
      {"SD02001000012", "Set_Mode_Power 2: selection 12 is outside"},
      {"SD00001000", "settings line of 10 characters"},
      {"FONT8" + hex64, "icon number 8 is outside 0-7"},
      {"FONT2" + hex64.left(63) + "G", "icon 2: icon data"}};
  for (const auto& [line, problem] : cases) {
    const auto read = Read(FileOf({good, line, good}), SampleImage());
    ASSERT_FALSE(read.ok()) << line.toStdString();
    EXPECT_TRUE(read.error().startsWith("x.M27 line 3: ")) << read.error().toStdString();
    EXPECT_TRUE(read.error().contains(QString::fromUtf8(problem))) << read.error().toStdString();
  }
  EXPECT_TRUE(ReadCloneFile(FileOf({}), StartupImage(), "standard input").ok());
  EXPECT_FALSE(Read(QByteArray()).ok());
}

TEST(CloneFile, LinesTheFormatDoesNotApplyAreSkipped) {
  const QStringList skipped = {
      "BK" + Repeat("0", 201), "ONETOUCH_CHDA" + Repeat("9", 26), "GRI" + Repeat("1", 50),
      "GRD03" + Repeat("1", 49), "FONT0" + Repeat("F", 63), "COMPORT05", "XYZ 123", "SD09001",
      // Names and titles beyond 32 bytes are not taken.
      "TITLE" + Repeat("\u3042", 17), ChannelLine("0004", Repeat("\u3042", 17)),
      ChannelLine("1701", Repeat("\u3042", 17))};
  CloneImage current = SampleImage();
  const auto read = Read(FileOf(skipped), current);
  ASSERT_TRUE(read.ok()) << read.error().toStdString();
  for (int s = 1; s <= LastTransferredSlot; ++s) current.slot(s).clear();
  EXPECT_EQ(read->value, current);
  // The three names that do not fit are said, by line.
  ASSERT_EQ(read->notes.size(), 3U);
  EXPECT_EQ(read->notes[1].place, "line 11, slot 5");
}

TEST(CloneFile, ReplacesAStepThatDoesNotFitTheFrequencies) {
  // 8.33 kHz is the 25/3 kHz raster rounded to 10 Hz: 145.10000 and 145.12500 lie on it,
  // 145.10500 and 145.00830 (the old 8330 Hz test) do not.
  const std::tuple<const char*, const char*, const char*, int> cases[] = {
      {"00010", "00", "00000", 16}, {"00000", "00", "00625", 1}, {"12500", "04", "50000", 4},
      {"10000", "02", "00000", 2},  {"12500", "02", "00000", 2}, {"00833", "02", "00000", 2},
      {"10500", "02", "00000", 0},  {"00830", "02", "00000", 16}};
  for (const auto& [decimals, step, shiftDecimals, expected] : cases) {
    const QString line = ChannelLine("0000", "ABC", decimals, step, shiftDecimals);
    const auto read = Read(FileOf({line}));
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    EXPECT_EQ(read->value.slot(1).step, expected) << line.toStdString();
    const bool refitted = QString::fromLatin1(step).toInt() != expected;
    ASSERT_EQ(read->notes.size(), refitted ? 1U : 0U) << line.toStdString();
    if (refitted) {
      EXPECT_TRUE(read->notes[0].message.startsWith("step ")) << line.toStdString();
    }
  }
}

TEST(CloneFile, OneTouchMemoriesFollowTheBanksThatHoldChannels) {
  // Bank 0 is empty, banks 1, 2 and 3 hold 1000, 50 and 150 channels.
  const QString banks = "BK0000" + QStringLiteral("1000") + "0050" + "0150" + Repeat("0000", 46);
  const QString bankLine = "ONETOUCH_BANK000002255002007" + Repeat("255", 4);
  const QString channelLine = "ONETOUCH_CHDA500060003049000" + Repeat("001", 4);
  CloneImage current = StartupImage();
  current.oneTouch[3] = {true, 2, 10};
  const auto read = Read(FileOf({banks, bankLine, channelLine}), current);
  ASSERT_TRUE(read.ok()) << read.error().toStdString();
  OneTouchMemories expected{};
  expected[0] = {true, 1, 500};  // a bank without channels: the first one that has some
  expected[1] = {true, 2, 0};    // position 60 lies beyond the 50 channels of bank 2
  expected[2] = {false, 1, 3};
  expected[3] = {true, 2, 49};
  expected[4] = {true, 1, 0};  // bank 7 holds no channels
  for (int i = 5; i < OneTouchCount; ++i) expected[i] = {false, 1, 1};
  EXPECT_EQ(read->value.oneTouch, expected);
  EXPECT_EQ(read->value.banks.counts[1], 1000);
}

// Channel lines whose values break the channel rules are left out and said, by line and slot;
// an offset field written with three decimals (as older versions wrote a dual-watch SUB channel)
// is read as the number it is.
TEST(CloneFile, ChannelsOutsideTheRulesAreLeftOutAndSaid) {
  const QString offsetThreeDecimals = "CH13010435.000000072800808000100005.6000SUB";
  const QString tooHigh = "CH00041300.0000000728008080000000.000000HIGH";
  const QString tooLow = "CH00050000.0400000728008080000000.000000LOW";
  const QString notNumber = "CH00060145.0x00000728008080000000.000000BAD";
  const auto read = Read(FileOf({offsetThreeDecimals, tooHigh, tooLow, notNumber}));
  ASSERT_TRUE(read.ok()) << read.error().toStdString();
  EXPECT_EQ(read->value.slot(1302).offset, 560000);
  for (int slot : {5, 6, 7}) EXPECT_FALSE(read->value.slot(slot).used) << slot;
  ASSERT_EQ(read->notes.size(), 3U);
  EXPECT_EQ(read->notes[0].place, "line 3, slot 5");
  EXPECT_TRUE(read->notes[0].message.contains("1300.00000MHz is outside"))
      << read->notes[0].message.toStdString();
  EXPECT_EQ(read->notes[2].place, "line 5, slot 7");
}

TEST(CloneFile, DamagedFilesAreRefusedNamingWhatIsMissing) {
  const QByteArray good = GoldenFile();
  const std::pair<QByteArray, const char*> cases[] = {
      {good.left(good.lastIndexOf("File End")), "\"File End\" is missing"},
      {good.mid(good.indexOf('\n') + 1), "not a clone file"},
      {QByteArray(5000, '\0'), "not a clone file"},
      {testing::RandomMemory(7), "not a clone file"},
      {"\"\",\"Frequency\",\"Mode\"\r\n", "not a clone file"}};
  for (const auto& [bytes, problem] : cases) {
    const auto read = ReadCloneFile(bytes, StartupImage(), "dir/b.M27");
    ASSERT_FALSE(read.ok()) << problem;
    EXPECT_TRUE(read.error().startsWith("dir/b.M27: ")) << read.error().toStdString();
    EXPECT_TRUE(read.error().contains(QString::fromUtf8(problem))) << read.error().toStdString();
  }
}

}  // namespace
}  // namespace rqm27
