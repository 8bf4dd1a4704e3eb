#include "widgets/default_extension.h"

#include <QFileInfo>

namespace rqm27 {

QString WithDefaultExtension(const QString& path, const QString& suffix) {
  if (suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  return path + u'.' + suffix;
}

}  // namespace rqm27
