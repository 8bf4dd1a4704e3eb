#include "link/serial_port.h"

#include "codec/memory_image.h"
#include "link/command.h"
#include "link/pty_simulator.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

// A line that has hung up reports itself readable for ever, with nothing to read: waiting on
// it must say there is no input, or a command would spin until its time-out.
TEST(SerialPortOnPty, WaitingOnALineThatHungUpFindsNoInput) {
  auto simulator = std::make_shared<ReceiverSimulator>(QByteArray(MemoryImageSize, '\0'),
                                                       SimulatorOptions{.closeAfter = 1});
  auto pty = PtySimulator::Open(simulator);
  ASSERT_TRUE(pty.ok()) << pty.error().toStdString();
  (*pty)->start();
  SerialPort port((*pty)->devicePath());
  ASSERT_TRUE(port.open().ok());
  EXPECT_EQ(SendCommand(port, "ZT~RQ-M27"), "OK");
  // The receiver hangs up once its reply has been read.
  EXPECT_FALSE(port.waitForInput(std::chrono::steady_clock::now() + std::chrono::seconds(5)));
  EXPECT_EQ(port.readAvailable(), "");
  EXPECT_FALSE(port.write("ZT~RQ-M27\r").ok());
  EXPECT_TRUE((*pty)->stop().ok());
}

}  // namespace
}  // namespace rqm27
