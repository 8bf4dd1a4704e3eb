// The CSV channel list: CP932 text, 1721 lines each ended by CR LF. Line 1 is the header row,
// lines 2-1721 are grid rows 1-1720 (slots 1-1720, used or not); slot 1721 is not written.
// Every line has 14 fields, each in quotation marks, a quotation mark inside a field doubled:
//
//   field  content
//   1      row label (empty in the header row)
//   2      frequency without its "MHz" when the cell is longer than 3 characters: 145.00000
//   3      mode         FM, AM, NFM, WFM, LSB, USB, CW
//   4      step         5KHz ... 1K
//   5      carrier      300Hz ... 3000Hz, Jp.Rail
//   6      sub-tone     None, Train, TSQ, SQ, DCS
//   7      always "---": the transmit tone is not exported
//   8      TSQ tone     67.0Hz ... 250.3Hz
//   9      DCS code     023 ... 754
//   10     shift        Off, +, -
//   11     shift frequency with its "MHz": 0.60000MHz
//   12     skip         "" or *
//   13     name
//   14     row number   0 in the header row
//
// The header row holds the column headers:
//   "","Frequency","Mode","Step","Carrier","Subtone","---","TSQ","DCS","Shift","Shift-Freq",
//   "Skip","Name","0"
//
// Reading: the first line, with every comma and quotation mark taken out, must be the header
// above, the older "FreqencymodestepCarrierSubtone---TSQDCSShiftShift-FreqSkipName0", or any
// 100 characters. The n-th row after it goes to slot n (1-1700); only rows of exactly 14 fields
// are read. A row that is well-formed RFC 4180 is split as such, a quoted field running on
// across line breaks; any other row is one line read the way files without escaping always
// were: every quotation mark dropped, fields split at every comma. A row with an empty
// frequency empties its slot; a row whose fields are not values a channel can hold (a
// frequency like 145.00000 with 1-4 digits before the point and 1-5 after it, a label of the
// tables, a value within the channel rules) empties its slot and is noted, and so are a step
// the frequency does not fit (replaced), a name cut to 16 characters, rows of another field
// count, and rows missing at the end. The transmit tone is not in the file: a slot keeps its
// own.
#include "files/csv_file.h"

#include "files/csv_row.h"
#include "files/text_lines.h"

#include "model/channel_rules.h"
#include "model/channel_text.h"
#include "model/code_page.h"
#include "model/lenient_number.h"
#include "model/value_tables.h"

#include <algorithm>
#include <optional>

namespace rqm27 {

namespace {

constexpr int kFieldCount = 14;
constexpr int kExportedRows = SlotCount - 1;
constexpr QStringView kToneField = u"---";
constexpr QLatin1StringView kMegahertz("MHz");
constexpr QStringView kOlderHeader =
    u"FreqencymodestepCarrierSubtone---TSQDCSShiftShift-FreqSkipName0";
constexpr int kAnyHeaderLength = 100;

// ---- Export -----------------------------------------------------------------------------

QStringList HeaderFields() {
  QStringList fields{QString()};
  for (int c = FrequencyColumn; c <= NameColumn; ++c) {
    fields << (c == TxToneColumn ? kToneField.toString()
                                 : Label(ColumnHeaders[static_cast<std::size_t>(c)]));
  }
  fields << QStringLiteral("0");
  return fields;
}

QStringList SlotFields(const ChannelSlot& slot, const QString& label, int row) {
  QStringList fields{label};
  for (int c = FrequencyColumn; c <= NameColumn; ++c) {
    fields << (c == TxToneColumn ? kToneField.toString() : ChannelCellText(slot, c));
  }
  QString& frequency = fields[FrequencyColumn];
  if (frequency.endsWith(kMegahertz)) frequency.chop(kMegahertz.size());
  fields << QString::number(row);
  return fields;
}

// ---- Splitting the text into rows ---------------------------------------------------------

bool IsHeader(QString line) {
  line.remove(u',');
  line.remove(u'"');
  return line == HeaderFields().join(QString()) || line == kOlderHeader ||
         line.size() == kAnyHeaderLength;
}

bool IsLineEnd(QChar c) {
  return c == u'\r' || c == u'\n';
}

// Moves i past the line end at i (CR LF, CR or LF), if there is one.
void SkipLineEnd(QStringView text, qsizetype& i) {
  if (i < text.size() && text[i] == u'\r') {
    ++i;
    if (i < text.size() && text[i] == u'\n') ++i;
  } else if (i < text.size() && text[i] == u'\n') {
    ++i;
  }
}

// The quoted field that starts at text[i], its doubled quotation marks made single and line
// breaks kept; i is left after the closing mark. nullopt when the field is not closed.
std::optional<QString> QuotedFieldAt(QStringView text, qsizetype& i) {
  QString field;
  for (++i; i < text.size(); ++i) {
    if (text[i] != u'"') {
      field += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == u'"') {
      field += u'"';
      ++i;
    } else {
      ++i;
      return field;
    }
  }
  return std::nullopt;
}

// The fields of the well-formed RFC 4180 row that starts at text[i] (a quoted field holds
// doubled quotation marks only and ends at a comma or the row's end; an unquoted one holds
// none), with i moved past its line end; nullopt (i unchanged) when the row is not well-formed.
std::optional<QStringList> Rfc4180Row(QStringView text, qsizetype& i) {
  QStringList fields;
  qsizetype at = i;
  while (true) {
    if (at < text.size() && text[at] == u'"') {
      const auto field = QuotedFieldAt(text, at);
      if (!field || (at < text.size() && text[at] != u',' && !IsLineEnd(text[at]))) {
        return std::nullopt;
      }
      fields << *field;
    } else {
      qsizetype end = at;
      while (end < text.size() && text[end] != u',' && !IsLineEnd(text[end])) ++end;
      const QStringView field = text.sliced(at, end - at);
      if (field.contains(u'"')) return std::nullopt;
      fields << field.toString();
      at = end;
    }
    if (at >= text.size() || IsLineEnd(text[at])) break;
    ++at;
  }
  SkipLineEnd(text, at);
  i = at;
  return fields;
}

// The row that starts at text[i]: as RFC 4180 when it is well-formed, else its line with every
// quotation mark dropped and split at every comma.
QStringList RowAt(QStringView text, qsizetype& i) {
  if (auto fields = Rfc4180Row(text, i)) return *fields;
  qsizetype end = i;
  while (end < text.size() && !IsLineEnd(text[end])) ++end;
  QString unquoted = text.sliced(i, end - i).toString();
  unquoted.remove(u'"');
  i = end;
  SkipLineEnd(text, i);
  return unquoted.split(u',');
}

// ---- Reading one row ------------------------------------------------------------------------

template <typename T>
std::optional<T> Checked(std::optional<T> value, const char* what, const QString& field,
                         QString& fault) {
  if (!value && fault.isEmpty()) {
    fault =
        QStringLiteral("%1 \"%2\" is not one the receiver has").arg(QLatin1StringView(what), field);
  }
  return value;
}

template <std::size_t N>
std::optional<std::uint8_t> TableIndex(const std::array<std::string_view, N>& table,
                                       const QString& label) {
  const auto index = IndexOfLabel(table, label);
  return index ? std::optional(static_cast<std::uint8_t>(*index)) : std::nullopt;
}

// The channel of a row's fields, or why the row cannot be one. `slot` gives the values the file
// does not carry (the transmit tone).
Result<ChannelSlot> ChannelOfRow(const QStringList& f, const ChannelSlot& slot, FileNotes& notes,
                                 const QString& place) {
  QString fault;
  const auto frequency = ParseMegahertz(f[FrequencyColumn]);
  if (!frequency) {
    return Error{QStringLiteral("frequency \"%1\" is not like 145.00000").arg(f[FrequencyColumn])};
  }
  const auto offset = ParseMegahertz(f[ShiftFreqColumn]);
  if (!offset) {
    return Error{
        QStringLiteral("shift frequency \"%1\" is not like 0.60000MHz").arg(f[ShiftFreqColumn])};
  }
  const auto mode = Checked(ModeOfLabel(f[ModeColumn]), "mode", f[ModeColumn], fault);
  const auto step = Checked(TableIndex(StepNames, f[StepColumn]), "step", f[StepColumn], fault);
  const auto carrier =
      Checked(TableIndex(CarrierNames, f[CarrierColumn]), "carrier", f[CarrierColumn], fault);
  const auto subtone =
      Checked(SubtoneOfLabel(f[SubtoneColumn]), "sub-tone", f[SubtoneColumn], fault);
  const auto tone = Checked(TableIndex(ToneNames, f[TsqColumn]), "TSQ tone", f[TsqColumn], fault);
  const auto dcs = Checked(DcsIndexOfNumber(f[DcsColumn]), "DCS code", f[DcsColumn], fault);
  const auto shift = Checked(ShiftOfLabel(f[ShiftColumn]), "shift", f[ShiftColumn], fault);
  const auto skip = Checked(SkipOfLabel(f[SkipColumn]), "skip mark", f[SkipColumn], fault);
  if (!fault.isEmpty()) return Error{fault};

  ChannelSlot channel = slot;
  channel.used = true;
  channel.frequency = *frequency;
  channel.offset = *offset;
  channel.mode = *mode;
  channel.carrier = *carrier;
  channel.subtone = *subtone;
  channel.rxTone = *tone;
  channel.dcs = static_cast<std::uint8_t>(*dcs);
  channel.shift = *shift;
  channel.skip = *skip;
  if (channel.txTone >= ToneNames.size()) channel.txTone = DefaultToneIndex;
  const QString& name = f[NameColumn];
  channel.name = NameFromText(name);
  if (name.toUcs4().size() > ChannelName::Length) {
    notes.push_back({place, QStringLiteral("name \"%1\" cut to 16 characters").arg(name)});
  }
  if (const auto rangeFault = ChannelFault(channel)) return Error{*rangeFault};
  channel.step = static_cast<std::uint8_t>(FittingStep(*step, channel.frequency, channel.offset));
  if (channel.step != *step) notes.push_back({place, StepRefitText(*step, channel)});
  return channel;
}

// Puts one row into its slot: an empty frequency empties the slot; a row that is not a channel
// empties it too and is noted.
void ApplyRow(const QStringList& fields, ChannelSlot& slot, FileNotes& notes,
              const QString& place) {
  if (fields.size() != kFieldCount) {
    notes.push_back({place, QStringLiteral("%1 fields instead of %2; row not read, slot kept")
                                .arg(fields.size())
                                .arg(kFieldCount)});
    return;
  }
  if (fields[FrequencyColumn].trimmed().isEmpty()) {
    slot.clear();
    return;
  }
  const Result<ChannelSlot> channel = ChannelOfRow(fields, slot, notes, place);
  if (!channel) {
    notes.push_back({place, channel.error() + QStringLiteral("; channel left out")});
    slot.clear();
    return;
  }
  slot = *channel;
}

}  // namespace

Noted<QByteArray> ExportCsv(const CloneImage& image, const QStringList& rowLabels) {
  FileNotes notes;
  QString text = CsvRow(HeaderFields(), CsvQuoting::Always);
  for (int row = 1; row <= kExportedRows; ++row) {
    const ChannelSlot& slot = image.slot(row);
    if (slot.used) {
      NoteCodesWithoutText(slot.name, QStringLiteral("the name"),
                           QStringLiteral("slot %1").arg(row), notes);
    }
    text += CsvRow(SlotFields(slot, rowLabels.value(row - 1), row), CsvQuoting::Always);
  }
  return {UnicodeToCp932(text), std::move(notes)};
}

Result<Noted<CloneImage>> ImportCsv(const QByteArray& bytes, const CloneImage& current,
                                    const QString& fileName) {
  if (fileName.right(3).toUpper() != QLatin1StringView("CSV")) {
    return Error{
        QStringLiteral("%1: only files whose names end in CSV can be imported").arg(fileName)};
  }
  const QString text = Cp932ToUnicode(bytes);
  qsizetype i = 0;
  while (i < text.size() && !IsLineEnd(text[i])) ++i;
  if (i == 0 || !IsHeader(text.first(i))) {
    return Error{
        QStringLiteral("CSV File Error: the first line of %1 is not the channel list's header")
            .arg(fileName)};
  }
  SkipLineEnd(text, i);

  CloneImage image = current;
  FileNotes notes;
  int row = 0;
  while (i < text.size() && row < LastTransferredSlot) {
    ++row;
    const QStringList fields = RowAt(text, i);
    ApplyRow(fields, image.slot(row), notes, QStringLiteral("row %1, slot %1").arg(row));
  }
  if (row < LastTransferredSlot) {
    notes.push_back({QString(), QStringLiteral("the list ends after row %1: rows %2-%3 are "
                                               "missing, and those slots are kept as they were")
                                    .arg(row)
                                    .arg(row + 1)
                                    .arg(LastTransferredSlot)});
  }
  return Noted<CloneImage>{std::move(image), std::move(notes)};
}

}  // namespace rqm27
