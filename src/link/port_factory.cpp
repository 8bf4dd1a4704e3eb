#include "link/port_factory.h"

#include "link/demo_memory.h"
#include "link/receiver_simulator.h"
#include "link/serial_port.h"
#include "link/simulated_port.h"

namespace rqm27 {

bool IsSimulatedPortName(const QString& name) {
  return name.compare(QLatin1StringView(SimulatedPortName), Qt::CaseInsensitive) == 0;
}

std::unique_ptr<Port> MakePort(const QString& name) {
  if (IsSimulatedPortName(name)) {
    return std::make_unique<SimulatedPort>(std::make_shared<ReceiverSimulator>(DemoMemory()));
  }
  return std::make_unique<SerialPort>(name);
}

}  // namespace rqm27
