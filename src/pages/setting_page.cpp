#include "pages/setting_page.h"

#include "model/channel_name.h"
#include "model/code_page.h"
#include "pages/one_touch_frame.h"
#include "pages/set_mode_page.h"
#include "widgets/named_button.h"

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
#include <utility>

namespace rqm27 {

namespace {

// The operating-state lists fill two columns of the frame.
constexpr int MiscListsInFirstColumn = 9;

// The receiver holds the opening message as 16 characters of CP932, single- or double-byte
// alike, in 32 bytes.
constexpr int OpeningMessageLength = ChannelName::Length;

// How many characters (code points) the text holds.
qsizetype CharacterCount(QStringView text) {
  return text.toUcs4().size();
}

// The characters of `added` that CP932 can represent, as many as `room` allows.
QString RepresentableCharacters(QStringView added, qsizetype room) {
  QString kept;
  for (const char32_t c : added.toUcs4()) {
    if (room == 0) break;
    if (!CharToCp932(c)) continue;
    kept += QString::fromUcs4(&c, 1);
    --room;
  }
  return kept;
}

// Where `before` and `after` differ: the length of the part they start with and of the part
// they end with, never splitting a surrogate pair.
std::pair<qsizetype, qsizetype> CommonEnds(QStringView before, QStringView after) {
  const qsizetype shorter = std::min(before.size(), after.size());
  qsizetype prefix = 0;
  while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
  if (prefix > 0 && after[prefix - 1].isHighSurrogate()) --prefix;
  qsizetype suffix = 0;
  while (suffix < shorter - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  if (suffix > 0 && after[after.size() - suffix].isLowSurrogate()) --suffix;
  return {prefix, suffix};
}

}  // namespace

// Keeps the opening message to what the receiver can show and hold. What a key press, a paste
// or a drop adds to the message shown is refused character by character where CP932 has no
// such character, and cut where the message would exceed its 16 characters; the rest of the
// message stays as it was, so that nothing typed turns into "?" later.
class OpeningMessageValidator : public QValidator {
 public:
  using QValidator::QValidator;

  // The message as it stands before the next change.
  void setShown(const QString& text) { shown_ = text; }

  State validate(QString& input, int& position) const override {
    const auto [prefix, suffix] = CommonEnds(shown_, input);
    const QStringView text(input);
    const qsizetype addedLength = text.size() - prefix - suffix;
    const qsizetype room = OpeningMessageLength - CharacterCount(text.first(prefix)) -
                           CharacterCount(text.last(suffix));
    const QString added =
        RepresentableCharacters(text.sliced(prefix, addedLength), std::max<qsizetype>(room, 0));
    input.replace(prefix, addedLength, added);
    if (position >= prefix + addedLength) {
      position -= static_cast<int>(addedLength - added.size());
    } else if (position > prefix) {
      position = static_cast<int>(prefix + added.size());
    }
    return Acceptable;
  }

 private:
  QString shown_;
};

SettingPage::SettingPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName(QStringLiteral("settingPage"));
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
    lists_.emplace_back(host_, SettingsList::Misc, i, frame);
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
  const auto [read, write, reset] = MakeSettingsButtons(
      host_, "settingReadButton", "settingWriteButton", "settingResetButton", frame);
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
  title_->setObjectName(QStringLiteral("titleEdit"));
  title_->setToolTip(
      QStringLiteral("The message the receiver shows when it is switched on: up to "
                     "16 characters, single- or double-byte alike"));
  titleValidator_ = new OpeningMessageValidator(title_);
  title_->setValidator(titleValidator_);
  connect(title_, &QLineEdit::textChanged, titleValidator_, &OpeningMessageValidator::setShown);
  // Room for a message of 16 double-byte characters, as a receiver may hold.
  const QFontMetrics metrics = title_->fontMetrics();
  title_->setMinimumWidth(metrics.horizontalAdvance(QString(16, QChar(0x3042))) + 16);
  caption->setBuddy(title_);
  connect(title_, &QLineEdit::textEdited, this, &SettingPage::editTitle);

  auto* iconEditor = new QPushButton(QStringLiteral("ICON  EDITOR"), row);
  iconEditor->setObjectName(QStringLiteral("iconEditorButton"));
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
  // A message read from a receiver is shown as it is, whatever it holds.
  titleValidator_->setShown(text);
  if (title_->text() == text) return;
  const int cursor = title_->cursorPosition();
  title_->setText(text);
  title_->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
}

void SettingPage::editTitle(const QString& text) {
  host_.editImage(
      QStringLiteral("Change the opening message"),
      [title = NameFromText(text)](CloneImage& image) { image.title = title; }, true);
}

}  // namespace rqm27
