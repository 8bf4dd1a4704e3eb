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

// Each bad input: exit status 1 (2 for a usage error), one line on stderr that says what and where,
// nothing on stdout, and no file written (an existing output file is left alone). Arguments with a
// dot name files in a folder of their own.
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
  struct Case {
    QStringList arguments;
    const char* mentions;
    int status;
  };
  const Case cases[] = {
      {{"convert", "short.bin", "o1.json"}, "1000 bytes", 1},
      {{"convert", "badrecord.bin", "o2.json"}, "slot 77: step", 1},
      {{"convert", "badlabel.json", "o3.bin"}, "unknown carrier \"Jp.Tram\"", 1},
      {{"convert", "missing.bin", "o4.json"}, "missing.bin", 1},
      {{"convert", "good.json", "o5.txt"}, "unknown file type", 1},
      {{"convert", "good.json", "o6.bin", "--base", "short.bin"}, "short.bin", 1},
      {{"convert", "good.json"}, "expected IN OUT", 2},
      {{"convert", "short.bin", "kept.json"}, "1000 bytes", 1},
      {{"simulate", "--variant", "X"}, "--variant", 2},
      {{"simulate", "--baud", "fast"}, "--baud", 2},
      {{"simulate", "--refuse-writes-at", "20000"}, "--refuse-writes-at", 2},
      {{"simulate", "--piece-delay", "5"}, "--pieces", 2},
      {{"simulate", "--memory", "short.bin"}, "1000", 1},
  };
  for (const auto& [arguments, mentions, status] : cases) {
    QStringList args;
    for (const QString& a : arguments) args << (a.contains('.') ? dir.filePath(a) : a);
    const auto run = testing::RunCli(args, 10000);
    const QString err = QString::fromUtf8(run.err);
    EXPECT_EQ(run.exitCode, status) << err.toStdString();
    EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(QString::fromUtf8(mentions))) << err.toStdString();
    EXPECT_TRUE(run.out.isEmpty()) << arguments.join(' ').toStdString();
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 5);
  EXPECT_EQ(ReadFile(dir.filePath("kept.json")), "precious");
}

}  // namespace
}  // namespace rqm27
