// rqm27-cli simulate: serves a simulated receiver on a pseudo-terminal until SIGTERM or SIGINT
// (or until the receiver closes the port, a fault option), then saves its memory if asked.
#include "cli/command_line.h"
#include "cli/commands.h"

#include "codec/memory_image.h"
#include "files/file_io.h"
#include "files/image_file.h"
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

constexpr CommandHelp kHelp = {
    "simulate", "",
    "Serve a simulated receiver on a pseudo-terminal; its device path is printed on the\n"
    "first line. Stop it with Ctrl-C. Without --memory it holds a built-in demo memory;\n"
    "--save receives its memory on exit. The fault options count command lines.",
    "rqm27-cli simulate --memory start.bin --save end.bin"};

struct NumberOption {
  const char* name;
  const char* description;
  int SimulatorOptions::*target;
  int minimum;
  int base;
};
constexpr NumberOption kNumbers[] = {
    {"baud", "Pace the output at N baud (ten bits a byte).", &SimulatorOptions::baud, 1, 10},
    {"im-delay", "Delay the answer to ZT~IM by N ms.", &SimulatorOptions::imDelayMs, 0, 10},
    {"silent-after", "Neither echo nor answer after N lines.", &SimulatorOptions::silentAfter, 0,
     10},
    {"refuse-writes-at", "Answer NG to writes covering the address N (hex).",
     &SimulatorOptions::refuseWritesAt, 0, 16},
    {"garble-reply", "Drop the closing LF of the Nth reply.", &SimulatorOptions::garbleReply, 1,
     10},
    {"pieces", "Send replies in N-byte pieces.", &SimulatorOptions::pieceBytes, 1, 10},
    {"piece-delay", "Wait N ms between the pieces.", &SimulatorOptions::pieceDelayMs, 0, 10},
    {"close-after", "Close the port after answering N lines.", &SimulatorOptions::closeAfter, 1,
     10},
};

// Reads the number options given into `o`; an error naming the first that is no number.
Status ReadNumbers(const QCommandLineParser& parser, SimulatorOptions& o) {
  for (const NumberOption& n : kNumbers) {
    const QString name = QLatin1StringView(n.name);
    if (!parser.isSet(name)) continue;
    const auto number = Number(parser.value(name), n.minimum, n.base);
    if (!number) {
      return Error{QStringLiteral("--%1 needs a %2 number of at least %3, not \"%4\"")
                       .arg(name, n.base == 16 ? "hexadecimal" : "whole")
                       .arg(n.minimum)
                       .arg(parser.value(name))};
    }
    o.*n.target = *number;
  }
  return Ok();
}

Result<SimulateArgs> ArgsOf(const QCommandLineParser& parser) {
  SimulateArgs parsed;
  SimulatorOptions& o = parsed.options;
  parsed.memoryPath = parser.value("memory");
  parsed.savePath = parser.value("save");
  if (parser.isSet("variant")) {
    const QString value = parser.value("variant");
    if (value.size() != 1 || !QStringLiteral("JETK").contains(value)) {
      return Error{QStringLiteral("--variant is one of J, E, T, K, not \"%1\"").arg(value)};
    }
    o.variant = value[0];
  }
  if (const Status numbers = ReadNumbers(parser, o); !numbers) return Error{numbers.error()};
  if (o.refuseWritesAt >= MemoryImageSize) {
    return Error{QStringLiteral("--refuse-writes-at lies beyond the memory (1FFFF)")};
  }
  if (o.pieceDelayMs > 0 && o.pieceBytes == 0) {
    return Error{QStringLiteral("--piece-delay needs --pieces")};
  }
  return parsed;
}

Result<QByteArray> InitialMemory(const QString& path) {
  if (path.isEmpty()) return DemoMemory();
  return ReadMemoryImageFile(path);
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
  QCommandLineParser parser;
  parser.addOption({"memory", "Start with this memory image instead of the demo.", "FILE.bin"});
  parser.addOption({"save", "Save the memory here on exit.", "FILE.bin"});
  parser.addOption({"variant", "The receiver's variant: J (the default), E, T or K.", "V"});
  for (const NumberOption& n : kNumbers) {
    parser.addOption({QLatin1StringView(n.name), QLatin1StringView(n.description), "N"});
  }
  if (const auto stop = ParseCommand(parser, kHelp, args, 0)) return *stop;
  const auto parsed = ArgsOf(parser);
  if (!parsed) return FailUsage("simulate", parsed.error());
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
  return Success;
}

}  // namespace rqm27::cli
