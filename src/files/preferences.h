// The preferences file: a complete clone file (see clone_file.h) kept in the user's
// configuration folder, of which only the port lines are read back at start-up:
//
//   record    layout
//   COMPORT   "COMPORT" + the serial port number as 2 digits, 01-16; 9 characters
//   PORTNAME  "PORTNAME" + the name of a port that is not COM1-COM16 ("/dev/ttyUSB0", "sim");
//             only when such a port is chosen, just before "File End"; the clone file reader
//             skips it
//
// The first line that starts with "CO" is the port line. A port line of another length, a
// number that is not above 0 or above 16, a file without a port line and a missing or
// unreadable file all give port 1. The first PORTNAME line, when there is one, names the port
// in use instead.
//
// Beside it, the settings file "rqm27.conf" (Qt's INI form, UTF-8, so that any path fits)
// keeps the full-write choices (fullWrite/backup, fullWrite/verify) and the recent files
// (recentFiles: full paths, the most recent first).
#pragma once

#include "model/clone_image.h"
#include "model/result.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace rqm27 {

inline constexpr int DefaultPort = 1;
inline constexpr int MaxPort = 16;
inline constexpr int MaxRecentFiles = 8;

// The preferences file in the per-user configuration folder (the program's own folder is not
// writable once installed), or the file the environment variable RQM27_PREFERENCES names.
QString PreferencesPath();

// "COM7" for 7; the number of "COM1"-"COM16" (any case), nullopt for any other name.
QString NumberedPortName(int port);
std::optional<int> NumberOfPort(const QString& portName);

// The port number of a preferences file's contents.
int ReadPreferencesPort(const QByteArray& bytes);
// The name of the port in use: the PORTNAME line's name, else "COM" + the port number.
QString ReadPreferencesPortName(const QByteArray& bytes);

// The same of the preferences file at `path`; port 1 when it cannot be read.
int LoadPreferences(const QString& path);
QString LoadPreferencesPortName(const QString& path);

// Writes the image with its port as a clone file to `path`, creating the folder when needed;
// a `portName` other than COM1-COM16 is kept in a PORTNAME line. An existing file is replaced
// only when the new one is complete.
Status SavePreferences(const QString& path, const CloneImage& image, const QDateTime& now,
                       const QString& portName = {});

// The settings file beside the preferences file at `preferencesPath`.
QString SettingsPathBeside(const QString& preferencesPath);

// The list with `path` first and nowhere else, cut to MaxRecentFiles.
QStringList WithRecentFile(QStringList files, const QString& path);
// The recent files kept beside the preferences file; none when there is no settings file.
QStringList LoadRecentFiles(const QString& preferencesPath);
// Keeps the recent files (at most MaxRecentFiles) beside the preferences file, leaving the
// other settings as they are; an error names the settings file.
Status SaveRecentFiles(const QString& preferencesPath, const QStringList& files);

}  // namespace rqm27
