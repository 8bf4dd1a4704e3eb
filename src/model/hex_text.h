// Hexadecimal text: two upper-case characters a byte, bytes in ascending address order. This is
// how the receiver's link carries every byte and how the clone file and the JSON image store
// the areas they keep as bytes.
#pragma once

#include "model/result.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace rqm27 {

// Upper-case hexadecimal digits of value, left-padded with "0" to width; never cut.
QString HexPad(std::uint64_t value, int width);

// The value of one hexadecimal digit (either case), or nullopt.
std::optional<int> HexDigitValue(QChar c);

// Upper-case text of bytes, two characters each.
QString BytesToHex(const QByteArray& bytes);

// Strict reader for hexadecimal text from a receiver or a file: every character must be a
// hexadecimal digit and the length must be even (and equal expectedBytes * 2 when given).
// The error names `what` ("settings area", "group record 3").
Result<QByteArray> HexToBytes(QStringView text, const QString& what, int expectedBytes = -1);

}  // namespace rqm27
