#include "cli/cli_runner.h"
#include "link/demo_memory.h"
#include "support/sample_image.h"

#include <QTemporaryDir>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

using testing::ReadFile;
using testing::RunCli;
using testing::StartSimulator;
using testing::WriteFile;

// Sends one command line on the slave and reads the reply of the expected length.
QByteArray Exchange(int fd, const QByteArray& line, qsizetype replySize) {
  const QByteArray sent = line + "\r";
  if (::write(fd, sent.constData(), static_cast<size_t>(sent.size())) != sent.size()) return {};
  QByteArray received;
  pollfd p{fd, POLLIN, 0};
  while (received.size() < replySize && poll(&p, 1, 2000) > 0) {
    char buffer[256];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    received.append(buffer, n);
  }
  return received;
}

TEST(Simulate, ServesUntilTerminatedAndSavesTheMemory) {
  QTemporaryDir dir;
  QProcess process;  // without --memory it serves the demo memory
  const QString device =
      StartSimulator(process, {"--save", dir.filePath("out.bin"), "--refuse-writes-at", "1BB00",
                               "--pieces", "4", "--piece-delay", "1"});
  ASSERT_TRUE(device.startsWith("/dev/")) << device.toStdString();
  const int fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  for (const char* address : {"1BAC0", "1BB00"}) {
    const QByteArray write = "ZT~F" + QByteArray(address) + "W" + QByteArray(128, 'E');
    const QByteArray reply = address == QByteArray("1BAC0") ? "OK" : "NG";
    EXPECT_EQ(Exchange(fd, write, write.size() + 7), write + "\r\r\n" + reply + "\r\n");
  }
  EXPECT_EQ(Exchange(fd, "ZT~RQ-M27E", 17), "ZT~RQ-M27E\r\r\nNG\r\n");
  ::close(fd);

  process.terminate();
  ASSERT_TRUE(process.waitForFinished(5000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  QByteArray expected = DemoMemory();
  expected.replace(0x1BAC0, 64, QByteArray(64, '\xEE'));
  EXPECT_EQ(ReadFile(dir.filePath("out.bin")), expected);
}

TEST(Simulate, BadOptionsFailWithOneLine) {
  QTemporaryDir dir;
  WriteFile(dir.filePath("short.bin"), QByteArray(1000, '\0'));
  struct Case {
    QStringList args;
    const char* mentions;
  };
  const Case cases[] = {
      {{"--variant", "X"}, "--variant"},
      {{"--baud", "fast"}, "--baud"},
      {{"--refuse-writes-at", "20000"}, "--refuse-writes-at"},
      {{"--piece-delay", "5"}, "--pieces"},
      {{"--memory", dir.filePath("short.bin")}, "1000"},
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
