#include "pages/one_touch_frame.h"

#include "codec/one_touch_area.h"
#include "pages/settings_list_box.h"
#include "widgets/named_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace rqm27 {
namespace {

QString ControlName(const char* array, int index) {
  return QStringLiteral("%1_%2").arg(QString::fromLatin1(array)).arg(index);
}

// The item of `bank` in the offered banks, or none.
std::optional<int> OfferedItem(const std::vector<int>& offered, int bank) {
  const auto found = std::find(offered.begin(), offered.end(), bank);
  if (found == offered.end()) return std::nullopt;
  return static_cast<int>(found - offered.begin());
}

// The positions "0" to count - 1 of a bank with `selected` chosen. A bank holds up to 1200
// channels, so the entries are replaced only when the count changes.
void ShowPositions(QComboBox* box, int count, int selected) {
  const QSignalBlocker blocker(box);
  if (box->count() != count) {
    QStringList positions;
    positions.reserve(count);
    for (int p = 0; p < count; ++p) positions << QString::number(p);
    box->clear();
    box->addItems(positions);
  }
  box->setCurrentIndex(selected >= 0 && selected < count ? selected : -1);
}

// A memory whose bank no longer holds channels stands for what the frame shows in its place,
// the first bank's channel 0, before the user changes it.
void TakeShownBank(OneTouchMemory& memory, const BankTable& banks) {
  const std::vector<int> offered = BanksWithChannels(banks);
  if (!OfferedItem(offered, memory.bank)) {
    memory.bank = offered.empty() ? 0 : offered.front();
    memory.channel = 0;
  }
}

}  // namespace

OneTouchFrame::OneTouchFrame(PageHost& host, QWidget* parent)
    : QGroupBox(QStringLiteral("OneTouch Memory"), parent), host_(host) {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(2);
  const auto header = [&](const QString& text, int column, Qt::Alignment alignment = {}) {
    grid->addWidget(new QLabel(text, this), 0, column, alignment);
  };
  header(QStringLiteral("No."), 0, Qt::AlignCenter);
  header(QStringLiteral("Bank"), 2);
  header(QStringLiteral("Channel"), 3);
  for (int i = 0; i < OneTouchCount; ++i) {
    auto* number = new QLabel(QString::number(i), this);
    number->setAlignment(Qt::AlignCenter);
    grid->addWidget(number, i + 1, 0);

    QCheckBox* notSet = notSet_[static_cast<std::size_t>(i)] =
        new QCheckBox(QStringLiteral("Not set"), this);
    notSet->setObjectName(ControlName("oneTouchNotSetCheckBox", i));
    notSet->setToolTip(QStringLiteral("One-touch memory %1 points at no channel").arg(i));
    connect(notSet, &QCheckBox::clicked, this, [this, i](bool checked) { markNotSet(i, checked); });
    grid->addWidget(notSet, i + 1, 1);

    QComboBox* bank = bank_[static_cast<std::size_t>(i)] = new QComboBox(this);
    bank->setObjectName(ControlName("oneTouchBankList", i));
    bank->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    bank->setMinimumContentsLength(2);
    bank->setMaxVisibleItems(16);
    IgnoreTyping(bank);
    connect(bank, &QComboBox::currentIndexChanged, this, [this, i](int item) {
      if (item >= 0) chooseBank(i, item);
    });
    grid->addWidget(bank, i + 1, 2);

    QComboBox* channel = channel_[static_cast<std::size_t>(i)] = new QComboBox(this);
    channel->setObjectName(ControlName("oneTouchChannelList", i));
    channel->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    channel->setMinimumContentsLength(4);
    channel->setMaxVisibleItems(16);
    connect(channel, &QComboBox::currentIndexChanged, this, [this, i](int item) {
      if (item >= 0) chooseChannel(i, item);
    });
    grid->addWidget(channel, i + 1, 3);
  }
  grid->setColumnStretch(4, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 4, 8, 6);
  layout->addLayout(grid);
  layout->addStretch(1);
  layout->addWidget(buildButtons());
  showImage();
}

QWidget* OneTouchFrame::buildButtons() {
  auto* buttons = new QWidget(this);
  auto* row = new QHBoxLayout(buttons);
  row->setContentsMargins(0, 0, 0, 0);
  const auto add = [&](const char* name, const QString& caption, const QString& tip,
                       void (OneTouchFrame::*command)()) {
    auto* button = MakeNamedButton(name, caption, tip, buttons);
    connect(button, &QPushButton::clicked, this, command);
    row->addWidget(button);
  };
  add("resetOneTouchButton", QStringLiteral("Reset"),
      QStringLiteral("Mark every one-touch memory as not set"), &OneTouchFrame::reset);
  add("readOneTouchButton", QStringLiteral("Read"),
      QStringLiteral("Read the one-touch memories from the receiver"), &OneTouchFrame::read);
  add("writeOneTouchButton", QStringLiteral("Write"),
      QStringLiteral("Write the one-touch memories to the receiver"), &OneTouchFrame::write);
  return buttons;
}

void OneTouchFrame::showImage() {
  const CloneImage& image = host_.image();
  const std::vector<int> offered = BanksWithChannels(image.banks);
  QStringList bankTexts;
  for (int bank : offered) bankTexts << QString::number(bank);

  for (int i = 0; i < OneTouchCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    const OneTouchMemory& memory = image.oneTouch[at];
    notSet_[at]->setChecked(!memory.set);
    // A bank without channels (the table changed since) shows as the first bank, channel 0.
    const std::optional<int> item = OfferedItem(offered, memory.bank);
    ShowChoices(bank_[at], bankTexts, offered.empty() ? -1 : item.value_or(0));
    const int count = offered.empty()
                          ? 0
                          : image.banks.counts[static_cast<std::size_t>(offered[item.value_or(0)])];
    const bool known = item && memory.channel >= 0 && memory.channel < count;
    ShowPositions(channel_[at], count, known ? memory.channel : 0);
  }
}

void OneTouchFrame::chooseBank(int memory, int item) {
  const std::vector<int> offered = BanksWithChannels(host_.image().banks);
  if (item >= static_cast<int>(offered.size())) return;
  const int bank = offered[static_cast<std::size_t>(item)];
  host_.editImage(QStringLiteral("Change a one-touch memory"), [memory, bank](CloneImage& image) {
    OneTouchMemory& m = image.oneTouch[static_cast<std::size_t>(memory)];
    m.bank = bank;
    m.channel = 0;
  });
}

void OneTouchFrame::chooseChannel(int memory, int item) {
  host_.editImage(QStringLiteral("Change a one-touch memory"), [memory, item](CloneImage& image) {
    OneTouchMemory& m = image.oneTouch[static_cast<std::size_t>(memory)];
    TakeShownBank(m, image.banks);
    m.channel = item;
  });
}

void OneTouchFrame::markNotSet(int memory, bool notSet) {
  host_.editImage(QStringLiteral("Change a one-touch memory"), [memory, notSet](CloneImage& image) {
    OneTouchMemory& m = image.oneTouch[static_cast<std::size_t>(memory)];
    if (!notSet) TakeShownBank(m, image.banks);
    m.set = !notSet;
  });
}

void OneTouchFrame::reset() {
  host_.editImage(QStringLiteral("Reset the one-touch memories"), ResetOneTouch);
}

void OneTouchFrame::read() {
  TransferJob transfer;
  transfer.procedure = ReadOneTouchMemories;
  transfer.apply = [](CloneImage& image, const CloneImage& read) {
    image.oneTouch = read.oneTouch;
  };
  transfer.report = PageReport(Notice(QStringLiteral(" Finish"), QStringLiteral("Success")));
  host_.startTransfer(std::move(transfer));
}

void OneTouchFrame::write() {
  TransferJob transfer;
  transfer.procedure = WriteOneTouchMemories;
  transfer.report = PageReport(Notice(QStringLiteral(" Finish"), QStringLiteral("Success")));
  host_.startTransfer(std::move(transfer));
}

void ResetOneTouch(CloneImage& image) {
  const std::vector<int> offered = BanksWithChannels(image.banks);
  for (OneTouchMemory& memory : image.oneTouch) {
    memory.set = false;
    memory.bank = offered.empty() ? 0 : offered.front();
    memory.channel = 0;
  }
}

}  // namespace rqm27
