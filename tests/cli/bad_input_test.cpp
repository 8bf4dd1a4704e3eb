#include "cli/cli_runner.h"
#include "codec/memory_image.h"
#include "files/json_image.h"
#include "support/sample_image.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

using testing::ReadFile;
using testing::WriteFile;

// Each bad input: exit status 1, one line on stderr that says what and where, nothing on
// stdout, and no file written (an existing output file is left alone). Arguments with a dot
// name files in a folder of their own.
TEST(CommandLine, BadInputFailsWithOneLineAndWritesNothing) {
  QTemporaryDir dir;
  QByteArray badRecord = testing::SampleMemory(3);
  badRecord[ChannelAddress(77)] = 1;
  badRecord[ChannelAddress(77) + 6] = 19;  // step outside its table
  WriteFile(dir.filePath("badrecord.bin"), badRecord);
  WriteFile(dir.filePath("short.bin"), QByteArray(1000, '\0'));
  QByteArray json = WriteJsonImage(testing::SampleImage());
  WriteFile(dir.filePath("good.json"), json);
  WriteFile(dir.filePath("badlabel.json"), json.replace("\"Jp.Rail\"", "\"Jp.Tram\""));
  WriteFile(dir.filePath("kept.json"), "precious");
  const std::pair<QStringList, const char*> cases[] = {
      {{"convert", "short.bin", "o1.json"}, "1000 bytes"},
      {{"convert", "badrecord.bin", "o2.json"}, "slot 77: step"},
      {{"convert", "badlabel.json", "o3.bin"}, "unknown carrier \"Jp.Tram\""},
      {{"convert", "missing.bin", "o4.json"}, "missing.bin"},
      {{"convert", "good.json", "o5.txt"}, "unknown file type"},
      {{"convert", "good.json", "o6.bin", "--base", "short.bin"}, "short.bin"},
      {{"convert", "good.json"}, "expected IN and OUT"},
      {{"convert", "short.bin", "kept.json"}, "1000 bytes"},
      {{"simulate", "--variant", "X"}, "--variant"},
      {{"simulate", "--baud", "fast"}, "--baud"},
      {{"simulate", "--refuse-writes-at", "20000"}, "--refuse-writes-at"},
      {{"simulate", "--piece-delay", "5"}, "--pieces"},
      {{"simulate", "--memory", "short.bin"}, "1000"},
  };
  for (const auto& [arguments, mentions] : cases) {
    QStringList args;
    for (const QString& a : arguments) args << (a.contains('.') ? dir.filePath(a) : a);
    const auto run = testing::RunCli(args, 10000);
    const QString err = QString::fromUtf8(run.err);
    EXPECT_EQ(run.exitCode, 1) << err.toStdString();
    EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(QString::fromUtf8(mentions))) << err.toStdString();
    EXPECT_TRUE(run.out.isEmpty()) << arguments.join(' ').toStdString();
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 5);
  EXPECT_EQ(ReadFile(dir.filePath("kept.json")), "precious");
}

}  // namespace
}  // namespace rqm27
