#include "cli/cli_runner.h"
#include "codec/channel_record.h"
#include "codec/memory_image.h"
#include "files/json_image.h"
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
  QByteArray sampleMemory() const {
    auto memory = EncodeMemoryImage(testing::SampleImage(), testing::RandomMemory(3));
    EXPECT_TRUE(memory.ok());
    (*memory)[0x1FE01] = 1;
    return *memory;
  }

  QTemporaryDir dir_;
};

TEST_F(Convert, VersionAndHelp) {
  const auto version = RunCli({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "3.11\n");
  const auto help = RunCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.contains("convert IN OUT"));
  EXPECT_EQ(RunCli({"frobnicate"}).exitCode, 1);
}

TEST_F(Convert, MemoryImageToJsonAndBackOntoTheSameBase) {
  const QByteArray memory = sampleMemory();
  WriteFile(path("m.bin"), memory);
  const auto toJson = RunCli({"convert", path("m.bin"), path("m.json")});
  ASSERT_EQ(toJson.exitCode, 0) << toJson.err.toStdString();
  const auto back = RunCli({"convert", path("m.json"), path("back.BIN"), "--base", path("m.bin")});
  ASSERT_EQ(back.exitCode, 0) << back.err.toStdString();
  EXPECT_EQ(ReadFile(path("back.BIN")), memory);

  // The JSON shows the channels as the grid would.
  const auto image = ReadJsonImage(ReadFile(path("m.json")));
  ASSERT_TRUE(image.ok()) << image.error().toStdString();
  EXPECT_EQ(image->slot(1302).cell(NameColumn), "SUB");
  EXPECT_EQ(image->slot(1302).cell(FrequencyColumn), "435.00000MHz");
}

TEST_F(Convert, JsonToMemoryToJsonIsTheIdentity) {
  CloneImage image = testing::SampleImage();
  // What a memory image cannot hold: the transmit tone of a channel.
  image.slot(2).setTxTone(8);
  WriteFile(path("a.json"), WriteJsonImage(image));
  ASSERT_EQ(RunCli({"convert", path("a.json"), path("a.bin")}).exitCode, 0);
  ASSERT_EQ(RunCli({"convert", path("a.bin"), path("b.json")}).exitCode, 0);
  EXPECT_EQ(ReadFile(path("b.json")), ReadFile(path("a.json")));
  EXPECT_EQ(ReadFile(path("a.bin")).size(), MemoryImageSize);
}

// Each bad input: exit status 1, one line on stderr that says what and where, and no output.
TEST_F(Convert, BadInputFailsWithOneLineAndNoOutputFile) {
  QByteArray badRecord = sampleMemory();
  badRecord[ChannelAddress(77)] = 1;
  badRecord[ChannelAddress(77) + 6] = 19;  // step outside its table
  WriteFile(path("badrecord.bin"), badRecord);
  WriteFile(path("short.bin"), QByteArray(1000, '\0'));
  QByteArray badSetting = sampleMemory();
  badSetting[0x20] = 7;  // Bell Notifier has four choices
  WriteFile(path("badsetting.bin"), badSetting);
  QByteArray json = WriteJsonImage(testing::SampleImage());
  json.replace("\"Jp.Rail\"", "\"Jp.Tram\"");
  WriteFile(path("badlabel.json"), json);
  WriteFile(path("good.json"), WriteJsonImage(testing::SampleImage()));
  QByteArray links = WriteJsonImage(StartupImage());
  links.replace(
      "\"0000000000000000\",\n        \"0000000000000000\",\n        \"0000000000000000\"",
      "\"0000000000000000\",\n        \"0000000000000000\",\n        \"00000000000000X0\"");
  WriteFile(path("badlinks.json"), links);
  QByteArray count = WriteJsonImage(StartupImage());
  count.replace("\"banks\": [\n        100", "\"banks\": [\n        65536");
  WriteFile(path("badcount.json"), count);

  struct Case {
    QStringList args;
    QString output;
    const char* mentions;
  };
  const Case cases[] = {
      {{"short.bin", "o1.json"}, "o1.json", "1000 bytes"},
      {{"badrecord.bin", "o2.json"}, "o2.json", "slot 77: step"},
      {{"badlabel.json", "o3.bin"}, "o3.bin", "unknown carrier \"Jp.Tram\""},
      {{"badsetting.bin", "o7.json"}, "o7.json", "Bell Notifier"},
      {{"badlinks.json", "o8.bin"}, "o8.bin", "bankLinks[2]"},
      {{"badcount.json", "o9.bin"}, "o9.bin", "banks[0]: 65536"},
      {{"missing.bin", "o4.json"}, "o4.json", "missing.bin"},
      {{"good.json", "o5.txt"}, "o5.txt", "unknown file type"},
      {{"good.json", "o6.bin", "--base", "short.bin"}, "o6.bin", "short.bin"},
      {{"good.json"}, "", "expected IN and OUT"},
  };
  for (const Case& c : cases) {
    QStringList args{"convert"};
    for (const QString& a : c.args) args << (a.startsWith("--") ? a : path(a));
    const auto run = RunCli(args);
    const QString err = QString::fromUtf8(run.err);
    EXPECT_EQ(run.exitCode, 1) << err.toStdString();
    EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(QString::fromUtf8(c.mentions))) << err.toStdString();
    if (!c.output.isEmpty()) {
      EXPECT_FALSE(QFile::exists(path(c.output))) << c.output.toStdString();
    }
  }
}

TEST_F(Convert, FailedConversionLeavesAnExistingOutputAlone) {
  WriteFile(path("short.bin"), QByteArray(10, '\0'));
  WriteFile(path("keep.json"), "precious");
  EXPECT_EQ(RunCli({"convert", path("short.bin"), path("keep.json")}).exitCode, 1);
  EXPECT_EQ(ReadFile(path("keep.json")), "precious");
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 2);
}

}  // namespace
}  // namespace rqm27
