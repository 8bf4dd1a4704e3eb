// The icon font file: text, 138 lines each ended by CR LF.
//
//   line     content
//   1        "Save Date and Time " + date and time (yyyy/MM/dd H:mm:ss); never read
//   2        "0": the block of icon 0 begins
//   3-18     rows 0-15 of icon 0, top first: 16 characters each, column 0 first,
//            "1" a set pixel, "0" a clear one
//   19-35    "1" and the 16 rows of icon 1
//   ...      and so on up to icon 7 (lines 121-137)
//   138      "File End"
//
// Reading skips line 1. A line of exactly one character whose number is below 8 (a character
// that is not a digit counts as 0) opens the next block; blocks fill icons 0, 1, 2, ... in the
// order they come, whatever their digit. The 16 lines after it are rows 0-15: a line that is
// not 16 characters long leaves its row as it was, and a character other than "0" or "1"
// leaves its pixel. Lines outside blocks are ignored. Reading stops at a ninth block or at the
// end of the file, keeping what has been read.
#include "files/icon_font_file.h"

#include "files/text_lines.h"

#include "model/code_page.h"
#include "model/lenient_number.h"

#include <QRegularExpression>
#include <QStringList>

namespace rqm27 {

namespace {

constexpr QLatin1StringView kLineEnd("\r\n");

QString RowText(const std::array<std::uint8_t, IconSize>& row) {
  QString text;
  for (std::uint8_t pixel : row) text += pixel != 0 ? u'1' : u'0';
  return text;
}

bool IsBlockHeader(const QString& line) {
  return line.size() == 1 && LeadingNumber(line) < IconCount;
}

void ReadRow(const QString& line, std::array<std::uint8_t, IconSize>& row) {
  if (line.size() != IconSize) return;
  for (int c = 0; c < IconSize; ++c) {
    if (line[c] == u'0') row[static_cast<std::size_t>(c)] = 0;
    if (line[c] == u'1') row[static_cast<std::size_t>(c)] = 1;
  }
}

}  // namespace

QByteArray WriteIconFontFile(const IconPixels& icons, const QDateTime& now) {
  QString text = QStringLiteral("Save Date and Time ") +
                 now.toString(QStringLiteral("yyyy/MM/dd H:mm:ss")) + kLineEnd;
  for (int n = 0; n < IconCount; ++n) {
    text += QString::number(n) + kLineEnd;
    for (const auto& row : icons[static_cast<std::size_t>(n)]) text += RowText(row) + kLineEnd;
  }
  text += QStringLiteral("File End") + kLineEnd;
  return UnicodeToCp932(text);
}

Result<IconPixels> ReadIconFontFile(const QByteArray& bytes, const IconPixels& current,
                                    const QString& fileName) {
  if (fileName.right(3).toUpper() != QLatin1StringView("FK5")) {
    return Error{QStringLiteral("This File don't Open: %1").arg(fileName)};
  }
  IconPixels icons = current;
  const QStringList lines = ReadTextLines(bytes);
  int nextIcon = 0;
  qsizetype i = 1;
  while (i < lines.size() && nextIcon < IconCount) {
    if (!IsBlockHeader(lines[i++])) continue;
    IconGlyph& glyph = icons[static_cast<std::size_t>(nextIcon++)];
    for (int row = 0; row < IconSize && i < lines.size(); ++row, ++i) {
      ReadRow(lines[i], glyph[static_cast<std::size_t>(row)]);
    }
  }
  return icons;
}

}  // namespace rqm27
