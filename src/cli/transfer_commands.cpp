// rqm27-cli read, write and ports: whole-memory transfers with a receiver.
#include "cli/commands.h"

#include "cli/progress_display.h"
#include "files/image_file.h"
#include "link/port_factory.h"
#include "link/transfers.h"

#include <QElapsedTimer>
#include <QSerialPortInfo>
#include <QTextStream>

#include <ctime>

namespace rqm27::cli {

namespace {

struct TransferOptions {
  QString port;
  Variant variant = Variant::J;
  bool stats = false;
  QString file;
};

// Parses --port P [--variant V] [--stats] FILE; nullopt after reporting a bad option.
std::optional<TransferOptions> ParseTransferOptions(const QString& command, const QStringList& args,
                                                    int& status) {
  TransferOptions options;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if ((a == "--port" || a == "--variant") && i + 1 >= args.size()) {
      status = Fail(QStringLiteral("%1: %2 needs a value").arg(command, a));
      return std::nullopt;
    }
    if (a == "--port") {
      options.port = args[++i];
    } else if (a == "--variant") {
      const auto variant = VariantFromName(args[++i]);
      if (!variant) {
        status =
            Fail(QStringLiteral("%1: unknown variant \"%2\" (J, E, T or K)").arg(command, args[i]));
        return std::nullopt;
      }
      options.variant = *variant;
    } else if (a == "--stats") {
      options.stats = true;
    } else if (a.startsWith("--") || !options.file.isEmpty()) {
      status =
          Fail(QStringLiteral("%1: unexpected argument %2 (see rqm27-cli --help)").arg(command, a));
      return std::nullopt;
    } else {
      options.file = a;
    }
  }
  if (options.port.isEmpty() || options.file.isEmpty()) {
    status = Fail(
        QStringLiteral("%1: expected --port PORT and a file (see rqm27-cli --help)").arg(command));
    return std::nullopt;
  }
  return options;
}

double CpuSeconds() {
  return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Elapsed and processor time, the traffic, and how the elapsed time compares with the time
// the received bytes take on the line (ten bits a byte at 57600 baud).
void PrintStats(const TransferResult& result, qint64 elapsedMs, double cpuSeconds) {
  const double elapsed = elapsedMs / 1000.0;
  const double wire = result.counters.bytesReceived * 10.0 / 57600.0;
  QTextStream out(stderr);
  out << QStringLiteral("elapsed %1 s, cpu %2 s (%3 % of elapsed), %4 commands, %5 bytes sent, "
                        "%6 bytes received, wire time of the received bytes %7 s (elapsed / "
                        "wire time %8)\n")
             .arg(elapsed, 0, 'f', 3)
             .arg(cpuSeconds, 0, 'f', 3)
             .arg(elapsed > 0 ? 100.0 * cpuSeconds / elapsed : 0.0, 0, 'f', 1)
             .arg(result.counters.commands)
             .arg(result.counters.bytesSent)
             .arg(result.counters.bytesReceived)
             .arg(wire, 0, 'f', 3)
             .arg(wire > 0 ? elapsed / wire : 0.0, 0, 'f', 3);
}

// Runs a whole-memory transfer with a progress bar and the statistics asked for.
template <typename Procedure>
TransferResult RunWithProgress(const QString& what, const TransferOptions& options, Port& port,
                               const CloneImage& image, Procedure procedure) {
  ProgressDisplay display(what);
  TransferHooks hooks;
  hooks.progress = [&](int value, int maximum) { display.show(value, maximum); };
  hooks.waitingForReceiver = [&](bool on) { display.waiting(on); };
  QElapsedTimer timer;
  timer.start();
  const double cpuBefore = CpuSeconds();
  TransferResult result = procedure(port, options.variant, image, hooks);
  display.finish();
  if (options.stats) PrintStats(result, timer.elapsed(), CpuSeconds() - cpuBefore);
  return result;
}

}  // namespace

int Read(const QStringList& args) {
  int status = 1;
  const auto options = ParseTransferOptions("read", args, status);
  if (!options) return status;
  if (const auto format = FormatOfPath(options->file); !format) return Fail(format.error());
  const auto port = MakePort(options->port);
  const TransferResult result =
      RunWithProgress("Read all", *options, *port, StartupImage(),
                      [](Port& p, Variant v, const CloneImage& i, const TransferHooks& h) {
                        return ReadAll(p, v, i, h);
                      });
  if (!result.done()) return Fail(result.message);
  const CloneImage& image = *result.image;
  const auto saved = SaveImageFile(options->file, image, BlankMemoryFor(image));
  if (!saved) return Fail(saved.error());
  PrintNotes(options->file, *saved);
  return 0;
}

int Write(const QStringList& args) {
  int status = 1;
  const auto options = ParseTransferOptions("write", args, status);
  if (!options) return status;
  const auto loaded = LoadImageFile(options->file);
  if (!loaded) return Fail(loaded.error());
  PrintNotes(options->file, loaded->notes);
  const CloneImage& image = loaded->value;
  const auto port = MakePort(options->port);
  const TransferResult result =
      RunWithProgress("Write all", *options, *port, image,
                      [](Port& p, Variant v, const CloneImage& i, const TransferHooks& h) {
                        return WriteAll(p, v, i, h);
                      });
  if (!result.done()) return Fail(result.message);
  return 0;
}

int Ports(const QStringList& args) {
  if (!args.isEmpty()) return Fail("ports: takes no arguments");
  QTextStream out(stdout);
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    out << info.systemLocation() << "\t"
        << (info.description().isEmpty() ? info.portName() : info.description()) << "\n";
  }
  out << SimulatedPortName << "\tSimulated receiver (demo memory)\n";
  return 0;
}

}  // namespace rqm27::cli
