// The program's version and release date as its windows show them.
#pragma once

#include <QString>

namespace rqm27 {

inline QString VersionText() {
  return QStringLiteral(RQM27_VERSION);
}

inline QString ReleaseDate() {
  return QStringLiteral("2021/1");
}

// The main window's title, with the file last opened or saved when there is one.
inline QString MainWindowTitle(const QString& documentPath) {
  QString title = QStringLiteral("RQ-M27 Clone Utility v.") + VersionText();
  if (!documentPath.isEmpty()) title += QStringLiteral(" [") + documentPath + u']';
  return title;
}

}  // namespace rqm27
