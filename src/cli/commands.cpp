#include "cli/commands.h"

#include <QTextStream>

#include <cstdio>

namespace rqm27::cli {

namespace {

constexpr char kUsage[] =
    "Usage: rqm27-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  convert IN OUT [--to FORMAT] [--base BASE.bin]\n"
    "      Convert an image between file formats, chosen by extension: .bin\n"
    "      (raw 131072-byte memory image), .json (JSON image), .M27 (clone file)\n"
    "      and .CSV (channel list; the multi-radio list is read by its header).\n"
    "      --to names the output format instead: bin, json, m27, csv or multicsv\n"
    "      (the multi-radio channel list of memory channels 1-1200).\n"
    "      Writing a .bin gives what a receiver holding BASE.bin (all zeros when\n"
    "      not given) holds after a full write of the image.\n"
    "  show FILE\n"
    "      Print a readable summary of an image file: the used channels, the\n"
    "      banks, the one-touch memories, the title and the settings.\n"
    "  diff A B [--json]\n"
    "      Print what differs between two image files, one a line or as JSON.\n"
    "  read --port PORT [--variant J|E|T|K] [--stats] OUT\n"
    "      Read the whole memory of a receiver into OUT (any image format).\n"
    "      Ctrl-C stops it; OUT is then not written.\n"
    "  write --port PORT [--variant J|E|T|K] [--stats] [--backup FILE]\n"
    "        [--verify[=full]] IN\n"
    "      Write the image file IN to the receiver's whole memory. An image the\n"
    "      receiver cannot hold (a bank table not adding up to 1200, a channel\n"
    "      outside its ranges) is refused before anything is sent.\n"
    "      --backup first reads the whole memory into FILE (.bin recommended: it\n"
    "      keeps everything a read gets) and writes nothing if that fails; to\n"
    "      restore, write FILE back: rqm27-cli write --port PORT FILE.\n"
    "      --verify reads back the areas and the used channels afterwards,\n"
    "      --verify=full every slot. A write that stops part-way (a failure,\n"
    "      or Ctrl-C, which lets the block in flight finish) says what the\n"
    "      receiver now holds.\n"
    "  ports\n"
    "      List the serial ports of this computer, and \"sim\", the built-in\n"
    "      simulated receiver. PORT is a device (/dev/ttyUSB0), COM1-COM16 or sim.\n"
    "  simulate [--memory FILE.bin] [--variant J|E|T|K] [--save FILE.bin]\n"
    "           [--baud N] [--im-delay MS] [fault options]\n"
    "      Serve a simulated receiver on a pseudo-terminal; its device path is\n"
    "      printed on the first line. Stop it with Ctrl-C.\n"
    "      Without --memory it holds a built-in demo memory; --save FILE.bin\n"
    "      receives its memory on exit. --baud paces its output (ten bits a\n"
    "      byte); --im-delay delays the answer to ZT~IM. Fault options, N\n"
    "      counting command lines:\n"
    "        --silent-after N             neither echo nor answer after N\n"
    "        --refuse-writes-at ADDR      answer NG to writes covering ADDR (hex)\n"
    "        --garble-reply N             drop the closing LF of the Nth reply\n"
    "        --pieces K --piece-delay MS  send replies in K-byte pieces\n"
    "        --close-after N              close the port after answering N\n"
    "\n"
    "Options:\n"
    "  --help       show this help\n"
    "  --version    show the version\n";

void Print(FILE* stream, const QString& text) {
  QTextStream out(stream);
  out << text;
}

}  // namespace

int Fail(const QString& message) {
  Print(stderr, QStringLiteral("rqm27-cli: %1\n").arg(message));
  return 1;
}

void PrintNotes(const QString& path, const FileNotes& notes) {
  constexpr int ShownNotes = 20;
  for (const QString& line : NoteLines(notes, ShownNotes)) {
    Print(stderr, QStringLiteral("rqm27-cli: %1: %2\n").arg(path, line));
  }
}

int Run(const QStringList& args) {
  if (args.isEmpty() || args.first() == "--help" || args.first() == "-h" ||
      args.first() == "help") {
    Print(args.isEmpty() ? stderr : stdout, QString::fromLatin1(kUsage));
    return args.isEmpty() ? 1 : 0;
  }
  if (args.first() == "--version") {
    Print(stdout, QStringLiteral(RQM27_VERSION "\n"));
    return 0;
  }
  const QString& command = args.first();
  const QStringList rest = args.mid(1);
  if (command == "convert") return Convert(rest);
  if (command == "show") return Show(rest);
  if (command == "diff") return Diff(rest);
  if (command == "simulate") return Simulate(rest);
  if (command == "read") return Read(rest);
  if (command == "write") return Write(rest);
  if (command == "ports") return Ports(rest);
  return Fail(QStringLiteral("unknown command \"%1\" (see rqm27-cli --help)").arg(command));
}

}  // namespace rqm27::cli
