#include "app/transfer_commands.h"

#include "files/image_file.h"

#include <QDir>
#include <QFileInfo>

namespace rqm27 {

namespace {

// A full read saved where the options say, before anything is written.
TransferResult BackUp(Port& port, const TransferRequest& request, const TransferHooks& hooks) {
  const QString& path = request.fullWrite.backupPath;
  TransferResult backup = ReadAll(port, request.variant, StartupImage(), hooks);
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
TransferResult RunFullWrite(Port& port, const TransferRequest& request,
                            const TransferHooks& hooks) {
  const FullWriteOptions& options = request.fullWrite;
  // A faulty image is refused before the backup read too: the write refuses it without
  // opening the port.
  if (options.check == ImageCheck::Refuse && FullWriteFault(request.image)) {
    return WriteAll(port, request.variant, request.image, hooks);
  }
  if (!options.backupPath.isEmpty()) {
    if (TransferResult backup = BackUp(port, request, hooks); !backup.done()) return backup;
  }
  TransferResult written = WriteAll(port, request.variant, request.image, hooks, options.check);
  if (!written.done() || !options.verify) return written;
  TransferResult verified =
      VerifyWrite(port, request.variant, *written.image, VerifyScope::Written, hooks);
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

TransferResult RunTransfer(Port& port, const TransferRequest& request, const TransferHooks& hooks) {
  switch (request.kind) {
    case TransferKind::ReadAll:
      return ReadAll(port, request.variant, request.image, hooks);
    case TransferKind::WriteAll:
      return RunFullWrite(port, request, hooks);
    case TransferKind::ReadRows:
      return ReadSelectedRows(port, request.variant, request.image, request.firstSlot,
                              request.lastSlot, hooks);
    case TransferKind::WriteRows:
      return WriteSelectedRows(port, request.variant, request.image, request.firstSlot,
                               request.lastSlot, hooks);
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

}  // namespace rqm27
