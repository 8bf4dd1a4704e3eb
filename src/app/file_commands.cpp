#include "app/file_commands.h"

#include "files/clone_file.h"
#include "files/csv_file.h"
#include "files/file_io.h"
#include "widgets/default_extension.h"

#include <QDateTime>
#include <QFileInfo>

#include <utility>

namespace rqm27 {

namespace {

const FileDialogRequest OpenCloneDialog = {
    QStringLiteral("Open"),
    QStringLiteral("M27 (*.M27);;M27 Files (*.M27);;All Files (*)"),
    {},
};
const FileDialogRequest SaveCloneDialog = {
    QStringLiteral("Save"),
    QStringLiteral("RQ-M27ファイル (*.M27);;すべてのファイル (*)"),
    QStringLiteral("M27"),
};
const FileDialogRequest OpenCsvDialog = {
    QStringLiteral("Import"),
    QStringLiteral("CSV (*.CSV);;CSV Files (*.CSV);;All Files (*)"),
    {},
};
const FileDialogRequest SaveCsvDialog = {
    QStringLiteral("Export"),
    QStringLiteral("CSVファイル (*.CSV);;すべてのファイル (*)"),
    QStringLiteral("CSV"),
};

Message CannotOpen(const QString& reason) {
  return {QStringLiteral("Error"), QStringLiteral("Can't open the file."), reason,
          MessageIcon::Warning};
}

Message CannotSave(const QString& reason) {
  return {QStringLiteral("Error"), QStringLiteral("Can't save the file."), reason,
          MessageIcon::Critical};
}

// After a load or a save: the notice alone when the file was taken as it is, else one message
// that says how many things were changed or left out and lists them in its details.
Message Outcome(const Message& notice, const QString& path, const FileNotes& notes) {
  if (notes.empty()) return notice;
  const QString what = notes.size() == 1 ? QStringLiteral("1 thing was")
                                         : QStringLiteral("%1 things were").arg(notes.size());
  return {notice.title, notice.text,
          QStringLiteral("%1 changed or left out in %2; see the details.")
              .arg(what, QFileInfo(path).fileName()),
          MessageIcon::Information, NoteLines(notes, static_cast<int>(notes.size())).join(u'\n')};
}

// Writes bytes to the path a save dialog gives; Done when the file is complete.
CommandOutcome SaveThroughDialog(const FileDialogRequest& request, Document& document,
                                 UserDialogs& dialogs, const auto& contents) {
  QString path = dialogs.saveFileName(request);
  if (path.isEmpty()) return CommandOutcome::Cancelled;
  path = WithDefaultExtension(path, request.defaultSuffix);
  const Result<Noted<QByteArray>> file = contents();
  if (!file) {
    dialogs.showMessage(CannotSave(QStringLiteral("%1: %2").arg(path, file.error())));
    return CommandOutcome::Failed;
  }
  if (const Status saved = SaveWholeFile(path, file->value); !saved) {
    dialogs.showMessage(CannotSave(saved.error()));
    return CommandOutcome::Failed;
  }
  document.setPath(path);
  dialogs.showMessage(
      Outcome(Notice(QStringLiteral("Finish"), QStringLiteral("Save File")), path, file->notes));
  return CommandOutcome::Done;
}

}  // namespace

bool SaveChangesFirst(Document& document, UserDialogs& dialogs) {
  if (!document.isModified()) return true;
  switch (dialogs.askToSaveChanges()) {
    case SaveChoice::Save:
      return SaveCloneFile(document, dialogs) == CommandOutcome::Done;
    case SaveChoice::Discard:
      return true;
    case SaveChoice::Cancel:
      break;
  }
  return false;
}

CommandOutcome OpenCloneFile(Document& document, UserDialogs& dialogs) {
  if (!SaveChangesFirst(document, dialogs)) return CommandOutcome::Cancelled;
  const QString path = dialogs.openFileName(OpenCloneDialog);
  if (path.isEmpty()) return CommandOutcome::Cancelled;
  const Result<QByteArray> bytes = ReadWholeFile(path);
  if (!bytes) {
    dialogs.showMessage(CannotOpen(bytes.error()));
    return CommandOutcome::Failed;
  }
  Result<Noted<CloneImage>> image = ReadCloneFile(*bytes, document.image(), path);
  if (!image) {
    dialogs.showMessage(CannotOpen(image.error()));
    return CommandOutcome::Failed;
  }
  document.replace(QStringLiteral("Open %1").arg(QFileInfo(path).fileName()),
                   std::move(image->value));
  document.setPath(path);
  document.markSaved();
  dialogs.showMessage(
      Outcome(Notice(QStringLiteral("Finish"), QStringLiteral("Read File")), path, image->notes));
  return CommandOutcome::Done;
}

CommandOutcome SaveCloneFile(Document& document, UserDialogs& dialogs) {
  const CommandOutcome outcome = SaveThroughDialog(SaveCloneDialog, document, dialogs, [&] {
    return WriteCloneFile(document.image(), QDateTime::currentDateTime());
  });
  if (outcome == CommandOutcome::Done) document.markSaved();
  return outcome;
}

CommandOutcome ImportChannelList(Document& document, UserDialogs& dialogs) {
  if (!SaveChangesFirst(document, dialogs)) return CommandOutcome::Cancelled;
  const QString path = dialogs.openFileName(OpenCsvDialog);
  if (path.isEmpty()) return CommandOutcome::Cancelled;
  const Result<QByteArray> bytes = ReadWholeFile(path);
  if (!bytes) {
    dialogs.showMessage(CannotOpen(bytes.error()));
    return CommandOutcome::Failed;
  }
  Result<Noted<CloneImage>> image = ImportCsv(*bytes, document.image(), path);
  if (!image) {
    dialogs.showMessage(
        {QStringLiteral(" Error"), QStringLiteral("CSV File Error"), image.error()});
    return CommandOutcome::Failed;
  }
  // The other areas of the image are in no file yet, so the import is an unsaved change.
  document.replace(QStringLiteral("Import %1").arg(QFileInfo(path).fileName()),
                   std::move(image->value));
  document.setPath(path);
  dialogs.showMessage(Outcome(Notice(QStringLiteral(" Finish"), QStringLiteral("Import CSV File")),
                              path, image->notes));
  return CommandOutcome::Done;
}

CommandOutcome ExportChannelList(Document& document, const QStringList& rowLabels,
                                 UserDialogs& dialogs) {
  return SaveThroughDialog(SaveCsvDialog, document, dialogs, [&] {
    return Result<Noted<QByteArray>>(ExportCsv(document.image(), rowLabels));
  });
}

}  // namespace rqm27
