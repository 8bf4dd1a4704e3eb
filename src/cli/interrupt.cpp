#include "cli/interrupt.h"

namespace rqm27::cli {

namespace {

// The first of the two signals that arrived while the guard lives, 0 before; the one thing the
// handler may touch.
volatile std::sig_atomic_t arrivedSignal = 0;

void NoteSignal(int signal) {
  if (arrivedSignal == 0) arrivedSignal = signal;
}

// Installs the handler for one signal, keeping its previous disposition in `previous`.
void Catch(int signal, struct sigaction& previous) {
  struct sigaction action {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  // Reads and writes on the port go on where they were; the transfer stops between blocks.
  action.sa_flags = SA_RESTART;
  sigaction(signal, &action, &previous);
}

}  // namespace

InterruptGuard::InterruptGuard() {
  arrivedSignal = 0;
  Catch(SIGINT, previousInt_);
  Catch(SIGTERM, previousTerm_);
}

InterruptGuard::~InterruptGuard() {
  sigaction(SIGTERM, &previousTerm_, nullptr);
  sigaction(SIGINT, &previousInt_, nullptr);
}

bool InterruptGuard::interrupted() const {
  return arrivedSignal != 0;
}

QString InterruptGuard::signalName() const {
  switch (arrivedSignal) {
    case SIGINT:
      return QStringLiteral("SIGINT");
    case SIGTERM:
      return QStringLiteral("SIGTERM");
    default:
      return {};
  }
}

}  // namespace rqm27::cli
