// The "Version" window of the Help menu: the program's version and release date.
#pragma once

#include <QDialog>

namespace rqm27 {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace rqm27
