#include "link/command.h"

#include "codec/memory_image.h"
#include "link/simulated_port.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

TEST(ReplyPayload, IsWhatLiesBetweenTheFramesAfterTheEcho) {
  const QByteArray echo = "ZT~F00000W00\r";
  const std::pair<QByteArray, QByteArray> cases[] = {
      {echo + "\r\nOK\r\n", "OK"},
      {echo + "\r\nNG\r\n", "NG"},  // a refusal is still a payload
      {echo, ""},
      {echo + "\r\n", ""},  // a lone CR LF
      {echo + "OK\r\n", ""},
      {echo + "\r\nOK", ""},
      {"ZT~F", ""}};
  for (const auto& [received, payload] : cases) {
    EXPECT_EQ(ReplyPayload(received, echo.size()), payload) << received.toStdString();
  }
}

TEST(SendCommand, DiscardsStaleInputAndCountsEveryByte) {
  SimulatedPort port(std::make_shared<ReceiverSimulator>(QByteArray(MemoryImageSize, '\0'),
                                                         SimulatorOptions{.pieceBytes = 3}));
  ASSERT_TRUE(port.open().ok() && port.write("ZT~RQ-M27\r").ok());  // a reply never read
  LinkCounters counters;
  EXPECT_EQ(SendCommand(port, "ZT~IM", &counters), "OK");
  EXPECT_EQ(counters.bytesSent, 6);
  EXPECT_EQ(counters.bytesReceived, 16 + 12);  // the stale bytes count as received too
  EXPECT_EQ(counters.commands, 1);
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
