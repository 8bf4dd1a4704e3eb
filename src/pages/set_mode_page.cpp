#include "pages/set_mode_page.h"

#include "widgets/named_button.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace rqm27 {
namespace {

// The columns of the page: their sections top to bottom, and the column under which the
// buttons sit. Each column is about as tall as the others, so the page fits the main window.
struct PageColumn {
  std::vector<int> sections;
  bool buttons;
};
const std::array<PageColumn, 3> PageColumns = {
    {{{0, 1}, true}, {{3, 7}, false}, {{2, 4, 5, 6}, false}}};

constexpr int RemoconSection = 7;
constexpr int EnableEntry = 1;
constexpr int DetectorOutput = 3;
constexpr int IqOutput = 4;

// "Write" changes the receiver, so its button stands out from the others.
const QColor WriteButtonColour(100, 100, 0);

}  // namespace

SetModePage::SetModePage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName(QStringLiteral("setModePage"));
  int listCount = 0;
  for (int section = 0; section < SectionCount; ++section) listCount += SettingsListSizes[section];
  lists_.reserve(static_cast<std::size_t>(listCount));

  auto* columns = new QHBoxLayout;
  columns->setSpacing(6);
  for (const PageColumn& column : PageColumns) {
    auto* stack = new QVBoxLayout;
    stack->setSpacing(3);
    const std::size_t first = lists_.size();
    for (int section : column.sections) stack->addWidget(buildSection(section));
    int keyWidth = 0;
    if (std::ranges::count(column.sections, RemoconSection) > 0) {
      const QFontMetrics metrics = keyLabel_->fontMetrics();
      keyWidth = std::max(metrics.horizontalAdvance(KeyLabelCaption(Language::English)),
                          metrics.horizontalAdvance(KeyLabelCaption(Language::Japanese)));
    }
    AlignColumn(std::span(lists_).subspan(first), keyWidth);
    stack->addStretch(1);
    if (column.buttons) stack->addWidget(buildButtons());
    columns->addLayout(stack, 1);
  }

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(columns);
  showImage();
}

QGroupBox* SetModePage::buildSection(int section) {
  auto* frame = new QGroupBox(this);
  sections_[static_cast<std::size_t>(section)] = frame;
  auto* grid = new QGridLayout(frame);
  grid->setContentsMargins(6, 0, 6, 3);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(1);
  grid->setColumnStretch(1, 1);
  int row = 0;
  if (section == RemoconSection) {
    keyLabel_ = new QLabel(frame);
    keyLabel_->setObjectName(QStringLiteral("keyLabel"));
    grid->addWidget(keyLabel_, row++, 0);
  }
  const auto list = static_cast<SettingsList>(section);
  for (int i = 0; i < SettingsListSizes[static_cast<std::size_t>(section)]; ++i, ++row) {
    lists_.emplace_back(host_, list, i, frame);
    grid->addWidget(lists_.back().caption(), row, 0);
    grid->addWidget(lists_.back().box(), row, 1);
  }
  return frame;
}

QWidget* SetModePage::buildButtons() {
  auto* buttons = new QWidget(this);
  auto* row = new QHBoxLayout(buttons);
  row->setContentsMargins(0, 0, 0, 0);
  const auto [read, write, reset] = MakeSettingsButtons(
      host_, "setModeReadButton", "setModeWriteButton", "setModeResetButton", buttons);
  for (QPushButton* button : {read, write, reset}) row->addWidget(button);
  QPalette palette = write->palette();
  palette.setColor(QPalette::Button, WriteButtonColour);
  palette.setColor(QPalette::ButtonText, Qt::white);
  write->setPalette(palette);
  return buttons;
}

void SetModePage::showImage() {
  const SettingsSelections& settings = host_.image().settings;
  const Language language = PageLanguage(settings);
  for (int section = 0; section < SectionCount; ++section) {
    sections_[static_cast<std::size_t>(section)]->setTitle(SectionCaption(section, language));
  }
  keyLabel_->setText(KeyLabelCaption(language));
  for (SettingsListBox& list : lists_) list.show(settings, language);

  // "DET. Signal Output" and "IQ Signal Output" are never both turned on here: while one
  // selects "Enable", the other can only be changed once it is back to "Disable". A list that
  // selects "Enable" itself stays open, so that two enabled outputs read from a receiver can
  // still be undone.
  const auto find = [this](int index) -> SettingsListBox& {
    return *std::find_if(lists_.begin(), lists_.end(), [index](const SettingsListBox& list) {
      return list.list() == SettingsList::Recv && list.index() == index;
    });
  };
  const bool detector = settings.at(SettingsList::Recv, DetectorOutput) == EnableEntry;
  const bool iq = settings.at(SettingsList::Recv, IqOutput) == EnableEntry;
  find(DetectorOutput).setEnabled(detector || !iq);
  find(IqOutput).setEnabled(iq || !detector);
}

TransferJob SettingsReadTransfer() {
  TransferJob transfer;
  transfer.procedure = ReadSettings;
  transfer.apply = [](CloneImage& image, const CloneImage& read) {
    image.settings = read.settings;
    image.settingsImage = read.settingsImage;
    image.title = read.title;
  };
  transfer.report = PageReport(Notice(QStringLiteral(" Finish"), QStringLiteral("Success")));
  return transfer;
}

TransferJob SettingsWriteTransfer() {
  TransferJob transfer;
  transfer.procedure = WriteSettings;
  // The write reads the settings area afresh before patching it; keep what it read.
  transfer.apply = [](CloneImage& image, const CloneImage& written) {
    image.settingsImage = written.settingsImage;
  };
  transfer.report = PageReport(Notice(QStringLiteral(" Finish"), QStringLiteral("Success")));
  return transfer;
}

void ResetSettings(CloneImage& image) {
  image.settings = DefaultSettings();
  image.title = ChannelName{};
}

SettingsButtons MakeSettingsButtons(PageHost& host, const char* readName, const char* writeName,
                                    const char* resetName, QWidget* parent) {
  const SettingsButtons buttons{
      MakeNamedButton(readName, QStringLiteral("Read"),
                      QStringLiteral("Read the settings and the opening message from the receiver"),
                      parent),
      MakeNamedButton(writeName, QStringLiteral("Write"),
                      QStringLiteral("Write the settings and the opening message to the receiver"),
                      parent),
      MakeNamedButton(
          resetName, QStringLiteral("Reset"),
          QStringLiteral("Set every setting to its default and empty the opening message"),
          parent)};
  QObject::connect(buttons.read, &QPushButton::clicked, parent,
                   [&host] { host.startTransfer(SettingsReadTransfer()); });
  QObject::connect(buttons.write, &QPushButton::clicked, parent,
                   [&host] { host.startTransfer(SettingsWriteTransfer()); });
  QObject::connect(buttons.reset, &QPushButton::clicked, parent, [&host] {
    host.editImage(QStringLiteral("Reset the settings"), ResetSettings);
  });
  return buttons;
}

}  // namespace rqm27
