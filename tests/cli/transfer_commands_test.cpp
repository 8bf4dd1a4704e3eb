// rqm27-cli read and write against rqm27-cli simulate, each a process of its own. What the
// receiver holds after each way a write can stop is checked against the procedures themselves
// (tests/link/transfers_test.cpp); here, that the command says it and how it stops.
#include "cli/cli_runner.h"
#include "files/json_image.h"
#include "link/demo_memory.h"
#include "support/sample_image.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

using testing::ReadFile;
using testing::RunCli;
using testing::WriteFile;

// An image whose write takes long enough to be stopped in the middle: slots 1-300 used, and
// none of them as the simulator's starting memory has them.
CloneImage ThreeHundredChannels() {
  CloneImage image = testing::SampleImage();
  for (ChannelSlot& slot : image.channels) slot.used = false;
  for (int slot = 1; slot <= 300; ++slot) {
    image.slot(slot) = testing::SampleChannel(14500000 + 2500 * slot, "CH");
  }
  return image;
}

// Waits until the process catches SIGINT and SIGTERM, as /proc tells.
bool WaitUntilCatchingSignals(qint64 pid) {
  const quint64 wanted = (1ULL << (SIGINT - 1)) | (1ULL << (SIGTERM - 1));
  for (int tries = 0; tries < 5000; ++tries) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
      if (line.startsWith("SigCgt:") &&
          (line.mid(7).trimmed().toULongLong(nullptr, 16) & wanted) == wanted) {
        return true;
      }
    }
    QThread::msleep(2);
  }
  return false;
}

// Runs rqm27-cli and sends it the signal `delayMs` after it started catching it.
testing::CliRun RunCliWithSignal(const QStringList& args, int signal, int delayMs) {
  QProcess process;
  process.start(QStringLiteral(RQM27_CLI_PATH), args);
  testing::CliRun run;
  if (process.waitForStarted(5000) && WaitUntilCatchingSignals(process.processId())) {
    QThread::msleep(static_cast<unsigned long>(delayMs));
    ::kill(static_cast<pid_t>(process.processId()), signal);
  }
  if (!process.waitForFinished(30000)) process.kill();
  process.waitForFinished();
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.err = process.readAllStandardError();
  return run;
}

class ReadWrite : public ::testing::Test {
 protected:
  void TearDown() override {
    simulator_.kill();
    simulator_.waitForFinished(5000);
  }

  QString path(const QString& name) const { return dir_.filePath(name); }

  void stopSimulator() {
    simulator_.terminate();
    simulator_.waitForFinished(5000);
  }

  // Stops the simulator and gives the memory it saved.
  QByteArray savedMemory() {
    simulator_.terminate();
    simulator_.waitForFinished(5000);
    return ReadFile(path("saved.bin"));
  }

  // Starts the simulator on the memory a full write of the sample image leaves.
  QString startSimulator(const QStringList& options = {}) {
    WriteFile(path("memory.bin"), testing::SampleMemory(17));
    return testing::StartSimulator(
        simulator_,
        QStringList{"--memory", path("memory.bin"), "--save", path("saved.bin")} + options);
  }

  // Runs convert and says whether it succeeded.
  bool convert(const QString& in, const QString& out, const QStringList& options = {}) {
    return RunCli(QStringList{"convert", path(in), path(out)} + options).exitCode == 0;
  }

  QTemporaryDir dir_;
  QProcess simulator_;
};

// A read gives what convert gives from the receiver's memory, and so does the backup a write
// makes; the backup, written back, restores that memory byte for byte.
TEST_F(ReadWrite, ReadAndBackupGiveWhatConvertGivesAndTheBackupRestores) {
  const QString device = startSimulator();
  ASSERT_TRUE(device.startsWith("/dev/")) << device.toStdString();
  const auto read = RunCli({"read", "--port", device, path("read.bin")});
  ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
  ASSERT_TRUE(convert("memory.bin", "converted.bin"));
  EXPECT_TRUE(ReadFile(path("read.bin")) == ReadFile(path("converted.bin")));

  WriteFile(path("in.json"), WriteJsonImage(ThreeHundredChannels()));
  const auto write = RunCli(
      {"write", "--port", device, "--backup", path("backup.bin"), "--verify", path("in.json")});
  ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
  EXPECT_TRUE(write.err.contains("verified")) << write.err.toStdString();
  EXPECT_TRUE(ReadFile(path("backup.bin")) == ReadFile(path("read.bin")));

  const auto restore = RunCli({"write", "--port", device, "--verify=full", path("backup.bin")});
  ASSERT_EQ(restore.exitCode, 0) << restore.err.toStdString();
  EXPECT_TRUE(restore.err.contains("verified")) << restore.err.toStdString();
  EXPECT_TRUE(savedMemory() == ReadFile(path("memory.bin")));
}

TEST_F(ReadWrite, WriteLeavesWhatConvertOntoTheSameBaseGives) {
  const QString device = startSimulator();
  CloneImage image = testing::SampleImage();
  image.slot(77) = testing::SampleChannel(14580000, "WRITTEN");
  image.slot(1).used = false;
  WriteFile(path("in.json"), WriteJsonImage(image));
  const auto write = RunCli({"write", "--port", device, "--variant", "J", path("in.json")});
  ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
  ASSERT_TRUE(convert("in.json", "expected.bin", {"--base", path("memory.bin")}));
  EXPECT_TRUE(savedMemory() == ReadFile(path("expected.bin")));
}

// verify compares the receiver with what a write of the file leaves, naming what differs.
TEST_F(ReadWrite, VerifyComparesTheReceiverWithTheFile) {
  const QString device = startSimulator();
  CloneImage image = ThreeHundredChannels();
  WriteFile(path("in.json"), WriteJsonImage(image));
  ASSERT_EQ(RunCli({"write", "--port", device, path("in.json")}).exitCode, 0);
  const auto same = RunCli({"verify", "--port", device, path("in.json")});
  EXPECT_EQ(same.exitCode, 0) << same.err.toStdString();
  EXPECT_TRUE(same.out.isEmpty()) << same.out.toStdString();

  image.slot(5).frequency += 2000;
  WriteFile(path("changed.json"), WriteJsonImage(image));
  const auto different = RunCli({"verify", "--port", device, "--json", path("changed.json")});
  EXPECT_EQ(different.exitCode, 1) << different.err.toStdString();
  const QJsonArray entries = QJsonDocument::fromJson(different.out).array();
  ASSERT_EQ(entries.size(), 1) << different.out.toStdString();
  EXPECT_EQ(entries[0].toObject()["place"].toInt(), 5);
  EXPECT_EQ(RunCli({"verify", "--port", device, path("missing.json")}).exitCode, 2);
}

TEST_F(ReadWrite, FailedReadNamesTheStepAndLeavesTheOutputAlone) {
  const QString device = startSimulator({"--variant", "T", "--silent-after", "25"});
  // 19 lines go to the identification and the areas, 6 to slots 1-6.
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

// A write that stops says why and what the receiver now holds; one that fails before it sends
// anything makes no backup and leaves the receiver as it was.
TEST_F(ReadWrite, StoppedWriteSaysWhatTheReceiverHolds) {
  CloneImage faulty = ThreeHundredChannels();
  faulty.banks.counts[1] -= 100;
  WriteFile(path("faulty.json"), WriteJsonImage(faulty));
  WriteFile(path("in.json"), WriteJsonImage(ThreeHundredChannels()));
  struct Case {
    const char* name;
    QStringList simulator;
    const char* file;
    const char* backup;  // "": none
    int signal;          // 0: none
    int signalAfterMs;
    const char* says;
    bool untouched;  // no backup made and the receiver's memory as it was
  };
  // Slot 150 lies at 01200 + 64 * 149 = 03740; the paced simulators make the signal land in
  // the identification, the areas and the channels.
  // clang-format off
  const Case cases[] = {
      {"refused at slot 150", {"--refuse-writes-at", "3740"}, "in.json", "made.bin", 0, 0, "cleared and 149 of 300 were written", false},
      {"Ctrl-C at the start", {"--pieces", "1", "--piece-delay", "100"}, "in.json", "", SIGINT, 0, "Nothing was written", true},
      {"SIGTERM before the clear", {"--baud", "2400"}, "in.json", "", SIGTERM, 800, "its channels are the old ones", false},
      {"Ctrl-C in the channels", {"--baud", "57600"}, "in.json", "", SIGINT, 2000, "were cleared and", false},
      {"faulty image", {}, "faulty.json", "b.bin", 0, 0, "the bank table holds 1100 channels", true},
      {"backup folder missing", {}, "in.json", "missing/b.bin", 0, 0, "no backup was made", true},
      {"backup read fails", {"--silent-after", "30"}, "in.json", "b.bin", 0, 0, "no backup was made", true},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString device = startSimulator(c.simulator);
    const QString backup = *c.backup ? path(c.backup) : QString();
    QStringList args{"write", "--port", device, path(c.file)};
    if (*c.backup) args << "--backup" << backup;
    const auto run = c.signal ? RunCliWithSignal(args, c.signal, c.signalAfterMs) : RunCli(args);
    const QByteArray saved = savedMemory();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(c.says)) << run.err.toStdString();
    if (c.signal) {
      EXPECT_TRUE(run.err.contains(c.signal == SIGINT ? "(SIGINT)" : "(SIGTERM)"));
    }
    EXPECT_EQ(run.err.contains(("write the backup " + backup).toUtf8()), !c.untouched && *c.backup);
    if (c.untouched) {
      EXPECT_FALSE(*c.backup && QFile::exists(backup));
      EXPECT_TRUE(saved == ReadFile(path("memory.bin")));
    }
  }
}

TEST_F(ReadWrite, CtrlCDuringReadLeavesNoFile) {
  const QString device = startSimulator({"--baud", "57600"});
  const auto read = RunCliWithSignal({"read", "--port", device, path("out.json")}, SIGINT, 300);
  EXPECT_EQ(read.exitCode, 1);
  EXPECT_TRUE(read.err.contains("(SIGINT)")) << read.err.toStdString();
  EXPECT_FALSE(QFile::exists(path("out.json")));
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
