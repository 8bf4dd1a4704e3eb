#include "link/pty_simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

namespace rqm27 {

namespace {

using Clock = OutputSchedule::Clock;

Error SystemError(const QString& what) {
  return Error{
      QStringLiteral("pseudo-terminal: %1: %2").arg(what, QString::fromLocal8Bit(strerror(errno)))};
}

// Closes a descriptor on every early return of Open.
class FdGuard {
 public:
  explicit FdGuard(int fd) : fd_(fd) {}
  ~FdGuard() {
    if (fd_ >= 0) ::close(fd_);
  }
  FdGuard(const FdGuard&) = delete;
  FdGuard& operator=(const FdGuard&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

Status MakeRaw(int fd) {
  termios settings{};
  if (tcgetattr(fd, &settings) != 0) return SystemError("reading the line settings");
  cfmakeraw(&settings);
  settings.c_cflag |= CLOCAL | CREAD;
  cfsetispeed(&settings, B57600);
  cfsetospeed(&settings, B57600);
  if (tcsetattr(fd, TCSANOW, &settings) != 0) return SystemError("setting the line raw");
  return Ok();
}

void Drain(int fd) {
  std::array<char, 64> buffer;
  while (::read(fd, buffer.data(), buffer.size()) > 0) {
  }
}

timespec Timeout(Clock::duration wait) {
  const auto ns =
      std::max<std::int64_t>(0, std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count());
  return timespec{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

// How long poll() may sleep: until the next queued byte is due; without end when nothing is
// queued, or when output already due waits for the line to take it.
const timespec* NextWait(const OutputSchedule& output, bool unsentWaiting, timespec& timeout) {
  const auto next = output.nextDue();
  if (!next || unsentWaiting) return nullptr;
  timeout = Timeout(*next - Clock::now());
  return &timeout;
}

// While serving, the thread's timed waits end when the next byte is due rather than up to
// 50 us later (the kernel's default timer slack): a line sends its bytes on time, and the
// slack would make the last byte of every reply late.
class PreciseWakeUps {
 public:
  PreciseWakeUps() : previous_(prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0)) {
    prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
  }
  ~PreciseWakeUps() {
    if (previous_ > 0) prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(previous_), 0, 0, 0);
  }
  PreciseWakeUps(const PreciseWakeUps&) = delete;
  PreciseWakeUps& operator=(const PreciseWakeUps&) = delete;

 private:
  int previous_;
};

// How long the closing end waits for the client to read the last reply before the line goes
// down (closing the master discards what the client has not read yet).
constexpr int LingerChecks = 100;
constexpr int LingerCheckMs = 10;

}  // namespace

Result<std::unique_ptr<PtySimulator>> PtySimulator::Open(
    std::shared_ptr<ReceiverSimulator> simulator) {
  FdGuard master(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (master.get() < 0) return SystemError("opening");
  if (grantpt(master.get()) != 0 || unlockpt(master.get()) != 0) return SystemError("unlocking");
  std::array<char, 256> name{};
  if (ptsname_r(master.get(), name.data(), name.size()) != 0) return SystemError("naming");
  // Holding the slave open keeps its settings for every client and keeps the master from
  // reporting a hang-up while no client has it open.
  FdGuard slave(::open(name.data(), O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (slave.get() < 0) return SystemError(QString::fromLocal8Bit(name.data()));
  if (const Status raw = MakeRaw(slave.get()); !raw) return Error{raw.error()};
  const int flags = fcntl(master.get(), F_GETFL);
  if (flags < 0 || fcntl(master.get(), F_SETFL, flags | O_NONBLOCK) != 0) {
    return SystemError("setting non-blocking");
  }
  std::array<int, 2> stop{};
  if (pipe2(stop.data(), O_CLOEXEC | O_NONBLOCK) != 0) return SystemError("creating a pipe");
  return std::unique_ptr<PtySimulator>(new PtySimulator(std::move(simulator), master.release(),
                                                        slave.release(), stop[0], stop[1],
                                                        QString::fromLocal8Bit(name.data())));
}

PtySimulator::PtySimulator(std::shared_ptr<ReceiverSimulator> simulator, int master, int slave,
                           int stopRead, int stopWrite, QString path)
    : simulator_(std::move(simulator)),
      master_(master),
      slave_(slave),
      stopRead_(stopRead),
      stopWrite_(stopWrite),
      path_(std::move(path)) {}

PtySimulator::~PtySimulator() {
  (void)stop();
  closeTerminal();
  ::close(stopRead_);
  ::close(stopWrite_);
}

void PtySimulator::start() {
  if (thread_.joinable()) return;
  threadResult_.reset();
  thread_ = std::thread([this] { threadResult_ = serve(); });
}

Status PtySimulator::stop() {
  if (!thread_.joinable()) return Ok();
  requestStop();
  thread_.join();
  Drain(stopRead_);
  return threadResult_.value_or(Ok());
}

void PtySimulator::requestStop() {
  const char byte = 1;
  if (::write(stopWrite_, &byte, 1) < 0) {
    // The pipe is full: a stop is already pending.
  }
}

Status PtySimulator::serve(int stopFd) {
  if (master_ < 0) return Error{QStringLiteral("%1: the port has been closed").arg(path_)};
  const PreciseWakeUps precise;
  std::optional<Status> end;
  while (!end) end = serveRound(stopFd);
  return *end;
}

std::optional<Status> PtySimulator::serveRound(int stopFd) {
  unsent_ += output_.takeDue(Clock::now());
  if (!unsent_.isEmpty()) {
    if (Status sent = send(); !sent) return sent;
  }
  if (simulator_->closed() && output_.empty() && unsent_.isEmpty()) {
    lingerAndClose(stopFd);
    return Ok();
  }
  return waitAndReceive(stopFd);
}

std::optional<Status> PtySimulator::waitAndReceive(int stopFd) {
  std::array<pollfd, 3> fds{{{master_, POLLIN, 0}, {stopRead_, POLLIN, 0}, {stopFd, POLLIN, 0}}};
  if (!unsent_.isEmpty()) fds[0].events |= POLLOUT;
  const nfds_t count = stopFd >= 0 ? 3 : 2;
  timespec timeout{};
  if (ppoll(fds.data(), count, NextWait(output_, !unsent_.isEmpty(), timeout), nullptr) < 0) {
    if (errno == EINTR) return std::nullopt;
    return SystemError("waiting");
  }
  if (fds[1].revents != 0) {
    Drain(stopRead_);
    return Ok();
  }
  if (count == 3 && fds[2].revents != 0) return Ok();
  if ((fds[0].revents & (POLLERR | POLLNVAL)) != 0) return SystemError(path_);
  if ((fds[0].revents & POLLIN) != 0) {
    if (Status received = receive(); !received) return received;
  }
  return std::nullopt;
}

Status PtySimulator::receive() {
  std::array<char, 4096> buffer;
  const ssize_t n = ::read(master_, buffer.data(), buffer.size());
  if (n > 0) {
    output_.add(simulator_->feed(QByteArray(buffer.data(), n)), Clock::now());
  } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
    return SystemError("reading");
  }
  return Ok();
}

Status PtySimulator::send() {
  const ssize_t n = ::write(master_, unsent_.constData(), static_cast<size_t>(unsent_.size()));
  if (n > 0) {
    unsent_.remove(0, n);
  } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
    return SystemError("writing");
  }
  return Ok();
}

void PtySimulator::lingerAndClose(int stopFd) {
  // What was written to the master reaches the slave's queue a moment later; look only after
  // that moment, then until the queue is empty.
  std::array<pollfd, 2> fds{{{stopRead_, POLLIN, 0}, {stopFd, POLLIN, 0}}};
  for (int i = 0; i < LingerChecks; ++i) {
    if (poll(fds.data(), stopFd >= 0 ? 2 : 1, LingerCheckMs) != 0) break;
    int queued = 0;
    if (ioctl(slave_, FIONREAD, &queued) != 0 || queued == 0) break;
  }
  closeTerminal();
}

void PtySimulator::closeTerminal() {
  if (master_ >= 0) ::close(master_);
  if (slave_ >= 0) ::close(slave_);
  master_ = -1;
  slave_ = -1;
}

}  // namespace rqm27
