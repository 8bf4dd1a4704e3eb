// The port a name stands for: "sim" the built-in simulated receiver (with its demo memory),
// anything else a serial port ("COM3", "/dev/ttyUSB0").
#pragma once

#include "link/port.h"

#include <QString>

#include <memory>

namespace rqm27 {

inline constexpr char SimulatedPortName[] = "sim";

bool IsSimulatedPortName(const QString& name);

std::unique_ptr<Port> MakePort(const QString& name);

}  // namespace rqm27
