// Runs rqm27-cli as a separate process, as a user would.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace rqm27::testing {

struct CliRun {
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
};

CliRun RunCli(const QStringList& args, int timeoutMs = 60000);

// Starts `rqm27-cli simulate args` and returns the device path it prints first.
QString StartSimulator(QProcess& process, const QStringList& args);

}  // namespace rqm27::testing
