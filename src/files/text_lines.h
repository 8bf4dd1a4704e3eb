// The program's text files: lines in the CP932 code page, each ended by CR LF.
#pragma once

#include <QByteArray>
#include <QStringList>

namespace rqm27 {

// The lines of a file; CR LF, CR and LF all end a line, and a final line end does not start
// another line.
QStringList ReadTextLines(const QByteArray& bytes);

// The file of these lines, each ended by CR LF.
QByteArray WriteTextLines(const QStringList& lines);

}  // namespace rqm27
