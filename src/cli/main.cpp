// rqm27-cli: reads, writes, converts and inspects images of the receiver's memory.
#include "cli/commands.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments();
  args.removeFirst();
  return rqm27::cli::Run(args);
}
