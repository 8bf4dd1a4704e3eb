// The channel grid's table model: one row a slot (row r - 1 is slot r), column 0 the row label,
// columns 1-12 the slot's cells. It reads the clone image that the main window owns and keeps
// only the row labels, which follow the bank table when refreshRowLabels() is called.
#pragma once

#include "model/channel_text.h"
#include "model/clone_image.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace rqm27 {

class ChannelTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The image must outlive the model.
  explicit ChannelTableModel(const CloneImage& image, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  static constexpr int RowOfSlot(int slot) { return slot - 1; }
  static constexpr int SlotOfRow(int row) { return row + 1; }

  const CloneImage& image() const { return image_; }

  // The label shown for slot 1-1721.
  const QString& rowLabel(int slot) const;
  // The labels of all slots, slot n at n - 1.
  const QStringList& rowLabels() const { return rowLabels_; }

  // Relabels the rows from the image's bank table. An inconsistent table leaves the labels as
  // they are; returns whether the labels were replaced.
  bool refreshRowLabels();

  // Slots firstSlot to lastSlot (either order) have changed.
  void slotsChanged(int firstSlot, int lastSlot);

 private:
  const CloneImage& image_;
  QStringList rowLabels_;
};

}  // namespace rqm27
