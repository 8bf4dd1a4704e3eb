// The "Bank" page: a slider and a number box for each of the 50 banks, the total of their
// counts, and the buttons that adjust, reset, read and write the bank table and open the
// bank-link window. The counts live in the host's image; the page shows them and edits them.
#pragma once

#include "pages/page_host.h"
#include "widgets/user_dialogs.h"

#include <QList>
#include <QWidget>

#include <functional>
#include <optional>

class QLineEdit;
class QPushButton;
class QSlider;

namespace rqm27 {

class GroupWindow;

class BankPage : public QWidget, public ImageView {
  Q_OBJECT

 public:
  explicit BankPage(PageHost& host, QWidget* parent = nullptr);

  void showImage() override;

  // The bank whose slider last had the focus, the one "Up" and "Down" act on; none until a
  // slider has had the focus.
  std::optional<int> selectedBank() const { return selectedBank_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildLayout();
  // Shows bank b's count in its slider (as far as the slider reaches) and its box.
  void showBank(int bank);
  void showTotal();

  void setCount(int bank, int count);
  void sliderMoved(int bank, int value);
  // Enter in a box: the number typed is taken as it is.
  void applyTypedCount(int bank);
  // Leaving a box: non-digits are dropped, and a count the table cannot hold becomes 100.
  void applyLeftCount(int bank);
  void stepSelectedBank(int step);
  void resetTable();
  void readTable();
  void writeTable();
  void openGroupWindow();

  PageHost& host_;
  QList<QSlider*> sliders_;
  QList<QLineEdit*> boxes_;
  QLineEdit* total_ = nullptr;
  QPushButton* writeButton_ = nullptr;
  GroupWindow* groupWindow_ = nullptr;
  std::optional<int> selectedBank_;
};

// The question asked before leaving the bank page while the counts do not add up to 1200.
Message BankTotalQuestion();

// Called before the bank page is left: true when the table is consistent, or when `ask` (the
// BankTotalQuestion with OK and Cancel) is answered OK, which resets the table to the
// defaults; false when it is answered Cancel and the page should stay.
bool ConfirmBankTotal(PageHost& host, const std::function<bool()>& ask);

}  // namespace rqm27
