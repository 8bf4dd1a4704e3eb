// The File menu's commands on the window's document: each asks for what it needs, calls one
// operation of files/ and tells the user how it went, naming the file. A failure leaves the
// document as it was.
//
// The document's file is the one last opened or saved. Save writes to it without asking when it
// is a whole image (.M27, .json, .bin); a channel list (.CSV) holds only the channels, so after
// an import Save asks for a name as Save As does. A memory image (.bin) is written onto the
// memory it was read from, so that what the image does not hold stays as it was.
#pragma once

#include "document/document.h"
#include "widgets/user_dialogs.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

class QMimeData;

namespace rqm27 {

enum class CommandOutcome { Cancelled, Failed, Done };

// The file a drag carries when the window can open it: one local file with an extension of
// the image files; empty otherwise.
QString OpenableFileOf(const QMimeData& data);

class FileCommands {
 public:
  // The recent files are kept beside the preferences file at `preferencesPath`.
  FileCommands(Document& document, UserDialogs& dialogs, QString preferencesPath);

  // Before unsaved changes would be lost: asks whether to save them and saves when asked to.
  // False when the user cancelled, or the save did not happen.
  bool saveChangesFirst();

  // New(&N): the start-up image, in no file yet.
  CommandOutcome newImage();
  // Open(&O): a file of any image format, chosen in the open dialog.
  CommandOutcome open();
  // A file named by the user elsewhere: the command line, a drop, the recent files.
  CommandOutcome openFile(const QString& path);
  // An entry of Open Recent; one whose file is gone is taken off the list.
  CommandOutcome openRecentFile(const QString& path);
  // Save(&S): to the document's file, or as Save As when it has none it can save back to.
  CommandOutcome save();
  // Save As(&A): to the file chosen; its extension decides the format.
  CommandOutcome saveAs();
  // Import(&I): a channel list replaces slots 1-1700.
  CommandOutcome importChannelList();
  // Export(&E): the channels as a channel list, with the labels the grid shows (slot n at n - 1).
  // The document's file stays what it was.
  CommandOutcome exportChannelList(const QStringList& rowLabels);

  // Compare with(&C): the image of a file chosen in the open dialog, with its path, to compare
  // the document with; nothing when the user cancelled or the file cannot be read (said).
  std::optional<std::pair<CloneImage, QString>> chooseImageToCompare();

  // The files last opened or saved, the most recent first.
  const QStringList& recentFiles() const { return recentFiles_; }

 private:
  CommandOutcome load(const QString& path);
  CommandOutcome saveTo(const QString& path);
  void rememberRecentFile(const QString& path);
  void keepRecentFiles();

  Document& document_;
  UserDialogs& dialogs_;
  QString preferencesPath_;
  QStringList recentFiles_;
  // The memory the document's image is written onto when saved as a .bin: the bytes of the
  // .bin it was opened from, else the blank memory its first .bin was written onto; empty
  // while it has been in no .bin.
  QByteArray memoryBase_;
};

}  // namespace rqm27
