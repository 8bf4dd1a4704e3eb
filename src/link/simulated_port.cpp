#include "link/simulated_port.h"

#include <thread>

namespace rqm27 {

namespace {

const QString PortName = QStringLiteral("sim");

}  // namespace

SimulatedPort::SimulatedPort(std::shared_ptr<ReceiverSimulator> simulator)
    : simulator_(std::move(simulator)) {}

QString SimulatedPort::name() const {
  return PortName;
}

Status SimulatedPort::open() {
  if (simulator_->closed()) {
    return Error{QStringLiteral("%1: the simulated receiver has closed the port").arg(PortName)};
  }
  output_.clear();
  open_ = true;
  return Ok();
}

void SimulatedPort::close() {
  open_ = false;
  output_.clear();
}

bool SimulatedPort::isOpen() const {
  return open_ && !(simulator_->closed() && output_.empty());
}

Status SimulatedPort::write(const QByteArray& bytes) {
  if (!isOpen()) return Error{QStringLiteral("%1: the port is not open").arg(PortName)};
  output_.add(simulator_->feed(bytes), OutputSchedule::Clock::now());
  return Ok();
}

QByteArray SimulatedPort::readAvailable() {
  if (!open_) return {};
  return output_.takeDue(OutputSchedule::Clock::now());
}

bool SimulatedPort::waitForInput(Deadline deadline) {
  const auto next = open_ ? output_.nextDue() : std::nullopt;
  if (next && *next <= deadline) {
    std::this_thread::sleep_until(*next);
    return true;
  }
  std::this_thread::sleep_until(deadline);
  return false;
}

}  // namespace rqm27
