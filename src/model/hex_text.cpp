#include "model/hex_text.h"

namespace rqm27 {

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

std::optional<std::uint8_t> ByteFromHex(QStringView text, qsizetype pos) {
  if (pos < 0 || pos + 2 > text.size()) return std::nullopt;
  const auto high = HexDigitValue(text[pos]);
  const auto low = HexDigitValue(text[pos + 1]);
  if (!high || !low) return std::nullopt;
  return static_cast<std::uint8_t>(*high * 16 + *low);
}

std::optional<std::uint16_t> Word16FromHex(QStringView text, qsizetype pos) {
  const auto low = ByteFromHex(text, pos);
  const auto high = ByteFromHex(text, pos + 2);
  if (!low || !high) return std::nullopt;
  return static_cast<std::uint16_t>(*high * 256 + *low);
}

QString Word16ToHex(std::uint16_t value) {
  return HexPad(value & 0xFF, 2) + HexPad(value >> 8, 2);
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

Result<QString> BinaryToHex(QStringView binary) {
  if (binary.size() % 4 != 0) {
    return Error{
        QStringLiteral("binary digits: length %1 is not a multiple of 4").arg(binary.size())};
  }
  QString hex;
  hex.reserve(binary.size() / 4);
  for (qsizetype i = 0; i < binary.size(); i += 4) {
    int value = 0;
    for (qsizetype k = 0; k < 4; ++k) {
      const QChar c = binary[i + k];
      if (c != u'0' && c != u'1') {
        return Error{QStringLiteral("binary digits: \"%1\" at character %2 is not 0 or 1")
                         .arg(c)
                         .arg(i + k + 1)};
      }
      value = value * 2 + (c == u'1' ? 1 : 0);
    }
    hex += HexPad(value, 1);
  }
  return hex;
}

Result<QString> HexToBinary(QStringView hex) {
  QString binary;
  binary.reserve(hex.size() * 4);
  for (qsizetype i = 0; i < hex.size(); ++i) {
    const auto value = HexDigitValue(hex[i]);
    if (!value) {
      return Error{QStringLiteral("hexadecimal text: \"%1\" at character %2 is not a digit")
                       .arg(hex[i])
                       .arg(i + 1)};
    }
    binary += QLatin1StringView(NibbleBits[*value].data(), 4);
  }
  return binary;
}

}  // namespace rqm27
