// A progress bar for long transfers, drawn on stderr when it is a terminal.
#pragma once

#include <QString>

#include <chrono>

namespace rqm27::cli {

class ProgressDisplay {
 public:
  explicit ProgressDisplay(QString what);
  ~ProgressDisplay();

  void show(int value, int maximum);
  void waiting(bool on);
  // Ends the bar's line, if one was drawn.
  void finish();

 private:
  QString what_;
  bool terminal_;
  bool drawn_ = false;
  int lastPercent_ = -1;
};

}  // namespace rqm27::cli
