#include "files/image_bytes.h"

#include "codec/memory_image.h"
#include "files/clone_file.h"
#include "files/csv_file.h"
#include "files/json_image.h"
#include "files/multi_csv.h"
#include "model/row_labels.h"

#include <QDateTime>

namespace rqm27 {

Result<Noted<CloneImage>> ImageFromBytes(const QByteArray& bytes, ImageFormat format,
                                         const QString& name, std::optional<int> firstSlot) {
  switch (format) {
    case ImageFormat::MemoryImage:
    case ImageFormat::Json: {
      auto image =
          format == ImageFormat::MemoryImage ? DecodeMemoryImage(bytes) : ReadJsonImage(bytes);
      if (!image) return Error{QStringLiteral("%1: %2").arg(name, image.error())};
      return Noted<CloneImage>{std::move(*image), {}};
    }
    case ImageFormat::CloneFile:
      return ReadCloneFile(bytes, StartupImage(), name);
    case ImageFormat::Csv:
    case ImageFormat::MultiCsv:
      return IsMultiCsv(bytes) ? ImportMultiCsv(bytes, StartupImage(), name, firstSlot)
                               : ImportCsv(bytes, StartupImage(), name);
  }
  return Error{name};
}

Result<Noted<QByteArray>> ImageToBytes(const CloneImage& image, ImageFormat format,
                                       const QByteArray& base, const QString& name) {
  switch (format) {
    case ImageFormat::MemoryImage: {
      auto memory = EncodeMemoryImage(image, base);
      if (!memory) return Error{QStringLiteral("%1: %2").arg(name, memory.error())};
      return Noted<QByteArray>{std::move(*memory), {}};
    }
    case ImageFormat::Json:
      return Noted<QByteArray>{WriteJsonImage(image), {}};
    case ImageFormat::CloneFile: {
      auto written = WriteCloneFile(image, QDateTime::currentDateTime());
      if (!written) return Error{QStringLiteral("%1: %2").arg(name, written.error())};
      return std::move(*written);
    }
    case ImageFormat::Csv:
      return ExportCsv(image,
                       ShowRowLabels(image.banks).value_or(*ShowRowLabels(BankTable::Defaults())));
    case ImageFormat::MultiCsv:
      return ExportMultiCsv(image);
  }
  return Error{name};
}

}  // namespace rqm27
