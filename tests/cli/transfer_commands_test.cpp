// rqm27-cli read and write against rqm27-cli simulate, each a process of its own.
#include "cli/cli_runner.h"
#include "codec/memory_image.h"
#include "files/json_image.h"
#include "link/demo_memory.h"
#include "support/sample_image.h"

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
    simulator_.kill();
    simulator_.waitForFinished(5000);
  }

  QString path(const QString& name) const { return dir_.filePath(name); }

  // Starts the simulator on the memory a full write of the sample image leaves.
  QString startSimulator(const QStringList& options = {}) {
    auto memory = EncodeMemoryImage(testing::SampleImage(), testing::RandomMemory(17));
    (*memory)[0x1FE01] = 2;
    WriteFile(path("memory.bin"), *memory);
    return testing::StartSimulator(
        simulator_,
        QStringList{"--memory", path("memory.bin"), "--save", path("saved.bin")} + options);
  }

  QTemporaryDir dir_;
  QProcess simulator_;
};

TEST_F(ReadWrite, ReadGivesWhatConvertGivesInEveryFormat) {
  const QString device = startSimulator();
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
  const QString device = startSimulator();
  CloneImage image = testing::SampleImage();
  image.slot(77) = testing::SampleChannel(14580000, "WRITTEN");
  image.slot(1).used = false;
  WriteFile(path("in.json"), WriteJsonImage(image));
  const auto write = RunCli({"write", "--port", device, "--variant", "J", path("in.json")});
  ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
  simulator_.terminate();
  ASSERT_TRUE(simulator_.waitForFinished(5000));
  ASSERT_EQ(RunCli({"convert", path("in.json"), path("expected.bin"), "--base", path("memory.bin")})
                .exitCode,
            0);
  EXPECT_TRUE(ReadFile(path("saved.bin")) == ReadFile(path("expected.bin")));
}

TEST_F(ReadWrite, FailedReadNamesTheStepAndLeavesTheOutputAlone) {
  const QString device = startSimulator({"--variant", "T", "--silent-after", "26"});
  const auto wrong = RunCli({"read", "--port", device, "--variant", "E", path("x.json")});
  EXPECT_EQ(wrong.exitCode, 1);
  EXPECT_TRUE(wrong.err.contains("ZT~RQ-M27E")) << wrong.err.toStdString();
  EXPECT_FALSE(QFile::exists(path("x.json")));
  // One line went to that identification, 19 to this one and the areas, 6 to slots 1-6.
  WriteFile(path("out.json"), "keep me");
  const auto read =
      RunCli({"read", "--port", device, "--variant", "T", "--stats", path("out.json")});
  EXPECT_EQ(read.exitCode, 1);
  const QStringList lines = QString::fromUtf8(read.err).split('\n', Qt::SkipEmptyParts);
  const QString failure = lines.isEmpty() ? QString() : lines.last();
  EXPECT_TRUE(failure.contains("reading channel slot 7")) << failure.toStdString();
  EXPECT_TRUE(failure.contains("01380")) << failure.toStdString();  // slot 7's address
  EXPECT_EQ(ReadFile(path("out.json")), "keep me");
}

TEST(Transfer, BuiltInSimulatorAndPortList) {
  QTemporaryDir dir;
  const auto read = RunCli({"read", "--port", "sim", "--stats", dir.filePath("demo.json")});
  ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
  EXPECT_TRUE(read.err.contains("bytes received")) << read.err.toStdString();
  const auto image = ReadJsonImage(ReadFile(dir.filePath("demo.json")));
  ASSERT_TRUE(image.ok());
  EXPECT_EQ(image->slot(2), DemoImage().slot(2));
  EXPECT_TRUE(RunCli({"ports"}).out.contains("sim\tSimulated receiver"));
}

}  // namespace
}  // namespace rqm27
