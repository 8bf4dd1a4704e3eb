// A byte link to a receiver: the serial port, or the in-process end of the simulator.
// Transfers use it from one thread at a time; nothing in it needs an event loop.
#pragma once

#include "model/result.h"

#include <QByteArray>
#include <QString>

#include <chrono>

namespace rqm27 {

using Deadline = std::chrono::steady_clock::time_point;

class Port {
 public:
  virtual ~Port() = default;

  // The name the user chose the port by ("/dev/ttyUSB0", "COM3", "sim").
  virtual QString name() const = 0;

  // Opens the port at 57600 baud, 8 data bits, no parity, 1 stop bit. The error names the port
  // and the reason.
  virtual Status open() = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;

  // Sends all of the bytes (blocking until they are handed to the device).
  virtual Status write(const QByteArray& bytes) = 0;

  // Returns what has arrived so far, without waiting.
  virtual QByteArray readAvailable() = 0;

  // Sleeps until input arrives or the deadline passes; true when input is waiting.
  virtual bool waitForInput(Deadline deadline) = 0;
};

}  // namespace rqm27
