// rqm27-cli read, write and ports: whole-memory transfers with a receiver.
#include "cli/commands.h"

#include "cli/interrupt.h"
#include "cli/progress_display.h"
#include "files/image_file.h"
#include "link/port_factory.h"
#include "link/transfers.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QTextStream>

#include <ctime>
#include <functional>
#include <optional>

namespace rqm27::cli {

namespace {

struct TransferOptions {
  QString port;
  Variant variant = Variant::J;
  bool stats = false;
  QString file;
  // Write only: where the receiver's memory is saved before anything is written, and whether
  // and how much of it is read back afterwards.
  QString backup;
  std::optional<VerifyScope> verify;
};

// Parses --port P [--variant V] [--stats] FILE, and for write also [--backup FILE]
// [--verify[=full]]; nullopt after reporting a bad option.
std::optional<TransferOptions> ParseTransferOptions(const QString& command, const QStringList& args,
                                                    int& status) {
  const bool write = command == QLatin1StringView("write");
  TransferOptions options;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    const bool takesValue = a == "--port" || a == "--variant" || (write && a == "--backup");
    if (takesValue && i + 1 >= args.size()) {
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
    } else if (write && a == "--backup") {
      options.backup = args[++i];
    } else if (write && (a == "--verify" || a == "--verify=full")) {
      options.verify = a == "--verify" ? VerifyScope::Written : VerifyScope::Full;
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
  out << QStringLiteral(
             "elapsed %1 s, cpu %2 s (%3 % of elapsed), %4 commands, %5 bytes sent, "
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

using Procedure =
    std::function<TransferResult(Port&, Variant, const CloneImage&, const TransferHooks&)>;

// Runs a transfer with a progress bar and the statistics asked for; it stops between blocks
// once the guard has caught a signal.
TransferResult RunWithProgress(const QString& what, const TransferOptions& options, Port& port,
                               const CloneImage& image, const InterruptGuard& guard,
                               const Procedure& procedure) {
  ProgressDisplay display(what);
  TransferHooks hooks;
  hooks.progress = [&](int value, int maximum) { display.show(value, maximum); };
  hooks.waitingForReceiver = [&](bool on) { display.waiting(on); };
  hooks.cancelRequested = [&] { return guard.interrupted(); };
  QElapsedTimer timer;
  timer.start();
  const double cpuBefore = CpuSeconds();
  TransferResult result = procedure(port, options.variant, image, hooks);
  display.finish();
  if (options.stats) PrintStats(result, timer.elapsed(), CpuSeconds() - cpuBefore);
  return result;
}

TransferResult ReadAllProcedure(Port& port, Variant variant, const CloneImage& image,
                                const TransferHooks& hooks) {
  return ReadAll(port, variant, image, hooks);
}

TransferResult WriteAllProcedure(Port& port, Variant variant, const CloneImage& image,
                                 const TransferHooks& hooks) {
  return WriteAll(port, variant, image, hooks);
}

// What stopped a transfer, with the signal that cancelled it: "Write all: cancelled (SIGINT)".
QString StopMessage(const TransferResult& result, const InterruptGuard& guard) {
  if (result.outcome != TransferResult::Outcome::Cancelled || !guard.interrupted()) {
    return result.message;
  }
  return QStringLiteral("%1 (%2)").arg(result.message, guard.signalName());
}

// Prints each line as one error line; returns exit status 1.
int FailWithLines(const QStringList& lines) {
  for (const QString& line : lines) Fail(line);
  return 1;
}

// The advice after a write that did not finish, when a backup was made.
QStringList BackupAdvice(const TransferOptions& options) {
  if (options.backup.isEmpty()) return {};
  return {QStringLiteral("Write again, or write the backup %1 to restore what the receiver held "
                         "before (rqm27-cli write --port %2 %1).")
              .arg(QFileInfo(options.backup).absoluteFilePath(), options.port)};
}

bool SameFile(const QString& a, const QString& b) {
  return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

// The backup file must have a known format and must not be the image about to be written.
std::optional<QString> BackupPathFault(const TransferOptions& options) {
  if (options.backup.isEmpty()) return std::nullopt;
  if (const auto format = FormatOfPath(options.backup); !format) return format.error();
  if (SameFile(options.backup, options.file)) {
    return QStringLiteral("write: --backup %1 is the image to be written; choose another file")
        .arg(options.backup);
  }
  return std::nullopt;
}

// Reads the receiver's whole memory into the backup file; false after saying why nothing
// will be written.
bool MakeBackup(const TransferOptions& options, Port& port, const InterruptGuard& guard) {
  const TransferResult read =
      RunWithProgress("Backup", options, port, StartupImage(), guard, ReadAllProcedure);
  const auto saved = read.done()
                         ? SaveImageFile(options.backup, *read.image, BlankMemoryFor(*read.image))
                         : Result<FileNotes>(Error{StopMessage(read, guard)});
  if (!saved) {
    Fail(QStringLiteral("%1; no backup was made, so nothing was written").arg(saved.error()));
    return false;
  }
  PrintNotes(options.backup, *saved);
  return true;
}

int ReportStoppedWrite(const TransferResult& write, const TransferOptions& options,
                       const InterruptGuard& guard) {
  return FailWithLines(QStringList{StopMessage(write, guard), write.receiverState} +
                       BackupAdvice(options));
}

// Reads back what the write left and compares it with what it wrote.
int VerifyWritten(const CloneImage& written, const TransferOptions& options, Port& port,
                  const InterruptGuard& guard) {
  const VerifyScope scope = *options.verify;
  const TransferResult verify =
      RunWithProgress("Verify", options, port, written, guard,
                      [scope](Port& p, Variant v, const CloneImage& i, const TransferHooks& h) {
                        return VerifyWrite(p, v, i, scope, h);
                      });
  if (!verify.done()) {
    return FailWithLines(QStringList{StopMessage(verify, guard), "The write itself finished."} +
                         BackupAdvice(options));
  }
  QTextStream(stderr)
      << (scope == VerifyScope::Full
              ? "rqm27-cli: verified: every area and slot is as written\n"
              : "rqm27-cli: verified: the areas and used channels are as written\n");
  return 0;
}

// The read of `rqm27-cli read`, with SIGINT and SIGTERM caught only while it runs.
Result<CloneImage> ReadWholeMemory(const TransferOptions& options, Port& port) {
  const InterruptGuard guard;
  TransferResult read =
      RunWithProgress("Read all", options, port, StartupImage(), guard, ReadAllProcedure);
  if (!read.done()) return Error{StopMessage(read, guard)};
  return std::move(*read.image);
}

}  // namespace

int Read(const QStringList& args) {
  int status = 1;
  const auto options = ParseTransferOptions("read", args, status);
  if (!options) return status;
  if (const auto format = FormatOfPath(options->file); !format) return Fail(format.error());
  const auto port = MakePort(options->port);
  const auto image = ReadWholeMemory(*options, *port);
  if (!image) {
    return Fail(QStringLiteral("%1; %2 was not written").arg(image.error(), options->file));
  }
  const auto saved = SaveImageFile(options->file, *image, BlankMemoryFor(*image));
  if (!saved) return Fail(saved.error());
  PrintNotes(options->file, *saved);
  return 0;
}

int Write(const QStringList& args) {
  int status = 1;
  const auto options = ParseTransferOptions("write", args, status);
  if (!options) return status;
  if (const auto fault = BackupPathFault(*options)) return Fail(*fault);
  const auto loaded = LoadImageFile(options->file);
  if (!loaded) return Fail(loaded.error());
  PrintNotes(options->file, loaded->notes);
  const CloneImage& image = loaded->value;
  if (const auto fault = FullWriteFault(image)) {
    return Fail(QStringLiteral("write: %1 cannot go to the receiver: %2; nothing was sent")
                    .arg(options->file, *fault));
  }
  const auto port = MakePort(options->port);
  const InterruptGuard guard;
  if (!options->backup.isEmpty() && !MakeBackup(*options, *port, guard)) return 1;
  const TransferResult write =
      RunWithProgress("Write all", *options, *port, image, guard, WriteAllProcedure);
  if (!write.done()) return ReportStoppedWrite(write, *options, guard);
  if (options->verify) return VerifyWritten(*write.image, *options, *port, guard);
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
