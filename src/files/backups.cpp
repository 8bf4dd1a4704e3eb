#include "files/backups.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace rqm27 {

QString DefaultBackupFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
         QStringLiteral("/backups");
}

QString NewBackupPath(const QString& folder, const QDateTime& now) {
  const QString stem = QDir(folder).filePath(now.toString(u"yyyy-MM-ddTHH-mm-ss"));
  QString path = stem + QStringLiteral(".bin");
  for (int n = 2; QFileInfo::exists(path); ++n) {
    path = stem + QStringLiteral("-%1.bin").arg(n);
  }
  return path;
}

QStringList ListBackups(const QString& folder) {
  const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.bin")}, QDir::Files,
                                                         QDir::Name | QDir::Reversed);
  QStringList paths;
  for (const QFileInfo& file : files) paths << file.absoluteFilePath();
  return paths;
}

}  // namespace rqm27
