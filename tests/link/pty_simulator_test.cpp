#include "link/pty_simulator.h"

#include "codec/memory_image.h"
#include "support/sample_image.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A program opening the slave as it would open a serial port, with plain POSIX calls.
class Client {
 public:
  Client(const QString& path, bool configure) {
    fd_ = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd_ >= 0 && configure) {
      termios settings{};
      tcgetattr(fd_, &settings);
      cfmakeraw(&settings);
      cfsetspeed(&settings, B57600);
      settings.c_cflag &= ~static_cast<tcflag_t>(PARENB | CSTOPB | CSIZE);
      settings.c_cflag |= CS8 | CLOCAL | CREAD;
      tcsetattr(fd_, TCSANOW, &settings);
    }
  }
  ~Client() {
    if (fd_ >= 0) ::close(fd_);
  }
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;

  bool opened() const { return fd_ >= 0; }

  bool send(const QByteArray& bytes) {
    return ::write(fd_, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size();
  }

  // What arrives until `count` bytes are in, the line hangs up, or the time is over.
  QByteArray receive(qsizetype count, milliseconds within = milliseconds(2000)) {
    QByteArray received;
    const auto deadline = Clock::now() + within;
    hungUp_ = false;
    while (received.size() < count && Clock::now() < deadline) {
      pollfd fd{fd_, POLLIN, 0};
      const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
      if (poll(&fd, 1, static_cast<int>(left.count()) + 1) <= 0) continue;
      char buffer[256];
      const ssize_t n = ::read(fd_, buffer, sizeof buffer);
      if (n <= 0) {
        hungUp_ = true;
        break;
      }
      received.append(buffer, n);
    }
    return received;
  }

  bool hungUp() const { return hungUp_; }

 private:
  int fd_ = -1;
  bool hungUp_ = false;
};

QByteArray Framed(const QByteArray& line, const QByteArray& payload) {
  return line + "\r\r\n" + payload + "\r\n";
}

TEST(PtySimulator, ClientSeesTheReceiversBytesUnchanged) {
  const QByteArray memory = testing::RandomMemory(21);
  const QByteArray block = memory.mid(0x1200, 64).toHex().toUpper();
  const QByteArray record = QByteArray(64, '\x0D').toHex().toUpper() + "0A0D";  // CR and LF bytes
  // Control characters a cooked line would act on: interrupt, XON, XOFF, DEL, LF, end of file.
  const QByteArray control = "\x03\x11\x13\x7F\n\x04\x1A";
  struct Case {
    const char* name;
    bool configure;
    SimulatorOptions options;
  };
  const Case cases[] = {
      {"raw client", true, {}},
      {"client that leaves the line as it is", false, {}},
      {"reply in pieces", true, {.pieceBytes = 5, .pieceDelayMs = 2}},
  };
  for (const Case& c : cases) {
    auto simulator = std::make_shared<ReceiverSimulator>(memory, c.options);
    auto pty = PtySimulator::Open(simulator);
    ASSERT_TRUE(pty.ok()) << pty.error().toStdString();
    (*pty)->start();
    Client client((*pty)->devicePath(), c.configure);
    ASSERT_TRUE(client.opened()) << c.name;

    const QByteArray exchanges[][2] = {
        {"ZT~F01200R", Framed("ZT~F01200R", block)},
        {control, Framed(control, "NG")},
        {"ZT~F01240W" + record, Framed("ZT~F01240W" + record, "OK")},
        {"ZT~RQ-M27", Framed("ZT~RQ-M27", "OK")},
    };
    for (const auto& [line, reply] : exchanges) {
      ASSERT_TRUE(client.send(line + "\r")) << c.name;
      EXPECT_EQ(client.receive(reply.size()), reply) << c.name;
    }
    EXPECT_EQ(client.receive(1, milliseconds(20)), "") << c.name;
    EXPECT_TRUE((*pty)->stop().ok()) << c.name;
    EXPECT_EQ(simulator->memory().mid(0x1240, 66), QByteArray(64, '\r') + "\n\r") << c.name;
  }
}

TEST(PtySimulator, PacedReplyTakesItsTimeOnTheLine) {
  constexpr int baud = 19200;
  auto simulator = std::make_shared<ReceiverSimulator>(QByteArray(MemoryImageSize, '\0'),
                                                       SimulatorOptions{.baud = baud});
  auto pty = PtySimulator::Open(simulator);
  ASSERT_TRUE(pty.ok()) << pty.error().toStdString();
  (*pty)->start();
  Client client((*pty)->devicePath(), true);
  const QByteArray expected = Framed("ZT~F00000R", QByteArray(128, '0'));
  const auto start = Clock::now();
  ASSERT_TRUE(client.send("ZT~F00000R\r"));
  const QByteArray first = client.receive(1);
  EXPECT_LT(first.size(), expected.size() / 2);
  EXPECT_EQ(first + client.receive(expected.size() - first.size()), expected);
  EXPECT_GE(Clock::now() - start,
            std::chrono::nanoseconds(expected.size() * 10'000'000'000LL / baud));
  EXPECT_TRUE((*pty)->stop().ok());
}

TEST(PtySimulator, ClosingThePortHangsUpAfterTheLastReply) {
  auto simulator = std::make_shared<ReceiverSimulator>(QByteArray(MemoryImageSize, '\0'),
                                                       SimulatorOptions{.closeAfter = 1});
  auto pty = PtySimulator::Open(simulator);
  ASSERT_TRUE(pty.ok()) << pty.error().toStdString();
  (*pty)->start();
  Client client((*pty)->devicePath(), true);
  ASSERT_TRUE(client.send("ZT~RQ-M27\r"));
  const QByteArray reply = Framed("ZT~RQ-M27", "OK");
  EXPECT_EQ(client.receive(reply.size()), reply);
  EXPECT_EQ(client.receive(1), "");
  EXPECT_TRUE(client.hungUp());
  EXPECT_TRUE((*pty)->stop().ok());
  EXPECT_FALSE((*pty)->serve().ok());
}

TEST(PtySimulator, ServingOnTheCallersThreadEndsWhenTheStopDescriptorIsReadable) {
  auto pty =
      PtySimulator::Open(std::make_shared<ReceiverSimulator>(QByteArray(MemoryImageSize, '\0')));
  ASSERT_TRUE(pty.ok()) << pty.error().toStdString();
  int stop[2];
  ASSERT_EQ(pipe(stop), 0);
  ASSERT_EQ(::write(stop[1], "x", 1), 1);
  EXPECT_TRUE((*pty)->serve(stop[0]).ok());
  ::close(stop[0]);
  ::close(stop[1]);

  // A stop asked for from elsewhere ends it too.
  (*pty)->requestStop();
  EXPECT_TRUE((*pty)->serve().ok());
}

}  // namespace
}  // namespace rqm27
