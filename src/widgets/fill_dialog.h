// Fill frequencies: the first frequency and the distance from row to row, both typed as
// megahertz ("145.5", "0.0125"); a distance with a minus sign counts down.
#pragma once

#include "widgets/user_dialogs.h"

#include <QDialog>

#include <cstdint>
#include <optional>

class QLineEdit;
class QPushButton;

namespace rqm27 {

class FillDialog : public QDialog {
  Q_OBJECT

 public:
  // For `rows` selected rows, the first frequency offered as `start` (units of 10 Hz).
  FillDialog(int rows, std::int32_t start, QWidget* parent = nullptr);

  // The frequencies as typed; nothing while either text is no frequency.
  std::optional<FillChoice> choice() const;

 private:
  QLineEdit* start_ = nullptr;
  QLineEdit* increment_ = nullptr;
  QPushButton* fill_ = nullptr;
};

// Shows the dialog modally; the choice when the user pressed Fill, nothing for Cancel.
std::optional<FillChoice> AskFill(int rows, std::int32_t start, QWidget* parent);

}  // namespace rqm27
