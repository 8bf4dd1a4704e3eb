// rqm27-cli read and write: whole-memory transfers with a receiver.
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/image_streams.h"
#include "cli/transfer_run.h"

#include "link/port_factory.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <optional>

namespace rqm27::cli {

namespace {

constexpr CommandHelp kReadHelp = {
    "read", "OUT",
    "Read the whole memory of a receiver into OUT, in any image format; - writes it to\n"
    "standard output (give --to). Ctrl-C stops it; OUT is then not written.",
    "rqm27-cli read --port sim - --to json | jq '.channels | length'"};

constexpr CommandHelp kWriteHelp = {
    "write", "IN",
    "Write the image file IN (- for standard input, with --from) to the receiver's whole\n"
    "memory. An image the receiver cannot hold (a bank table not adding up to 1200, a\n"
    "channel outside its ranges) is refused before anything is sent. A write that stops\n"
    "part-way (a failure, or Ctrl-C, which lets the block in flight finish) says what the\n"
    "receiver now holds. To restore a backup, write it back.",
    "rqm27-cli write --port /dev/ttyUSB0 --backup before.bin --verify image.M27"};

TransferResult WriteAllProcedure(Port& port, Variant variant, const CloneImage& image,
                                 const TransferHooks& hooks) {
  return WriteAll(port, variant, image, hooks);
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

}  // namespace

int Read(const QStringList& args) {
  QCommandLineParser parser;
  AddTransferOptions(parser);
  parser.addOption(ToOption());
  parser.addPositionalArgument("OUT", "The file to write; - for standard output.");
  if (const auto stop = ParseCommand(parser, kReadHelp, args, 1)) return *stop;
  const auto options = TransferOptionsOf(parser);
  if (!options) return FailUsage("read", options.error());
  const auto to = FormatOption(parser, "to");
  if (!to) return FailUsage("read", to.error());
  if (const auto usage = RequireStreamFormat("read", options->file, *to, "--to")) return *usage;
  if (const Status output = CheckOutput(options->file, *to); !output) {
    return Fail(output.error());
  }
  const auto port = MakePort(options->port);
  const auto image = ReadWholeMemory(*options, *port);
  if (!image) {
    return Fail(QStringLiteral("%1; %2 was not written").arg(image.error(), options->file));
  }
  const auto saved = SaveImage(options->file, *to, *image, BlankMemoryFor(*image));
  if (!saved) return Fail(saved.error());
  PrintNotes(options->file, *saved);
  return Success;
}

int Write(const QStringList& args) {
  QCommandLineParser parser;
  AddTransferOptions(parser);
  parser.addOption(FromOption());
  parser.addOption(
      {"backup", "First read the whole memory into FILE (.bin keeps everything).", "FILE"});
  parser.addOption({"verify",
                    "Read back the areas and the used channels afterwards; --verify=full every "
                    "slot."});
  QCommandLineOption verifyFull("verify-full");
  verifyFull.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOption(verifyFull);
  QStringList spelled = args;
  spelled.replaceInStrings(QRegularExpression("^--verify=full$"), "--verify-full");
  parser.addPositionalArgument("IN", "The image to write; - for standard input.");
  if (const auto stop = ParseCommand(parser, kWriteHelp, spelled, 1)) return *stop;
  auto options = TransferOptionsOf(parser);
  if (!options) return FailUsage("write", options.error());
  const auto from = FormatOption(parser, "from");
  if (!from) return FailUsage("write", from.error());
  options->backup = parser.value("backup");
  if (parser.isSet(verifyFull)) options->verify = VerifyScope::Full;
  if (parser.isSet("verify")) options->verify = VerifyScope::Written;

  if (const auto usage = RequireStreamFormat("write", options->file, *from, "--from")) {
    return *usage;
  }
  if (const auto fault = BackupPathFault(*options)) return Fail(*fault);
  const auto loaded = LoadImage(options->file, *from);
  if (!loaded) return Fail(loaded.error());
  PrintNotes(options->file, loaded->notes);
  const CloneImage& image = loaded->value;
  if (const auto fault = FullWriteFault(image)) {
    return Fail(QStringLiteral("write: %1 cannot go to the receiver: %2; nothing was sent")
                    .arg(options->file, *fault));
  }
  const auto port = MakePort(options->port);
  const InterruptGuard guard;
  if (!options->backup.isEmpty() && !MakeBackup(*options, *port, guard)) return Failure;
  const TransferResult write =
      RunWithProgress("Write all", *options, *port, image, guard, WriteAllProcedure);
  if (!write.done()) return ReportStoppedWrite(write, *options, guard);
  if (options->verify) return VerifyWritten(*write.image, *options, *port, guard);
  return Success;
}

}  // namespace rqm27::cli
