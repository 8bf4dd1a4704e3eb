#include "grid/channel_filter_model.h"

#include "grid/channel_table_model.h"
#include "model/channel_text.h"

#include <array>

namespace rqm27 {

namespace {

// The fixed row groups after the banks: name, first and last slot.
struct FixedGroup {
  const char* name;
  int first;
  int last;
};
constexpr std::array<FixedGroup, 5> FixedGroups = {{
    {"Program-scan edges", 1201, 1300},
    {"Dual-watch pairs", 1301, 1500},
    {"Priority channels", 1501, 1600},
    {"Pass channels", 1601, 1700},
    {"Preset channels", 1701, SlotCount},
}};

}  // namespace

ChannelFilterModel::ChannelFilterModel(ChannelTableModel* source, const CloneImage& image,
                                       QObject* parent)
    : QSortFilterProxyModel(parent), image_(image) {
  setSourceModel(source);
}

QStringList ChannelFilterModel::RowGroupNames() {
  QStringList names{QStringLiteral("All rows")};
  for (int bank = 0; bank < BankCount; ++bank) {
    names << QStringLiteral("Bank%1").arg(bank, 2, 10, QLatin1Char('0'));
  }
  for (const FixedGroup& group : FixedGroups) names << QString::fromLatin1(group.name);
  return names;
}

void ChannelFilterModel::setText(const QString& text) {
  if (text.trimmed() == text_) return;
  text_ = text.trimmed();
  invalidateRowsFilter();
}

void ChannelFilterModel::setUsedOnly(bool usedOnly) {
  if (usedOnly == usedOnly_) return;
  usedOnly_ = usedOnly;
  invalidateRowsFilter();
}

void ChannelFilterModel::setRowGroup(int group) {
  if (group == group_) return;
  group_ = group;
  invalidateRowsFilter();
}

Qt::ItemFlags ChannelFilterModel::flags(const QModelIndex& index) const {
  const Qt::ItemFlags flags = QSortFilterProxyModel::flags(index);
  return index.isValid() ? flags | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled : flags;
}

bool ChannelFilterModel::filtering() const {
  return !text_.isEmpty() || usedOnly_ || group_ != 0;
}

void ChannelFilterModel::clear() {
  text_.clear();
  usedOnly_ = false;
  group_ = 0;
  invalidateRowsFilter();
  emit cleared();
}

std::pair<int, int> ChannelFilterModel::groupSlots() const {
  if (group_ <= 0) return {1, SlotCount};
  if (group_ <= BankCount) {
    int first = 1;
    for (int bank = 0; bank < group_ - 1; ++bank) first += image_.banks.counts[bank];
    return {first, first + image_.banks.counts[group_ - 1] - 1};
  }
  const FixedGroup& fixed = FixedGroups.at(static_cast<std::size_t>(group_ - BankCount - 1));
  return {fixed.first, fixed.last};
}

bool ChannelFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  const int slot = ChannelTableModel::SlotOfRow(sourceRow);
  const ChannelSlot& channel = image_.slot(slot);
  if (usedOnly_ && !channel.used) return false;
  const auto [first, last] = groupSlots();
  if (slot < first || slot > last) return false;
  if (text_.isEmpty()) return true;
  return ChannelCellText(channel, NameColumn).contains(text_, Qt::CaseInsensitive) ||
         ChannelCellText(channel, FrequencyColumn).contains(text_, Qt::CaseInsensitive);
}

}  // namespace rqm27
