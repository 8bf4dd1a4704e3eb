#include "pages/group_window.h"

#include "codec/bank_links_area.h"
#include "link/transfers.h"
#include "widgets/named_button.h"
#include "widgets/twips.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace rqm27 {
namespace {

constexpr int BanksPerBlock = 10;
constexpr int BlockCount = BankCount / BanksPerBlock;
constexpr int GridColumnCount = GroupWindow::BankColumn(BankCount - 1) + 1;
constexpr int GroupColumnTwips = 700;
constexpr int BankColumnTwips = 200;

// The 16-colour console palette: 1 blue, 8 grey, 12 light red, 0 black.
const QColor MemberBackground(0, 0, 128);
const QColor MemberText(255, 0, 0);
const QColor EmptyBankBackground(128, 128, 128);
const QColor NotMemberColour(0, 0, 0);

QString GroupName(int group) {
  return group == GroupCount - 1 ? QStringLiteral("GroupB") : QStringLiteral("Group%1").arg(group);
}

// The bank shown in a column; none for the group names and the columns between the blocks.
std::optional<int> BankOfColumn(int column) {
  if (column < 1 || column >= GridColumnCount) return std::nullopt;
  const int block = (column - 1) / (BanksPerBlock + 1);
  const int inBlock = (column - 1) % (BanksPerBlock + 1);
  if (inBlock == BanksPerBlock) return std::nullopt;
  return block * BanksPerBlock + inBlock;
}

}  // namespace

GroupWindow::GroupWindow(PageHost& host, QWidget* parent) : QDialog(parent), host_(host) {
  setObjectName(QStringLiteral("groupWindow"));
  setWindowTitle(QStringLiteral("BANK-LINK Setting"));
  setModal(true);

  buildGrid();

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->setSpacing(4);
  layout->addLayout(buildCaptions());
  layout->addWidget(grid_);
  layout->addSpacing(6);
  layout->addLayout(buildButtons());

  host_.addLockableWindow(this);
  takeGroups(host_.image().bankLinks);
}

void GroupWindow::buildGrid() {
  grid_ = new QTableWidget(GroupCount, GridColumnCount, this);
  grid_->setObjectName(QStringLiteral("groupGrid"));
  grid_->setSelectionMode(QAbstractItemView::NoSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setFocusPolicy(Qt::NoFocus);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->verticalHeader()->hide();

  // Twips give the proportions; the font decides when it needs more room.
  const QFontMetrics metrics(grid_->font());
  const int rowHeight = metrics.height() + 6;
  groupColumnWidth_ = std::max(TwipsToPixels(GroupColumnTwips, *this),
                               metrics.horizontalAdvance(GroupName(GroupCount - 1)) + 14);
  bankColumnWidth_ = std::max({TwipsToPixels(BankColumnTwips, *this),
                               metrics.horizontalAdvance(QLatin1Char('0')) + 10, rowHeight - 4});

  QHeaderView* header = grid_->horizontalHeader();
  header->setMinimumSectionSize(1);
  header->setSectionResizeMode(QHeaderView::Fixed);
  header->setHighlightSections(false);
  grid_->verticalHeader()->setMinimumSectionSize(1);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(rowHeight);

  const QBrush gap = palette().window();
  for (int column = 0; column < GridColumnCount; ++column) {
    const std::optional<int> bank = BankOfColumn(column);
    grid_->setColumnWidth(column, column == 0 ? groupColumnWidth_ : bankColumnWidth_);
    grid_->setHorizontalHeaderItem(
        column, new QTableWidgetItem(bank ? QString::number(*bank % BanksPerBlock) : QString()));
    for (int group = 0; group < GroupCount; ++group) {
      auto* item = new QTableWidgetItem;
      if (column == 0) {
        item->setText(GroupName(group));
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(palette().button());
      } else if (bank) {
        item->setFlags(Qt::ItemIsEnabled);
        item->setToolTip(QStringLiteral("%1, bank %2").arg(GroupName(group)).arg(*bank));
      } else {
        item->setFlags(Qt::NoItemFlags);
        item->setBackground(gap);
      }
      grid_->setItem(GroupRow(group), column, item);
    }
  }

  const int frame = 2 * grid_->frameWidth();
  grid_->setFixedSize(frame + groupColumnWidth_ + (GridColumnCount - 1) * bankColumnWidth_,
                      frame + header->sizeHint().height() + GroupCount * rowHeight);
  connect(grid_, &QTableWidget::cellClicked, this, &GroupWindow::toggleCell);
}

QLayout* GroupWindow::buildCaptions() {
  auto* captions = new QHBoxLayout;
  captions->setSpacing(0);
  captions->addSpacing(grid_->frameWidth() + groupColumnWidth_);
  for (int block = 0; block < BlockCount; ++block) {
    if (block > 0) captions->addSpacing(bankColumnWidth_);
    const int first = block * BanksPerBlock;
    auto* caption =
        new QLabel(QStringLiteral("<BANK%1-%2>").arg(first).arg(first + BanksPerBlock - 1), this);
    caption->setAlignment(Qt::AlignCenter);
    caption->setFixedWidth(BanksPerBlock * bankColumnWidth_);
    captions->addWidget(caption);
  }
  captions->addStretch();
  return captions;
}

QLayout* GroupWindow::buildButtons() {
  auto* buttons = new QHBoxLayout;
  const auto addButton = [&](const char* name, const QString& caption, const QString& tip,
                             auto command) {
    auto* button = MakeNamedButton(name, caption, tip, this);
    connect(button, &QPushButton::clicked, this, command);
    buttons->addWidget(button);
    return button;
  };
  addButton("readGroupsButton", QStringLiteral("Read"),
            QStringLiteral("Read the bank-link groups from the receiver"),
            &GroupWindow::readGroups);
  addButton("writeGroupsButton", QStringLiteral("Write"),
            QStringLiteral("Keep the groups and write them to the receiver"),
            &GroupWindow::writeGroups);
  buttons->addStretch();
  addButton("clearGroupsButton", QStringLiteral("Clear"),
            QStringLiteral("Take every bank out of every group"), &GroupWindow::clearGroups);
  QPushButton* ok =
      addButton("okButton", QStringLiteral("OK"), QStringLiteral("Keep the groups and close"),
                &GroupWindow::collectGroups);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  addButton("cancelButton", QStringLiteral("Cancel"),
            QStringLiteral("Close without keeping the changes"), &QDialog::reject);
  return buttons;
}

void GroupWindow::showImage() {
  // The copy goes on as long as the image's groups stay as they were when it was taken.
  if (host_.image().bankLinks != taken_) {
    takeGroups(host_.image().bankLinks);
  } else {
    paintCells();
  }
}

void GroupWindow::takeGroups(const BankLinks& links) {
  links_ = taken_ = links;
  paintCells();
}

void GroupWindow::paintCells() {
  const BankTable& banks = host_.image().banks;
  grid_->setUpdatesEnabled(false);
  for (int group = 0; group < GroupCount; ++group) {
    for (int bank = 0; bank < BankCount; ++bank) {
      QTableWidgetItem* item = grid_->item(GroupRow(group), BankColumn(bank));
      if (banks.counts[bank] == 0) {
        item->setBackground(EmptyBankBackground);
        item->setForeground(MemberText);
      } else if (IsGroupMember(links_[group], bank)) {
        item->setBackground(MemberBackground);
        item->setForeground(MemberText);
      } else {
        item->setBackground(NotMemberColour);
        item->setForeground(NotMemberColour);
      }
    }
  }
  grid_->setUpdatesEnabled(true);
}

void GroupWindow::showEvent(QShowEvent* event) {
  // Each opening edits a fresh copy: what a Cancel left behind is gone.
  takeGroups(host_.image().bankLinks);
  QDialog::showEvent(event);
}

void GroupWindow::toggleCell(int row, int column) {
  const std::optional<int> bank = BankOfColumn(column);
  if (!bank || row < 0 || row >= GroupCount) return;
  if (host_.image().banks.counts[*bank] == 0) return;
  BankLinkGroup& record = links_[row];
  SetGroupMember(record, *bank, !IsGroupMember(record, *bank));
  paintCells();
}

void GroupWindow::collectGroups() {
  const CloneImage& image = host_.image();
  const BankLinks collected = CollectGroups(links_, image.banks);
  if (collected == image.bankLinks) return;
  host_.editImage(QStringLiteral("Change the bank-link groups"),
                  [&collected](CloneImage& edited) { edited.bankLinks = collected; });
}

void GroupWindow::clearGroups() {
  links_ = DefaultBankLinks();
  paintCells();
}

void GroupWindow::readGroups() {
  TransferJob transfer;
  transfer.procedure = ReadGroups;
  transfer.apply = [window = QPointer<GroupWindow>(this)](CloneImage& image,
                                                          const CloneImage& read) {
    image.bankLinks = read.bankLinks;
    // The window shows what was read even when the image held the same groups already.
    if (window) window->takeGroups(read.bankLinks);
  };
  transfer.report = PageReport(Notice(QStringLiteral("Complete"), QStringLiteral("Complete")));
  host_.startTransfer(std::move(transfer));
}

void GroupWindow::writeGroups() {
  collectGroups();
  TransferJob transfer;
  transfer.procedure = WriteGroups;
  transfer.report = PageReport(Notice(QStringLiteral("Complete"), QStringLiteral("Complete")));
  host_.startTransfer(std::move(transfer));
}

}  // namespace rqm27
