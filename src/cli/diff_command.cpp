// rqm27-cli diff A B [--json]: what differs between two image files. The exit status says it
// the way diff(1) does: 0 the same, 1 different, 2 trouble.
#include "cli/commands.h"

#include "files/image_file.h"
#include "model/image_diff.h"

#include <QJsonDocument>
#include <QTextStream>

#include <cstdio>
#include <utility>
#include <vector>

namespace rqm27::cli {

namespace {

constexpr int DifferentStatus = 1;
constexpr int TroubleStatus = 2;

int Trouble(const QString& message) {
  Fail(message);
  return TroubleStatus;
}

void PrintDifferences(const ImageDifferences& differences, bool json) {
  QTextStream out(stdout);
  if (json) {
    out << QJsonDocument(ImageDiffJson(differences)).toJson();
    return;
  }
  for (const DiffEntry& entry : differences) out << entry.text << "\n";
}

}  // namespace

int Diff(const QStringList& args) {
  QStringList paths;
  bool json = false;
  for (const QString& arg : args) {
    if (arg == "--json") {
      json = true;
    } else if (arg.startsWith("--")) {
      return Trouble(QStringLiteral("diff: unknown option %1").arg(arg));
    } else {
      paths << arg;
    }
  }
  if (paths.size() != 2) return Trouble("diff: expected two files A and B (see rqm27-cli --help)");

  std::vector<CloneImage> images;
  for (const QString& path : paths) {
    auto loaded = LoadImageFile(path);
    if (!loaded) return Trouble(loaded.error());
    PrintNotes(path, loaded->notes);
    images.push_back(std::move(loaded->value));
  }
  const ImageDifferences differences = ImageDiff(images[0], images[1]);
  PrintDifferences(differences, json);
  return differences.empty() ? 0 : DifferentStatus;
}

}  // namespace rqm27::cli
