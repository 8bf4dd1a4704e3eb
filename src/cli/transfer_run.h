// What read, write and verify share: the options that name the receiver, and running a
// transfer with a progress bar, the statistics asked for and Ctrl-C caught.
#pragma once

#include "cli/interrupt.h"
#include "link/transfers.h"

#include <QCommandLineParser>

#include <functional>
#include <optional>

namespace rqm27::cli {

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

// Adds --port, --variant and --stats.
void AddTransferOptions(QCommandLineParser& parser);

// The options a parsed command line gives; an error when --port is missing or the variant is
// unknown.
Result<TransferOptions> TransferOptionsOf(const QCommandLineParser& parser);

using Procedure =
    std::function<TransferResult(Port&, Variant, const CloneImage&, const TransferHooks&)>;

// Runs a transfer with a progress bar and the statistics asked for; it stops between blocks
// once the guard has caught a signal.
TransferResult RunWithProgress(const QString& what, const TransferOptions& options, Port& port,
                               const CloneImage& image, const InterruptGuard& guard,
                               const Procedure& procedure);

TransferResult ReadAllProcedure(Port& port, Variant variant, const CloneImage& image,
                                const TransferHooks& hooks);

// What stopped a transfer, with the signal that cancelled it: "Write all: cancelled (SIGINT)".
QString StopMessage(const TransferResult& result, const InterruptGuard& guard);

// The receiver's whole memory, with SIGINT and SIGTERM caught only while it is read.
Result<CloneImage> ReadWholeMemory(const TransferOptions& options, Port& port);

}  // namespace rqm27::cli
