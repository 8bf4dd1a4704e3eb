// The real serial port: 57600 baud, 8 data bits, no parity, 1 stop bit.
//
// QSerialPort opens, locks and sets up the device and names what went wrong; the bytes go
// straight through its descriptor with read(), write() and poll(). Its own buffering costs
// processor time on every command for nothing a transfer uses (signals, copies between
// buffers, a socket notifier switched on and off). QSerialPort itself reads from the device
// only from an event loop on the port's thread, and none runs there while a transfer does.
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
  Status writeError(const QString& reason) const;

  QString name_;
  std::unique_ptr<QSerialPort> port_;
  int fd_ = -1;
};

}  // namespace rqm27
