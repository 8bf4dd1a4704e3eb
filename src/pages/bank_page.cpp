#include "pages/bank_page.h"

#include "link/transfers.h"
#include "model/lenient_number.h"
#include "pages/group_window.h"
#include "widgets/named_button.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace rqm27 {
namespace {

constexpr int BanksPerColumn = 10;
constexpr int BankColumns = BankCount / BanksPerColumn;
// A count left in a box that the table cannot hold is replaced by this one.
constexpr int ReplacementCount = 100;

QString BankName(int bank) {
  return QStringLiteral("Bank%1").arg(bank, 2, 10, QLatin1Char('0'));
}

bool IsAsciiDigit(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The count a box holds when Enter is pressed: its leading number, within what the receiver
// stores.
int TypedCount(QStringView text) {
  return static_cast<int>(std::clamp<long long>(LeadingInteger(text), 0, MaxStoredBankCount));
}

// The count a box holds when it is left: its digits alone; none is 0, and more than the
// memory channels is ReplacementCount.
int LeftCount(QStringView text) {
  QString digits;
  for (QChar c : text) {
    if (IsAsciiDigit(c)) digits += c;
  }
  while (digits.size() > 1 && digits.front() == QLatin1Char('0')) digits.remove(0, 1);
  if (digits.isEmpty()) return 0;
  if (digits.size() > 4) return ReplacementCount;
  const int count = digits.toInt();
  return count > MemoryChannelCount ? ReplacementCount : count;
}

// Keys a box refuses: printable characters other than digits. Editing keys, navigation and
// shortcuts (paste among them) pass.
bool IsRefusedKey(const QKeyEvent& key) {
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString text = key.text();
  if (text.isEmpty() || !text.front().isPrint()) return false;
  return !std::all_of(text.begin(), text.end(), IsAsciiDigit);
}

}  // namespace

BankPage::BankPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName(QStringLiteral("bankPage"));
  buildLayout();
  showImage();
}

void BankPage::buildLayout() {
  auto* banks = new QGridLayout;
  banks->setHorizontalSpacing(6);
  banks->setVerticalSpacing(10);
  const int boxWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 14;
  // Each column of banks takes four grid columns: name, slider, box and a gap.
  constexpr int GridColumnsPerBank = 4;
  for (int bank = 0; bank < BankCount; ++bank) {
    const int row = bank % BanksPerColumn;
    const int column = GridColumnsPerBank * (bank / BanksPerColumn);

    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QStringLiteral("bankCountSlider_%1").arg(bank));
    slider->setRange(0, MemoryChannelCount);
    slider->setTickPosition(QSlider::NoTicks);
    slider->setMinimumWidth(70);
    slider->setToolTip(QStringLiteral("Channels in bank %1").arg(bank));
    slider->installEventFilter(this);
    connect(slider, &QSlider::valueChanged, this,
            [this, bank](int value) { sliderMoved(bank, value); });
    sliders_ << slider;

    auto* box = new QLineEdit(this);
    box->setObjectName(QStringLiteral("bankCountEdit_%1").arg(bank));
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(boxWidth);
    box->installEventFilter(this);
    boxes_ << box;

    auto* name = new QLabel(BankName(bank), this);
    name->setBuddy(box);
    banks->addWidget(name, row, column);
    banks->addWidget(slider, row, column + 1);
    banks->addWidget(box, row, column + 2);
    banks->setColumnStretch(column + 1, 1);
    if (bank / BanksPerColumn < BankColumns - 1) banks->setColumnMinimumWidth(column + 3, 12);
  }

  const auto addButton = [this](const char* name, const QString& caption, const QString& tip) {
    auto* button = MakeNamedButton(name, caption, tip, this);
    return button;
  };
  QPushButton* up = addButton("stepUpButton", QStringLiteral("Up"),
                              QStringLiteral("One channel more in the bank last chosen"));
  QPushButton* down = addButton("stepDownButton", QStringLiteral("Down"),
                                QStringLiteral("One channel less in the bank last chosen"));
  QPushButton* reset =
      addButton("resetTableButton", QStringLiteral("Reset"),
                QStringLiteral("Banks 0-11 with 100 channels each, the rest none"));
  QPushButton* read = addButton("readTableButton", QStringLiteral("Bank Read"),
                                QStringLiteral("Read the bank table from the receiver"));
  writeButton_ = addButton("writeTableButton", QStringLiteral("Bank Write"),
                           QStringLiteral("Write the bank table to the receiver"));
  QPushButton* links = addButton("groupWindowButton", QStringLiteral("Bank-Link"),
                                 QStringLiteral("Link banks into groups"));
  connect(up, &QPushButton::clicked, this, [this] { stepSelectedBank(+1); });
  connect(down, &QPushButton::clicked, this, [this] { stepSelectedBank(-1); });
  connect(reset, &QPushButton::clicked, this, &BankPage::resetTable);
  connect(read, &QPushButton::clicked, this, &BankPage::readTable);
  connect(writeButton_, &QPushButton::clicked, this, &BankPage::writeTable);
  connect(links, &QPushButton::clicked, this, &BankPage::openGroupWindow);

  total_ = new QLineEdit(this);
  total_->setObjectName(QStringLiteral("bankTotal"));
  total_->setReadOnly(true);
  total_->setAlignment(Qt::AlignRight);
  total_->setFixedWidth(boxWidth);
  total_->setToolTip(QStringLiteral("All banks together must hold the %1 memory channels")
                         .arg(MemoryChannelCount));
  auto* totalName = new QLabel(QStringLiteral("Total"), this);
  totalName->setBuddy(total_);

  auto* commands = new QHBoxLayout;
  commands->addWidget(totalName);
  commands->addWidget(total_);
  commands->addSpacing(12);
  commands->addWidget(up);
  commands->addWidget(down);
  commands->addSpacing(12);
  commands->addWidget(reset);
  commands->addStretch();
  commands->addWidget(links);
  commands->addSpacing(12);
  commands->addWidget(read);
  commands->addWidget(writeButton_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 6);
  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  layout->addLayout(banks);
  layout->addStretch();
  layout->addWidget(rule);
  layout->addLayout(commands);
}

void BankPage::showImage() {
  for (int bank = 0; bank < BankCount; ++bank) showBank(bank);
  showTotal();
  if (groupWindow_ && groupWindow_->isVisible()) groupWindow_->showImage();
}

void BankPage::showBank(int bank) {
  const int count = host_.image().banks.counts[bank];
  {
    const QSignalBlocker blocker(sliders_[bank]);
    sliders_[bank]->setValue(std::min(count, MemoryChannelCount));
  }
  QLineEdit* box = boxes_[bank];
  // A number being typed stays until Enter is pressed or the box is left.
  if (box->hasFocus() && box->isModified()) return;
  const QString text = QString::number(count);
  if (box->text() != text) box->setText(text);
}

void BankPage::showTotal() {
  const BankTable& banks = host_.image().banks;
  total_->setText(QString::number(banks.total()));
  QPalette colours = total_->palette();
  colours.setColor(QPalette::Text,
                   banks.consistent() ? palette().color(QPalette::Text) : QColor(255, 0, 0));
  total_->setPalette(colours);
  writeButton_->setEnabled(banks.consistent());
}

bool BankPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    // A slider chosen by the user, not one that took the focus as the window came up.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    const int bank = sliders_.indexOf(watched);
    if (bank >= 0 && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      selectedBank_ = bank;
    }
  }
  const int bank = boxes_.indexOf(watched);
  if (bank < 0) return QWidget::eventFilter(watched, event);

  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      applyTypedCount(bank);
      return true;
    }
    return IsRefusedKey(*key);
  }
  if (event->type() == QEvent::FocusOut) {
    // Focus that leaves with the window, or for a menu, comes back to the box.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
        boxes_[bank]->window()->isActiveWindow()) {
      applyLeftCount(bank);
    }
  }
  return QWidget::eventFilter(watched, event);
}

void BankPage::setCount(int bank, int count) {
  if (host_.image().banks.counts[bank] == count) {
    showBank(bank);
    return;
  }
  host_.editImage(
      QStringLiteral("Change bank %1").arg(bank),
      [bank, count](CloneImage& image) { image.banks.counts[bank] = count; }, true);
}

void BankPage::sliderMoved(int bank, int value) {
  setCount(bank, value);
}

void BankPage::applyTypedCount(int bank) {
  QLineEdit* box = boxes_[bank];
  box->setModified(false);
  setCount(bank, TypedCount(box->text()));
}

void BankPage::applyLeftCount(int bank) {
  QLineEdit* box = boxes_[bank];
  box->setModified(false);
  setCount(bank, LeftCount(box->text()));
}

void BankPage::stepSelectedBank(int step) {
  if (!selectedBank_) return;
  const int bank = *selectedBank_;
  const int count = host_.image().banks.counts[bank];
  if (step > 0 ? count >= MemoryChannelCount : count < 1) return;
  setCount(bank, count + step);
}

void BankPage::resetTable() {
  if (host_.image().banks == BankTable::Defaults()) return;
  host_.editImage(QStringLiteral("Reset the banks"),
                  [](CloneImage& image) { image.banks = BankTable::Defaults(); });
}

void BankPage::readTable() {
  TransferJob transfer;
  transfer.procedure = ReadBanks;
  transfer.apply = [](CloneImage& image, const CloneImage& read) { image.banks = read.banks; };
  transfer.report =
      PageReport(Notice(QStringLiteral(" Finish"), QStringLiteral("Success")), FailureIcon::None);
  transfer.relabelsRows = true;
  host_.startTransfer(std::move(transfer));
}

void BankPage::writeTable() {
  if (!host_.image().banks.consistent()) return;
  TransferJob transfer;
  transfer.procedure = WriteBanks;
  transfer.report =
      PageReport(Notice(QStringLiteral(" Finish"), QStringLiteral("Success")), FailureIcon::None);
  host_.startTransfer(std::move(transfer));
}

void BankPage::openGroupWindow() {
  if (!host_.image().banks.consistent()) return;
  // Made once and kept, so that the host may hold on to it as a window to lock.
  if (!groupWindow_) groupWindow_ = new GroupWindow(host_, this);
  groupWindow_->show();
  groupWindow_->raise();
  groupWindow_->activateWindow();
}

Message BankTotalQuestion() {
  return {QStringLiteral("Caution"),
          QStringLiteral("Bank Total Error. Init Data?"),
          {},
          MessageIcon::Warning};
}

bool ConfirmBankTotal(PageHost& host, const std::function<bool()>& ask) {
  if (host.image().banks.consistent()) return true;
  if (!ask()) return false;
  host.editImage(QStringLiteral("Reset the banks"),
                 [](CloneImage& image) { image.banks = BankTable::Defaults(); });
  return true;
}

}  // namespace rqm27
