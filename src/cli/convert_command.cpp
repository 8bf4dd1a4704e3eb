// rqm27-cli convert IN OUT [--from FORMAT] [--to FORMAT] [--base BASE.bin] [--first-slot N]
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/image_streams.h"

#include "codec/memory_image.h"
#include "files/image_file.h"

namespace rqm27::cli {

namespace {

constexpr CommandHelp kHelp = {
    "convert", "IN OUT",
    "Convert an image between file formats, chosen by the extension (.bin, .json, .M27,\n"
    ".CSV) or named by --from and --to. - is standard input or output. Writing a memory\n"
    "image gives what a receiver holding BASE.bin (all zeros when not given) holds after\n"
    "a full write of the image. A multi-radio channel list goes to slot Location + 1, or\n"
    "with --first-slot N its rows fill the memory channels from slot N on.",
    "rqm27-cli convert image.M27 - --to json"};

Result<QByteArray> BaseMemory(const QString& basePath, const CloneImage& image) {
  if (basePath.isEmpty()) return BlankMemoryFor(image);
  return ReadMemoryImageFile(basePath);
}

}  // namespace

int Convert(const QStringList& args) {
  QCommandLineParser parser;
  parser.addOption(FromOption());
  parser.addOption(ToOption());
  parser.addOption({"base", "The memory a memory image is written onto.", "BASE.bin"});
  parser.addOption(
      {"first-slot", "A multi-radio list's rows fill slots N, N+1, ... (1-1200).", "N"});
  parser.addPositionalArgument("IN", "The image to read; - for standard input.");
  parser.addPositionalArgument("OUT", "The file to write; - for standard output.");
  if (const auto stop = ParseCommand(parser, kHelp, args, 2)) return *stop;
  const auto from = FormatOption(parser, "from");
  const auto to = FormatOption(parser, "to");
  if (!from) return FailUsage("convert", from.error());
  if (!to) return FailUsage("convert", to.error());
  const QString in = parser.positionalArguments()[0];
  const QString out = parser.positionalArguments()[1];

  if (const auto usage = RequireStreamFormat("convert", in, *from, "--from")) return *usage;
  if (const auto usage = RequireStreamFormat("convert", out, *to, "--to")) return *usage;
  if (const Status output = CheckOutput(out, *to); !output) return Fail(output.error());
  std::optional<int> firstSlot;
  if (parser.isSet("first-slot")) {
    bool number = false;
    firstSlot = parser.value("first-slot").toInt(&number);
    if (!number) return FailUsage("convert", QStringLiteral("--first-slot needs a slot number"));
  }
  const auto loaded = LoadImage(in, *from, firstSlot);
  if (!loaded) return Fail(loaded.error());
  PrintNotes(in, loaded->notes);
  const auto base = BaseMemory(parser.value("base"), loaded->value);
  if (!base) return Fail(base.error());
  const auto saved = SaveImage(out, *to, loaded->value, *base);
  if (!saved) return Fail(saved.error());
  PrintNotes(out, *saved);
  return Success;
}

}  // namespace rqm27::cli
