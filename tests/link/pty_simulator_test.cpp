#include "link/pty_simulator.h"

#include "codec/memory_image.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

// What arrives on fd until `count` bytes are in, the line hangs up (hungUp set) or 2 s pass.
QByteArray Receive(int fd, qsizetype count, bool* hungUp = nullptr) {
  QByteArray received;
  pollfd p{fd, POLLIN, 0};
  while (received.size() < count && poll(&p, 1, 2000) > 0) {
    char buffer[256];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) {
      if (hungUp != nullptr) *hungUp = true;
      break;
    }
    received.append(buffer, n);
  }
  return received;
}

QByteArray Framed(const QByteArray& line, const QByteArray& payload) {
  return line + "\r\r\n" + payload + "\r\n";
}

// A client that opens the slave with plain POSIX calls and leaves the line settings alone
// still sees every byte unchanged; after the receiver closes the port the line hangs up.
TEST(PtySimulator, ClientSeesTheReceiversBytesUnchangedUntilTheReceiverHangsUp) {
  const QByteArray record = QByteArray(64, '\x0D').toHex().toUpper() + "0A0D";  // CR and LF bytes
  // Control characters a cooked line would act on: interrupt, XON, XOFF, DEL, LF, end of file.
  const QByteArray control = "\x03\x11\x13\x7F\n\x04\x1A";
  auto simulator = std::make_shared<ReceiverSimulator>(QByteArray(MemoryImageSize, '\0'),
                                                       SimulatorOptions{.closeAfter = 3});
  auto pty = PtySimulator::Open(simulator);
  ASSERT_TRUE(pty.ok()) << pty.error().toStdString();
  (*pty)->start();
  const int fd = ::open((*pty)->devicePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  const QByteArray exchanges[][2] = {
      {control, Framed(control, "NG")},
      {"ZT~F01240W" + record, Framed("ZT~F01240W" + record, "OK")},
      {"ZT~F01240R", Framed("ZT~F01240R", record.left(128))},
  };
  for (const auto& [line, reply] : exchanges) {
    const QByteArray sent = line + "\r";
    ASSERT_EQ(::write(fd, sent.constData(), static_cast<size_t>(sent.size())), sent.size());
    EXPECT_EQ(Receive(fd, reply.size()), reply);
  }
  bool hungUp = false;
  EXPECT_EQ(Receive(fd, 1, &hungUp), "");
  EXPECT_TRUE(hungUp);
  ::close(fd);
  EXPECT_TRUE((*pty)->stop().ok());
  EXPECT_EQ(simulator->memory().mid(0x1240, 66), QByteArray(64, '\r') + "\n\r");
}

}  // namespace
}  // namespace rqm27
