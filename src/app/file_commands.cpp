#include "app/file_commands.h"

#include "files/csv_file.h"
#include "files/file_io.h"
#include "files/image_file.h"
#include "files/multi_csv.h"
#include "files/preferences.h"
#include "widgets/default_extension.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <utility>

namespace rqm27 {

namespace {

const FileDialogRequest OpenImageDialog = {
    QStringLiteral("Open"),
    QStringLiteral("Image files (*.M27 *.json *.bin *.CSV);;M27 Files (*.M27);;"
                   "JSON image (*.json);;Memory image (*.bin);;Channel list (*.CSV);;"
                   "All Files (*)"),
    {},
};
const FileDialogRequest SaveImageDialog = {
    QStringLiteral("Save As"),
    QStringLiteral("RQ-M27ファイル (*.M27);;JSON image (*.json);;Memory image (*.bin);;"
                   "すべてのファイル (*)"),
    QStringLiteral("M27"),
};
const FileDialogRequest OpenCsvDialog = {
    QStringLiteral("Import"),
    QStringLiteral("CSV (*.CSV);;CSV Files (*.CSV);;All Files (*)"),
    {},
};
const FileDialogRequest SaveCsvDialog = {
    QStringLiteral("Export"),
    QStringLiteral("CSVファイル (*.CSV);;Multi-radio channel list (*.csv);;すべてのファイル (*)"),
    QStringLiteral("CSV"),
};
// The file type of the export dialog that writes the multi-radio channel list.
constexpr int MultiRadioListFilter = 1;

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

// Whether a file of this path holds the whole image, so that the document can be saved back
// to it: a clone file, a JSON image or a memory image, not a channel list.
bool SavesBackTo(const QString& path) {
  const Result<ImageFormat> format = FormatOfPath(path);
  return format && (*format == ImageFormat::CloneFile || *format == ImageFormat::Json ||
                    *format == ImageFormat::MemoryImage);
}

bool IsMemoryImage(const QString& path) {
  const Result<ImageFormat> format = FormatOfPath(path);
  return format && *format == ImageFormat::MemoryImage;
}

}  // namespace

QString OpenableFileOf(const QMimeData& data) {
  const QList<QUrl> urls = data.urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
  QString path = urls.front().toLocalFile();
  return FormatOfPath(path) ? path : QString();
}

FileCommands::FileCommands(Document& document, UserDialogs& dialogs, QString preferencesPath)
    : document_(document),
      dialogs_(dialogs),
      preferencesPath_(std::move(preferencesPath)),
      recentFiles_(LoadRecentFiles(preferencesPath_)) {}

bool FileCommands::saveChangesFirst() {
  if (!document_.isModified()) return true;
  switch (dialogs_.askToSaveChanges()) {
    case SaveChoice::Save:
      return save() == CommandOutcome::Done;
    case SaveChoice::Discard:
      return true;
    case SaveChoice::Cancel:
      break;
  }
  return false;
}

CommandOutcome FileCommands::newImage() {
  if (!saveChangesFirst()) return CommandOutcome::Cancelled;
  CloneImage image = StartupImage();
  image.comPort = document_.image().comPort;
  document_.replace(QStringLiteral("New"), std::move(image));
  document_.setPath({});
  document_.markSaved();
  memoryBase_.clear();
  return CommandOutcome::Done;
}

CommandOutcome FileCommands::open() {
  if (!saveChangesFirst()) return CommandOutcome::Cancelled;
  const QString path = dialogs_.openFileName(OpenImageDialog);
  if (path.isEmpty()) return CommandOutcome::Cancelled;
  return load(path);
}

CommandOutcome FileCommands::openFile(const QString& path) {
  if (!saveChangesFirst()) return CommandOutcome::Cancelled;
  return load(path);
}

CommandOutcome FileCommands::openRecentFile(const QString& path) {
  if (QFileInfo::exists(path)) return openFile(path);
  dialogs_.showMessage(CannotOpen(
      QStringLiteral("%1 is no longer there; it is taken off the recent files.").arg(path)));
  recentFiles_.removeAll(path);
  keepRecentFiles();
  return CommandOutcome::Failed;
}

std::optional<std::pair<CloneImage, QString>> FileCommands::chooseImageToCompare() {
  const QString path = dialogs_.openFileName(OpenImageDialog);
  if (path.isEmpty()) return std::nullopt;
  Result<Noted<CloneImage>> loaded = LoadImageFile(path);
  if (!loaded) {
    dialogs_.showMessage(CannotOpen(loaded.error()));
    return std::nullopt;
  }
  return std::pair{std::move(loaded->value), path};
}

CommandOutcome FileCommands::load(const QString& path) {
  Result<Noted<CloneImage>> loaded = LoadImageFile(path);
  if (!loaded) {
    dialogs_.showMessage(CannotOpen(loaded.error()));
    return CommandOutcome::Failed;
  }
  QByteArray memory;
  if (IsMemoryImage(path)) {
    const Result<QByteArray> bytes = ReadWholeFile(path);
    if (!bytes) {
      dialogs_.showMessage(CannotOpen(bytes.error()));
      return CommandOutcome::Failed;
    }
    memory = *bytes;
  }
  // The port is the one chosen in the Port menu, whatever the file says.
  loaded->value.comPort = document_.image().comPort;
  document_.replace(QStringLiteral("Open %1").arg(QFileInfo(path).fileName()),
                    std::move(loaded->value));
  document_.setPath(path);
  // A channel list fills a start-up image whose other areas are in no file yet: an unsaved
  // change.
  if (SavesBackTo(path)) document_.markSaved();
  memoryBase_ = memory;
  rememberRecentFile(path);
  dialogs_.showMessage(
      Outcome(Notice(QStringLiteral("Finish"), QStringLiteral("Read File")), path, loaded->notes));
  return CommandOutcome::Done;
}

CommandOutcome FileCommands::save() {
  if (!SavesBackTo(document_.path())) return saveAs();
  return saveTo(document_.path());
}

CommandOutcome FileCommands::saveAs() {
  const QString path = dialogs_.saveFileName(SaveImageDialog);
  if (path.isEmpty()) return CommandOutcome::Cancelled;
  return saveTo(WithDefaultExtension(path, SaveImageDialog.defaultSuffix));
}

CommandOutcome FileCommands::saveTo(const QString& path) {
  if (!SavesBackTo(path)) {
    dialogs_.showMessage(CannotSave(
        QStringLiteral("%1: the whole memory is saved as a .M27, .json or .bin file; Export "
                       "writes the channels as a channel list (.CSV).")
            .arg(path)));
    return CommandOutcome::Failed;
  }
  const CloneImage& image = document_.image();
  const bool memoryImage = IsMemoryImage(path);
  const QByteArray base =
      memoryImage && memoryBase_.isEmpty() ? BlankMemoryFor(image) : memoryBase_;
  const Result<FileNotes> saved = SaveImageFile(path, image, base);
  if (!saved) {
    dialogs_.showMessage(CannotSave(saved.error()));
    return CommandOutcome::Failed;
  }
  if (memoryImage) memoryBase_ = base;
  document_.setPath(path);
  document_.markSaved();
  rememberRecentFile(path);
  dialogs_.showMessage(
      Outcome(Notice(QStringLiteral("Finish"), QStringLiteral("Save File")), path, *saved));
  return CommandOutcome::Done;
}

void FileCommands::rememberRecentFile(const QString& path) {
  recentFiles_ = WithRecentFile(recentFiles_, QFileInfo(path).absoluteFilePath());
  keepRecentFiles();
}

void FileCommands::keepRecentFiles() {
  const Status kept = SaveRecentFiles(preferencesPath_, recentFiles_);
  if (!kept) {
    dialogs_.showMessage({QStringLiteral("Error"),
                          QStringLiteral("The recent files cannot be remembered."), kept.error(),
                          MessageIcon::Warning});
  }
}

CommandOutcome FileCommands::importChannelList() {
  if (!saveChangesFirst()) return CommandOutcome::Cancelled;
  const QString path = dialogs_.openFileName(OpenCsvDialog);
  if (path.isEmpty()) return CommandOutcome::Cancelled;
  const Result<QByteArray> bytes = ReadWholeFile(path);
  if (!bytes) {
    dialogs_.showMessage(CannotOpen(bytes.error()));
    return CommandOutcome::Failed;
  }
  // Either layout, told by the header row: the program's own list or the multi-radio one.
  Result<Noted<CloneImage>> image = IsMultiCsv(*bytes)
                                        ? ImportMultiCsv(*bytes, document_.image(), path)
                                        : ImportCsv(*bytes, document_.image(), path);
  if (!image) {
    dialogs_.showMessage(
        {QStringLiteral(" Error"), QStringLiteral("CSV File Error"), image.error()});
    return CommandOutcome::Failed;
  }
  // The other areas of the image are in no file yet, so the import is an unsaved change.
  document_.replace(QStringLiteral("Import %1").arg(QFileInfo(path).fileName()),
                    std::move(image->value));
  document_.setPath(path);
  dialogs_.showMessage(Outcome(Notice(QStringLiteral(" Finish"), QStringLiteral("Import CSV File")),
                               path, image->notes));
  return CommandOutcome::Done;
}

CommandOutcome FileCommands::exportChannelList(const QStringList& rowLabels) {
  const FileChoice choice = dialogs_.saveFileChoice(SaveCsvDialog);
  if (choice.path.isEmpty()) return CommandOutcome::Cancelled;
  const bool multiRadio = choice.filter == MultiRadioListFilter;
  const QString path = WithDefaultExtension(
      choice.path, multiRadio ? QStringLiteral("csv") : SaveCsvDialog.defaultSuffix);
  const Noted<QByteArray> file =
      multiRadio ? ExportMultiCsv(document_.image()) : ExportCsv(document_.image(), rowLabels);
  if (const Status saved = SaveWholeFile(path, file.value); !saved) {
    dialogs_.showMessage(CannotSave(saved.error()));
    return CommandOutcome::Failed;
  }
  // A copy of the channels: the document stays in its own file.
  dialogs_.showMessage(
      Outcome(Notice(QStringLiteral("Finish"), QStringLiteral("Save File")), path, file.notes));
  return CommandOutcome::Done;
}

}  // namespace rqm27
