// The preferences file: a complete clone file (see clone_file.h) kept in the user's
// configuration folder, of which only the port line is read back at start-up:
//
//   record    layout
//   COMPORT   "COMPORT" + the serial port number as 2 digits, 01-16; 9 characters
//
// The first line that starts with "CO" is the port line. A port line of another length, a
// number that is not above 0 or above 16, a file without a port line and a missing or
// unreadable file all give port 1.
#pragma once

#include "model/clone_image.h"
#include "model/result.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace rqm27 {

inline constexpr int DefaultPort = 1;
inline constexpr int MaxPort = 16;

// The preferences file in the per-user configuration folder (the program's own folder is not
// writable once installed).
QString PreferencesPath();

// The port of a preferences file's contents.
int ReadPreferencesPort(const QByteArray& bytes);

// The port of the preferences file at `path`; 1 when it cannot be read.
int LoadPreferences(const QString& path);

// Writes the image with its port as a clone file to `path`, creating the folder when needed.
// An existing file is replaced only when the new one is complete.
Status SavePreferences(const QString& path, const CloneImage& image, const QDateTime& now);

}  // namespace rqm27
