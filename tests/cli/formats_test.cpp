#include "cli/cli_runner.h"
#include "files/json_image.h"
#include "model/channel_text.h"
#include "support/sample_image.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

using testing::ReadFile;
using testing::RunCli;
using testing::WriteFile;

// Every used slot 1-1700 with the texts a channel keeps in every format (the transmit tone is
// not in a memory image or a channel list).
QStringList ChannelTexts(const CloneImage& image) {
  QStringList texts;
  for (int slot = 1; slot <= 1700; ++slot) {
    const ChannelSlot& s = image.slot(slot);
    if (!s.used) continue;
    QStringList cells{QString::number(slot)};
    for (int column = FrequencyColumn; column <= NameColumn; ++column) {
      if (column != TxToneColumn) cells << ChannelCellText(s, column);
    }
    texts << cells.join('|');
  }
  return texts;
}

TEST(Formats, EveryPairOfFormatsKeepsTheChannels) {
  QTemporaryDir dir;
  CloneImage sample = testing::SampleImage();
  sample.slot(2).txTone = 8;  // not in a memory image
  WriteFile(dir.filePath("start.json"), WriteJsonImage(sample));
  const QStringList formats = {"bin", "json", "M27", "CSV"};
  for (const QString& from : formats) {
    const QString source = dir.filePath("source." + from);
    ASSERT_EQ(RunCli({"convert", dir.filePath("start.json"), source}).exitCode, 0)
        << from.toStdString();
    for (const QString& to : formats) {
      const QString target = dir.filePath(QStringLiteral("%1-to.%2").arg(from, to.toLower()));
      const std::string pair = (from + " -> " + to).toStdString();
      const QString back = dir.filePath(QStringLiteral("%1-%2-back.json").arg(from, to));
      ASSERT_EQ(RunCli({"convert", source, target}).exitCode, 0) << pair;
      ASSERT_EQ(RunCli({"convert", target, back}).exitCode, 0) << pair;
      const auto image = ReadJsonImage(ReadFile(back));
      ASSERT_TRUE(image.ok()) << image.error().toStdString();
      EXPECT_EQ(ChannelTexts(*image), ChannelTexts(sample)) << pair;
      if (from != "CSV" && to != "CSV") {  // a channel list holds only the channels
        EXPECT_EQ(ReadFile(back), ReadFile(dir.filePath("start.json"))) << pair;
      }
    }
  }
}

// --to names the format written whatever the extension; the list is read back by its header.
TEST(Formats, ConvertWritesTheMultiRadioListWhenAskedAndReadsItBack) {
  QTemporaryDir dir;
  const CloneImage sample = testing::SampleImage();
  WriteFile(dir.filePath("start.json"), WriteJsonImage(sample));
  const QString list = dir.filePath("list.CSV");
  ASSERT_EQ(RunCli({"convert", dir.filePath("start.json"), list, "--to", "multicsv"}).exitCode, 0);
  EXPECT_TRUE(ReadFile(list).startsWith("Location,Name,Frequency,Duplex,Offset,Tone,"));
  ASSERT_EQ(RunCli({"convert", list, dir.filePath("back.json")}).exitCode, 0);
  const auto back = ReadJsonImage(ReadFile(dir.filePath("back.json")));
  ASSERT_TRUE(back.ok()) << back.error().toStdString();
  for (int slot = 1; slot <= 1700; ++slot) {
    const bool memory = slot <= 1200 && sample.slot(slot).used;
    EXPECT_EQ(back->slot(slot).used, memory) << slot;
    if (memory) {
      EXPECT_EQ(back->slot(slot).frequency, sample.slot(slot).frequency) << slot;
    }
  }
  EXPECT_EQ(RunCli({"convert", dir.filePath("start.json"), list, "--to", "xml"}).exitCode, 2);
  // --first-slot puts the rows one after another from that slot, whatever their Location.
  WriteFile(dir.filePath("two.csv"), "Location,Name,Frequency\r\n0,ONE,145.5\r\n7,TWO,146.5\r\n");
  ASSERT_EQ(
      RunCli({"convert", dir.filePath("two.csv"), dir.filePath("two.json"), "--first-slot", "101"})
          .exitCode,
      0);
  const auto two = ReadJsonImage(ReadFile(dir.filePath("two.json")));
  ASSERT_TRUE(two.ok());
  EXPECT_EQ(UsedChannelCount(*two, 1, 1200), 2);
  EXPECT_EQ(two->slot(101).frequency, 14550000);
  EXPECT_EQ(two->slot(102).frequency, 14650000);
}

TEST(Formats, ShowSummarisesAnImage) {
  QTemporaryDir dir;
  WriteFile(dir.filePath("a.json"), WriteJsonImage(testing::SampleImage()));
  const auto run = RunCli({"show", dir.filePath("a.json")});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QString out = QString::fromUtf8(run.out);
  for (const char* expected :
       {"Channels (32 used)", "Bank00-000", "145.00000MHz", "CALL", "Bank11    0", "Bank20   50",
        "3: Bank49-049", "1: not set", "Language", "日本語", "Scan Mode               5 min. Lapse",
        "Group0: banks 0", "GroupB: no banks"}) {
    EXPECT_TRUE(out.contains(QString::fromUtf8(expected))) << expected;
  }
  EXPECT_EQ(RunCli({"show", dir.filePath("missing.M27")}).exitCode, 1);
}

// What a reader leaves out is said on stderr, the first 20 and how many more, and the
// conversion still succeeds.
TEST(Formats, WhatTheReaderLeftOutIsSaidOnStderr) {
  QTemporaryDir dir;
  QString list =
      "\"\",\"Frequency\",\"Mode\",\"Step\",\"Carrier\",\"Subtone\",\"---\",\"TSQ\","
      "\"DCS\",\"Shift\",\"Shift-Freq\",\"Skip\",\"Name\",\"0\"\r\n";
  for (int row = 1; row <= LastTransferredSlot; ++row) {
    const char* step = row <= 25 ? "7KHz" : "5KHz";
    list += QStringLiteral("x,145.00000,FM,%1,300Hz,None,---,88.5Hz,023,Off,0.00000MHz,,AB,%2\r\n")
                .arg(QLatin1StringView(step))
                .arg(row);
  }
  WriteFile(dir.filePath("list.csv"), list.toLatin1());
  const auto run = RunCli({"convert", dir.filePath("list.csv"), dir.filePath("out.json")});
  EXPECT_EQ(run.exitCode, 0);
  const QStringList lines = QString::fromUtf8(run.err).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 21) << run.err.constData();
  EXPECT_TRUE(
      lines[0].endsWith("list.csv: row 1, slot 1: step \"7KHz\" is not one the receiver "
                        "has; channel left out"))
      << lines[0].toStdString();
  EXPECT_TRUE(lines[20].endsWith("and 5 more")) << lines[20].toStdString();
  EXPECT_TRUE(QFile::exists(dir.filePath("out.json")));
}

}  // namespace
}  // namespace rqm27
