// The in-process end of the simulator: a Port named "sim" whose receiver is a
// ReceiverSimulator. Its replies arrive on the wall clock as a serial line would deliver them
// (pacing, pauses between pieces, the memory-initialise delay); waiting sleeps until the next
// byte is due.
#pragma once

#include "link/output_schedule.h"
#include "link/port.h"
#include "link/receiver_simulator.h"

#include <memory>

namespace rqm27 {

class SimulatedPort : public Port {
 public:
  explicit SimulatedPort(std::shared_ptr<ReceiverSimulator> simulator);

  QString name() const override;
  // Fails, naming "sim", once the receiver has closed the port.
  Status open() override;
  void close() override;
  // False once the receiver has closed the port and its last reply has been read.
  bool isOpen() const override;
  Status write(const QByteArray& bytes) override;
  QByteArray readAvailable() override;
  bool waitForInput(Deadline deadline) override;

 private:
  std::shared_ptr<ReceiverSimulator> simulator_;
  OutputSchedule output_;
  bool open_ = false;
};

}  // namespace rqm27
