#include "grid/detail_dialog.h"

#include "model/value_tables.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QValidator>

#include <string_view>

namespace rqm27 {

namespace {

constexpr std::array<std::string_view, SubtoneOptionCount> SubtoneOptionCaptions = {
    "NONE", "RAILWAYS", "Tone", "TSQ", "SQ", "DCS"};
constexpr int RailwaysOption = 1;
constexpr int ToneOption = 2;
constexpr std::array<std::string_view, ShiftOptionCount> ShiftOptionCaptions = {"OFF", "+", "-"};
constexpr std::array<std::string_view, 2> NameCaptions = {"ＮＡＭＥ", "NAME"};
constexpr int StepColumns = 5;

// The second set's controls are named as the first set's with "_2" added; an option of an
// array is named "<array>_<index>" first.
QString ControlName(std::string_view base, int set) {
  return Label(base) + (set == 0 ? QString() : QStringLiteral("_2"));
}
QString OptionName(std::string_view array, int set, int index) {
  return ControlName(array, 0) + u'_' + QString::number(index) +
         (set == 0 ? QString() : QStringLiteral("_2"));
}

// A digit field takes digits only, up to its length; a longer paste is cut to the length.
class DigitFieldValidator : public QValidator {
 public:
  DigitFieldValidator(int maxLength, QObject* parent) : QValidator(parent), max_(maxLength) {}
  State validate(QString& input, int&) const override {
    return IsDigitFieldText(input, max_) ? Acceptable : Invalid;
  }

 private:
  int max_;
};

QLineEdit* DigitField(const QString& name, int maxLength, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setMaxLength(maxLength);
  field->setValidator(new DigitFieldValidator(maxLength, field));
  const QFontMetrics metrics = field->fontMetrics();
  field->setFixedWidth(metrics.horizontalAdvance(QString(maxLength + 1, QChar(u'0'))) + 16);
  return field;
}

template <std::size_t N>
QComboBox* ListOf(const QString& name, const std::array<std::string_view, N>& entries,
                  QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  for (std::string_view entry : entries) list->addItem(Label(entry));
  return list;
}

// Checks option `index` of a group, or none when the group has no such option.
void CheckOption(QButtonGroup* group, int index) {
  if (QAbstractButton* button = group->button(index)) {
    button->setChecked(true);
    return;
  }
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons()) button->setChecked(false);
  group->setExclusive(true);
}

// The typed characters of a key: printable text only, not shortcuts or editing keys.
bool TypesCharacters(const QKeyEvent& key) {
  return !key.text().isEmpty() && key.text().front().isPrint();
}

// The name as it would be without the selected part, which a typed character replaces.
QString NameWithoutSelection(const QLineEdit& name) {
  QString text = name.text();
  if (name.hasSelectedText()) text.remove(name.selectionStart(), name.selectedText().size());
  return text;
}

}  // namespace

DetailDialog::DetailDialog(const DetailFormState& form, bool railwaysVisible, QWidget* parent)
    : QDialog(parent), row_(form.row), pair_(form.pair) {
  setObjectName(QStringLiteral("detailDialog"));
  setWindowTitle(QStringLiteral("Memory Setting"));

  auto* setsRow = new QHBoxLayout;
  setsRow->setSpacing(16);
  for (int set = 0; set < 2; ++set) setsRow->addWidget(buildSet(set, railwaysVisible));
  setsRow->setAlignment(Qt::AlignTop);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(setsRow);
  layout->addWidget(buildButtonRow());

  for (int set = 0; set < 2; ++set) showSet(set, form.sets[static_cast<std::size_t>(set)]);
  sets_[1].panel->setVisible(pair_);
  sets_[0].frequencyMegahertz->setFocus();
}

QWidget* DetailDialog::buildSet(int set, bool railwaysVisible) {
  SetControls& c = sets_[static_cast<std::size_t>(set)];
  c.panel = new QWidget(this);
  auto* layout = new QVBoxLayout(c.panel);
  layout->setContentsMargins(0, 0, 0, 0);

  c.caption = new QLabel(c.panel);
  c.caption->setObjectName(ControlName("captionLabel", set));
  QFont bold = c.caption->font();
  bold.setBold(true);
  c.caption->setFont(bold);
  layout->addWidget(c.caption);

  auto* frequencyRow = new QHBoxLayout;
  frequencyRow->addWidget(new QLabel(QStringLiteral("Frequency"), c.panel));
  c.frequencyMegahertz =
      DigitField(ControlName("frequencyMegahertzEdit", set), FrequencyMegahertzLength, c.panel);
  c.frequencyDigits =
      DigitField(ControlName("frequencyDigitsEdit", set), FrequencyDigitsLength, c.panel);
  frequencyRow->addWidget(c.frequencyMegahertz);
  frequencyRow->addWidget(new QLabel(QStringLiteral("."), c.panel));
  frequencyRow->addWidget(c.frequencyDigits);
  frequencyRow->addWidget(new QLabel(QStringLiteral("MHz"), c.panel));
  frequencyRow->addStretch();
  layout->addLayout(frequencyRow);

  layout->addWidget(buildModeBox(set));
  layout->addWidget(buildStepBox(set));
  layout->addWidget(buildSubtoneBox(set, railwaysVisible));
  layout->addWidget(buildShiftBox(set));

  auto* nameRow = new QHBoxLayout;
  c.skip = new QCheckBox(QStringLiteral("Skip"), c.panel);
  c.skip->setObjectName(ControlName("skipCheckBox", set));
  nameRow->addWidget(c.skip);
  nameRow->addSpacing(12);
  nameRow->addWidget(new QLabel(Label(NameCaptions[static_cast<std::size_t>(set)]), c.panel));
  c.name = new QLineEdit(c.panel);
  c.name->setObjectName(ControlName("nameEdit", set));
  // Pasting could pass the name's byte limit: the paste key is refused (see eventFilter), and
  // the other ways in are closed.
  c.name->setContextMenuPolicy(Qt::NoContextMenu);
  c.name->setAcceptDrops(false);
  c.name->installEventFilter(this);
  nameRow->addWidget(c.name, 1);
  auto* clear = new QPushButton(QStringLiteral("Clear"), c.panel);
  clear->setObjectName(ControlName("clearSetButton", set));
  clear->setAutoDefault(false);
  connect(clear, &QPushButton::clicked, this,
          [this, set] { showSet(set, ClearedSet(setState(set))); });
  nameRow->addWidget(clear);
  layout->addLayout(nameRow);
  layout->addStretch();
  return c.panel;
}

QGroupBox* DetailDialog::buildModeBox(int set) {
  SetControls& c = sets_[static_cast<std::size_t>(set)];
  auto* box = new QGroupBox(QStringLiteral("Modulation Mode"), c.panel);
  auto* layout = new QHBoxLayout(box);
  c.mode = new QButtonGroup(box);
  for (int i = 0; i < ModeOptionCount[static_cast<std::size_t>(set)]; ++i) {
    auto* option = new QRadioButton(Label(EditModeCodes[static_cast<std::size_t>(i)].label), box);
    option->setObjectName(OptionName("modeOption", set, i));
    c.mode->addButton(option, i);
    layout->addWidget(option);
  }
  layout->addStretch();
  return box;
}

QGroupBox* DetailDialog::buildStepBox(int set) {
  SetControls& c = sets_[static_cast<std::size_t>(set)];
  auto* box = new QGroupBox(QStringLiteral("Channel Step"), c.panel);
  auto* layout = new QGridLayout(box);
  c.step = new QButtonGroup(box);
  for (int i = 0; i < StepOptionCount[static_cast<std::size_t>(set)]; ++i) {
    auto* option = new QRadioButton(Label(StepNames[static_cast<std::size_t>(i)]), box);
    option->setObjectName(OptionName("stepOption", set, i));
    c.step->addButton(option, i);
    layout->addWidget(option, i / StepColumns, i % StepColumns);
  }
  return box;
}

QGroupBox* DetailDialog::buildSubtoneBox(int set, bool railwaysVisible) {
  SetControls& c = sets_[static_cast<std::size_t>(set)];
  auto* box = new QGroupBox(QStringLiteral("Sub-audible Tone Signal [SUBTONE]"), c.panel);
  auto* layout = new QVBoxLayout(box);

  auto* options = new QHBoxLayout;
  c.subtone = new QButtonGroup(box);
  for (int i = 0; i < SubtoneOptionCount; ++i) {
    auto* option = new QRadioButton(Label(SubtoneOptionCaptions[static_cast<std::size_t>(i)]), box);
    option->setObjectName(OptionName("subtoneOption", set, i));
    option->setVisible(i != RailwaysOption || railwaysVisible);
    // The receiver's record has no sub-tone type for a plain tone: the option stays shown, as
    // users know the dialog, but cannot be chosen.
    if (i == ToneOption) {
      option->setEnabled(false);
      option->setToolTip(QStringLiteral("The receiver stores no plain tone type; use TSQ"));
    }
    c.subtone->addButton(option, i);
    options->addWidget(option);
  }
  options->addStretch();
  layout->addLayout(options);

  auto* lists = new QGridLayout;
  c.txTone = ListOf(ControlName("txToneList", set), ToneNames, box);
  c.rxTone = ListOf(ControlName("rxToneList", set), ToneNames, box);
  c.dcs = ListOf(ControlName("dcsList", set), DcsNames, box);
  c.carrier = ListOf(ControlName("carrierList", set), CarrierNames, box);
  const std::array<std::pair<const char*, QComboBox*>, 4> captioned = {
      {{"Tx-Tone", c.txTone},
       {"Squelch Tone", c.rxTone},
       {"DCS Code", c.dcs},
       {"Carrier Tone (Railways)", c.carrier}}};
  for (std::size_t i = 0; i < captioned.size(); ++i) {
    auto* caption = new QLabel(QString::fromLatin1(captioned[i].first), box);
    const int row = static_cast<int>(i % 2);
    const int column = static_cast<int>(i / 2) * 2;
    lists->addWidget(caption, row, column);
    lists->addWidget(captioned[i].second, row, column + 1);
    if (captioned[i].second == c.carrier) {
      caption->setVisible(railwaysVisible);
      c.carrier->setVisible(railwaysVisible);
    }
  }
  lists->setColumnStretch(1, 1);
  lists->setColumnStretch(3, 1);
  lists->setHorizontalSpacing(8);
  layout->addLayout(lists);

  // The tone and DCS lists are chosen from, never typed into.
  for (QComboBox* list : {c.txTone, c.rxTone, c.dcs}) {
    list->installEventFilter(this);
    list->view()->installEventFilter(this);
  }
  return box;
}

QGroupBox* DetailDialog::buildShiftBox(int set) {
  SetControls& c = sets_[static_cast<std::size_t>(set)];
  auto* box = new QGroupBox(QStringLiteral("Frequency Shift [OFFSET]"), c.panel);
  auto* layout = new QHBoxLayout(box);
  c.shift = new QButtonGroup(box);
  for (int i = 0; i < ShiftOptionCount; ++i) {
    auto* option = new QRadioButton(Label(ShiftOptionCaptions[static_cast<std::size_t>(i)]), box);
    option->setObjectName(OptionName("shiftOption", set, i));
    c.shift->addButton(option, i);
    layout->addWidget(option);
  }
  layout->addSpacing(16);
  layout->addWidget(new QLabel(QStringLiteral("Offset by:"), box));
  c.offsetMegahertz =
      DigitField(ControlName("offsetMegahertzEdit", set), OffsetMegahertzLength, box);
  c.offsetDigits = DigitField(ControlName("offsetDigitsEdit", set),
                              OffsetDigitsLength[static_cast<std::size_t>(set)], box);
  c.offsetMegahertz->installEventFilter(this);
  c.offsetDigits->installEventFilter(this);
  layout->addWidget(c.offsetMegahertz);
  layout->addWidget(new QLabel(QStringLiteral("."), box));
  layout->addWidget(c.offsetDigits);
  layout->addWidget(new QLabel(QStringLiteral("MHz"), box));
  layout->addStretch();
  return box;
}

QWidget* DetailDialog::buildButtonRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 8, 0, 0);
  const auto button = [&](const char* name, const char* text, Closing closing) {
    auto* b = new QPushButton(QString::fromLatin1(text), row);
    b->setObjectName(QString::fromLatin1(name));
    connect(b, &QPushButton::clicked, this, [this, closing] { finish(closing); });
    return b;
  };
  QPushButton* enter = button("okButton", "OK", Closing::Confirm);
  enter->setDefault(true);
  enter->setMinimumWidth(96);
  layout->addWidget(enter);
  layout->addSpacing(12);
  layout->addWidget(button("backButton", "   PREV.     <<", Closing::Back));
  layout->addWidget(button("nextButton", "   NEXT      >>", Closing::Next));
  layout->addStretch();
  QPushButton* cancel = new QPushButton(QStringLiteral("Cancel"), row);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  cancel->setMinimumWidth(96);
  connect(cancel, &QPushButton::clicked, this, &DetailDialog::reject);
  layout->addWidget(cancel);
  return row;
}

void DetailDialog::showSet(int set, const DetailSetState& state) {
  SetControls& c = sets_[static_cast<std::size_t>(set)];
  c.caption->setText(state.caption);
  c.frequencyMegahertz->setText(state.frequencyMegahertz);
  c.frequencyDigits->setText(state.frequencyDigits);
  CheckOption(c.mode, state.mode);
  CheckOption(c.step, state.step);
  CheckOption(c.subtone, state.subtone);
  CheckOption(c.shift, state.shift);
  c.offsetMegahertz->setText(state.offsetMegahertz);
  c.offsetDigits->setText(state.offsetDigits);
  c.txTone->setCurrentIndex(state.txTone);
  c.rxTone->setCurrentIndex(state.rxTone);
  c.dcs->setCurrentIndex(state.dcs);
  c.carrier->setCurrentIndex(state.carrier);
  c.skip->setChecked(state.skip);
  c.name->setText(state.name);
}

DetailSetState DetailDialog::setState(int set) const {
  const SetControls& c = sets_[static_cast<std::size_t>(set)];
  DetailSetState state;
  state.caption = c.caption->text();
  state.frequencyMegahertz = c.frequencyMegahertz->text();
  state.frequencyDigits = c.frequencyDigits->text();
  state.mode = c.mode->checkedId();
  state.step = c.step->checkedId();
  state.subtone = c.subtone->checkedId();
  state.shift = c.shift->checkedId();
  state.offsetMegahertz = c.offsetMegahertz->text();
  state.offsetDigits = c.offsetDigits->text();
  state.txTone = c.txTone->currentIndex();
  state.rxTone = c.rxTone->currentIndex();
  state.dcs = c.dcs->currentIndex();
  state.carrier = c.carrier->currentIndex();
  state.skip = c.skip->isChecked();
  state.name = c.name->text();
  return state;
}

DetailFormState DetailDialog::formState() const {
  DetailFormState form;
  form.row = row_;
  form.pair = pair_;
  form.sets[0] = setState(0);
  if (pair_) form.sets[1] = setState(1);
  return form;
}

ChannelEditBuffer DetailDialog::result() const {
  if (closing_ == Closing::Cancel) {
    ChannelEditBuffer cancelled;
    cancelled.slotA = row_ - 1;
    if (pair_) cancelled.slotB = row_;
    return cancelled;
  }
  ChannelEditBuffer buffer = ConfirmDetailForm(formState());
  if (closing_ == Closing::Back) buffer.editNavigate = NavigateBack;
  if (closing_ == Closing::Next) buffer.editNavigate = NavigateNext;
  return buffer;
}

void DetailDialog::reject() {
  closing_ = Closing::Cancel;
  QDialog::reject();
}

void DetailDialog::finish(Closing closing) {
  // Enter confirms without leaving the field being typed in; it counts as left all the same.
  leaveField(focusWidget());
  closing_ = closing;
  accept();
}

void DetailDialog::leaveField(QObject* field) {
  for (std::size_t set = 0; set < sets_.size(); ++set) {
    SetControls& c = sets_[set];
    if (field == c.offsetMegahertz) {
      c.offsetMegahertz->setText(NormaliseOffsetMegahertz(c.offsetMegahertz->text()));
    } else if (field == c.offsetDigits) {
      c.offsetDigits->setText(NormaliseOffsetDigits(
          c.offsetMegahertz->text(), c.offsetDigits->text(), OffsetDigitsLength[set]));
    }
  }
}

bool DetailDialog::eventFilter(QObject* watched, QEvent* event) {
  bool isName = false;
  bool isChoiceList = false;
  for (const SetControls& c : sets_) {
    isName = isName || watched == c.name;
    for (QComboBox* list : {c.txTone, c.rxTone, c.dcs}) {
      isChoiceList = isChoiceList || watched == list || watched == list->view();
    }
  }
  switch (event->type()) {
    case QEvent::FocusOut: {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        leaveField(watched);
      }
      break;
    }
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (isChoiceList) return TypesCharacters(*key);
      if (!isName) break;
      if (key->matches(QKeySequence::Paste)) return true;
      if (!TypesCharacters(*key)) break;
      const auto* name = static_cast<QLineEdit*>(watched);
      QString text = NameWithoutSelection(*name);
      for (const char32_t c : key->text().toUcs4()) {
        if (!AcceptsNameCharacter(text, c)) return true;
        text += QString::fromUcs4(&c, 1);
      }
      break;
    }
    case QEvent::InputMethod: {
      if (!isName) break;
      auto* input = static_cast<QInputMethodEvent*>(event);
      const QString kept = NameWithoutSelection(*static_cast<QLineEdit*>(watched));
      const QString fitting = CutNameToLimit(kept + input->commitString()).mid(kept.size());
      if (fitting.size() < input->commitString().size()) {
        input->setCommitString(fitting, input->replacementStart(), input->replacementLength());
      }
      break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
      // A middle click would paste the selection.
      if (isName && static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) return true;
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

ChannelEditBuffer RunDetailDialog(const DetailFormState& form, bool railwaysVisible,
                                  QWidget* parent) {
  DetailDialog dialog(form, railwaysVisible, parent);
  dialog.exec();
  return dialog.result();
}

}  // namespace rqm27
