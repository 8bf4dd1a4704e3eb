// Ctrl-C (SIGINT) and SIGTERM during a transfer. Ending the process in the middle of a write
// would leave the receiver half written without a word about it, so while a guard lives the
// two signals are only noted: the transfer asks between blocks, stops once one arrived and
// says what it left behind.
#pragma once

#include <QString>

#include <csignal>

namespace rqm27::cli {

class InterruptGuard {
 public:
  // Catches SIGINT and SIGTERM; one guard at a time.
  InterruptGuard();
  // Gives both signals back the dispositions they had before.
  ~InterruptGuard();
  InterruptGuard(const InterruptGuard&) = delete;
  InterruptGuard& operator=(const InterruptGuard&) = delete;

  bool interrupted() const;
  // "SIGINT" or "SIGTERM", whichever arrived first; empty when none did.
  QString signalName() const;

 private:
  struct sigaction previousInt_ {};
  struct sigaction previousTerm_ {};
};

}  // namespace rqm27::cli
