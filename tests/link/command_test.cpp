#include "link/command.h"

#include "codec/memory_image.h"
#include "link/simulated_port.h"

#include <gtest/gtest.h>

#include <deque>

namespace rqm27 {
namespace {

// Each write releases the scripted pieces, one per wait; a wait on an empty script times out.
class ScriptedPort : public Port {
 public:
  QString name() const override { return "script"; }
  Status open() override { return Ok(); }
  void close() override {}
  bool isOpen() const override { return true; }
  Status write(const QByteArray& bytes) override {
    written += bytes;
    pending_.insert(pending_.end(), replies.begin(), replies.end());
    replies.clear();
    return Ok();
  }
  QByteArray readAvailable() override { return std::exchange(arrived_, {}); }
  bool waitForInput(Deadline) override {
    ++waits;
    if (pending_.empty()) return false;
    arrived_ += pending_.front();
    pending_.pop_front();
    return true;
  }

  std::vector<QByteArray> replies;
  QByteArray written, arrived_;
  int waits = 0;
  std::deque<QByteArray> pending_;
};

TEST(SendCommand, ReturnsThePayloadBetweenTheFrames) {
  const QByteArray echo = "ZT~F00000W00\r";
  const struct {
    std::vector<QByteArray> pieces;
    QByteArray expected;
    const char* what;
  } cases[] = {
      {{echo + "\r\nOK\r\n"}, "OK", "whole reply"},
      {{"ZT~F0", "0000W00\r", "\r", "\nO", "K\r", "\n"}, "OK", "in pieces"},
      {{echo}, "", "only the echo"},
      {{echo + "\r\n"}, "", "echo and a lone CR LF"},
      {{echo + "OK\r\n"}, "", "no opening frame"},
      {{echo + "\r\nOK"}, "", "no closing frame"},
      {{"ZT~F"}, "", "shorter than the echo"},
      {{echo + "\r\nNG\r\n"}, "NG", "a refusal is still a payload"},
  };
  for (const auto& c : cases) {
    ScriptedPort port;
    port.replies = c.pieces;
    EXPECT_EQ(SendCommand(port, "ZT~F00000W00"), c.expected) << c.what;
    EXPECT_EQ(port.written, echo) << c.what;
  }
}

TEST(SendCommand, DiscardsStaleInputStopsAtTheEndOfTheReplyAndCountsBytes) {
  ScriptedPort port;
  port.arrived_ = "\r\nOK\r\nGARBAGE";
  port.replies = {"ZT~IM\r", "\r\nOK\r\n", "\r\nEXTRA\r\n"};
  LinkCounters counters;
  EXPECT_EQ(SendCommand(port, "ZT~IM", &counters), "OK");
  EXPECT_EQ(port.waits, 2);
  EXPECT_EQ(counters.bytesSent, 6);
  EXPECT_EQ(counters.bytesReceived, 13 + 12);  // the stale bytes count as received too
  EXPECT_EQ(counters.commands, 1);
  EXPECT_EQ(ReplyTimeout("ZT~IM").count(), 10000);
  EXPECT_EQ(ReplyTimeout("ZT~IMX").count(), 1000);
}

// The simulated receiver with its waits counted.
class CountingPort : public SimulatedPort {
 public:
  using SimulatedPort::SimulatedPort;
  bool waitForInput(Deadline deadline) override {
    ++waits;
    return SimulatedPort::waitForInput(deadline);
  }
  int waits = 0;
};

// A reply that comes at the line's pace is taken in a few wake-ups, not one for every byte.
TEST(SendCommand, SleepsThroughAPacedReplyInsteadOfWakingForEveryByte) {
  CountingPort port(std::make_shared<ReceiverSimulator>(QByteArray(MemoryImageSize, '\0'),
                                                        SimulatorOptions{.baud = 57600}));
  ASSERT_TRUE(port.open().ok());
  EXPECT_EQ(SendCommand(port, "ZT~F00000R", nullptr, 128), QByteArray(128, '0'));
  EXPECT_LE(port.waits, 4);
}

}  // namespace
}  // namespace rqm27
