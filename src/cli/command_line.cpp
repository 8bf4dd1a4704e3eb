#include "cli/command_line.h"

#include "cli/commands.h"

#include <QTextStream>

#include <cstdio>

namespace rqm27::cli {

namespace {

QString HelpText(const QCommandLineParser& parser, const CommandHelp& help) {
  const QString generated = parser.helpText();
  const qsizetype options = generated.indexOf(QLatin1StringView("Options:"));
  const QString usage = QStringLiteral("rqm27-cli %1 [options] %2")
                            .arg(QLatin1StringView(help.name), QLatin1StringView(help.arguments))
                            .trimmed();
  return QStringLiteral("Usage: %1\n\n%2\n\n%3\nExample:\n  %4\n")
      .arg(usage, QString::fromUtf8(help.description), generated.mid(options),
           QString::fromUtf8(help.example));
}

}  // namespace

std::optional<int> ParseCommand(QCommandLineParser& parser, const CommandHelp& help,
                                const QStringList& args, qsizetype positionals) {
  const QString name = QLatin1StringView(help.name);
  const QCommandLineOption helpOption(QStringList{"h", "help"}, "Show this help.");
  parser.addOption(helpOption);
  if (!parser.parse(QStringList{"rqm27-cli"} + args)) {
    return FailUsage(name, parser.errorText());
  }
  if (parser.isSet(helpOption)) {
    QTextStream(stdout) << HelpText(parser, help);
    return Success;
  }
  if (parser.positionalArguments().size() != positionals) {
    return FailUsage(name, positionals == 0 ? QStringLiteral("takes no arguments")
                                            : QStringLiteral("expected %1").arg(help.arguments));
  }
  return std::nullopt;
}

Result<std::optional<ImageFormat>> FormatOption(const QCommandLineParser& parser,
                                                const QString& option) {
  if (!parser.isSet(option)) return std::optional<ImageFormat>{};
  const auto format = FormatOfName(parser.value(option));
  if (!format) return Error{QStringLiteral("--%1: %2").arg(option, format.error())};
  return std::optional<ImageFormat>{*format};
}

QCommandLineOption FromOption() {
  return {"from", "Read the input as FORMAT (bin, json, m27, csv, multicsv), whatever its name.",
          "FORMAT"};
}

QCommandLineOption ToOption() {
  return {"to", "Write the output as FORMAT (bin, json, m27, csv, multicsv), whatever its name.",
          "FORMAT"};
}

}  // namespace rqm27::cli
