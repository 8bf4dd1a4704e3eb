// A user icon as the receiver keeps it: 32 bytes at 0x1000 + 32n for icon n (0-7), two bands
// of eight rows, one byte a column of a band.
//
//   offset  width  field
//   k       1      column k (0-15) of rows 0-7: bit 0 (least significant) is row 0,
//                  bit 7 (most significant) row 7
//   16+k    1      column k of rows 8-15: bit 0 is row 8, bit 7 row 15
//
// A set bit is a set pixel. Byte 0 = 01 alone is pixel (row 0, column 0); byte 16 = 80 alone
// is pixel (row 15, column 0). The icon is carried as 64 upper-case hexadecimal characters.
#pragma once

#include "model/icon_pixels.h"
#include "model/result.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace rqm27 {

constexpr int IconAddress(int n) {
  return 0x1000 + 32 * n;
}
inline constexpr int IconBytes = 32;

// The icon of the first 32 bytes; a byte beyond the end of a shorter array counts as 00.
IconGlyph DecodeIconGlyph(const QByteArray& bytes);

// The 32 bytes of an icon; a pixel is set when it holds 1, every other value is clear.
QByteArray EncodeIconGlyph(const IconGlyph& glyph);

// The 32 bytes as 64 upper-case hexadecimal characters.
QString EncodeFontGlyph(const IconGlyph& glyph);

// The icon of hexadecimal text, either case, of at least 64 characters; only the first 64 are
// read (a block read hands over 128). A shorter text or a character in the first 64 that is
// not a hexadecimal digit is an error naming "icon data".
Result<IconGlyph> ExpandFontString(QStringView hex);

}  // namespace rqm27
