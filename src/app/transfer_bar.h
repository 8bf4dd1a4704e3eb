// The strip under the tabs that every transfer uses: the receiver variant, the progress bar
// with its percentage, the Cancel button and the "WAIT" sign shown while the receiver clears
// its memory. Pressing the mouse on the progress bar asks for the receiver's reset.
#pragma once

#include "link/session.h"

#include <QWidget>

class QButtonGroup;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace rqm27 {

class TransferBar : public QWidget {
  Q_OBJECT

 public:
  explicit TransferBar(QWidget* parent = nullptr);

  // The variant whose option is selected; "K" when none of the others is.
  Variant variant() const;
  bool railwaysVariant() const { return variant() == Variant::J; }

  // The bar and the percentage: the integer part of value * 100 / maximum, then "%".
  void setProgress(int value, int maximum);
  void setWaiting(bool waiting);
  // While a transfer runs the variant is fixed and Cancel is live; afterwards the bar is at 0.
  void setSessionActive(bool active);
  // A transfer that has ended can no longer be cancelled, though its session lasts until its
  // message has been read.
  void setCancelEnabled(bool enabled);

 signals:
  void cancelRequested();
  void resetRequested();

 private:
  QButtonGroup* variants_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QLineEdit* percentage_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* wait_ = nullptr;
};

}  // namespace rqm27
