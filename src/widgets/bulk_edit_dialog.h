// Edit selected: one change for many channels. Each field (mode, step, carrier, sub-tone, TSQ
// tone, DCS, shift, offset, skip) has a "change" check box and a value; a field left unchecked
// keeps each channel's own value.
#pragma once

#include "model/channel_edits.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace rqm27 {

class BulkEditDialog : public QDialog {
  Q_OBJECT

 public:
  // For `channels` selected channels, named in the dialog's text.
  explicit BulkEditDialog(int channels, QWidget* parent = nullptr);

  // The change as the controls show it; nothing while a checked offset is no frequency.
  std::optional<ChannelPatch> patch() const;

 private:
  // A row of the form: the check box `change_<name>` and its value control `value_<name>`,
  // enabled while the box is checked.
  QCheckBox* addField(const char* name, const QString& caption, QWidget* value);
  void showValidity();

  QCheckBox* changeMode_ = nullptr;
  QCheckBox* changeStep_ = nullptr;
  QCheckBox* changeCarrier_ = nullptr;
  QCheckBox* changeSubtone_ = nullptr;
  QCheckBox* changeTone_ = nullptr;
  QCheckBox* changeTxTone_ = nullptr;
  QCheckBox* changeDcs_ = nullptr;
  QCheckBox* changeShift_ = nullptr;
  QCheckBox* changeOffset_ = nullptr;
  QCheckBox* changeSkip_ = nullptr;
  QComboBox* mode_ = nullptr;
  QComboBox* step_ = nullptr;
  QComboBox* carrier_ = nullptr;
  QComboBox* subtone_ = nullptr;
  QComboBox* tone_ = nullptr;
  QComboBox* txTone_ = nullptr;
  QComboBox* dcs_ = nullptr;
  QComboBox* shift_ = nullptr;
  QLineEdit* offset_ = nullptr;
  QComboBox* skip_ = nullptr;
  QPushButton* apply_ = nullptr;
  QGridLayout* form_ = nullptr;
};

// Shows the dialog modally; the change when the user pressed Apply, nothing for Cancel.
std::optional<ChannelPatch> AskChannelPatch(int channels, QWidget* parent);

}  // namespace rqm27
