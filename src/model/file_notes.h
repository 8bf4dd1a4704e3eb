// What a file reader or writer changed or left out on its way, said to the user beside the
// result instead of silently: "line 12, slot 5: step 8.33KHz does not fit 145.12340MHz; 5KHz
// kept".
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace rqm27 {

struct FileNote {
  QString place;  // "line 12", "row 5", "slot 7"; empty when the note is about the whole file
  QString message;

  bool operator==(const FileNote&) const = default;
};

using FileNotes = std::vector<FileNote>;

// A value together with what was noted while it was made.
template <typename T>
struct Noted {
  T value;
  FileNotes notes;
};

inline QString NoteText(const FileNote& note) {
  return note.place.isEmpty() ? note.message : note.place + QStringLiteral(": ") + note.message;
}

// The notes one a line, at most `limit` of them, then "and N more".
inline QStringList NoteLines(const FileNotes& notes, int limit) {
  QStringList lines;
  for (const FileNote& note : notes) {
    if (lines.size() == limit) {
      lines << QStringLiteral("and %1 more").arg(notes.size() - static_cast<std::size_t>(limit));
      break;
    }
    lines << NoteText(note);
  }
  return lines;
}

}  // namespace rqm27
