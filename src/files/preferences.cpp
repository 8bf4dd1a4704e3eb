#include "files/preferences.h"

#include "files/clone_file.h"
#include "files/file_io.h"
#include "model/channel_rules.h"
#include "model/code_page.h"
#include "model/lenient_number.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace rqm27 {
namespace {

inline constexpr int PortLineLength = 9;
inline constexpr int PortNumberPosition = 7;  // 0-based: characters 8 and 9
const QString PortNameTag = QStringLiteral("PORTNAME");
const QByteArray FileEndLine = QByteArrayLiteral("File End\r\n");
const QString RecentFilesKey = QStringLiteral("recentFiles");

QStringList Lines(const QByteArray& bytes) {
  QStringList lines = Cp932ToUnicode(bytes).split(u'\n');
  for (QString& line : lines) {
    if (line.endsWith(u'\r')) line.chop(1);
  }
  return lines;
}

}  // namespace

QString PreferencesPath() {
  QString chosen = qEnvironmentVariable("RQM27_PREFERENCES");
  if (!chosen.isEmpty()) return chosen;
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
         QStringLiteral("/RQ-M27_Writer.INI");
}

QString NumberedPortName(int port) {
  return QStringLiteral("COM%1").arg(port);
}

std::optional<int> NumberOfPort(const QString& portName) {
  if (!portName.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive)) return std::nullopt;
  const QStringView digits = QStringView(portName).mid(3);
  if (digits.isEmpty() || digits.size() > 2 || digits.front() == u'0') return std::nullopt;
  bool ok = false;
  const int port = digits.toInt(&ok);
  if (!ok || port < 1 || port > MaxPort) return std::nullopt;
  return port;
}

int ReadPreferencesPort(const QByteArray& bytes) {
  for (const QString& line : Lines(bytes)) {
    if (!line.startsWith(QStringLiteral("CO"))) continue;
    if (line.size() != PortLineLength) return DefaultPort;
    const long long port = LeadingInteger(QStringView(line).mid(PortNumberPosition));
    return port >= 1 && port <= MaxPort ? static_cast<int>(port) : DefaultPort;
  }
  return DefaultPort;
}

QString ReadPreferencesPortName(const QByteArray& bytes) {
  for (const QString& line : Lines(bytes)) {
    if (line.startsWith(PortNameTag) && line.size() > PortNameTag.size()) {
      return line.mid(PortNameTag.size());
    }
  }
  return NumberedPortName(ReadPreferencesPort(bytes));
}

int LoadPreferences(const QString& path) {
  const Result<QByteArray> bytes = ReadWholeFile(path);
  return bytes ? ReadPreferencesPort(*bytes) : DefaultPort;
}

QString LoadPreferencesPortName(const QString& path) {
  const Result<QByteArray> bytes = ReadWholeFile(path);
  return bytes ? ReadPreferencesPortName(*bytes) : NumberedPortName(DefaultPort);
}

Status SavePreferences(const QString& path, const CloneImage& image, const QDateTime& now,
                       const QString& portName) {
  const QString folder = QFileInfo(path).absolutePath();
  if (!QDir().mkpath(folder)) {
    return Error{QStringLiteral("cannot write %1: cannot create the folder %2").arg(path, folder)};
  }
  // The preferences keep the image as a clone file does; a channel the file cannot hold (only
  // a receiver's memory can have one) is left out of them rather than losing the port.
  CloneImage kept = image;
  for (ChannelSlot& slot : kept.channels) {
    if (slot.used && ChannelFault(slot)) slot.clear();
  }
  const auto written = WriteCloneFile(kept, now);
  if (!written) return Error{QStringLiteral("cannot write %1: %2").arg(path, written.error())};
  QByteArray bytes = written->value;
  if (!portName.isEmpty() && !NumberOfPort(portName)) {
    const QByteArray line = UnicodeToCp932(PortNameTag + portName) + "\r\n";
    const qsizetype end = bytes.lastIndexOf(FileEndLine);
    bytes.insert(end >= 0 ? end : bytes.size(), line);
  }
  return SaveWholeFile(path, bytes);
}

QString SettingsPathBeside(const QString& preferencesPath) {
  return QFileInfo(preferencesPath).absoluteDir().filePath(QStringLiteral("rqm27.conf"));
}

QStringList WithRecentFile(QStringList files, const QString& path) {
  files.removeAll(path);
  files.prepend(path);
  return files.mid(0, MaxRecentFiles);
}

QStringList LoadRecentFiles(const QString& preferencesPath) {
  const QSettings settings(SettingsPathBeside(preferencesPath), QSettings::IniFormat);
  return settings.value(RecentFilesKey).toStringList().mid(0, MaxRecentFiles);
}

Status SaveRecentFiles(const QString& preferencesPath, const QStringList& files) {
  const QString path = SettingsPathBeside(preferencesPath);
  QSettings settings(path, QSettings::IniFormat);
  settings.setValue(RecentFilesKey, files.mid(0, MaxRecentFiles));
  settings.sync();
  if (settings.status() != QSettings::NoError) {
    return Error{QStringLiteral("cannot write %1").arg(QDir::toNativeSeparators(path))};
  }
  return Ok();
}

}  // namespace rqm27
