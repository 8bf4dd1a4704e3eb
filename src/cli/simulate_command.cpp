// rqm27-cli simulate: serves a simulated receiver on a pseudo-terminal.
#include "cli/commands.h"

namespace rqm27::cli {

int Simulate(const QStringList&) {
  return Fail("simulate: not available yet");
}

}  // namespace rqm27::cli
