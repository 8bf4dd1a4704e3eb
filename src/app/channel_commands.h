// The channel grid's editing commands: the clipboard (cut, copy, paste of whole channels), Edit
// selected, Fill frequencies, the moves inside a bank (up, down, an empty row inserted, rows
// deleted with the gap closed, the sorts, a drag of the selected rows), emptying the selected
// rows, Find and Go to. Each edit is one undoable step of the document named for what it did
// ("Paste 5 channels"); what a command could not do (its refusal, the rows it left as they
// were) is told in one message.
#pragma once

#include "document/document.h"
#include "widgets/user_dialogs.h"

#include <QList>
#include <QObject>

#include <functional>
#include <optional>
#include <utility>

class QAction;

namespace rqm27 {

class ChannelGridView;
class MemoryPage;

struct ChannelCommandViews {
  MemoryPage* page = nullptr;
  // Shows the Memory page; false when another page stays (its bank table does not add up).
  std::function<bool()> showMemoryPage;
  // Whether a transfer runs: the commands do nothing then.
  std::function<bool()> busy;
};

class ChannelCommands : public QObject {
  Q_OBJECT

 public:
  ChannelCommands(Document& document, UserDialogs& dialogs, ChannelCommandViews views,
                  QObject* parent = nullptr);

  // The commands in menu order, separators included, each with its shortcut and object name.
  const QList<QAction*>& actions() const { return actions_; }

  void cut();
  void copy();
  void paste();
  void editSelected();
  void fillFrequencies();
  void move(MoveDirection direction);
  // Moves the selected rows so that the first (upwards) or last (downwards) lands on `target`.
  void moveTo(int target);
  void insertEmptyRow();
  void deleteAndCloseGap();
  void sort(SortKey key);
  // Empties the selected rows the grid shows, presets excepted.
  void clearSelectedRows();
  void find();
  void goTo();

 private:
  QAction* addAction(const char* name, const QString& text, const QKeySequence& shortcut,
                     const std::function<void(ChannelCommands*)>& command);
  void addSeparator();
  ChannelGridView& grid() const;
  // The selected rows as one run of slots; with a filter that hides rows between them, nothing
  // and the user is told why.
  std::optional<std::pair<int, int>> selectedRun(const QString& title);
  // One step named `text` by what the edit returns; the refusal or the notes are told under
  // `title`. Returns what the edit changed, nothing when it was refused.
  std::optional<EditedSlots> runEdit(const QString& title,
                                     const std::function<QString(const EditedSlots&)>& text,
                                     const std::function<Result<EditedSlots>(CloneImage&)>& edit);
  void tellNotes(const QString& title, const FileNotes& notes);
  // Empties the selected rows the grid shows as one step named `verb` and the count
  // ("Cut 3 channels").
  void emptySelectedRows(const QString& verb);

  Document& document_;
  UserDialogs& dialogs_;
  ChannelCommandViews views_;
  QList<QAction*> actions_;
};

}  // namespace rqm27
