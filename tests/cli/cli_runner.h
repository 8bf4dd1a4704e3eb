// Runs rqm27-cli as a separate process, as a user would.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace rqm27::testing {

struct CliRun {
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
};

CliRun RunCli(const QStringList& args, int timeoutMs = 60000);

}  // namespace rqm27::testing
