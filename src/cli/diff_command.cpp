// rqm27-cli diff A B [--json]: what differs between two image files. The exit status says it
// the way diff(1) does: 0 the same, 1 different, 2 trouble.
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/diff_output.h"
#include "cli/image_streams.h"

#include "model/image_diff.h"

#include <QJsonDocument>
#include <QTextStream>

#include <cstdio>
#include <utility>
#include <vector>

namespace rqm27::cli {

namespace {

constexpr CommandHelp kHelp = {
    "diff", "A B",
    "Print what differs between two image files of any formats, one line each, in the\n"
    "order of the image. One of them may be - (standard input, with --from).\n"
    "Exit status: 0 the same, 1 different, 2 trouble.",
    "rqm27-cli diff before.M27 after.json --json"};

}  // namespace

int FailTrouble(const QString& message) {
  Fail(message);
  return UsageError;
}

void PrintDifferences(const ImageDifferences& differences, bool json) {
  QTextStream out(stdout);
  if (json) {
    out << QJsonDocument(ImageDiffJson(differences)).toJson();
    return;
  }
  for (const DiffEntry& entry : differences) out << entry.text << "\n";
}

int Diff(const QStringList& args) {
  QCommandLineParser parser;
  parser.addOption({"json", "Print the differences as a JSON array of objects."});
  parser.addOption(FromOption());
  parser.addPositionalArgument("A", "The first image.");
  parser.addPositionalArgument("B", "The second image.");
  if (const auto stop = ParseCommand(parser, kHelp, args, 2)) return *stop;
  const auto from = FormatOption(parser, "from");
  if (!from) return FailUsage("diff", from.error());

  for (const QString& path : parser.positionalArguments()) {
    if (const auto usage = RequireStreamFormat("diff", path, *from, "--from")) return *usage;
  }
  std::vector<CloneImage> images;
  for (const QString& path : parser.positionalArguments()) {
    auto loaded = LoadImage(path, path == QLatin1StringView(StandardStream) ? *from : std::nullopt);
    if (!loaded) return FailTrouble(loaded.error());
    PrintNotes(path, loaded->notes);
    images.push_back(std::move(loaded->value));
  }
  const ImageDifferences differences = ImageDiff(images[0], images[1]);
  PrintDifferences(differences, parser.isSet("json"));
  return differences.empty() ? Success : Failure;
}

}  // namespace rqm27::cli
