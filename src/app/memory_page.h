// The "Memory" page: the filter bar, the channel grid, and the buttons that read or write the
// selected rows and empty rows.
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace rqm27 {

class ChannelGridView;
class ChannelTableModel;

class MemoryPage : public QWidget {
  Q_OBJECT

 public:
  MemoryPage(ChannelTableModel* model, QWidget* parent = nullptr);

  ChannelGridView* grid() const { return grid_; }

  // Puts the keyboard focus into the filter bar's text, all of it selected.
  void focusFilter();

  // Locks or unlocks the grid and the buttons for a transfer.
  void setControlsEnabled(bool enabled);

 signals:
  void readRowsClicked();
  void writeRowsClicked();
  void clearClicked();
  void resetAllClicked();

 private:
  QWidget* buildFilterBar();

  ChannelGridView* grid_ = nullptr;
  QLineEdit* filterEdit_ = nullptr;
  QCheckBox* usedOnly_ = nullptr;
  QComboBox* rowGroup_ = nullptr;
  QList<QPushButton*> buttons_;
};

}  // namespace rqm27
