#include "link/serial_port.h"

#include <QRegularExpression>

namespace rqm27 {

QString SerialDeviceName(const QString& portName) {
  static const QRegularExpression numbered(QStringLiteral("^COM([1-9]|1[0-6])$"),
                                           QRegularExpression::CaseInsensitiveOption);
  const auto match = numbered.match(portName);
  if (!match.hasMatch()) return portName;
#ifdef Q_OS_WIN
  return portName.toUpper();
#else
  return QStringLiteral("/dev/ttyS%1").arg(match.captured(1).toInt() - 1);
#endif
}

SerialPort::SerialPort(QString portName) : name_(std::move(portName)) {}

SerialPort::~SerialPort() {
  close();
}

Status SerialPort::open() {
  if (isOpen()) return Ok();
  port_ = std::make_unique<QSerialPort>();
  const QString device = SerialDeviceName(name_);
  port_->setPortName(device);
  if (!port_->open(QIODevice::ReadWrite)) {
    const QSerialPort::SerialPortError error = port_->error();
    QString reason = port_->errorString();
    if (error == QSerialPort::PermissionError) {
      reason += QStringLiteral(
          " (your user must be allowed to use serial ports: on Debian, add it to the "
          "\"dialout\" group and log in again)");
    } else if (error == QSerialPort::DeviceNotFoundError) {
      reason = QStringLiteral("no such device");
    }
    port_.reset();
    return Error{QStringLiteral("cannot open port %1 (%2): %3").arg(name_, device, reason)};
  }
  const bool configured = port_->setBaudRate(57600) && port_->setDataBits(QSerialPort::Data8) &&
                          port_->setParity(QSerialPort::NoParity) &&
                          port_->setStopBits(QSerialPort::OneStop) &&
                          port_->setFlowControl(QSerialPort::NoFlowControl);
  if (!configured) {
    const QString reason = port_->errorString();
    close();
    return Error{QStringLiteral("cannot set up port %1 for 57600 baud: %2").arg(name_, reason)};
  }
  return Ok();
}

void SerialPort::close() {
  if (port_) {
    port_->close();
    port_.reset();
  }
}

bool SerialPort::isOpen() const {
  return port_ && port_->isOpen();
}

Status SerialPort::write(const QByteArray& bytes) {
  if (!isOpen()) return Error{QStringLiteral("port %1 is not open").arg(name_)};
  qint64 written = 0;
  while (written < bytes.size()) {
    const qint64 n = port_->write(bytes.constData() + written, bytes.size() - written);
    if (n < 0)
      return Error{QStringLiteral("cannot write to port %1: %2").arg(name_, port_->errorString())};
    written += n;
  }
  while (port_->bytesToWrite() > 0) {
    if (!port_->waitForBytesWritten(1000)) {
      return Error{QStringLiteral("cannot write to port %1: %2").arg(name_, port_->errorString())};
    }
  }
  return Ok();
}

QByteArray SerialPort::readAvailable() {
  if (!isOpen()) return {};
  // Without an event loop the port fetches from the device only when asked to wait; a wait of
  // no time takes in whatever the device holds now.
  while (port_->waitForReadyRead(0)) {
  }
  port_->clearError();
  return port_->readAll();
}

bool SerialPort::waitForInput(Deadline deadline) {
  if (!isOpen()) return false;
  if (port_->bytesAvailable() > 0) return true;
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  if (left.count() <= 0) return false;
  const bool arrived = port_->waitForReadyRead(static_cast<int>(left.count()));
  // A wait that ended without input leaves a time-out error behind; it is not the port's fault.
  if (!arrived) port_->clearError();
  return arrived;
}

}  // namespace rqm27
