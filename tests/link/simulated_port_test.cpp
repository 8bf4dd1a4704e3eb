#include "link/simulated_port.h"

#include "codec/memory_image.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Replies come out through the output schedule: after the delay, piece by piece.
TEST(SimulatedPort, HoldsBackDelayedOutputAndSleepsUntilItIsDue) {
  SimulatedPort port(std::make_shared<ReceiverSimulator>(
      QByteArray(MemoryImageSize, '\0'),
      SimulatorOptions{.imDelayMs = 60, .pieceBytes = 2, .pieceDelayMs = 50}));
  EXPECT_FALSE(port.write("ZT~IM\r").ok());  // not open yet
  ASSERT_TRUE(port.open().ok());
  const auto start = Clock::now();
  ASSERT_TRUE(port.write("ZT~IM\r").ok());
  EXPECT_EQ(port.readAvailable(), "ZT~IM\r");
  EXPECT_TRUE(port.waitForInput(start + milliseconds(2000)));
  EXPECT_GE(Clock::now() - start, milliseconds(60));
  EXPECT_EQ(port.readAvailable(), "\r\n");
  // A deadline before the next piece: the wait ends at the deadline with nothing.
  const auto deadline = Clock::now() + milliseconds(5);
  EXPECT_FALSE(port.waitForInput(deadline));
  EXPECT_GE(Clock::now(), deadline);
  EXPECT_TRUE(port.waitForInput(start + milliseconds(2000)));
  EXPECT_GE(Clock::now() - start, milliseconds(110));
  EXPECT_EQ(port.readAvailable(), "OK");
  // Closing drops what has not been read.
  port.close();
  ASSERT_TRUE(port.open().ok());
  EXPECT_EQ(port.readAvailable(), "");
}

TEST(SimulatedPort, ReceiverThatClosedThePortCannotBeOpenedAgain) {
  const auto simulator = std::make_shared<ReceiverSimulator>(QByteArray(MemoryImageSize, '\0'),
                                                             SimulatorOptions{.closeAfter = 1});
  SimulatedPort port(simulator);
  ASSERT_TRUE(port.open().ok() && port.write("ZT~RQ-M27\r").ok());
  EXPECT_TRUE(port.isOpen());  // until the last reply has been read
  EXPECT_EQ(port.readAvailable(), "ZT~RQ-M27\r\r\nOK\r\n");
  EXPECT_FALSE(port.isOpen() || port.write("ZT~RQ-M27\r").ok());
  EXPECT_TRUE(SimulatedPort(simulator).open().error().startsWith("sim:"));
}

}  // namespace
}  // namespace rqm27
