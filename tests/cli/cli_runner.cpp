#include "cli/cli_runner.h"

namespace rqm27::testing {

namespace {

CliRun Finish(QProcess& process, int timeoutMs) {
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

}  // namespace

CliRun RunCli(const QStringList& args, int timeoutMs) {
  QProcess process;
  process.start(QStringLiteral(RQM27_CLI_PATH), args);
  return Finish(process, timeoutMs);
}

CliRun RunCliWithInput(const QStringList& args, const QByteArray& input) {
  QProcess process;
  process.start(QStringLiteral(RQM27_CLI_PATH), args);
  process.write(input);
  process.closeWriteChannel();
  return Finish(process, 60000);
}

QString StartSimulator(QProcess& process, const QStringList& args) {
  process.start(QStringLiteral(RQM27_CLI_PATH), QStringList{"simulate"} + args);
  if (!process.waitForStarted(5000)) return {};
  while (!process.canReadLine() && process.waitForReadyRead(5000)) {
  }
  return QString::fromLocal8Bit(process.readLine()).trimmed();
}

}  // namespace rqm27::testing
