#include "files/image_file.h"

#include "codec/memory_image.h"
#include "codec/title_block.h"
#include "files/file_io.h"
#include "files/image_bytes.h"

#include <QFileInfo>

namespace rqm27 {

Result<QByteArray> ReadMemoryImageFile(const QString& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) return bytes;
  if (bytes->size() != MemoryImageSize) {
    return Error{QStringLiteral("%1: a memory image has exactly %2 bytes, this one %3")
                     .arg(path)
                     .arg(MemoryImageSize)
                     .arg(bytes->size())};
  }
  return bytes;
}

QByteArray BlankMemoryFor(const CloneImage& image) {
  QByteArray memory(MemoryImageSize, '\0');
  memory[MemoryProtectAddress] = static_cast<char>(image.settings.at(SettingsList::Mem, 0));
  return memory;
}

Result<ImageFormat> FormatOfPath(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1StringView("bin")) return ImageFormat::MemoryImage;
  if (suffix == QLatin1StringView("json")) return ImageFormat::Json;
  if (suffix == QLatin1StringView("m27")) return ImageFormat::CloneFile;
  if (suffix == QLatin1StringView("csv")) return ImageFormat::Csv;
  return Error{QStringLiteral("%1: unknown file type \"%2\" (expected .bin, .json, .M27 or .CSV)")
                   .arg(path, suffix.isEmpty() ? QStringLiteral("no extension") : "." + suffix)};
}

Result<ImageFormat> FormatOfName(const QString& name) {
  const QString lower = name.toLower();
  if (lower == QLatin1StringView("bin")) return ImageFormat::MemoryImage;
  if (lower == QLatin1StringView("json")) return ImageFormat::Json;
  if (lower == QLatin1StringView("m27")) return ImageFormat::CloneFile;
  if (lower == QLatin1StringView("csv")) return ImageFormat::Csv;
  if (lower == QLatin1StringView("multicsv")) return ImageFormat::MultiCsv;
  return Error{
      QStringLiteral("unknown format \"%1\" (expected bin, json, m27, csv or multicsv)").arg(name)};
}

Result<Noted<CloneImage>> LoadImageFile(const QString& path) {
  const auto format = FormatOfPath(path);
  if (!format) return Error{format.error()};
  const auto bytes = ReadWholeFile(path);
  if (!bytes) return Error{bytes.error()};
  return ImageFromBytes(*bytes, *format, path);
}

Result<FileNotes> SaveImageFile(const QString& path, const CloneImage& image,
                                const QByteArray& base) {
  const auto format = FormatOfPath(path);
  if (!format) return Error{format.error()};
  return SaveImageFile(path, *format, image, base);
}

Result<FileNotes> SaveImageFile(const QString& path, ImageFormat format, const CloneImage& image,
                                const QByteArray& base) {
  auto file = ImageToBytes(image, format, base, path);
  if (!file) return Error{file.error()};
  const Status saved = SaveWholeFile(path, file->value);
  if (!saved) return Error{saved.error()};
  return std::move(file->notes);
}

}  // namespace rqm27
