// The real serial port: 57600 baud, 8 data bits, no parity, 1 stop bit.
#pragma once

#include "link/port.h"

#include <QSerialPort>

#include <memory>

namespace rqm27 {

// The device a port name stands for: "COM1"-"COM16" are the platform's names for the
// numbered ports (/dev/ttyS0-/dev/ttyS15 on Linux, COMn on Windows); anything else is taken
// as the device itself.
QString SerialDeviceName(const QString& portName);

class SerialPort : public Port {
 public:
  explicit SerialPort(QString portName);
  ~SerialPort() override;

  QString name() const override { return name_; }
  Status open() override;
  void close() override;
  bool isOpen() const override;
  Status write(const QByteArray& bytes) override;
  QByteArray readAvailable() override;
  bool waitForInput(Deadline deadline) override;

 private:
  QString name_;
  std::unique_ptr<QSerialPort> port_;
};

}  // namespace rqm27
