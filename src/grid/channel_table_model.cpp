#include "grid/channel_table_model.h"

#include "model/channel_text.h"
#include "model/row_labels.h"
#include "model/value_tables.h"

#include <algorithm>

namespace rqm27 {

namespace {

// Every cell, headers included, sits at the left edge and the bottom of its box.
constexpr int CellAlignment = Qt::AlignLeft | Qt::AlignBottom;

}  // namespace

ChannelTableModel::ChannelTableModel(const CloneImage& image, QObject* parent)
    : QAbstractTableModel(parent), image_(image), rowLabels_(ProvisionalRowLabels()) {
  refreshRowLabels();
}

int ChannelTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : SlotCount;
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::TextAlignmentRole) return CellAlignment;
  if (role != Qt::DisplayRole) return {};
  const int slot = SlotOfRow(index.row());
  if (index.column() == LabelColumn) return rowLabel(slot);
  // A decoded name may hold zero codes between its characters; they show as nothing.
  return ChannelCellText(image_.slot(slot), index.column()).remove(QChar(u'\0'));
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  if (role == Qt::TextAlignmentRole) return CellAlignment;
  if (role != Qt::DisplayRole) return {};
  return Label(ColumnHeaders[static_cast<std::size_t>(section)]);
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  // Cells are never typed into: channels change through the detail dialog and the commands.
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

const QString& ChannelTableModel::rowLabel(int slot) const {
  return rowLabels_.at(RowOfSlot(slot));
}

bool ChannelTableModel::refreshRowLabels() {
  std::optional<QStringList> labels = ShowRowLabels(image_.banks);
  if (!labels) return false;
  rowLabels_ = std::move(*labels);
  emit dataChanged(index(0, LabelColumn), index(SlotCount - 1, LabelColumn), {Qt::DisplayRole});
  return true;
}

void ChannelTableModel::slotsChanged(int firstSlot, int lastSlot) {
  const int first = std::clamp(std::min(firstSlot, lastSlot), 1, SlotCount);
  const int last = std::clamp(std::max(firstSlot, lastSlot), 1, SlotCount);
  emit dataChanged(index(RowOfSlot(first), FrequencyColumn), index(RowOfSlot(last), NameColumn),
                   {Qt::DisplayRole});
}

}  // namespace rqm27
