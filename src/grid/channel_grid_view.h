// The channel grid: a table view over ChannelTableModel, through a ChannelFilterModel that may
// hide rows, laid out as the grid of the main window (column widths and row height in twips,
// the "---" column hidden). Whole rows are selected, one block of them at a time; the label
// column looks like a header, and no cell can be edited in place: Enter and a double-click ask
// for the detail dialog, Delete asks to empty the selection. The selected rows can be dragged
// to another row of the grid, which asks for them to move there. Everything it reports is in
// slots.
#pragma once

#include <QList>
#include <QTableView>

#include <utility>

namespace rqm27 {

class ChannelFilterModel;
class ChannelTableModel;

class ChannelGridView : public QTableView {
  Q_OBJECT

 public:
  explicit ChannelGridView(ChannelTableModel* model, QWidget* parent = nullptr);

  // Makes slot 1-1721 the current row, selected alone; a row the filter hides is shown by
  // clearing the filter first.
  void selectSlot(int slot);
  // Selects the rows of slots first..last, `first` the current one; a row the filter hides is
  // shown by clearing the filter first.
  void selectSlots(int first, int last);

  // The first and the last selected slot, whichever way the selection was made; the current
  // row when nothing is selected.
  std::pair<int, int> selectedSlots() const;
  // Every selected slot in ascending order (with a filter, the shown rows only); the current
  // row when nothing is selected.
  QList<int> selectedSlotList() const;

  ChannelFilterModel* filter() const { return filter_; }

 signals:
  // The detail dialog for a slot; `navigate` when the dialog may move on to other channels.
  void editRequested(int slot, bool navigate);
  void clearRequested();
  // The selected rows were dropped on the row of `target`.
  void moveRequested(int target);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // Only rows dragged inside this grid are taken; the drop asks for a move.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  int slotOfIndex(const QModelIndex& index) const;

  ChannelTableModel* channels_ = nullptr;
  ChannelFilterModel* filter_ = nullptr;
  int slotBeforeReset_ = 1;
};

}  // namespace rqm27
