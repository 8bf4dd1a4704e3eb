// Everything the main window asks of the user or tells the user goes through one UserDialogs:
// message boxes, file dialogs, the unsaved-changes question and the channel detail dialog.
// The program uses the widget dialogs; tests put in their own answers.
//
// The detail dialog itself belongs to the grid, above this folder: the widget dialogs are given
// the function that runs it.
#pragma once

#include "model/channel_edits.h"
#include "widgets/channel_edit.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QWidget;

namespace rqm27 {

enum class MessageIcon { None, Information, Warning, Critical };

struct Message {
  Message(QString title = {}, QString text = {}, QString detail = {},
          MessageIcon icon = MessageIcon::None, QString details = {})
      : title(std::move(title)),
        text(std::move(text)),
        detail(std::move(detail)),
        icon(icon),
        details(std::move(details)) {}

  QString title;
  QString text;
  // A second paragraph with what exactly failed; empty for none.
  QString detail;
  MessageIcon icon = MessageIcon::None;
  // A long list behind the box's "Show Details..." button; empty for none.
  QString details;

  bool operator==(const Message&) const = default;
};

// A message without detail or icon, as the commands report their success.
inline Message Notice(const QString& title, const QString& text) {
  return {title, text, {}, MessageIcon::None};
}

enum class SaveChoice { Save, Discard, Cancel };

// A file dialog's caption, its filters in Qt's form ("M27 (*.M27);;All Files (*)") and, for a
// save dialog, the extension added to a name typed without one.
struct FileDialogRequest {
  QString caption;
  QString filters;
  QString defaultSuffix;
};

// A file chosen in a save dialog and the file type chosen with it: the index of its filter in
// the request's filters.
struct FileChoice {
  QString path;
  int filter = 0;
};

// What the user chose for a full write: back up the receiver first, read back afterwards.
struct FullWriteChoice {
  bool backup = true;
  bool verify = false;

  bool operator==(const FullWriteChoice&) const = default;
};

// What the question before a full write names.
struct FullWriteQuestion {
  QString port;
  QString variant;
  int channels = 0;        // used channels to be written
  FullWriteChoice choice;  // the choice offered, as last made
};

// What Fill frequencies asks for: the first frequency and the distance from row to row, in
// units of 10 Hz (the distance may be negative).
struct FillChoice {
  std::int32_t start = 0;
  std::int32_t increment = 0;

  bool operator==(const FillChoice&) const = default;
};

class UserDialogs {
 public:
  virtual ~UserDialogs() = default;

  virtual void showMessage(const Message& message) = 0;
  // The chosen path, or an empty text when the user cancelled.
  virtual QString openFileName(const FileDialogRequest& request) = 0;
  virtual QString saveFileName(const FileDialogRequest& request) = 0;
  // The same with the file type chosen, for a command whose types are different formats.
  virtual FileChoice saveFileChoice(const FileDialogRequest& request) {
    return {saveFileName(request), 0};
  }
  // Asked before unsaved changes would be lost.
  virtual SaveChoice askToSaveChanges() = 0;
  // A question answered with OK (true) or Cancel (false).
  virtual bool confirm(const Message& question) = 0;
  // Asked before a full write; nothing when the user cancels.
  virtual std::optional<FullWriteChoice> confirmFullWrite(const FullWriteQuestion& question) = 0;
  // One of the backups (full paths, newest first), or an empty text when the user cancels.
  virtual QString chooseBackup(const QStringList& backups) = 0;
  // Shows the detail dialog modally and returns what it leaves.
  virtual ChannelEditBuffer editChannel(const DetailFormState& form, bool railwaysVisible) = 0;
  // The fields to change in `channels` selected rows; nothing when the user cancels.
  virtual std::optional<ChannelPatch> askChannelPatch(int channels) = 0;
  // The frequencies for `rows` selected rows, offered from `start`; nothing when cancelled.
  virtual std::optional<FillChoice> askFill(int rows, std::int32_t start) = 0;
  // The row to go to as typed (see GoToSyntax()), or an empty text when the user cancels.
  virtual QString askGoTo() = 0;
};

// How Go to takes its text, said in its dialog.
inline QString GoToSyntax() {
  return QStringLiteral(
      "A slot number 1-1721 (\"250\"), or B and a bank's number for the bank's first row "
      "(\"B5\", \"Bank05\"), optionally with the position the grid shows after the bank "
      "(\"B5-12\" is the row Bank05-012).");
}

// Shows the channel detail dialog modally over `parent` and returns what it leaves.
using DetailDialogRunner = std::function<ChannelEditBuffer(const DetailFormState& form,
                                                           bool railwaysVisible, QWidget* parent)>;

// Message boxes and file dialogs as widgets over `parent`; editChannel calls runDetailDialog.
std::unique_ptr<UserDialogs> MakeWidgetDialogs(QWidget* parent, DetailDialogRunner runDetailDialog);

}  // namespace rqm27
