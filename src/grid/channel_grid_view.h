// The channel grid: a table view over ChannelTableModel laid out as the grid of the main window
// (column widths and row height in twips, the "---" column hidden). Whole rows are selected,
// the label column looks like a header, and no cell can be edited in place.
#pragma once

#include <QTableView>

namespace rqm27 {

class ChannelTableModel;

class ChannelGridView : public QTableView {
  Q_OBJECT

 public:
  explicit ChannelGridView(ChannelTableModel* model, QWidget* parent = nullptr);

  // Makes slot 1-1721 the current row, selected alone.
  void selectSlot(int slot);

 private:
  int slotBeforeReset_ = 1;
};

}  // namespace rqm27
