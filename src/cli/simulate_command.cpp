// rqm27-cli simulate: serves a simulated receiver on a pseudo-terminal until SIGTERM or SIGINT
// (or until the receiver closes the port, a fault option), then saves its memory if asked.
#include "cli/commands.h"

#include "codec/memory_image.h"
#include "files/file_io.h"
#include "link/demo_memory.h"
#include "link/pty_simulator.h"
#include "link/receiver_simulator.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <optional>

namespace rqm27::cli {

namespace {

struct SimulateArgs {
  QString memoryPath;
  QString savePath;
  SimulatorOptions options;
};

// A whole number of at least `minimum`, decimal or (base 16) hexadecimal with an optional "0x".
std::optional<int> Number(QString text, int minimum, int base = 10) {
  if (base == 16 && text.startsWith(QLatin1StringView("0x"), Qt::CaseInsensitive)) {
    text = text.mid(2);
  }
  bool ok = false;
  const int value = text.toInt(&ok, base);
  if (!ok || value < minimum) return std::nullopt;
  return value;
}

Result<SimulateArgs> ParseArgs(const QStringList& args) {
  SimulateArgs parsed;
  SimulatorOptions& o = parsed.options;
  struct NumberOption {
    const char* name;
    int* target;
    int minimum;
    int base;
  };
  const NumberOption numbers[] = {
      {"--baud", &o.baud, 1, 10},
      {"--im-delay", &o.imDelayMs, 0, 10},
      {"--silent-after", &o.silentAfter, 0, 10},
      {"--refuse-writes-at", &o.refuseWritesAt, 0, 16},
      {"--garble-reply", &o.garbleReply, 1, 10},
      {"--pieces", &o.pieceBytes, 1, 10},
      {"--piece-delay", &o.pieceDelayMs, 0, 10},
      {"--close-after", &o.closeAfter, 1, 10},
  };
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& option = args[i];
    if (!option.startsWith("--")) {
      return Error{QStringLiteral("simulate: unexpected argument \"%1\"").arg(option)};
    }
    if (i + 1 >= args.size())
      return Error{QStringLiteral("simulate: %1 needs a value").arg(option)};
    const QString& value = args[++i];
    if (option == "--memory") {
      parsed.memoryPath = value;
    } else if (option == "--save") {
      parsed.savePath = value;
    } else if (option == "--variant") {
      if (value.size() != 1 || !QStringLiteral("JETK").contains(value)) {
        return Error{
            QStringLiteral("simulate: --variant is one of J, E, T, K, not \"%1\"").arg(value)};
      }
      o.variant = value[0];
    } else {
      const NumberOption* match = nullptr;
      for (const NumberOption& n : numbers) {
        if (option == QLatin1StringView(n.name)) match = &n;
      }
      if (match == nullptr) return Error{QStringLiteral("simulate: unknown option %1").arg(option)};
      const auto number = Number(value, match->minimum, match->base);
      if (!number) {
        return Error{QStringLiteral("simulate: %1 needs a %2 number of at least %3, not \"%4\"")
                         .arg(option, match->base == 16 ? "hexadecimal" : "whole")
                         .arg(match->minimum)
                         .arg(value)};
      }
      *match->target = *number;
    }
  }
  if (o.refuseWritesAt >= MemoryImageSize) {
    return Error{QStringLiteral("simulate: --refuse-writes-at lies beyond the memory (1FFFF)")};
  }
  if (o.pieceDelayMs > 0 && o.pieceBytes == 0) {
    return Error{QStringLiteral("simulate: --piece-delay needs --pieces")};
  }
  return parsed;
}

Result<QByteArray> InitialMemory(const QString& path) {
  if (path.isEmpty()) return DemoMemory();
  auto bytes = ReadWholeFile(path);
  if (!bytes) return bytes;
  if (bytes->size() != MemoryImageSize) {
    return Error{QStringLiteral("%1: a memory image has exactly %2 bytes, this one %3")
                     .arg(path)
                     .arg(MemoryImageSize)
                     .arg(bytes->size())};
  }
  return bytes;
}

// SIGTERM and SIGINT, blocked and delivered through a descriptor that the server watches.
class StopSignals {
 public:
  StopSignals() {
    sigemptyset(&set_);
    sigaddset(&set_, SIGTERM);
    sigaddset(&set_, SIGINT);
    pthread_sigmask(SIG_BLOCK, &set_, &previous_);
    fd_ = signalfd(-1, &set_, SFD_CLOEXEC | SFD_NONBLOCK);
  }
  // Takes the signals that ended the run, so that unblocking them does not deliver them again.
  ~StopSignals() {
    if (fd_ >= 0) {
      signalfd_siginfo info{};
      while (::read(fd_, &info, sizeof info) == sizeof info) {
      }
      ::close(fd_);
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;
  int fd() const { return fd_; }

 private:
  sigset_t set_{};
  sigset_t previous_{};
  int fd_ = -1;
};

}  // namespace

int Simulate(const QStringList& args) {
  const auto parsed = ParseArgs(args);
  if (!parsed) return Fail(parsed.error());
  const auto memory = InitialMemory(parsed->memoryPath);
  if (!memory) return Fail(memory.error());

  const StopSignals stopSignals;
  if (stopSignals.fd() < 0) return Fail("simulate: cannot watch for SIGTERM and SIGINT");
  auto simulator = std::make_shared<ReceiverSimulator>(*memory, parsed->options);
  const auto pty = PtySimulator::Open(simulator);
  if (!pty) return Fail(pty.error());

  std::printf("%s\n", (*pty)->devicePath().toLocal8Bit().constData());
  std::fflush(stdout);
  const Status served = (*pty)->serve(stopSignals.fd());

  if (!parsed->savePath.isEmpty()) {
    if (const Status saved = SaveWholeFile(parsed->savePath, simulator->memory()); !saved) {
      return Fail(saved.error());
    }
  }
  if (!served) return Fail(served.error());
  return 0;
}

}  // namespace rqm27::cli
