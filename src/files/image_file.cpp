#include "files/image_file.h"

#include "codec/memory_image.h"
#include "codec/title_block.h"
#include "files/clone_file.h"
#include "files/csv_file.h"
#include "files/file_io.h"
#include "files/json_image.h"
#include "files/multi_csv.h"

#include "model/row_labels.h"

#include <QDateTime>
#include <QFileInfo>

namespace rqm27 {

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
  switch (*format) {
    case ImageFormat::MemoryImage:
    case ImageFormat::Json: {
      auto image =
          *format == ImageFormat::MemoryImage ? DecodeMemoryImage(*bytes) : ReadJsonImage(*bytes);
      if (!image) return Error{QStringLiteral("%1: %2").arg(path, image.error())};
      return Noted<CloneImage>{std::move(*image), {}};
    }
    case ImageFormat::CloneFile:
      return ReadCloneFile(*bytes, StartupImage(), path);
    case ImageFormat::Csv:
    case ImageFormat::MultiCsv:
      return IsMultiCsv(*bytes) ? ImportMultiCsv(*bytes, StartupImage(), path)
                                : ImportCsv(*bytes, StartupImage(), path);
  }
  return Error{path};
}

Result<FileNotes> SaveImageFile(const QString& path, const CloneImage& image,
                                const QByteArray& base) {
  const auto format = FormatOfPath(path);
  if (!format) return Error{format.error()};
  return SaveImageFile(path, *format, image, base);
}

Result<FileNotes> SaveImageFile(const QString& path, ImageFormat format, const CloneImage& image,
                                const QByteArray& base) {
  Noted<QByteArray> file;
  switch (format) {
    case ImageFormat::MemoryImage: {
      const auto memory = EncodeMemoryImage(image, base);
      if (!memory) return Error{QStringLiteral("%1: %2").arg(path, memory.error())};
      file.value = *memory;
      break;
    }
    case ImageFormat::Json:
      file.value = WriteJsonImage(image);
      break;
    case ImageFormat::CloneFile: {
      auto written = WriteCloneFile(image, QDateTime::currentDateTime());
      if (!written) return Error{QStringLiteral("%1: %2").arg(path, written.error())};
      file = std::move(*written);
      break;
    }
    case ImageFormat::Csv:
      file = ExportCsv(image,
                       ShowRowLabels(image.banks).value_or(*ShowRowLabels(BankTable::Defaults())));
      break;
    case ImageFormat::MultiCsv:
      file = ExportMultiCsv(image);
      break;
  }
  const Status saved = SaveWholeFile(path, file.value);
  if (!saved) return Error{saved.error()};
  return std::move(file.notes);
}

}  // namespace rqm27
