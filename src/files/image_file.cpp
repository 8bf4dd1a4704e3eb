#include "files/image_file.h"

#include "codec/memory_image.h"
#include "files/file_io.h"
#include "files/json_image.h"

#include <QFileInfo>

namespace rqm27 {

Result<ImageFormat> FormatOfPath(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1StringView("bin")) return ImageFormat::MemoryImage;
  if (suffix == QLatin1StringView("json")) return ImageFormat::Json;
  return Error{QStringLiteral("%1: unknown file type \"%2\" (expected .bin or .json)")
                   .arg(path, suffix.isEmpty() ? QStringLiteral("no extension") : "." + suffix)};
}

Result<CloneImage> LoadImageFile(const QString& path) {
  const auto format = FormatOfPath(path);
  if (!format) return Error{format.error()};
  const auto bytes = ReadWholeFile(path);
  if (!bytes) return Error{bytes.error()};
  const auto image =
      *format == ImageFormat::MemoryImage ? DecodeMemoryImage(*bytes) : ReadJsonImage(*bytes);
  if (!image) return Error{QStringLiteral("%1: %2").arg(path, image.error())};
  return image;
}

Status SaveImageFile(const QString& path, const CloneImage& image, const QByteArray& base) {
  const auto format = FormatOfPath(path);
  if (!format) return Error{format.error()};
  QByteArray bytes;
  if (*format == ImageFormat::MemoryImage) {
    const auto memory = EncodeMemoryImage(image, base);
    if (!memory) return Error{QStringLiteral("%1: %2").arg(path, memory.error())};
    bytes = *memory;
  } else {
    bytes = WriteJsonImage(image);
  }
  return SaveWholeFile(path, bytes);
}

}  // namespace rqm27
