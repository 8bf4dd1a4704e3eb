// rqm27-cli verify --port PORT FILE: whether the receiver holds what a full write of FILE
// would leave in it, and where it does not. The exit status says it as diff's does.
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/diff_output.h"
#include "cli/image_streams.h"
#include "cli/transfer_run.h"

#include "codec/memory_image.h"
#include "link/port_factory.h"

namespace rqm27::cli {

namespace {

constexpr CommandHelp kHelp = {
    "verify", "FILE",
    "Read the receiver's whole memory and print what differs from what a full write of\n"
    "FILE (- for standard input, with --from) would leave in it, one line each, as diff\n"
    "does. Nothing is written. Exit status: 0 the same, 1 different, 2 trouble.",
    "rqm27-cli verify --port /dev/ttyUSB0 image.M27"};

// What a full write of `file` onto a receiver holding `read` leaves: the file's areas and
// channels over the receiver's memory.
Result<CloneImage> WrittenOnto(const CloneImage& file, const CloneImage& read) {
  const auto base = EncodeMemoryImage(read, BlankMemoryFor(read));
  if (!base) return Error{base.error()};
  const auto written = EncodeMemoryImage(file, *base);
  if (!written) return Error{written.error()};
  return DecodeMemoryImage(*written);
}

}  // namespace

int Verify(const QStringList& args) {
  QCommandLineParser parser;
  AddTransferOptions(parser);
  parser.addOption(FromOption());
  parser.addOption({"json", "Print the differences as a JSON array of objects, as diff does."});
  parser.addPositionalArgument("FILE", "The image to compare with; - for standard input.");
  if (const auto stop = ParseCommand(parser, kHelp, args, 1)) return *stop;
  const auto options = TransferOptionsOf(parser);
  if (!options) return FailUsage("verify", options.error());
  const auto from = FormatOption(parser, "from");
  if (!from) return FailUsage("verify", from.error());

  if (const auto usage = RequireStreamFormat("verify", options->file, *from, "--from")) {
    return *usage;
  }
  const auto loaded = LoadImage(options->file, *from);
  if (!loaded) return FailTrouble(loaded.error());
  PrintNotes(options->file, loaded->notes);
  const auto port = MakePort(options->port);
  const auto read = ReadWholeMemory(*options, *port);
  if (!read) return FailTrouble(read.error());
  const auto expected = WrittenOnto(loaded->value, *read);
  if (!expected) return FailTrouble(QStringLiteral("%1: %2").arg(options->file, expected.error()));
  const ImageDifferences differences = ImageDiff(*read, *expected);
  PrintDifferences(differences, parser.isSet("json"));
  return differences.empty() ? Success : Failure;
}

}  // namespace rqm27::cli
