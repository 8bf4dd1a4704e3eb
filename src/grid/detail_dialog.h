// The detail dialog: edits one channel, or the two halves of a dual-watch pair side by side.
// It shows a DetailFormState, lets the user change it under the fields' input rules, and after
// it closes gives the ChannelEditBuffer that the grid commits with CommitEdit.
#pragma once

#include "widgets/channel_edit.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace rqm27 {

class DetailDialog : public QDialog {
  Q_OBJECT

 public:
  // railwaysVisible: show the "RAILWAYS" sub-tone option and the carrier lists.
  DetailDialog(const DetailFormState& form, bool railwaysVisible, QWidget* parent = nullptr);

  // The edit as the dialog was closed: Cancel (or Escape, or closing the window) gives
  // editResult 0 and nothing confirmed; OK, PREV and NEXT give the confirmed controls, PREV and
  // NEXT with their navigation request.
  ChannelEditBuffer result() const;

  // What the controls hold now.
  DetailFormState formState() const;

  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The controls of one set; set 1 is the second set, whose names end in "_2".
  struct SetControls {
    QWidget* panel = nullptr;
    QLabel* caption = nullptr;
    QLineEdit* frequencyMegahertz = nullptr;
    QLineEdit* frequencyDigits = nullptr;
    QButtonGroup* mode = nullptr;
    QButtonGroup* step = nullptr;
    QButtonGroup* subtone = nullptr;
    QButtonGroup* shift = nullptr;
    QLineEdit* offsetMegahertz = nullptr;
    QLineEdit* offsetDigits = nullptr;
    QComboBox* txTone = nullptr;
    QComboBox* rxTone = nullptr;
    QComboBox* dcs = nullptr;
    QComboBox* carrier = nullptr;
    QCheckBox* skip = nullptr;
    QLineEdit* name = nullptr;
  };

  // How the dialog was closed.
  enum class Closing { Cancel, Confirm, Back, Next };

  QWidget* buildSet(int set, bool railwaysVisible);
  QGroupBox* buildModeBox(int set);
  QGroupBox* buildStepBox(int set);
  QGroupBox* buildSubtoneBox(int set, bool railwaysVisible);
  QGroupBox* buildShiftBox(int set);
  QWidget* buildButtonRow();

  void showSet(int set, const DetailSetState& state);
  DetailSetState setState(int set) const;
  void leaveField(QObject* field);
  void finish(Closing closing);

  int row_ = 1;
  bool pair_ = false;
  Closing closing_ = Closing::Cancel;
  std::array<SetControls, 2> sets_;
};

// Shows the dialog modally over `parent` and returns its result(): what the widget dialogs'
// editChannel runs.
ChannelEditBuffer RunDetailDialog(const DetailFormState& form, bool railwaysVisible,
                                  QWidget* parent);

}  // namespace rqm27
