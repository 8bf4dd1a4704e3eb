// rqm27-cli read and write against rqm27-cli simulate, each a process of its own.
#include "cli/cli_runner.h"
#include "codec/memory_image.h"
#include "files/json_image.h"
#include "link/demo_memory.h"
#include "support/sample_image.h"

#include <QRegularExpression>
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

int UsedSlots(const QByteArray& memory) {
  const auto image = DecodeMemoryImage(memory);
  if (!image) return -1;
  int used = 0;
  for (int slot = 1; slot <= LastTransferredSlot; ++slot) used += image->slot(slot).used;
  return used;
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

// Whether the memory the simulator saved agrees with what a stopped write said it left: the
// old channels, or as many used slots as it says it wrote (or one more, when it says so).
void ExpectMemoryAgrees(const QString& state, const QByteArray& original, const QByteArray& saved) {
  static const QRegularExpression written(QStringLiteral("(\\d+) of (\\d+) were written"));
  const auto channels = [](const QByteArray& m) {
    return m.mid(ChannelAreaStart, ChannelAreaEnd - ChannelAreaStart);
  };
  if (state.contains("channels are the old ones") || state.startsWith("Nothing was written")) {
    EXPECT_TRUE(channels(saved) == channels(original)) << state.toStdString();
  } else if (const auto match = written.match(state); match.hasMatch()) {
    const int count = match.captured(1).toInt();
    const int used = UsedSlots(saved);
    EXPECT_TRUE(used == count || (used == count + 1 && state.contains("one more may be")))
        << used << " used: " << state.toStdString();
  } else {
    EXPECT_TRUE(state.contains("so they may be gone")) << state.toStdString();
  }
}

class ReadWrite : public ::testing::Test {
 protected:
  void TearDown() override {
    simulator_.kill();
    simulator_.waitForFinished(5000);
  }

  QString path(const QString& name) const { return dir_.filePath(name); }

  // Stops the simulator and gives the memory it saved.
  QByteArray savedMemory() {
    simulator_.terminate();
    simulator_.waitForFinished(5000);
    return ReadFile(path("saved.bin"));
  }

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

TEST_F(ReadWrite, StoppedWriteSaysWhatTheReceiverHolds) {
  WriteFile(path("in.json"), WriteJsonImage(ThreeHundredChannels()));
  struct Case {
    const char* name;
    QStringList simulator;
    bool backup;
    int signal;  // 0: none
    int signalAfterMs;
    const char* holds;
  };
  // Slot 150 lies at 01200 + 64 * 149 = 03740; the paced simulators make the signal land in
  // the identification, the areas and the channels.
  // clang-format off
  const Case cases[] = {
      {"refused in the bank table", {"--refuse-writes-at", "200"}, false, 0, 0, "its channels are the old ones"},
      {"refused at slot 150", {"--refuse-writes-at", "3740"}, true, 0, 0, "cleared and 149 of 300 were written"},
      {"reply garbled", {"--garble-reply", "40"}, false, 0, 0, "one more may be too"},
      {"clear not confirmed", {"--im-delay", "11000"}, false, 0, 0, "so they may be gone"},
      {"Ctrl-C at the start", {"--pieces", "1", "--piece-delay", "100"}, false, SIGINT, 0, "Nothing was written"},
      {"SIGTERM before the clear", {"--baud", "2400"}, false, SIGTERM, 800, "its channels are the old ones"},
      {"Ctrl-C in the channels", {"--baud", "57600"}, false, SIGINT, 2000, "were cleared and"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString device = startSimulator(c.simulator);
    const QStringList backup = c.backup ? QStringList{"--backup", path("b.bin")} : QStringList{};
    const QStringList args =
        QStringList{"write", "--port", device} + backup + QStringList{path("in.json")};
    const auto run = c.signal ? RunCliWithSignal(args, c.signal, c.signalAfterMs) : RunCli(args);
    const QByteArray saved = savedMemory();
    EXPECT_EQ(run.exitCode, 1);
    const QStringList lines = QString::fromUtf8(run.err).split('\n', Qt::SkipEmptyParts);
    const qsizetype state = lines.indexOf(
        QRegularExpression(QStringLiteral(".*(receiver now holds|Nothing was written).*")));
    if (state < 1) {
      ADD_FAILURE() << run.err.toStdString();
      continue;
    }
    const QString holds = lines[state].section(": ", 1);
    EXPECT_TRUE(holds.contains(c.holds)) << holds.toStdString();
    if (c.signal) {
      EXPECT_TRUE(lines[state - 1].contains(c.signal == SIGINT ? "(SIGINT)" : "(SIGTERM)"));
    }
    EXPECT_EQ(run.err.contains(("write the backup " + path("b.bin")).toUtf8()), c.backup);
    ExpectMemoryAgrees(holds, ReadFile(path("memory.bin")), saved);
  }
}

TEST_F(ReadWrite, NothingIsWrittenWhenTheImageOrTheBackupFails) {
  CloneImage faulty = ThreeHundredChannels();
  faulty.banks.counts[1] -= 100;
  WriteFile(path("faulty.json"), WriteJsonImage(faulty));
  WriteFile(path("in.json"), WriteJsonImage(ThreeHundredChannels()));
  struct Case {
    QStringList simulator;
    QString file;
    QString backup;
    const char* mentions;
  };
  const Case cases[] = {
      {{}, "faulty.json", path("b.bin"), "the bank table holds 1100 channels"},
      {{}, "in.json", path("missing/b.bin"), "no backup was made"},
      {{"--silent-after", "30"}, "in.json", path("b.bin"), "no backup was made"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mentions);
    const QString device = startSimulator(c.simulator);
    const auto run = RunCli({"write", "--port", device, "--backup", c.backup, path(c.file)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(c.mentions)) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(c.backup));
    EXPECT_TRUE(savedMemory() == ReadFile(path("memory.bin")));
  }
}

TEST_F(ReadWrite, BackupWrittenBackRestoresWhatAFullReadReads) {
  const QString device = startSimulator();
  WriteFile(path("in.json"), WriteJsonImage(ThreeHundredChannels()));
  const auto write = RunCli(
      {"write", "--port", device, "--backup", path("backup.bin"), "--verify", path("in.json")});
  ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
  EXPECT_TRUE(write.err.contains("verified")) << write.err.toStdString();
  // The backup is the memory as it was before the write.
  ASSERT_EQ(RunCli({"convert", path("memory.bin"), path("before.bin")}).exitCode, 0);
  EXPECT_TRUE(ReadFile(path("backup.bin")) == ReadFile(path("before.bin")));

  const auto restore = RunCli({"write", "--port", device, "--verify=full", path("backup.bin")});
  ASSERT_EQ(restore.exitCode, 0) << restore.err.toStdString();
  EXPECT_TRUE(restore.err.contains("verified")) << restore.err.toStdString();
  ASSERT_EQ(RunCli({"read", "--port", device, path("after.bin")}).exitCode, 0);
  EXPECT_TRUE(ReadFile(path("after.bin")) == ReadFile(path("backup.bin")));
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
