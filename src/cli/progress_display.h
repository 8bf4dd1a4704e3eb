// A progress bar for long transfers, drawn on stderr when it is a terminal, with the time
// elapsed and an estimate of the time left from the rate so far.
#pragma once

#include <QElapsedTimer>
#include <QString>

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
  QElapsedTimer timer_;
};

// "m:ss elapsed, m:ss left" for a transfer that has done `value` of `maximum` in `elapsedMs`;
// the time left is left out until something is done.
QString ProgressTimes(qint64 elapsedMs, int value, int maximum);

}  // namespace rqm27::cli
