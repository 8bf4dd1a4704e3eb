// The multi-radio channel list (.csv) that hobbyists exchange between programming programs of
// many radios: a header row naming the columns, then one row a channel, frequencies in
// megahertz. The layout and how each column maps onto a channel are described in
// multi_csv.cpp.
#pragma once

#include "model/clone_image.h"
#include "model/file_notes.h"
#include "model/result.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace rqm27 {

// True when the file's first row is this layout's header: its first field "Location" and a
// "Frequency" column among the others.
bool IsMultiCsv(const QByteArray& bytes);

// The used memory channels (slots 1-1200) as rows, Location slot - 1, under the full header.
// Notes what the layout cannot hold: a sub-tone type it has no word for, a name's codes without
// a character.
Noted<QByteArray> ExportMultiCsv(const CloneImage& image);

// The image after importing the rows over memory channels of `current`: the row of Location n
// goes to slot n + 1, or, with `firstSlot`, the rows go one after another to firstSlot and on.
// Only the slots the rows name change. Refused, naming the file, when the header is not this
// layout's, a quoted field is not closed or firstSlot is not a memory channel. What was left out
// or changed is noted by row.
Result<Noted<CloneImage>> ImportMultiCsv(const QByteArray& bytes, const CloneImage& current,
                                         const QString& fileName,
                                         std::optional<int> firstSlot = std::nullopt);

}  // namespace rqm27
