// The "Memory" page: the channel grid with the buttons that read or write the selected rows
// and empty rows.
#pragma once

#include <QWidget>

class QPushButton;

namespace rqm27 {

class ChannelGridView;
class ChannelTableModel;

class MemoryPage : public QWidget {
  Q_OBJECT

 public:
  MemoryPage(ChannelTableModel* model, QWidget* parent = nullptr);

  ChannelGridView* grid() const { return grid_; }

  // Locks or unlocks the grid and the buttons for a transfer.
  void setControlsEnabled(bool enabled);

 signals:
  void readRowsClicked();
  void writeRowsClicked();
  void clearClicked();
  void resetAllClicked();

 private:
  ChannelGridView* grid_ = nullptr;
  QList<QPushButton*> buttons_;
};

}  // namespace rqm27
