#include "files/file_io.h"

#include <QFile>
#include <QSaveFile>

namespace rqm27 {

Result<QByteArray> ReadWholeFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return Error{QStringLiteral("cannot open %1: %2").arg(path, file.errorString())};
  }
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    return Error{QStringLiteral("cannot read %1: %2").arg(path, file.errorString())};
  }
  return bytes;
}

Status SaveWholeFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  // Unbuffered, so that a short write (a full disk) shows in write() itself.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    return Error{QStringLiteral("cannot write %1: %2").arg(path, file.errorString())};
  }
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return Error{QStringLiteral("cannot write %1: %2").arg(path, reason)};
  }
  return Ok();
}

}  // namespace rqm27
