#include "widgets/bulk_edit_dialog.h"

#include "model/channel_text.h"
#include "model/value_tables.h"
#include "widgets/named_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <span>

namespace rqm27 {

namespace {

QStringList Labels(std::span<const std::string_view> table) {
  QStringList labels;
  for (std::string_view label : table) labels << Label(label);
  return labels;
}

QStringList Labels(std::span<const LabelCode> table) {
  QStringList labels;
  for (const LabelCode& entry : table) labels << Label(entry.label);
  return labels;
}

QComboBox* List(const QStringList& entries, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->addItems(entries);
  return list;
}

template <typename T, typename Value>
void SetIfChecked(std::optional<T>& field, const QCheckBox* change, Value value) {
  if (change->isChecked()) field = static_cast<T>(value);
}

}  // namespace

BulkEditDialog::BulkEditDialog(int channels, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("bulkEditDialog"));
  setWindowTitle(QStringLiteral("Edit selected"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(QStringLiteral("Change these fields of the %1 selected channels; a "
                                          "field left unchecked keeps each channel's value.")
                               .arg(channels),
                           this);
  intro->setWordWrap(true);
  layout->addWidget(intro);
  form_ = new QGridLayout;
  layout->addLayout(form_);

  mode_ = List(Labels(EditModeCodes), this);
  changeMode_ = addField("mode", QStringLiteral("&Mode"), mode_);
  step_ = List(Labels(StepNames), this);
  changeStep_ = addField("step", QStringLiteral("S&tep"), step_);
  carrier_ = List(Labels(CarrierNames), this);
  changeCarrier_ = addField("carrier", QStringLiteral("&Carrier"), carrier_);
  subtone_ = List(Labels(SubtoneCodes), this);
  changeSubtone_ = addField("subtone", QStringLiteral("S&ub-tone"), subtone_);
  tone_ = List(Labels(ToneNames), this);
  tone_->setCurrentIndex(DefaultToneIndex);
  changeTone_ = addField("tone", QStringLiteral("T&one (TSQ)"), tone_);
  txTone_ = List(Labels(ToneNames), this);
  txTone_->setCurrentIndex(DefaultToneIndex);
  changeTxTone_ = addField("txTone", QStringLiteral("T&ransmit tone"), txTone_);
  dcs_ = List(Labels(DcsNames), this);
  changeDcs_ = addField("dcs", QStringLiteral("&DCS"), dcs_);
  shift_ = List(Labels(ShiftCodes), this);
  changeShift_ = addField("shift", QStringLiteral("S&hift"), shift_);
  offset_ = new QLineEdit(QStringLiteral("0.00000"), this);
  offset_->setToolTip(QStringLiteral("The shift's offset in megahertz, e.g. 0.6 or 5.00000"));
  changeOffset_ = addField("offset", QStringLiteral("O&ffset (MHz)"), offset_);
  skip_ = List({QStringLiteral("Scanned"), QStringLiteral("Skipped (*)")}, this);
  changeSkip_ = addField("skip", QStringLiteral("S&kip"), skip_);
  connect(offset_, &QLineEdit::textChanged, this, &BulkEditDialog::showValidity);

  apply_ = AddAcceptButtons(*this, *layout, QStringLiteral("&Apply"), "applyButton");
}

QCheckBox* BulkEditDialog::addField(const char* name, const QString& caption, QWidget* value) {
  auto* change = new QCheckBox(caption, this);
  change->setObjectName(QStringLiteral("change_%1").arg(QLatin1StringView(name)));
  value->setObjectName(QStringLiteral("value_%1").arg(QLatin1StringView(name)));
  value->setEnabled(false);
  connect(change, &QCheckBox::toggled, value, &QWidget::setEnabled);
  connect(change, &QCheckBox::toggled, this, &BulkEditDialog::showValidity);
  const int row = form_->rowCount();
  form_->addWidget(change, row, 0);
  form_->addWidget(value, row, 1);
  return change;
}

void BulkEditDialog::showValidity() {
  apply_->setEnabled(patch().has_value());
}

std::optional<ChannelPatch> BulkEditDialog::patch() const {
  ChannelPatch patch;
  SetIfChecked(patch.mode, changeMode_, mode_->currentIndex());
  SetIfChecked(patch.step, changeStep_, step_->currentIndex());
  SetIfChecked(patch.carrier, changeCarrier_, carrier_->currentIndex());
  SetIfChecked(patch.subtone, changeSubtone_,
               SubtoneCodes[static_cast<std::size_t>(subtone_->currentIndex())].code);
  SetIfChecked(patch.rxTone, changeTone_, tone_->currentIndex());
  SetIfChecked(patch.txTone, changeTxTone_, txTone_->currentIndex());
  SetIfChecked(patch.dcs, changeDcs_, dcs_->currentIndex());
  SetIfChecked(patch.shift, changeShift_,
               ShiftCodes[static_cast<std::size_t>(shift_->currentIndex())].code);
  SetIfChecked(patch.skip, changeSkip_, skip_->currentIndex() == 1);
  if (changeOffset_->isChecked()) {
    patch.offset = ParseMegahertz(offset_->text().trimmed());
    if (!patch.offset) return std::nullopt;
  }
  return patch;
}

std::optional<ChannelPatch> AskChannelPatch(int channels, QWidget* parent) {
  BulkEditDialog dialog(channels, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.patch();
}

}  // namespace rqm27
