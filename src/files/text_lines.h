// The program's text files: lines in the CP932 code page, each ended by CR LF.
#pragma once

#include "model/channel_name.h"
#include "model/file_notes.h"

#include <QByteArray>
#include <QStringList>

namespace rqm27 {

// The lines of a file; CR LF, CR and LF all end a line, and a final line end does not start
// another line.
QStringList ReadTextLines(const QByteArray& bytes);

// The file of these lines, each ended by CR LF.
QByteArray WriteTextLines(const QStringList& lines);

// Notes that a name (or the title) holds codes that are not characters of the code page, which
// a text file can only write as "?".
void NoteCodesWithoutText(const ChannelName& name, const QString& what, const QString& place,
                          FileNotes& notes);

}  // namespace rqm27
