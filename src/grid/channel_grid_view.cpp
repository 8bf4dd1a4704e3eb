#include "grid/channel_grid_view.h"

#include "grid/channel_filter_model.h"
#include "grid/channel_table_model.h"
#include "model/channel_text.h"
#include "widgets/twips.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QStyledItemDelegate>

#include <algorithm>
#include <array>

namespace rqm27 {

namespace {

// Column widths in twips, columns 0-11; column 6 has none and is hidden.
constexpr std::array<int, NameColumn> ColumnWidthTwips = {1450, 1650, 600, 900, 800,  900,
                                                          0,    900,  600, 600, 1500, 550};
// The name column, the last, fills the rest of the grid: about 3000 twips at the window's
// start size, so that all columns show without a sideways scroll bar. A narrowed window leaves
// it room for 16 characters at least.
constexpr int NameColumnMinTwips = 2000;
constexpr int RowHeightTwips = 300;

// Paints the row-label column like a header: button colours, never highlighted.
class LabelColumnDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    option->backgroundBrush = option->palette.button();
    option->palette.setBrush(QPalette::Text, option->palette.buttonText());
  }
};

}  // namespace

ChannelGridView::ChannelGridView(ChannelTableModel* model, QWidget* parent)
    : QTableView(parent),
      channels_(model),
      filter_(new ChannelFilterModel(model, model->image(), this)) {
  setObjectName(QStringLiteral("channelGrid"));
  setModel(filter_);
  setItemDelegateForColumn(LabelColumn, new LabelColumnDelegate(this));

  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::MoveAction);

  // The label column stands in for the row header.
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(TwipsToPixels(RowHeightTwips, *this));
  verticalHeader()->setMinimumSectionSize(1);

  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignBottom);
  for (int c = 0; c < NameColumn; ++c) {
    setColumnWidth(c, TwipsToPixels(ColumnWidthTwips[static_cast<std::size_t>(c)], *this));
  }
  setColumnHidden(TxToneColumn, true);
  horizontalHeader()->setStretchLastSection(true);
  setColumnWidth(NameColumn, TwipsToPixels(NameColumnMinTwips, *this));

  // A reset of the whole image keeps the row the user is on.
  connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
    const QModelIndex current = currentIndex();
    slotBeforeReset_ = current.isValid() ? slotOfIndex(current) : 1;
  });
  connect(model, &QAbstractItemModel::modelReset, this, [this] { selectSlot(slotBeforeReset_); });

  connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.isValid()) emit editRequested(slotOfIndex(index), true);
  });

  selectSlot(1);
}

int ChannelGridView::slotOfIndex(const QModelIndex& index) const {
  return ChannelTableModel::SlotOfRow(filter_->mapToSource(index).row());
}

void ChannelGridView::selectSlot(int slot) {
  const QModelIndex source = channels_->index(ChannelTableModel::RowOfSlot(slot), LabelColumn);
  if (!filter_->mapFromSource(source).isValid()) filter_->clear();
  // The label column is the current one so that bringing the row into view shows its label.
  selectionModel()->setCurrentIndex(
      filter_->mapFromSource(source),
      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ChannelGridView::selectSlots(int first, int last) {
  selectSlot(last);
  selectSlot(first);
  const auto index = [this](int slot) {
    return filter_->mapFromSource(channels_->index(ChannelTableModel::RowOfSlot(slot), 0));
  };
  const QModelIndex top = index(first);
  const QModelIndex bottom = index(last);
  if (!top.isValid() || !bottom.isValid()) return;
  selectionModel()->select(QItemSelection(top, bottom),
                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

std::pair<int, int> ChannelGridView::selectedSlots() const {
  const QList<int> chosen = selectedSlotList();
  return {chosen.first(), chosen.last()};
}

QList<int> ChannelGridView::selectedSlotList() const {
  QList<int> chosen;
  for (const QModelIndex& index : selectionModel()->selectedRows()) chosen << slotOfIndex(index);
  if (chosen.isEmpty()) chosen << (currentIndex().isValid() ? slotOfIndex(currentIndex()) : 1);
  std::sort(chosen.begin(), chosen.end());
  return chosen;
}

void ChannelGridView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (currentIndex().isValid()) {
        emit editRequested(slotOfIndex(currentIndex()), false);
      }
      event->accept();
      return;
    case Qt::Key_Delete:
      emit clearRequested();
      event->accept();
      return;
    default:
      QTableView::keyPressEvent(event);
  }
}

void ChannelGridView::dragEnterEvent(QDragEnterEvent* event) {
  if (event->source() == this) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void ChannelGridView::dragMoveEvent(QDragMoveEvent* event) {
  if (event->source() == this && indexAt(event->position().toPoint()).isValid()) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void ChannelGridView::dropEvent(QDropEvent* event) {
  const QModelIndex target = indexAt(event->position().toPoint());
  if (event->source() != this || !target.isValid()) {
    event->ignore();
    return;
  }
  // The move happens in the image; nothing is to be removed from the model after the drag.
  event->setDropAction(Qt::CopyAction);
  event->accept();
  emit moveRequested(slotOfIndex(target));
}

}  // namespace rqm27
