#include "files/preferences.h"

#include "files/clone_file.h"
#include "files/file_io.h"
#include "model/code_page.h"
#include "model/lenient_number.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace rqm27 {
namespace {

inline constexpr int PortLineLength = 9;
inline constexpr int PortNumberPosition = 7;  // 0-based: characters 8 and 9

}  // namespace

QString PreferencesPath() {
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
         QStringLiteral("/RQ-M27_Writer.INI");
}

int ReadPreferencesPort(const QByteArray& bytes) {
  const QStringList lines = Cp932ToUnicode(bytes).split(u'\n');
  for (QString line : lines) {
    if (line.endsWith(u'\r')) line.chop(1);
    if (!line.startsWith(QStringLiteral("CO"))) continue;
    if (line.size() != PortLineLength) return DefaultPort;
    const long long port = LeadingInteger(QStringView(line).mid(PortNumberPosition));
    return port >= 1 && port <= MaxPort ? static_cast<int>(port) : DefaultPort;
  }
  return DefaultPort;
}

int LoadPreferences(const QString& path) {
  const Result<QByteArray> bytes = ReadWholeFile(path);
  return bytes ? ReadPreferencesPort(*bytes) : DefaultPort;
}

Status SavePreferences(const QString& path, const CloneImage& image, const QDateTime& now) {
  const QString folder = QFileInfo(path).absolutePath();
  if (!QDir().mkpath(folder)) {
    return Error{QStringLiteral("cannot write %1: cannot create the folder %2").arg(path, folder)};
  }
  return SaveWholeFile(path, WriteCloneFile(image, now));
}

}  // namespace rqm27
