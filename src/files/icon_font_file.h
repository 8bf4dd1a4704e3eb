// The icon font file (.FK5): the eight user icons as rows of "0" and "1". The layout is
// described in icon_font_file.cpp.
#pragma once

#include "model/icon_pixels.h"
#include "model/result.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace rqm27 {

// The 138 lines of a font file holding the icons, stamped with `now`.
QByteArray WriteIconFontFile(const IconPixels& icons, const QDateTime& now);

// The icons after reading a font file over `current`: what the file holds replaces, pixel by
// pixel, what it can; the rest keeps its value. Refused, with a message naming the file, when
// the name does not end in "FK5" (any case).
Result<IconPixels> ReadIconFontFile(const QByteArray& bytes, const IconPixels& current,
                                    const QString& fileName);

}  // namespace rqm27
