#include "link/simulated_port.h"

#include "codec/memory_image.h"
#include "link/output_schedule.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using std::chrono::nanoseconds;

std::shared_ptr<ReceiverSimulator> Simulator(SimulatorOptions options = {}) {
  return std::make_shared<ReceiverSimulator>(QByteArray(MemoryImageSize, '\0'), options);
}

TEST(OutputSchedule, PiecesFollowEachOtherAndNeverOvertakeEarlierOutput) {
  OutputSchedule schedule;
  const Clock::time_point t0{};
  EXPECT_FALSE(schedule.nextDue());
  schedule.add({{nanoseconds(0), "a"}, {milliseconds(10), "b"}, {milliseconds(5), "c"}}, t0);
  EXPECT_EQ(schedule.nextDue(), t0);
  EXPECT_EQ(schedule.takeDue(t0), "a");
  EXPECT_EQ(schedule.takeDue(t0 + milliseconds(9)), "");
  EXPECT_EQ(schedule.nextDue(), t0 + milliseconds(10));
  // Input at 12 ms: its output starts when "c" has gone out, at 15 ms.
  schedule.add({{milliseconds(1), "d"}}, t0 + milliseconds(12));
  EXPECT_EQ(schedule.takeDue(t0 + milliseconds(15)), "bc");
  EXPECT_EQ(schedule.nextDue(), t0 + milliseconds(16));
  EXPECT_EQ(schedule.takeDue(t0 + milliseconds(100)), "d");
  EXPECT_TRUE(schedule.empty());
  // After a quiet spell output starts from the input's own time.
  schedule.add({{milliseconds(1), "e"}}, t0 + milliseconds(200));
  EXPECT_EQ(schedule.nextDue(), t0 + milliseconds(201));
}

TEST(SimulatedPort, ExchangesBytesExactlyOnceOpen) {
  SimulatedPort port(Simulator());
  EXPECT_EQ(port.name(), "sim");
  EXPECT_FALSE(port.isOpen());
  const Status closedWrite = port.write("ZT~RQ-M27\r");
  ASSERT_FALSE(closedWrite.ok());
  EXPECT_TRUE(closedWrite.error().contains("sim"));

  ASSERT_TRUE(port.open().ok());
  EXPECT_TRUE(port.isOpen());
  ASSERT_TRUE(port.write("ZT~RQ-M27\r").ok());
  EXPECT_TRUE(port.waitForInput(Clock::now()));
  EXPECT_EQ(port.readAvailable(), "ZT~RQ-M27\r\r\nOK\r\n");
  EXPECT_EQ(port.readAvailable(), "");

  // Closing drops what has not been read.
  ASSERT_TRUE(port.write("ZT~RQ-M27\r").ok());
  port.close();
  ASSERT_TRUE(port.open().ok());
  EXPECT_EQ(port.readAvailable(), "");
}

TEST(SimulatedPort, HoldsBackDelayedOutputAndSleepsUntilItIsDue) {
  SimulatedPort port(Simulator({.imDelayMs = 60, .pieceBytes = 2, .pieceDelayMs = 50}));
  ASSERT_TRUE(port.open().ok());
  const auto start = Clock::now();
  ASSERT_TRUE(port.write("ZT~IM\r").ok());
  EXPECT_EQ(port.readAvailable(), "ZT~IM\r");

  EXPECT_TRUE(port.waitForInput(start + milliseconds(2000)));
  EXPECT_GE(Clock::now() - start, milliseconds(60));
  EXPECT_EQ(port.readAvailable(), "\r\n");
  EXPECT_TRUE(port.waitForInput(start + milliseconds(2000)));
  EXPECT_GE(Clock::now() - start, milliseconds(110));
  EXPECT_EQ(port.readAvailable(), "OK");

  // A deadline before the next piece: the wait ends at the deadline with nothing.
  const auto deadline = Clock::now() + milliseconds(5);
  EXPECT_FALSE(port.waitForInput(deadline));
  EXPECT_GE(Clock::now(), deadline);
  EXPECT_TRUE(port.waitForInput(Clock::now() + milliseconds(2000)));
  EXPECT_EQ(port.readAvailable(), "\r\n");
}

TEST(SimulatedPort, PacedReplyArrivesNoFasterThanTheLine) {
  constexpr int baud = 19200;
  SimulatedPort port(Simulator({.baud = baud}));
  ASSERT_TRUE(port.open().ok());
  const QByteArray expected = "ZT~F00000R\r\r\n" + QByteArray(128, '0') + "\r\n";
  const auto start = Clock::now();
  ASSERT_TRUE(port.write("ZT~F00000R\r").ok());
  QByteArray received;
  while (received.size() < expected.size() && port.waitForInput(start + milliseconds(2000))) {
    received += port.readAvailable();
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_LE(received.size(), elapsed * baud / 10 + 1) << "after " << elapsed << " s";
  }
  EXPECT_EQ(received, expected);
  EXPECT_GE(Clock::now() - start, nanoseconds(expected.size() * 10'000'000'000LL / baud));
}

TEST(SimulatedPort, ReceiverThatClosedThePortCannotBeOpenedAgain) {
  const auto simulator = Simulator({.closeAfter = 1});
  SimulatedPort port(simulator);
  ASSERT_TRUE(port.open().ok());
  ASSERT_TRUE(port.write("ZT~RQ-M27\r").ok());
  EXPECT_TRUE(simulator->closed());
  EXPECT_TRUE(port.isOpen());  // until the last reply has been read
  EXPECT_EQ(port.readAvailable(), "ZT~RQ-M27\r\r\nOK\r\n");
  EXPECT_FALSE(port.isOpen());
  EXPECT_FALSE(port.write("ZT~RQ-M27\r").ok());

  const Status reopened = SimulatedPort(simulator).open();
  ASSERT_FALSE(reopened.ok());
  EXPECT_TRUE(reopened.error().startsWith("sim:")) << reopened.error().toStdString();
}

}  // namespace
}  // namespace rqm27
