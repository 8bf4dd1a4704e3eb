#include "files/text_lines.h"

#include "model/code_page.h"

#include <QRegularExpression>

namespace rqm27 {

QStringList ReadTextLines(const QByteArray& bytes) {
  static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
  QStringList lines = Cp932ToUnicode(bytes).split(lineEnd);
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

QByteArray WriteTextLines(const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) bytes += UnicodeToCp932(line) + "\r\n";
  return bytes;
}

void NoteCodesWithoutText(const ChannelName& name, const QString& what, const QString& place,
                          FileNotes& notes) {
  if (NameSurvivesText(name)) return;
  notes.push_back({place, QStringLiteral("%1 holds codes that are not characters; written as "
                                         "\"?\" (a .bin or .json file keeps them)")
                              .arg(what)});
}

}  // namespace rqm27
