#include "app/memory_page.h"

#include "grid/channel_filter_model.h"
#include "grid/channel_grid_view.h"
#include "widgets/named_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace rqm27 {

MemoryPage::MemoryPage(ChannelTableModel* model, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("memoryPage"));
  grid_ = new ChannelGridView(model, this);

  auto* buttonRow = new QHBoxLayout;
  const auto addButton = [&](const char* name, const QString& caption, const QString& tip,
                             void (MemoryPage::*signal)()) {
    auto* button = MakeNamedButton(name, caption, tip, this);
    connect(button, &QPushButton::clicked, this, signal);
    buttons_ << button;
    buttonRow->addWidget(button);
  };
  addButton("readRowsButton", QStringLiteral("One Memory Read"),
            QStringLiteral("Read the selected rows from the receiver"),
            &MemoryPage::readRowsClicked);
  addButton("writeRowsButton", QStringLiteral("One Memory Write"),
            QStringLiteral("Write the selected rows to the receiver"),
            &MemoryPage::writeRowsClicked);
  buttonRow->addStretch();
  addButton("clearRowsButton", QStringLiteral("Clear"), QStringLiteral("Empty the selected rows"),
            &MemoryPage::clearClicked);
  addButton("resetAllButton", QStringLiteral("ALL Reset"),
            QStringLiteral("Empty every channel but the fixed presets"),
            &MemoryPage::resetAllClicked);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(buildFilterBar());
  layout->addWidget(grid_, 1);
  layout->addLayout(buttonRow);
}

QWidget* MemoryPage::buildFilterBar() {
  auto* bar = new QWidget(this);
  ChannelFilterModel* filter = grid_->filter();
  filterEdit_ = new QLineEdit(bar);
  filterEdit_->setObjectName(QStringLiteral("filterEdit"));
  filterEdit_->setPlaceholderText(QStringLiteral("Name or frequency"));
  filterEdit_->setClearButtonEnabled(true);
  auto* label = new QLabel(QStringLiteral("&Find:"), bar);
  label->setBuddy(filterEdit_);
  usedOnly_ = new QCheckBox(QStringLiteral("&Used channels only"), bar);
  usedOnly_->setObjectName(QStringLiteral("usedOnlyCheckBox"));
  rowGroup_ = new QComboBox(bar);
  rowGroup_->setObjectName(QStringLiteral("rowGroupList"));
  rowGroup_->setAccessibleName(QStringLiteral("Rows shown"));
  rowGroup_->addItems(ChannelFilterModel::RowGroupNames());
  connect(filterEdit_, &QLineEdit::textChanged, filter, &ChannelFilterModel::setText);
  connect(usedOnly_, &QCheckBox::toggled, filter, &ChannelFilterModel::setUsedOnly);
  connect(rowGroup_, &QComboBox::currentIndexChanged, filter, &ChannelFilterModel::setRowGroup);
  connect(filter, &ChannelFilterModel::cleared, this, [this] {
    const QSignalBlocker blockEdit(filterEdit_);
    const QSignalBlocker blockCheck(usedOnly_);
    const QSignalBlocker blockGroup(rowGroup_);
    filterEdit_->clear();
    usedOnly_->setChecked(false);
    rowGroup_->setCurrentIndex(0);
  });
  // Down from the filter text goes to the rows it found.
  connect(filterEdit_, &QLineEdit::returnPressed, grid_, [this] { grid_->setFocus(); });

  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(label);
  row->addWidget(filterEdit_, 1);
  row->addWidget(usedOnly_);
  row->addWidget(rowGroup_);
  return bar;
}

void MemoryPage::focusFilter() {
  filterEdit_->setFocus(Qt::ShortcutFocusReason);
  filterEdit_->selectAll();
}

void MemoryPage::setControlsEnabled(bool enabled) {
  setEnabled(enabled);
  grid_->setEnabled(enabled);
  for (QPushButton* button : buttons_) button->setEnabled(enabled);
}

}  // namespace rqm27
