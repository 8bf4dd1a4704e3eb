// Channels on the clipboard: copied rows in two forms at once, the program's own bytes (every
// value exactly, for pasting into this program) and tab-separated text (the grid's cells, for
// spreadsheets and for text typed or copied from elsewhere); either read back into a list of
// channels and pasted into an image at a slot.
//
// The text: a header line with the grid's column captions, then a line for each row with the
// grid's cell texts (an empty row has empty cells); the row label and the hidden transmit tone
// are left out. Reading takes the columns its header names (any order, "---" for the transmit
// tone) or, without a header, the columns in the order written; a missing or empty cell keeps
// the default value, so a column of frequencies alone makes channels.
#pragma once

#include "model/channel_edits.h"
#include "model/channel_slot.h"
#include "model/clone_image.h"
#include "model/file_notes.h"
#include "model/result.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <span>
#include <vector>

namespace rqm27 {

inline constexpr QStringView ChannelsMimeType = u"application/x-rqm27-channels";

// Rows read from the clipboard, in order. A row that could not be read is nullopt: its place
// is kept, and a paste leaves the slot it falls on as it was.
using ClipboardRows = std::vector<std::optional<ChannelSlot>>;

// The channels of `selection` (used or not) as the bytes of ChannelsMimeType.
QByteArray EncodeClipboardBytes(const CloneImage& image, std::span<const int> selection);

// The channels of `selection` as tab-separated text, each line ended by LF.
QString EncodeClipboardText(const CloneImage& image, std::span<const int> selection);

// The rows of ChannelsMimeType bytes. Refused when they are not such bytes; a row whose values
// break the channel rules is not taken and noted ("row 3").
Result<Noted<ClipboardRows>> DecodeClipboardBytes(const QByteArray& bytes);

// The rows of tab-separated text, read the way the CSV import reads its fields (ParseMegahertz,
// the tables' labels, DCS codes by their number). A row that is not a channel or breaks the
// channel rules is not taken and noted ("line 4"); a step its frequency or offset does not fit
// is replaced and noted.
Noted<ClipboardRows> DecodeClipboardText(QStringView text);

// Puts the rows into the image from slot `start` on, one slot a row, no further than slot 1700:
// rows that would go further are not taken and noted. Refused for a start among the presets
// and for a start on the SUB row of a dual-watch pair, so that pairs stay pairs.
Result<EditedSlots> PasteChannels(CloneImage& image, int start, const ClipboardRows& rows);

}  // namespace rqm27
