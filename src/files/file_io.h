// Reading and writing whole files with messages that name the file and the reason. A save
// replaces the old file only when the new one is complete.
#pragma once

#include "model/result.h"

#include <QByteArray>
#include <QString>

namespace rqm27 {

Result<QByteArray> ReadWholeFile(const QString& path);

// Writes through a temporary file that replaces `path` on success; on failure `path` is left
// exactly as it was.
Status SaveWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace rqm27
