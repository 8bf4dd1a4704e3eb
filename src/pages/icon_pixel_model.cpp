#include "pages/icon_pixel_model.h"

#include <utility>

namespace rqm27 {

IconPixelModel::IconPixelModel(std::function<const IconPixels&()> icons, QObject* parent)
    : QAbstractTableModel(parent), icons_(std::move(icons)) {}

void IconPixelModel::setIcon(int icon) {
  if (icon < 0 || icon >= IconCount || icon == icon_) return;
  icon_ = icon;
  refresh();
}

void IconPixelModel::refresh() {
  emit dataChanged(index(0, 0), index(IconSize - 1, IconSize - 1),
                   {Qt::BackgroundRole, Qt::ForegroundRole});
}

int IconPixelModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : IconSize;
}

int IconPixelModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : IconSize;
}

QVariant IconPixelModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  const bool set = icons_()[static_cast<std::size_t>(icon_)][static_cast<std::size_t>(index.row())]
                           [static_cast<std::size_t>(index.column())] == 1;
  switch (role) {
    case Qt::BackgroundRole:
      return set ? SetBackground : ClearColor;
    case Qt::ForegroundRole:
      return set ? SetText : ClearColor;
    default:
      return {};
  }
}

}  // namespace rqm27
