#include "cli/cli_runner.h"

#include <QProcess>

namespace rqm27::testing {

CliRun RunCli(const QStringList& args, int timeoutMs) {
  QProcess process;
  process.start(QStringLiteral(RQM27_CLI_PATH), args);
  CliRun run;
  if (!process.waitForFinished(timeoutMs)) {
    process.kill();
    process.waitForFinished();
    run.err = "timed out";
    return run;
  }
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  return run;
}

}  // namespace rqm27::testing
