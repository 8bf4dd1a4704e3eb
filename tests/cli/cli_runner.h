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

// Runs it with `input` on its standard input.
CliRun RunCliWithInput(const QStringList& args, const QByteArray& input);

// Starts `rqm27-cli simulate args` and returns the device path it prints first.
QString StartSimulator(QProcess& process, const QStringList& args);

}  // namespace rqm27::testing
