// Parsing a command's arguments with QCommandLineParser, and the help every command prints.
#pragma once

#include "files/image_file.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

namespace rqm27::cli {

// How a command presents itself: "rqm27-cli NAME [options] ARGUMENTS", what it does and one
// example of its use.
struct CommandHelp {
  const char* name;
  const char* arguments;
  const char* description;
  const char* example;
};

// Parses a command's arguments (without its name) with `parser`, which holds the command's
// options and positional arguments, and adds --help. Gives the exit status when the command is
// to stop there (Success after printing its help on stdout, UsageError after an unknown option
// or a missing value or argument); nothing when it is to run. `positionals` is how many
// arguments it takes.
std::optional<int> ParseCommand(QCommandLineParser& parser, const CommandHelp& help,
                                const QStringList& args, qsizetype positionals);

// The format an option such as --to names; nothing when the option was not given.
Result<std::optional<ImageFormat>> FormatOption(const QCommandLineParser& parser,
                                                const QString& option);

// The --from and --to options, which name a format instead of the extension.
QCommandLineOption FromOption();
QCommandLineOption ToOption();

}  // namespace rqm27::cli
