#include "app/memory_page.h"

#include "grid/channel_grid_view.h"
#include "widgets/named_button.h"

#include <QHBoxLayout>
#include <QPushButton>
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
  layout->addWidget(grid_, 1);
  layout->addLayout(buttonRow);
}

void MemoryPage::setControlsEnabled(bool enabled) {
  setEnabled(enabled);
  grid_->setEnabled(enabled);
  for (QPushButton* button : buttons_) button->setEnabled(enabled);
}

}  // namespace rqm27
