#include "model/hex_text.h"

namespace rqm27 {

namespace {

// Two characters at text[pos], read as one byte; nullopt when they are not hexadecimal.
std::optional<std::uint8_t> ByteFromHex(QStringView text, qsizetype pos) {
  if (pos < 0 || pos + 2 > text.size()) return std::nullopt;
  const auto high = HexDigitValue(text[pos]);
  const auto low = HexDigitValue(text[pos + 1]);
  if (!high || !low) return std::nullopt;
  return static_cast<std::uint8_t>(*high * 16 + *low);
}

}  // namespace

QString HexPad(std::uint64_t value, int width) {
  QString digits = QString::number(value, 16).toUpper();
  if (digits.size() < width) digits.prepend(QString(width - digits.size(), u'0'));
  return digits;
}

std::optional<int> HexDigitValue(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'0' && u <= u'9') return u - u'0';
  if (u >= u'A' && u <= u'F') return u - u'A' + 10;
  if (u >= u'a' && u <= u'f') return u - u'a' + 10;
  return std::nullopt;
}

QString BytesToHex(const QByteArray& bytes) {
  return QString::fromLatin1(bytes.toHex().toUpper());
}

Result<QByteArray> HexToBytes(QStringView text, const QString& what, int expectedBytes) {
  if (expectedBytes >= 0 && text.size() != 2 * expectedBytes) {
    return Error{QStringLiteral("%1: expected %2 hexadecimal characters, found %3")
                     .arg(what)
                     .arg(2 * expectedBytes)
                     .arg(text.size())};
  }
  if (text.size() % 2 != 0) {
    return Error{
        QStringLiteral("%1: odd number of hexadecimal characters (%2)").arg(what).arg(text.size())};
  }
  QByteArray bytes(text.size() / 2, '\0');
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto byte = ByteFromHex(text, 2 * i);
    if (!byte) {
      const qsizetype bad = HexDigitValue(text[2 * i]) ? 2 * i + 1 : 2 * i;
      return Error{QStringLiteral("%1: \"%2\" at character %3 is not a hexadecimal digit")
                       .arg(what, text[bad])
                       .arg(bad + 1)};
    }
    bytes[i] = static_cast<char>(*byte);
  }
  return bytes;
}

}  // namespace rqm27
