// rqm27-cli convert IN OUT [--to FORMAT] [--base BASE.bin]
#include "cli/commands.h"

#include "codec/memory_image.h"
#include "files/file_io.h"
#include "files/image_file.h"

namespace rqm27::cli {

int Convert(const QStringList& args) {
  QStringList paths;
  QString basePath;
  QString formatName;
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (args[i] == "--base") {
      if (i + 1 >= args.size()) return Fail("convert: --base needs a file");
      basePath = args[++i];
    } else if (args[i] == "--to") {
      if (i + 1 >= args.size()) return Fail("convert: --to needs a format");
      formatName = args[++i];
    } else if (args[i].startsWith("--")) {
      return Fail(QStringLiteral("convert: unknown option %1").arg(args[i]));
    } else {
      paths << args[i];
    }
  }
  if (paths.size() != 2) return Fail("convert: expected IN and OUT (see rqm27-cli --help)");

  const auto format = formatName.isEmpty() ? FormatOfPath(paths[1]) : FormatOfName(formatName);
  if (!format) return Fail(format.error());
  const auto loaded = LoadImageFile(paths[0]);
  if (!loaded) return Fail(loaded.error());
  PrintNotes(paths[0], loaded->notes);
  const CloneImage& image = loaded->value;

  QByteArray base = BlankMemoryFor(image);
  if (!basePath.isEmpty()) {
    const auto bytes = ReadWholeFile(basePath);
    if (!bytes) return Fail(bytes.error());
    if (bytes->size() != MemoryImageSize) {
      return Fail(QStringLiteral("%1: a memory image has exactly %2 bytes, this one %3")
                      .arg(basePath)
                      .arg(MemoryImageSize)
                      .arg(bytes->size()));
    }
    base = *bytes;
  }
  const auto saved = SaveImageFile(paths[1], *format, image, base);
  if (!saved) return Fail(saved.error());
  PrintNotes(paths[1], *saved);
  return 0;
}

}  // namespace rqm27::cli
