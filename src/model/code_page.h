// The receiver and the program's files keep text in the Japanese double-byte code page CP932
// (Windows-31J). This module is the one place that converts between it and Unicode.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace rqm27 {

// Bytes in CP932 to text; a byte sequence that is not valid CP932 becomes U+FFFD.
QString Cp932ToUnicode(const QByteArray& bytes);

// Text to CP932; a character that CP932 cannot represent becomes "?".
QByteArray UnicodeToCp932(QStringView text);

// The CP932 bytes of one character (a Unicode code point), or nullopt when CP932 has none.
std::optional<QByteArray> CharToCp932(char32_t character);

// How many bytes the text takes in CP932 (the editors limit names to 16).
int Cp932ByteLength(QStringView text);

}  // namespace rqm27
