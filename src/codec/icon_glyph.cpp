#include "codec/icon_glyph.h"

#include "codec/byte_view.h"
#include "model/hex_text.h"

#include <cstdint>

namespace rqm27 {
namespace {

inline constexpr int BandRows = 8;

// The byte that holds pixel (row, column) and the pixel's bit in it.
constexpr int ByteOf(int row, int column) {
  return (row / BandRows) * IconSize + column;
}
constexpr int BitOf(int row) {
  return row % BandRows;
}

}  // namespace

IconGlyph DecodeIconGlyph(const QByteArray& bytes) {
  const QByteArray padded = ZeroPadded(bytes, IconBytes);
  const ByteReader read(padded);
  IconGlyph glyph{};
  for (int row = 0; row < IconSize; ++row) {
    for (int column = 0; column < IconSize; ++column) {
      glyph[row][column] = static_cast<std::uint8_t>(read.bits(ByteOf(row, column), BitOf(row), 1));
    }
  }
  return glyph;
}

QByteArray EncodeIconGlyph(const IconGlyph& glyph) {
  QByteArray bytes(IconBytes, '\0');
  ByteWriter write(bytes);
  for (int row = 0; row < IconSize; ++row) {
    for (int column = 0; column < IconSize; ++column) {
      if (glyph[row][column] == 1) write.setBits(ByteOf(row, column), BitOf(row), 1, 1);
    }
  }
  return bytes;
}

QString EncodeFontGlyph(const IconGlyph& glyph) {
  return BytesToHex(EncodeIconGlyph(glyph));
}

Result<IconGlyph> ExpandFontString(QStringView hex) {
  const QString what = QStringLiteral("icon data");
  if (hex.size() < 2 * IconBytes) {
    return Error{QStringLiteral("%1: expected at least %2 hexadecimal characters, found %3")
                     .arg(what)
                     .arg(2 * IconBytes)
                     .arg(hex.size())};
  }
  const Result<QByteArray> bytes = HexToBytes(hex.first(2 * IconBytes), what, IconBytes);
  if (!bytes) return Error{bytes.error()};
  return DecodeIconGlyph(*bytes);
}

}  // namespace rqm27
