// rqm27-cli ports [--json]: the serial ports of this computer, and the simulated receiver.
#include "cli/command_line.h"
#include "cli/commands.h"

#include "link/port_factory.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSerialPortInfo>
#include <QTextStream>

#include <utility>
#include <vector>

namespace rqm27::cli {

namespace {

constexpr CommandHelp kHelp = {
    "ports", "",
    "List the serial ports of this computer, one a line (the device and its description),\n"
    "and \"sim\", the built-in simulated receiver.",
    "rqm27-cli ports --json"};

// Each port's name for --port and its description.
std::vector<std::pair<QString, QString>> AvailablePorts() {
  std::vector<std::pair<QString, QString>> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    ports.emplace_back(info.systemLocation(),
                       info.description().isEmpty() ? info.portName() : info.description());
  }
  ports.emplace_back(QString::fromLatin1(SimulatedPortName),
                     QStringLiteral("Simulated receiver (demo memory)"));
  return ports;
}

}  // namespace

int Ports(const QStringList& args) {
  QCommandLineParser parser;
  parser.addOption({"json", "Print the ports as a JSON array of objects (port, description)."});
  if (const auto stop = ParseCommand(parser, kHelp, args, 0)) return *stop;
  QTextStream out(stdout);
  if (parser.isSet("json")) {
    QJsonArray list;
    for (const auto& [port, description] : AvailablePorts()) {
      list.append(QJsonObject{{"port", port}, {"description", description}});
    }
    out << QJsonDocument(list).toJson();
    return Success;
  }
  for (const auto& [port, description] : AvailablePorts())
    out << port << "\t" << description << "\n";
  return Success;
}

}  // namespace rqm27::cli
