#include "cli/progress_display.h"

#include <unistd.h>

#include <cstdio>

namespace rqm27::cli {

namespace {
constexpr int kWidth = 40;

QString MinutesAndSeconds(qint64 ms) {
  const qint64 seconds = ms / 1000;
  return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar(u'0'));
}

}  // namespace

QString ProgressTimes(qint64 elapsedMs, int value, int maximum) {
  QString elapsed = MinutesAndSeconds(elapsedMs) + QStringLiteral(" elapsed");
  if (value <= 0 || maximum <= 0) return elapsed;
  const qint64 left = elapsedMs * (maximum - value) / value;
  return elapsed + QStringLiteral(", %1 left").arg(MinutesAndSeconds(left));
}

ProgressDisplay::ProgressDisplay(QString what)
    : what_(std::move(what)), terminal_(isatty(fileno(stderr)) != 0) {
  timer_.start();
}

ProgressDisplay::~ProgressDisplay() {
  finish();
}

void ProgressDisplay::show(int value, int maximum) {
  if (!terminal_ || maximum <= 0) return;
  const int percent = static_cast<int>(100LL * value / maximum);
  if (percent == lastPercent_) return;
  lastPercent_ = percent;
  const int filled = kWidth * percent / 100;
  std::fprintf(stderr, "\r%s [%s%s] %3d%% %s   ", qPrintable(what_),
               QByteArray(filled, '#').constData(), QByteArray(kWidth - filled, ' ').constData(),
               percent, qPrintable(ProgressTimes(timer_.elapsed(), value, maximum)));
  std::fflush(stderr);
  drawn_ = true;
}

void ProgressDisplay::waiting(bool on) {
  if (!terminal_) return;
  std::fprintf(stderr,
               on ? "\r%s: waiting for the receiver to clear its channels..."
                  : "\r%s                                                    ",
               qPrintable(what_));
  std::fflush(stderr);
  drawn_ = true;
  lastPercent_ = -1;
}

void ProgressDisplay::finish() {
  if (drawn_) std::fprintf(stderr, "\n");
  drawn_ = false;
}

}  // namespace rqm27::cli
