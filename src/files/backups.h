// Backups of a receiver's memory, made before a full write: raw memory images (.bin, the one
// format that keeps everything a read gets) in the per-user data folder, named by the time
// they were made and never overwritten. Restoring one is writing that file back.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace rqm27 {

// <per-user data folder>/backups.
QString DefaultBackupFolder();

// A path in the folder for a backup made at `now`, "2026-12-06T10-00-00.bin", with "-2", "-3"
// ... added when that name is taken.
QString NewBackupPath(const QString& folder, const QDateTime& now);

// The backups in the folder, newest first, as full paths.
QStringList ListBackups(const QString& folder);

}  // namespace rqm27
