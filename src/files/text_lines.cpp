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

}  // namespace rqm27
