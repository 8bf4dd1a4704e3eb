#include "cli/cli_runner.h"
#include "codec/memory_image.h"
#include "support/sample_image.h"

#include <QProcess>
#include <QTemporaryDir>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

using testing::ReadFile;
using testing::RunCli;
using testing::WriteFile;

// Sends one command line on the slave and reads the reply of the expected length.
QByteArray Exchange(int fd, const QByteArray& line, qsizetype replySize) {
  const QByteArray sent = line + "\r";
  if (::write(fd, sent.constData(), static_cast<size_t>(sent.size())) != sent.size()) return {};
  QByteArray received;
  while (received.size() < replySize) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 2000) <= 0) break;
    char buffer[256];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    received.append(buffer, n);
  }
  return received;
}

class Simulate : public ::testing::Test {
 protected:
  QString path(const QString& name) const { return dir_.filePath(name); }

  // Starts the simulator and returns the device path it prints first.
  QString start(const QStringList& args) {
    process_.start(QStringLiteral(RQM27_CLI_PATH), QStringList{"simulate"} + args);
    if (!process_.waitForStarted(5000)) return {};
    while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {
    }
    return QString::fromLocal8Bit(process_.readLine()).trimmed();
  }

  QTemporaryDir dir_;
  QProcess process_;
};

TEST_F(Simulate, ServesUntilTerminatedAndSavesTheMemory) {
  const QByteArray memory = testing::RandomMemory(31);
  WriteFile(path("in.bin"), memory);
  const QString device = start({"--memory", path("in.bin"), "--save", path("out.bin")});
  ASSERT_TRUE(device.startsWith("/dev/")) << device.toStdString();

  const int fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  termios settings{};
  tcgetattr(fd, &settings);
  cfmakeraw(&settings);
  cfsetspeed(&settings, B57600);
  tcsetattr(fd, TCSANOW, &settings);
  const QByteArray write = "ZT~F1BAC0W" + QByteArray(128, 'E');
  EXPECT_EQ(Exchange(fd, write, write.size() + 7), write + "\r\r\nOK\r\n");
  EXPECT_EQ(Exchange(fd, "ZT~RQ-M27E", 17), "ZT~RQ-M27E\r\r\nNG\r\n");
  ::close(fd);

  process_.terminate();
  ASSERT_TRUE(process_.waitForFinished(5000));
  EXPECT_EQ(process_.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process_.exitCode(), 0) << process_.readAllStandardError().toStdString();
  QByteArray expected = memory;
  expected.replace(0x1BAC0, 64, QByteArray(64, '\xEE'));
  EXPECT_EQ(ReadFile(path("out.bin")), expected);
}

TEST_F(Simulate, VariantAndClosingThePortEndTheRun) {
  const QString device =
      start({"--variant", "E", "--close-after", "1", "--save", path("demo.bin")});
  const int fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0) << device.toStdString();
  EXPECT_EQ(Exchange(fd, "ZT~RQ-M27E", 17), "ZT~RQ-M27E\r\r\nOK\r\n");
  ASSERT_TRUE(process_.waitForFinished(5000));
  ::close(fd);
  EXPECT_EQ(process_.exitCode(), 0) << process_.readAllStandardError().toStdString();
  // Without --memory it serves the demo memory: the memory-protect byte is set.
  const QByteArray saved = ReadFile(path("demo.bin"));
  ASSERT_EQ(saved.size(), MemoryImageSize);
  EXPECT_EQ(saved[0x1FE01], '\x01');
}

TEST_F(Simulate, BadOptionsFailWithOneLine) {
  WriteFile(path("short.bin"), QByteArray(1000, '\0'));
  struct Case {
    QStringList args;
    const char* mentions;
  };
  const Case cases[] = {
      {{"--variant", "X"}, "--variant"},
      {{"--baud", "0"}, "--baud"},
      {{"--baud", "fast"}, "--baud"},
      {{"--baud"}, "--baud"},
      {{"--refuse-writes-at", "20000"}, "--refuse-writes-at"},
      {{"--refuse-writes-at", "12G0"}, "--refuse-writes-at"},
      {{"--piece-delay", "5"}, "--pieces"},
      {{"--frobnicate", "1"}, "--frobnicate"},
      {{"extra"}, "extra"},
      {{"--memory", path("short.bin")}, "1000"},
      {{"--memory", path("missing.bin")}, "missing.bin"},
  };
  for (const Case& c : cases) {
    const auto run = RunCli(QStringList{"simulate"} + c.args, 10000);
    EXPECT_EQ(run.exitCode, 1) << c.args.join(' ').toStdString();
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(c.mentions)) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty()) << c.args.join(' ').toStdString();
  }
}

}  // namespace
}  // namespace rqm27
