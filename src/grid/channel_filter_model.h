// What the channel grid shows of the 1721 rows: every row, or those that match a text (in the
// name or the frequency as the grid shows them), only the used ones, or one bank or group of
// fixed rows. It only hides rows: every command still acts on the real slots, which the grid
// finds through mapToSource.
#pragma once

#include "model/clone_image.h"

#include <QSortFilterProxyModel>
#include <QString>
#include <QStringList>

namespace rqm27 {

class ChannelTableModel;

class ChannelFilterModel : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  // The image must outlive the model.
  ChannelFilterModel(ChannelTableModel* source, const CloneImage& image, QObject* parent = nullptr);

  // The choices of the row-group chooser: "All rows", "Bank00" to "Bank49", then the fixed
  // groups; index i of the list is the choice setRowGroup takes.
  static QStringList RowGroupNames();

  void setText(const QString& text);
  void setUsedOnly(bool usedOnly);
  void setRowGroup(int group);
  // The rows can be dragged and dropped inside the grid (ChannelGridView moves them).
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Whether any row is hidden by a choice.
  bool filtering() const;
  // Shows every row again.
  void clear();

 signals:
  // clear() has dropped the choices: a filter bar shows that.
  void cleared();

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  // The first and last slot of the chosen row group.
  std::pair<int, int> groupSlots() const;

  const CloneImage& image_;
  QString text_;
  bool usedOnly_ = false;
  int group_ = 0;
};

}  // namespace rqm27
