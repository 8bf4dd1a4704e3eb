// rqm27-cli read and write against rqm27-cli simulate, each a process of its own.
#include "cli/cli_runner.h"
#include "codec/memory_image.h"
#include "files/json_image.h"
#include "support/sample_image.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

using testing::ReadFile;
using testing::RunCli;
using testing::WriteFile;

class ReadWrite : public ::testing::Test {
 protected:
  void TearDown() override {
    if (simulator_.state() != QProcess::NotRunning) {
      simulator_.kill();
      simulator_.waitForFinished(5000);
    }
  }

  QString path(const QString& name) const { return dir_.filePath(name); }

  // Starts the simulator on memory and returns the device it serves on.
  QString startSimulator(const QByteArray& memory, const QStringList& options = {}) {
    WriteFile(path("memory.bin"), memory);
    simulator_.start(
        QStringLiteral(RQM27_CLI_PATH),
        QStringList{"simulate", "--memory", path("memory.bin"), "--save", path("saved.bin")} +
            options);
    if (!simulator_.waitForStarted(5000)) return {};
    while (!simulator_.canReadLine() && simulator_.waitForReadyRead(5000)) {
    }
    return QString::fromLocal8Bit(simulator_.readLine()).trimmed();
  }

  QByteArray stopSimulator() {
    simulator_.terminate();
    EXPECT_TRUE(simulator_.waitForFinished(5000));
    return ReadFile(path("saved.bin"));
  }

  // A memory as a receiver holds it after a full write of the sample image.
  static QByteArray SampleMemory() {
    auto memory = EncodeMemoryImage(testing::SampleImage(), testing::RandomMemory(17));
    (*memory)[0x1FE01] = 2;
    return *memory;
  }

  QTemporaryDir dir_;
  QProcess simulator_;
};

TEST_F(ReadWrite, ReadGivesWhatConvertGivesInEveryFormat) {
  const QString device = startSimulator(SampleMemory());
  ASSERT_TRUE(device.startsWith("/dev/")) << device.toStdString();
  for (const QString out : {"read.json", "read.M27", "read.bin"}) {
    const auto read = RunCli({"read", "--port", device, path(out)});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    ASSERT_EQ(RunCli({"convert", path("memory.bin"), path("converted-" + out)}).exitCode, 0);
    const QByteArray a = ReadFile(path(out));
    const QByteArray b = ReadFile(path("converted-" + out));
    // A clone file's first line is the time it was written.
    EXPECT_EQ(a.mid(a.indexOf('\n')), b.mid(b.indexOf('\n'))) << out.toStdString();
  }
}

TEST_F(ReadWrite, WriteLeavesWhatConvertOntoTheSameBaseGives) {
  const QByteArray before = SampleMemory();
  const QString device = startSimulator(before);
  CloneImage image = testing::SampleImage();
  image.slot(77) = testing::SampleChannel("145.80000MHz", "WRITTEN");
  image.slot(1).used = false;
  WriteFile(path("in.json"), WriteJsonImage(image));
  const auto write = RunCli({"write", "--port", device, "--variant", "J", path("in.json")});
  ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
  const QByteArray saved = stopSimulator();
  ASSERT_EQ(RunCli({"convert", path("in.json"), path("expected.bin"), "--base", path("memory.bin")})
                .exitCode,
            0);
  EXPECT_TRUE(saved == ReadFile(path("expected.bin")));
}

TEST_F(ReadWrite, FailedReadNamesTheStepAndLeavesTheOutputAlone) {
  const QString device = startSimulator(SampleMemory(), {"--silent-after", "25"});
  WriteFile(path("out.json"), "keep me");
  const auto read = RunCli({"read", "--port", device, "--stats", path("out.json")});
  EXPECT_EQ(read.exitCode, 1);
  const QStringList lines = QString::fromUtf8(read.err).split('\n', Qt::SkipEmptyParts);
  const QString failure = lines.isEmpty() ? QString() : lines.last();
  EXPECT_TRUE(failure.contains("reading channel slot 7")) << failure.toStdString();
  EXPECT_TRUE(failure.contains("01380")) << failure.toStdString();  // slot 7's address
  EXPECT_EQ(ReadFile(path("out.json")), "keep me");
}

TEST_F(ReadWrite, WrongVariantAndMissingPortAreReported) {
  const QString device = startSimulator(SampleMemory(), {"--variant", "T"});
  const auto wrong = RunCli({"read", "--port", device, "--variant", "E", path("x.json")});
  EXPECT_EQ(wrong.exitCode, 1);
  EXPECT_TRUE(wrong.err.contains("ZT~RQ-M27E")) << wrong.err.toStdString();
  const auto missing = RunCli({"read", "--port", "/dev/rqm27-missing", path("x.json")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(missing.err.contains("/dev/rqm27-missing")) << missing.err.toStdString();
  EXPECT_FALSE(QFile::exists(path("x.json")));
}

TEST_F(ReadWrite, BuiltInSimulatorAndPortList) {
  const auto read = RunCli({"read", "--port", "sim", "--stats", path("demo.json")});
  ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
  EXPECT_TRUE(read.err.contains("bytes received")) << read.err.toStdString();
  const auto image = ReadJsonImage(ReadFile(path("demo.json")));
  ASSERT_TRUE(image.ok());
  int used = 0;
  for (int s = 1; s <= 1700; ++s) used += image->slot(s).used ? 1 : 0;
  EXPECT_GT(used, 20);
  const auto ports = RunCli({"ports"});
  EXPECT_EQ(ports.exitCode, 0);
  EXPECT_TRUE(ports.out.contains("sim\tSimulated receiver")) << ports.out.toStdString();
}

}  // namespace
}  // namespace rqm27
