#include "cli/transfer_run.h"

#include "cli/progress_display.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <ctime>

namespace rqm27::cli {

namespace {

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

}  // namespace

void AddTransferOptions(QCommandLineParser& parser) {
  parser.addOption({"port", "The receiver's port: a device, COM1-COM16 or sim.", "PORT"});
  parser.addOption({"variant", "The receiver's variant: J (the default), E, T or K.", "V"});
  parser.addOption({"stats", "Print the elapsed and processor time and the traffic."});
}

Result<TransferOptions> TransferOptionsOf(const QCommandLineParser& parser) {
  TransferOptions options;
  options.port = parser.value("port");
  if (options.port.isEmpty()) return Error{QStringLiteral("--port PORT is needed")};
  if (parser.isSet("variant")) {
    const auto variant = VariantFromName(parser.value("variant"));
    if (!variant) {
      return Error{
          QStringLiteral("unknown variant \"%1\" (J, E, T or K)").arg(parser.value("variant"))};
    }
    options.variant = *variant;
  }
  options.stats = parser.isSet("stats");
  options.file = parser.positionalArguments().value(0);
  return options;
}

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

QString StopMessage(const TransferResult& result, const InterruptGuard& guard) {
  if (result.outcome != TransferResult::Outcome::Cancelled || !guard.interrupted()) {
    return result.message;
  }
  return QStringLiteral("%1 (%2)").arg(result.message, guard.signalName());
}

Result<CloneImage> ReadWholeMemory(const TransferOptions& options, Port& port) {
  const InterruptGuard guard;
  TransferResult read =
      RunWithProgress("Read all", options, port, StartupImage(), guard, ReadAllProcedure);
  if (!read.done()) return Error{StopMessage(read, guard)};
  return std::move(*read.image);
}

}  // namespace rqm27::cli
