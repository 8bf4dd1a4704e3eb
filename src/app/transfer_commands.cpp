#include "app/transfer_commands.h"

#include "files/image_file.h"

#include <QDir>
#include <QFileInfo>

namespace rqm27 {

namespace {

// A full read saved where the options say, before anything is written.
TransferResult BackUp(Port& port, Variant variant, const QString& path,
                      const TransferHooks& hooks) {
  TransferResult backup = ReadAll(port, variant, StartupImage(), hooks);
  backup.receiverState = NothingWrittenText();
  if (!backup.done()) {
    backup.message = QStringLiteral("Backup before writing: ") + backup.message;
    return backup;
  }
  QDir().mkpath(QFileInfo(path).absolutePath());
  const auto saved = SaveImageFile(path, *backup.image, BlankMemoryFor(*backup.image));
  if (!saved) {
    backup.outcome = TransferResult::Outcome::Failed;
    backup.message = QStringLiteral("Backup before writing: ") + saved.error();
  }
  return backup;
}

// Backup, write and read-back of a full write, each a link session of its own.
TransferResult RunFullWrite(Port& port, Variant variant, const CloneImage& image,
                            const FullWriteOptions& options, const TransferHooks& hooks) {
  // A faulty image is refused before the backup read too: the write refuses it without
  // opening the port.
  if (options.check == ImageCheck::Refuse && FullWriteFault(image)) {
    return WriteAll(port, variant, image, hooks);
  }
  if (!options.backupPath.isEmpty()) {
    TransferResult backup = BackUp(port, variant, options.backupPath, hooks);
    if (!backup.done()) return backup;
  }
  TransferResult written = WriteAll(port, variant, image, hooks, options.check);
  if (!written.done() || !options.verify) return written;
  TransferResult verified = VerifyWrite(port, variant, *written.image, VerifyScope::Written, hooks);
  if (verified.done()) return written;
  verified.receiverState = QStringLiteral(
      "The write went through to the end, but the receiver does not hold what was written.");
  return verified;
}

// What to do after a full write that did not finish.
QString RestoreHint(const FullWriteOptions& options) {
  if (options.backupPath.isEmpty()) return QStringLiteral("Write again.");
  return QStringLiteral(
             "Write again, or restore the receiver's memory from the backup %1 "
             "(COMM, Restore from backup).")
      .arg(QDir::toNativeSeparators(options.backupPath));
}

Message FullWriteMessage(const TransferRequest& request, const TransferResult& result) {
  const FullWriteOptions& options = request.fullWrite;
  if (result.outcome == TransferResult::Outcome::Done) {
    QStringList detail;
    if (!options.backupPath.isEmpty()) {
      detail << QStringLiteral("The receiver's memory before the write is kept in %1.")
                    .arg(QDir::toNativeSeparators(options.backupPath));
    }
    if (options.verify) detail << QStringLiteral("Read back: the receiver holds what was written.");
    return {QStringLiteral(" Finish"), QStringLiteral("Success ALL DATA WRITE"), detail.join(u' ')};
  }
  const bool backupFailed = result.message.startsWith(QStringLiteral("Backup before writing"));
  const QString state =
      result.receiverState.isEmpty() ? NothingWrittenText() : result.receiverState;
  const QString detail =
      result.message + QStringLiteral("\n\n") + state +
      (state == NothingWrittenText() || backupFailed ? QString() : u' ' + RestoreHint(options));
  if (result.outcome == TransferResult::Outcome::Cancelled) {
    return {QStringLiteral(" Cancelled"), QStringLiteral("Cancelled"), detail,
            MessageIcon::Information};
  }
  return {QStringLiteral(" Error"), QStringLiteral("Error"), detail, MessageIcon::Critical};
}

}  // namespace

bool IsRead(TransferKind kind) {
  return kind == TransferKind::ReadAll || kind == TransferKind::ReadRows;
}

TransferResult RunTransfer(Port& port, Variant variant, const CloneImage& image,
                           const TransferRequest& request, const TransferHooks& hooks) {
  switch (request.kind) {
    case TransferKind::ReadAll:
      return ReadAll(port, variant, image, hooks);
    case TransferKind::WriteAll:
      return RunFullWrite(port, variant, image, request.fullWrite, hooks);
    case TransferKind::ReadRows:
      return ReadSelectedRows(port, variant, image, request.firstSlot, request.lastSlot, hooks);
    case TransferKind::WriteRows:
      return WriteSelectedRows(port, variant, image, request.firstSlot, request.lastSlot, hooks);
  }
  return {};
}

Message TransferMessage(const TransferRequest& request, const TransferResult& result) {
  const TransferKind kind = request.kind;
  if (kind == TransferKind::WriteAll) return FullWriteMessage(request, result);
  switch (result.outcome) {
    case TransferResult::Outcome::Done:
      break;
    case TransferResult::Outcome::Failed:
      return {QStringLiteral(" Error"), QStringLiteral("Error"), result.message,
              MessageIcon::Critical};
    case TransferResult::Outcome::Cancelled:
      return {QStringLiteral(" Cancelled"), QStringLiteral("Cancelled"),
              IsRead(kind) ? result.message + QStringLiteral(". Nothing has been changed.")
                           : result.message + u'.',
              MessageIcon::Information};
  }
  switch (kind) {
    case TransferKind::ReadAll:
      return Notice(QStringLiteral(" Finish"), QStringLiteral("Success ALL DATA READ"));
    case TransferKind::WriteAll:
    case TransferKind::ReadRows:
    case TransferKind::WriteRows:
      break;
  }
  return Notice(QStringLiteral("Complete"), QStringLiteral("Complete"));
}

TransferJob JobFor(const TransferRequest& request) {
  TransferJob job;
  job.procedure = [request](Port& port, Variant variant, const CloneImage& image,
                            const TransferHooks& hooks) {
    return RunTransfer(port, variant, image, request, hooks);
  };
  if (IsRead(request.kind)) {
    job.apply = [](CloneImage& image, const CloneImage& read) { image = read; };
    const int rows = request.lastSlot - request.firstSlot + 1;
    job.stepText = request.kind == TransferKind::ReadAll ? QStringLiteral("Read all")
                   : rows == 1                           ? QStringLiteral("Read 1 channel")
                               : QStringLiteral("Read %1 channels").arg(rows);
  }
  job.report = [request](const TransferResult& result) { return TransferMessage(request, result); };
  job.asksBeforeStopping = request.kind == TransferKind::WriteAll;
  return job;
}

}  // namespace rqm27
