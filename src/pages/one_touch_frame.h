// The "OneTouch Memory" frame of the Setting page: for each of the nine one-touch memories a
// "Not set" box, the bank (one of the banks that hold channels) and the channel's position in
// that bank, with the buttons that reset, read and write the memories. The memories live in
// the host's image; the bank and channel lists are derived from its bank table every time the
// image is shown.
#pragma once

#include "model/one_touch.h"
#include "pages/page_host.h"

#include <QGroupBox>

#include <array>

class QCheckBox;
class QComboBox;

namespace rqm27 {

class OneTouchFrame : public QGroupBox, public ImageView {
  Q_OBJECT

 public:
  explicit OneTouchFrame(PageHost& host, QWidget* parent = nullptr);

  void showImage() override;

 private:
  QWidget* buildButtons();

  void chooseBank(int memory, int item);
  void chooseChannel(int memory, int item);
  void markNotSet(int memory, bool notSet);
  void reset();
  void read();
  void write();

  PageHost& host_;
  std::array<QCheckBox*, OneTouchCount> notSet_{};
  std::array<QComboBox*, OneTouchCount> bank_{};
  std::array<QComboBox*, OneTouchCount> channel_{};
};

// Every memory not set, at channel 0 of the first bank that holds channels (bank 0 when none
// does).
void ResetOneTouch(CloneImage& image);

}  // namespace rqm27
