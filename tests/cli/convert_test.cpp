#include "cli/cli_runner.h"
#include "codec/channel_record.h"
#include "codec/memory_image.h"
#include "files/json_image.h"
#include "model/channel_text.h"
#include "support/sample_image.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

using testing::ReadFile;
using testing::RunCli;
using testing::WriteFile;

class Convert : public ::testing::Test {
 protected:
  QString path(const QString& name) const { return dir_.filePath(name); }

  // A memory image as a receiver holds it after a full write of the sample image.
  static QByteArray SampleMemory() {
    auto memory = EncodeMemoryImage(testing::SampleImage(), testing::RandomMemory(3));
    (*memory)[0x1FE01] = 1;
    return *memory;
  }

  QTemporaryDir dir_;
};

TEST_F(Convert, MemoryImageToJsonAndBackOntoTheSameBase) {
  const QByteArray memory = SampleMemory();
  WriteFile(path("m.bin"), memory);
  ASSERT_EQ(RunCli({"convert", path("m.bin"), path("m.json")}).exitCode, 0);
  ASSERT_EQ(RunCli({"convert", path("m.json"), path("back.BIN"), "--base", path("m.bin")}).exitCode,
            0);
  EXPECT_EQ(ReadFile(path("back.BIN")), memory);
  // The JSON shows the channels as the grid would.
  const auto image = ReadJsonImage(ReadFile(path("m.json")));
  ASSERT_TRUE(image.ok()) << image.error().toStdString();
  EXPECT_EQ(ChannelCellText(image->slot(1302), NameColumn), "SUB");
  EXPECT_EQ(ChannelCellText(image->slot(1302), FrequencyColumn), "435.00000MHz");
}

// Each bad input: exit status 1, one line on stderr that says what and where, and no output.
TEST_F(Convert, BadInputFailsWithOneLineAndNoOutputFile) {
  QByteArray badRecord = SampleMemory();
  badRecord[ChannelAddress(77)] = 1;
  badRecord[ChannelAddress(77) + 6] = 19;  // step outside its table
  WriteFile(path("badrecord.bin"), badRecord);
  WriteFile(path("short.bin"), QByteArray(1000, '\0'));
  QByteArray json = WriteJsonImage(testing::SampleImage());
  WriteFile(path("good.json"), json);
  WriteFile(path("badlabel.json"), json.replace("\"Jp.Rail\"", "\"Jp.Tram\""));
  WriteFile(path("kept.json"), "precious");

  struct Case {
    QStringList args;
    const char* mentions;
  };
  const Case cases[] = {
      {{"short.bin", "o1.json"}, "1000 bytes"},
      {{"badrecord.bin", "o2.json"}, "slot 77: step"},
      {{"badlabel.json", "o3.bin"}, "unknown carrier \"Jp.Tram\""},
      {{"missing.bin", "o4.json"}, "missing.bin"},
      {{"good.json", "o5.txt"}, "unknown file type"},
      {{"good.json", "o6.bin", "--base", "short.bin"}, "short.bin"},
      {{"good.json"}, "expected IN and OUT"},
      {{"short.bin", "kept.json"}, "1000 bytes"},
  };
  for (const Case& c : cases) {
    QStringList args{"convert"};
    for (const QString& a : c.args) args << (a.startsWith("--") ? a : path(a));
    const auto run = RunCli(args);
    const QString err = QString::fromUtf8(run.err);
    EXPECT_EQ(run.exitCode, 1) << err.toStdString();
    EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(QString::fromUtf8(c.mentions))) << err.toStdString();
  }
  // Nothing was written, and an existing output file is left alone.
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 5);
  EXPECT_EQ(ReadFile(path("kept.json")), "precious");
}

// What a reader leaves out is said on stderr, the first 20 and how many more, and the
// conversion still succeeds.
TEST_F(Convert, WhatTheReaderLeftOutIsSaidOnStderr) {
  QString list =
      "\"\",\"Frequency\",\"Mode\",\"Step\",\"Carrier\",\"Subtone\",\"---\",\"TSQ\","
      "\"DCS\",\"Shift\",\"Shift-Freq\",\"Skip\",\"Name\",\"0\"\r\n";
  for (int row = 1; row <= LastTransferredSlot; ++row) {
    const char* step = row <= 25 ? "7KHz" : "5KHz";
    list += QStringLiteral("x,145.00000,FM,%1,300Hz,None,---,88.5Hz,023,Off,0.00000MHz,,AB,%2\r\n")
                .arg(QLatin1StringView(step))
                .arg(row);
  }
  WriteFile(path("list.csv"), list.toLatin1());
  const auto run = RunCli({"convert", path("list.csv"), path("out.json")});
  EXPECT_EQ(run.exitCode, 0);
  const QStringList lines = QString::fromUtf8(run.err).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 21) << run.err.constData();
  EXPECT_TRUE(
      lines[0].endsWith("list.csv: row 1, slot 1: step \"7KHz\" is not one the receiver "
                        "has; channel left out"))
      << lines[0].toStdString();
  EXPECT_TRUE(lines[20].endsWith("and 5 more")) << lines[20].toStdString();
  EXPECT_TRUE(QFile::exists(path("out.json")));
}

}  // namespace
}  // namespace rqm27
