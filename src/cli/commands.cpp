#include "cli/commands.h"

#include <QTextStream>

#include <cstdio>

namespace rqm27::cli {

namespace {

struct Command {
  const char* name;
  int (*run)(const QStringList& args);
};

constexpr Command kCommands[] = {
    {"convert", Convert}, {"show", Show},     {"diff", Diff},         {"read", Read},
    {"write", Write},     {"verify", Verify}, {"simulate", Simulate}, {"ports", Ports},
};

constexpr char kUsage[] =
    "Usage: rqm27-cli COMMAND [options] [ARGUMENTS]\n"
    "       rqm27-cli COMMAND --help    (or rqm27-cli help COMMAND)\n"
    "\n"
    "Commands:\n"
    "  convert IN OUT      convert an image between file formats\n"
    "  show FILE           print a readable summary of an image (--json)\n"
    "  diff A B            list what differs between two images (--json)\n"
    "  read --port PORT OUT       read a receiver's whole memory\n"
    "  write --port PORT IN       write an image to a receiver\n"
    "  verify --port PORT FILE    compare a receiver with what a write of FILE leaves\n"
    "  simulate            serve a simulated receiver on a pseudo-terminal\n"
    "  ports               list the serial ports, and \"sim\" (--json)\n"
    "\n"
    "Formats, chosen by the extension or named by --from and --to:\n"
    "  bin       .bin, raw memory image of 131072 bytes\n"
    "  json      .json, JSON image\n"
    "  m27       .M27, clone file\n"
    "  csv       .CSV, channel list (the multi-radio list is read by its header)\n"
    "  multicsv  the multi-radio channel list (write it with --to multicsv)\n"
    "A file named - is standard input or output, and needs --from or --to.\n"
    "PORT is a device (/dev/ttyUSB0), COM1-COM16 or sim, the built-in simulated receiver.\n"
    "\n"
    "Exit status: 0 success, 1 the operation failed (file, port, receiver), 2 usage error.\n"
    "diff and verify: 0 the same, 1 different, 2 trouble.\n"
    "\n"
    "Options:\n"
    "  -h, --help   show this help\n"
    "  --version    show the version\n"
    "\n"
    "Example:\n"
    "  rqm27-cli read --port sim - --to json | jq '.channels | length'\n";

void Print(FILE* stream, const QString& text) {
  QTextStream out(stream);
  out << text;
}

const Command* FindCommand(const QString& name) {
  for (const Command& command : kCommands) {
    if (name == QLatin1StringView(command.name)) return &command;
  }
  return nullptr;
}

int UnknownCommand(const QString& name) {
  Print(stderr,
        QStringLiteral("rqm27-cli: unknown command \"%1\" (see rqm27-cli --help)\n").arg(name));
  return UsageError;
}

// "help" alone prints the usage; "help COMMAND" that command's help.
int Help(const QStringList& args) {
  if (args.isEmpty()) {
    Print(stdout, QString::fromLatin1(kUsage));
    return Success;
  }
  const Command* command = FindCommand(args.first());
  return command ? command->run({"--help"}) : UnknownCommand(args.first());
}

}  // namespace

int Fail(const QString& message) {
  Print(stderr, QStringLiteral("rqm27-cli: %1\n").arg(message));
  return Failure;
}

int FailUsage(const QString& command, const QString& message) {
  Print(stderr,
        QStringLiteral("rqm27-cli: %1: %2 (see rqm27-cli %1 --help)\n").arg(command, message));
  return UsageError;
}

void PrintNotes(const QString& path, const FileNotes& notes) {
  constexpr int ShownNotes = 20;
  for (const QString& line : NoteLines(notes, ShownNotes)) {
    Print(stderr, QStringLiteral("rqm27-cli: %1: %2\n").arg(path, line));
  }
}

int Run(const QStringList& args) {
  if (args.isEmpty()) {
    Print(stderr, QString::fromLatin1(kUsage));
    return UsageError;
  }
  const QString& first = args.first();
  if (first == "--help" || first == "-h" || first == "help") return Help(args.mid(1));
  if (first == "--version") {
    Print(
        stdout,
        QStringLiteral("rqm27-cli " RQM27_VERSION " (Qt %1)\n").arg(QLatin1StringView(qVersion())));
    return Success;
  }
  const Command* command = FindCommand(first);
  return command ? command->run(args.mid(1)) : UnknownCommand(first);
}

}  // namespace rqm27::cli
