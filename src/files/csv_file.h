// The channel list as CSV (.CSV): what the grid shows, one line a grid row, for a spreadsheet
// to open and for the import to read back. The layout is described in csv_file.cpp.
#pragma once

#include "model/clone_image.h"
#include "model/file_notes.h"
#include "model/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace rqm27 {

// The 1721 lines of the export: the header row, then slots 1-1720 used or not. rowLabels holds
// the label of slot n at index n - 1; a missing label is written empty.
// Notes the names that hold codes without a text form.
Noted<QByteArray> ExportCsv(const CloneImage& image, const QStringList& rowLabels);

// The image after importing a CSV file over slots 1-1700 of `current`; the presets 1701-1721
// and every other area are kept. Refused, with a message naming the file, when the name does
// not end in "CSV" (any case) or the first line is not a channel list header. What was left
// out or changed is noted by row.
Result<Noted<CloneImage>> ImportCsv(const QByteArray& bytes, const CloneImage& current,
                                    const QString& fileName);

}  // namespace rqm27
