#include "pages/setting_page.h"

#include "app/named_button.h"
#include "model/code_page.h"
#include "pages/one_touch_frame.h"
#include "pages/set_mode_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>

namespace rqm27 {

// Keeps the opening message within its bytes of CP932: whatever was just typed or pasted, the
// characters before the cursor, is cut back until the text fits, so a character that does not
// fit is refused and a paste keeps what fits. A longer message read from a receiver is shown
// whole and may be shortened, not lengthened.
class OpeningMessageValidator : public QValidator {
 public:
  using QValidator::QValidator;

  // The bytes the message may take: the limit, or the length of the message shown if longer.
  void setAllowance(int bytes) { allowance_ = std::max(OpeningMessageByteLimit, bytes); }

  State validate(QString& input, int& position) const override {
    while (Cp932ByteLength(input) > allowance_ && !input.isEmpty()) {
      int at = position > 0 ? position : static_cast<int>(input.size());
      int width = 1;
      if (at >= 2 && input.at(at - 1).isLowSurrogate() && input.at(at - 2).isHighSurrogate()) {
        width = 2;
      }
      input.remove(at - width, width);
      if (position > 0) position -= width;
    }
    return Acceptable;
  }

 private:
  int allowance_ = OpeningMessageByteLimit;
};

namespace {

// The operating-state lists fill two columns of the frame.
constexpr int MiscListsInFirstColumn = 9;

}  // namespace

SettingPage::SettingPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  oneTouch_ = new OneTouchFrame(host_, this);

  auto* top = new QHBoxLayout;
  top->setSpacing(8);
  top->addWidget(buildGeneralFrame(), 3);
  top->addWidget(oneTouch_, 2);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(8);
  layout->addLayout(top);
  layout->addWidget(buildBottomRow());
  layout->addStretch(1);
  showImage();
}

QGroupBox* SettingPage::buildGeneralFrame() {
  auto* frame = new QGroupBox(QStringLiteral("General Operating Functions"), this);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(2);
  grid->setColumnMinimumWidth(2, 12);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(4, 1);
  const int count = SettingsListSizes[static_cast<std::size_t>(SettingsList::Misc)];
  lists_.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    lists_.emplace_back(host_, SettingsList::Misc, i, QStringLiteral("Label_misc"), frame);
    const bool first = i < MiscListsInFirstColumn;
    const int row = first ? i : i - MiscListsInFirstColumn;
    const int column = first ? 0 : 3;
    grid->addWidget(lists_.back().caption(), row, column);
    grid->addWidget(lists_.back().box(), row, column + 1);
  }
  AlignColumn(std::span(lists_).first(MiscListsInFirstColumn));
  AlignColumn(std::span(lists_).subspan(MiscListsInFirstColumn));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  const auto [read, write, reset] =
      MakeSettingsButtons(host_, "SETTING_READ", "SETTING_WRITE", "SETTING_RESET", frame);
  for (QPushButton* button : {reset, read, write}) buttons->addWidget(button);

  auto* layout = new QVBoxLayout(frame);
  layout->setContentsMargins(8, 4, 8, 6);
  layout->addLayout(grid);
  layout->addStretch(1);
  layout->addLayout(buttons);
  return frame;
}

QWidget* SettingPage::buildBottomRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* caption = new QLabel(QStringLiteral("Opening message:"), row);
  title_ = new QLineEdit(row);
  title_->setObjectName(QStringLiteral("TITLE_TEXT"));
  title_->setToolTip(
      QStringLiteral("The message the receiver shows when it is switched on: up to "
                     "16 single-byte or 8 double-byte characters"));
  titleValidator_ = new OpeningMessageValidator(title_);
  title_->setValidator(titleValidator_);
  // Room for a message of 16 double-byte characters, as a receiver may hold.
  const QFontMetrics metrics = title_->fontMetrics();
  title_->setMinimumWidth(metrics.horizontalAdvance(QString(16, QChar(0x3042))) + 16);
  caption->setBuddy(title_);
  connect(title_, &QLineEdit::textEdited, this, &SettingPage::editTitle);

  auto* iconEditor = new QPushButton(QStringLiteral("ICON  EDITOR"), row);
  iconEditor->setObjectName(QStringLiteral("Command1"));
  iconEditor->setToolTip(QStringLiteral("Open the editor of the eight user icons"));
  iconEditor->setAutoDefault(false);
  connect(iconEditor, &QPushButton::clicked, this, &SettingPage::iconEditorRequested);

  layout->addWidget(caption);
  layout->addWidget(title_);
  layout->addStretch(1);
  layout->addWidget(iconEditor);
  return row;
}

void SettingPage::showImage() {
  const SettingsSelections& settings = host_.image().settings;
  const Language language = PageLanguage(settings);
  for (SettingsListBox& list : lists_) list.show(settings, language);
  oneTouch_->showImage();
  showTitle();
}

void SettingPage::showTitle() {
  const QString text = NameToText(host_.image().title);
  titleValidator_->setAllowance(Cp932ByteLength(text));
  if (title_->text() == text) return;
  const int cursor = title_->cursorPosition();
  title_->setText(text);
  title_->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
}

void SettingPage::editTitle(const QString& text) {
  host_.editImage([title = NameFromText(text)](CloneImage& image) { image.title = title; });
}

}  // namespace rqm27
