// Hexadecimal text: two upper-case characters a byte, bytes in ascending address order,
// multi-byte numbers little-endian. This is how the receiver's link carries every byte and how
// the clone file stores the areas it keeps as bytes. Binary-digit text ("0"/"1", four a
// hexadecimal digit, most significant first) is used by the group records and the icons.
#pragma once

#include "model/result.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace rqm27 {

// Entry v is the four binary digits of v, most significant first.
inline constexpr std::array<std::string_view, 16> NibbleBits = {
    "0000", "0001", "0010", "0011", "0100", "0101", "0110", "0111",
    "1000", "1001", "1010", "1011", "1100", "1101", "1110", "1111"};

// Upper-case hexadecimal digits of value, left-padded with "0" to width; never cut.
QString HexPad(std::uint64_t value, int width);

// The value of one hexadecimal digit (either case), or nullopt.
std::optional<int> HexDigitValue(QChar c);

// Two characters at text[pos], read as one byte; nullopt when they are not hexadecimal.
std::optional<std::uint8_t> ByteFromHex(QStringView text, qsizetype pos = 0);

// Four characters, low byte first ("2C01" is 300); nullopt when not hexadecimal.
std::optional<std::uint16_t> Word16FromHex(QStringView text, qsizetype pos = 0);

// Text for a 16-bit value, low byte first: 300 gives "2C01".
QString Word16ToHex(std::uint16_t value);

// Upper-case text of bytes, two characters each.
QString BytesToHex(const QByteArray& bytes);

// Strict reader for hexadecimal text from a receiver or a file: every character must be a
// hexadecimal digit and the length must be even (and equal expectedBytes * 2 when given).
// The error names `what` ("settings area", "group record 3").
Result<QByteArray> HexToBytes(QStringView text, const QString& what, int expectedBytes = -1);

// Binary-digit text to hexadecimal, four digits at a time; the length must be a multiple of 4
// and every character "0" or "1".
Result<QString> BinaryToHex(QStringView binary);

// Hexadecimal text to binary digits, four per character.
Result<QString> HexToBinary(QStringView hex);

}  // namespace rqm27
