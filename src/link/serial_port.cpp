#include "link/serial_port.h"

#include <QRegularExpression>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

namespace rqm27 {

namespace {

using std::chrono::steady_clock;

// How long handing bytes to the device may take before a write fails.
constexpr std::chrono::seconds WriteTimeout(1);

timespec TimeLeft(Deadline deadline) {
  const auto left = std::max(deadline - steady_clock::now(), steady_clock::duration::zero());
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
  return timespec{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

// Sleeps in poll() until the descriptor is ready for `events` or the deadline passes. False
// as soon as the line hangs up or fails: a hung-up line reports itself readable and writable
// for ever after, with nothing to read.
bool WaitUntilReady(int fd, short events, Deadline deadline) {
  while (true) {
    pollfd p{fd, events, 0};
    const timespec timeout = TimeLeft(deadline);
    const int ready = ppoll(&p, 1, &timeout, nullptr);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0 || (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return false;
    return (p.revents & events) != 0;
  }
}

}  // namespace

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
  // Reads and writes must never block: the waits are poll()'s, with their deadlines.
  const int fd = static_cast<int>(port_->handle());
  const int flags = fcntl(fd, F_GETFL);
  if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0) {
    const QString reason = qt_error_string(errno);
    close();
    return Error{QStringLiteral("cannot set up port %1: %2").arg(name_, reason)};
  }
  fd_ = fd;
  return Ok();
}

void SerialPort::close() {
  fd_ = -1;
  if (port_) {
    port_->close();
    port_.reset();
  }
}

bool SerialPort::isOpen() const {
  return fd_ >= 0;
}

Status SerialPort::writeError(const QString& reason) const {
  return Error{QStringLiteral("cannot write to port %1: %2").arg(name_, reason)};
}

Status SerialPort::write(const QByteArray& bytes) {
  if (!isOpen()) return Error{QStringLiteral("port %1 is not open").arg(name_)};
  const Deadline deadline = steady_clock::now() + WriteTimeout;
  qsizetype written = 0;
  while (written < bytes.size()) {
    const ssize_t n =
        ::write(fd_, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
    if (n > 0) {
      written += n;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return writeError(qt_error_string(errno));
    if (!WaitUntilReady(fd_, POLLOUT, deadline)) {
      return writeError(QStringLiteral("the device took no bytes for a second"));
    }
  }
  return Ok();
}

QByteArray SerialPort::readAvailable() {
  if (!isOpen()) return {};
  QByteArray bytes;
  std::array<char, 4096> buffer;
  while (true) {
    const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    bytes.append(buffer.data(), n);
    // A short read took everything the device held.
    if (static_cast<size_t>(n) < buffer.size()) break;
  }
  return bytes;
}

bool SerialPort::waitForInput(Deadline deadline) {
  return isOpen() && WaitUntilReady(fd_, POLLIN, deadline);
}

}  // namespace rqm27
