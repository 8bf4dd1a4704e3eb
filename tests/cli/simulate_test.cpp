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
using testing::StartSimulator;

// The receiver's answer to a command line: its echo, then the payload framed by CR LF.
QByteArray Framed(const QByteArray& line, const QByteArray& payload) {
  return line + "\r\r\n" + payload + "\r\n";
}

// Sends one command line on a terminal opened with plain POSIX calls, leaving the line
// settings alone, and reads the reply of the expected length.
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
    EXPECT_EQ(Exchange(fd, write, write.size() + 7), Framed(write, reply));
  }
  EXPECT_EQ(Exchange(fd, "ZT~RQ-M27E", 17), Framed("ZT~RQ-M27E", "NG"));
  ::close(fd);

  process.terminate();
  ASSERT_TRUE(process.waitForFinished(5000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  QByteArray expected = DemoMemory();
  expected.replace(0x1BAC0, 64, QByteArray(64, '\xEE'));
  EXPECT_EQ(ReadFile(dir.filePath("out.bin")), expected);
}

}  // namespace
}  // namespace rqm27
