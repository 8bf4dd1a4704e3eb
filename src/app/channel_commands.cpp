#include "app/channel_commands.h"

#include "app/memory_page.h"
#include "grid/channel_grid_view.h"
#include "model/channel_clipboard.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>

#include <algorithm>
#include <tuple>
#include <vector>

namespace rqm27 {

namespace {

constexpr int NoteLinesShown = 8;

QString Counted(int count, const QString& thing) {
  return QStringLiteral("%1 %2%3").arg(count).arg(thing,
                                                  count == 1 ? QString() : QStringLiteral("s"));
}

std::vector<int> SlotVector(const QList<int>& chosen) {
  return {chosen.begin(), chosen.end()};
}

// The first and last slot of the bank holding memory channel `slot`; nothing outside 1-1200.
std::optional<std::pair<int, int>> BankRows(const BankTable& banks, int slot) {
  int first = 1;
  for (const int count : banks.counts) {
    if (slot < first + count) return std::pair{first, first + count - 1};
    first += count;
  }
  return std::nullopt;
}

// The slot a Go to text names (GoToSyntax()), or why it names none.
Result<int> SlotOfGoToText(const QString& text, const BankTable& banks) {
  static const QRegularExpression syntax(
      QStringLiteral(R"(^(?:b(?:ank)?\s*(\d{1,2})(?:\s*-\s*(\d{1,3}))?|(\d{1,4}))$)"),
      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = syntax.match(text.trimmed());
  if (!match.hasMatch()) return Error{QStringLiteral("\"%1\" is no slot and no bank.").arg(text)};
  if (match.hasCaptured(3)) {
    const int slot = match.captured(3).toInt();
    if (slot < 1 || slot > SlotCount)
      return Error{QStringLiteral("There is no slot %1.").arg(slot)};
    return slot;
  }
  const int bank = match.captured(1).toInt();
  const int position = match.hasCaptured(2) ? match.captured(2).toInt() : 0;
  if (bank >= BankCount) return Error{QStringLiteral("There is no bank %1.").arg(bank)};
  const int count = banks.counts[static_cast<std::size_t>(bank)];
  if (position >= count) {
    return Error{QStringLiteral("Bank %1 holds %2, so it has no position %3.")
                     .arg(bank)
                     .arg(Counted(count, QStringLiteral("row")))
                     .arg(position)};
  }
  int first = 1;
  for (int b = 0; b < bank; ++b) first += banks.counts[static_cast<std::size_t>(b)];
  return first + position;
}

}  // namespace

ChannelCommands::ChannelCommands(Document& document, UserDialogs& dialogs,
                                 ChannelCommandViews views, QObject* parent)
    : QObject(parent), document_(document), dialogs_(dialogs), views_(std::move(views)) {
  addAction("cutItem", QStringLiteral("Cu&t"), QKeySequence::Cut, &ChannelCommands::cut);
  addAction("copyItem", QStringLiteral("&Copy"), QKeySequence::Copy, &ChannelCommands::copy);
  addAction("pasteItem", QStringLiteral("&Paste"), QKeySequence::Paste, &ChannelCommands::paste);
  addSeparator();
  addAction("editSelectedItem", QStringLiteral("&Edit selected..."),
            QKeySequence(Qt::CTRL | Qt::Key_E), &ChannelCommands::editSelected);
  addAction("fillItem", QStringLiteral("&Fill frequencies..."), QKeySequence(),
            &ChannelCommands::fillFrequencies);
  addSeparator();
  addAction("moveUpItem", QStringLiteral("Move &up"), QKeySequence(Qt::ALT | Qt::Key_Up),
            [](ChannelCommands* c) { c->move(MoveDirection::Up); });
  addAction("moveDownItem", QStringLiteral("Move &down"), QKeySequence(Qt::ALT | Qt::Key_Down),
            [](ChannelCommands* c) { c->move(MoveDirection::Down); });
  addAction("insertRowItem", QStringLiteral("&Insert empty row"), QKeySequence(Qt::Key_Insert),
            &ChannelCommands::insertEmptyRow);
  addAction("deleteRowsItem", QStringLiteral("De&lete and close the gap"),
            QKeySequence(Qt::CTRL | Qt::Key_Delete), &ChannelCommands::deleteAndCloseGap);
  addAction("sortByFrequencyItem", QStringLiteral("Sort by fre&quency"), QKeySequence(),
            [](ChannelCommands* c) { c->sort(SortKey::Frequency); });
  addAction("sortByNameItem", QStringLiteral("Sort by &name"), QKeySequence(),
            [](ChannelCommands* c) { c->sort(SortKey::Name); });
  addSeparator();
  addAction("findItem", QStringLiteral("F&ind"), QKeySequence::Find, &ChannelCommands::find);
  addAction("goToItem", QStringLiteral("&Go to..."), QKeySequence(Qt::CTRL | Qt::Key_G),
            &ChannelCommands::goTo);
  connect(&grid(), &ChannelGridView::moveRequested, this, &ChannelCommands::moveTo);
}

QAction* ChannelCommands::addAction(const char* name, const QString& text,
                                    const QKeySequence& shortcut,
                                    const std::function<void(ChannelCommands*)>& command) {
  auto* action = new QAction(text, this);
  action->setObjectName(QLatin1StringView(name));
  action->setShortcut(shortcut);
  connect(action, &QAction::triggered, this, [this, command] {
    if (!views_.busy || !views_.busy()) command(this);
  });
  actions_ << action;
  return action;
}

void ChannelCommands::addSeparator() {
  auto* separator = new QAction(this);
  separator->setSeparator(true);
  actions_ << separator;
}

ChannelGridView& ChannelCommands::grid() const {
  return *views_.page->grid();
}

std::optional<std::pair<int, int>> ChannelCommands::selectedRun(const QString& title) {
  const QList<int> chosen = grid().selectedSlotList();
  if (chosen.last() - chosen.first() + 1 == chosen.size()) {
    return std::pair{chosen.first(), chosen.last()};
  }
  dialogs_.showMessage({title, QStringLiteral("The selected rows are not next to each other."),
                        QStringLiteral("The filter hides rows between them; clear it to move, "
                                       "insert, delete or sort rows."),
                        MessageIcon::Warning});
  return std::nullopt;
}

std::optional<EditedSlots> ChannelCommands::runEdit(
    const QString& title, const std::function<QString(const EditedSlots&)>& text,
    const std::function<Result<EditedSlots>(CloneImage&)>& edit) {
  CloneImage image = document_.image();
  Result<EditedSlots> edited = edit(image);
  if (!edited) {
    QString reason = edited.error();
    if (!reason.isEmpty()) reason[0] = reason[0].toUpper();
    dialogs_.showMessage({title, QStringLiteral("%1 is not possible here.").arg(title),
                          reason + u'.', MessageIcon::Warning});
    return std::nullopt;
  }
  document_.replace(text(*edited), std::move(image));
  tellNotes(title, edited->notes);
  return std::move(edited).value();
}

void ChannelCommands::tellNotes(const QString& title, const FileNotes& notes) {
  if (notes.empty()) return;
  dialogs_.showMessage({title, QStringLiteral("Not every row went as asked."),
                        NoteLines(notes, NoteLinesShown).join(u'\n'), MessageIcon::Information,
                        NoteLines(notes, static_cast<int>(notes.size())).join(u'\n')});
}

// ---- The clipboard ----------------------------------------------------------------------------

void ChannelCommands::copy() {
  const std::vector<int> chosen = SlotVector(grid().selectedSlotList());
  auto* data = new QMimeData;
  data->setData(ChannelsMimeType.toString(), EncodeClipboardBytes(document_.image(), chosen));
  data->setText(EncodeClipboardText(document_.image(), chosen));
  QGuiApplication::clipboard()->setMimeData(data);
}

void ChannelCommands::cut() {
  copy();
  emptySelectedRows(QStringLiteral("Cut"));
}

void ChannelCommands::paste() {
  const QString title = QStringLiteral("Paste");
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  const QString ownType = ChannelsMimeType.toString();
  Noted<ClipboardRows> rows;
  if (data && data->hasFormat(ownType)) {
    Result<Noted<ClipboardRows>> decoded = DecodeClipboardBytes(data->data(ownType));
    if (!decoded) {
      dialogs_.showMessage({title, QStringLiteral("The clipboard's channels can't be read."),
                            decoded.error(), MessageIcon::Warning});
      return;
    }
    rows = std::move(decoded).value();
  } else if (data && data->hasText()) {
    rows = DecodeClipboardText(data->text());
  }
  if (rows.value.empty()) {
    tellNotes(title, rows.notes);
    dialogs_.showMessage(
        {title, QStringLiteral("The clipboard holds no channels."), {}, MessageIcon::Information});
    return;
  }
  const int start = grid().selectedSlotList().first();
  const std::optional<EditedSlots> pasted = runEdit(
      title,
      [](const EditedSlots& e) {
        return QStringLiteral("Paste %1").arg(Counted(e.channels, QStringLiteral("channel")));
      },
      [&](CloneImage& image) { return PasteChannels(image, start, rows.value); });
  if (!pasted) return;
  tellNotes(title, rows.notes);
  if (pasted->channels > 0) grid().selectSlots(start, start + pasted->channels - 1);
}

// ---- Many channels at once --------------------------------------------------------------------

void ChannelCommands::editSelected() {
  const QString title = QStringLiteral("Edit selected");
  const std::vector<int> chosen = SlotVector(grid().selectedSlotList());
  const auto used = std::count_if(chosen.begin(), chosen.end(), [this](int slot) {
    return slot < FirstPresetSlot && document_.image().slot(slot).used;
  });
  if (used == 0) {
    dialogs_.showMessage({title,
                          QStringLiteral("The selected rows hold no channels to edit."),
                          {},
                          MessageIcon::Information});
    return;
  }
  const std::optional<ChannelPatch> patch = dialogs_.askChannelPatch(int(used));
  if (!patch) return;
  runEdit(
      title,
      [](const EditedSlots& e) {
        return QStringLiteral("Edit %1").arg(Counted(e.channels, QStringLiteral("channel")));
      },
      [&](CloneImage& image) -> Result<EditedSlots> {
        return PatchChannels(image, chosen, *patch);
      });
}

void ChannelCommands::fillFrequencies() {
  const std::vector<int> chosen = SlotVector(grid().selectedSlotList());
  const ChannelSlot& first = document_.image().slot(chosen.front());
  const std::optional<FillChoice> choice =
      dialogs_.askFill(int(chosen.size()), first.used ? first.frequency : 0);
  if (!choice) return;
  runEdit(
      QStringLiteral("Fill frequencies"),
      [](const EditedSlots& e) {
        return QStringLiteral("Fill %1").arg(Counted(e.channels, QStringLiteral("channel")));
      },
      [&](CloneImage& image) -> Result<EditedSlots> {
        return FillFrequencies(image, chosen, choice->start, choice->increment);
      });
}

// ---- Moves inside a bank ----------------------------------------------------------------------

void ChannelCommands::move(MoveDirection direction) {
  const std::optional<std::pair<int, int>> run = selectedRun(QStringLiteral("Move"));
  if (!run) return;
  const auto [first, last] = *run;
  moveTo(direction == MoveDirection::Up ? first - 1 : last + 1);
}

void ChannelCommands::moveTo(int target) {
  const QString title = QStringLiteral("Move");
  const std::optional<std::pair<int, int>> run = selectedRun(title);
  if (!run) return;
  const auto [first, last] = *run;
  if (target >= first && target <= last) return;
  const bool up = target < first;
  const int rows = up ? first - target : target - last;
  const std::optional<EditedSlots> moved = runEdit(
      title,
      [up](const EditedSlots& e) {
        return QStringLiteral("Move %1 %2")
            .arg(Counted(e.channels, QStringLiteral("channel")),
                 up ? QStringLiteral("up") : QStringLiteral("down"));
      },
      [&, first = first, last = last](CloneImage& image) -> Result<EditedSlots> {
        EditedSlots all;
        for (int n = 0; n < rows; ++n) {
          const int shift = up ? -n : n;
          Result<EditedSlots> step = MoveChannels(image, first + shift, last + shift,
                                                  up ? MoveDirection::Up : MoveDirection::Down);
          if (!step) return step;
          all.channels = step->channels;
          all.notes.insert(all.notes.end(), step->notes.begin(), step->notes.end());
        }
        return all;
      });
  if (!moved) return;
  const int shift = up ? -rows : rows;
  grid().selectSlots(first + shift, last + shift);
}

void ChannelCommands::insertEmptyRow() {
  const std::optional<std::pair<int, int>> run = selectedRun(QStringLiteral("Insert empty row"));
  if (!run) return;
  const int slot = run->first;
  runEdit(
      QStringLiteral("Insert empty row"),
      [](const EditedSlots&) { return QStringLiteral("Insert an empty row"); },
      [slot](CloneImage& image) { return InsertEmptyRow(image, slot); });
}

void ChannelCommands::deleteAndCloseGap() {
  const QString title = QStringLiteral("Delete and close the gap");
  const std::optional<std::pair<int, int>> run = selectedRun(title);
  if (!run) return;
  const auto [first, last] = *run;
  runEdit(
      title,
      [](const EditedSlots& e) {
        return QStringLiteral("Delete %1, closing the gap")
            .arg(Counted(e.channels, QStringLiteral("channel")));
      },
      [first = first, last = last](CloneImage& image) {
        return DeleteChannels(image, first, last);
      });
}

void ChannelCommands::sort(SortKey key) {
  const QString by =
      key == SortKey::Frequency ? QStringLiteral("frequency") : QStringLiteral("name");
  const QString title = QStringLiteral("Sort by %1").arg(by);
  const std::optional<std::pair<int, int>> run = selectedRun(title);
  if (!run) return;
  // One row selected sorts its whole bank.
  auto [first, last] = *run;
  if (first == last)
    std::tie(first, last) = BankRows(document_.image().banks, first).value_or(*run);
  runEdit(
      title,
      [by](const EditedSlots& e) {
        return QStringLiteral("Sort %1 by %2")
            .arg(Counted(e.channels, QStringLiteral("channel")), by);
      },
      [first = first, last = last, key](CloneImage& image) {
        return SortChannels(image, first, last, key);
      });
}

void ChannelCommands::clearSelectedRows() {
  if (views_.busy && views_.busy()) return;
  emptySelectedRows(QStringLiteral("Delete"));
}

void ChannelCommands::emptySelectedRows(const QString& verb) {
  const QList<int> chosen = grid().selectedSlotList();
  const auto emptied = std::count_if(chosen.begin(), chosen.end(), [this](int slot) {
    return slot <= LastTransferredSlot && document_.image().slot(slot).used;
  });
  document_.edit(verb + u' ' + Counted(int(emptied), QStringLiteral("channel")),
                 [&chosen](CloneImage& image) {
                   for (const int slot : chosen) ClearChannelRows(image, slot, slot);
                 });
}

// ---- Finding rows -----------------------------------------------------------------------------

void ChannelCommands::find() {
  if (views_.showMemoryPage()) views_.page->focusFilter();
}

void ChannelCommands::goTo() {
  const QString text = dialogs_.askGoTo();
  if (text.isEmpty()) return;
  const Result<int> slot = SlotOfGoToText(text, document_.image().banks);
  if (!slot) {
    dialogs_.showMessage(
        {QStringLiteral("Go to"), slot.error(), GoToSyntax(), MessageIcon::Warning});
    return;
  }
  if (!views_.showMemoryPage()) return;
  grid().selectSlot(*slot);
  grid().scrollTo(grid().currentIndex());
  grid().setFocus(Qt::ShortcutFocusReason);
}

}  // namespace rqm27
