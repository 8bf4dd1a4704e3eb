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
// 100 characters. The n-th line after it goes to slot n (1-1700); only lines of exactly 14
// fields are read, fields 2-13 into columns 1-12. A line that is well-formed RFC 4180 is split
// as such; any other line is read the way files without escaping always were: every quotation
// mark dropped, fields split at every comma. The frequency must have 1-4 characters before its
// point and 1-5 after it (or no point at all), or the row is emptied. Then every slot 1-1700 is
// checked against the value tables and emptied when a field is not one the grid can show.
#include "files/csv_file.h"

#include "files/text_lines.h"

#include "model/code_page.h"
#include "model/lenient_number.h"
#include "model/value_tables.h"

#include <QRegularExpression>

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

QString QuotedField(QString field) {
  field.replace(u'"', QStringLiteral("\"\""));
  return u'"' + field + u'"';
}

QString CsvLine(const QStringList& fields) {
  QStringList quoted;
  for (const QString& field : fields) quoted << QuotedField(field);
  return quoted.join(u',') + QStringLiteral("\r\n");
}

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
    fields << (c == TxToneColumn ? kToneField.toString() : slot.cell(c));
  }
  QString& frequency = fields[FrequencyColumn];
  if (frequency.size() > kMegahertz.size()) frequency.chop(kMegahertz.size());
  fields << QString::number(row);
  return fields;
}

bool IsHeader(QString line) {
  line.remove(u',');
  line.remove(u'"');
  return line == HeaderFields().join(QString()) || line == kOlderHeader ||
         line.size() == kAnyHeaderLength;
}

// The quoted field that starts at line[i], its doubled quotation marks made single; i is left
// after the closing mark. nullopt when the field is not closed.
std::optional<QString> QuotedFieldAt(QStringView line, qsizetype& i) {
  QString field;
  for (++i; i < line.size(); ++i) {
    if (line[i] != u'"') {
      field += line[i];
    } else if (i + 1 < line.size() && line[i + 1] == u'"') {
      field += u'"';
      ++i;
    } else {
      ++i;
      return field;
    }
  }
  return std::nullopt;
}

// The fields of a line that is well-formed RFC 4180 (a quoted field holds doubled quotation
// marks only and ends at a comma or the line's end; an unquoted one holds none), else nullopt.
std::optional<QStringList> Rfc4180Fields(QStringView line) {
  QStringList fields;
  qsizetype i = 0;
  while (true) {
    if (i < line.size() && line[i] == u'"') {
      const auto field = QuotedFieldAt(line, i);
      if (!field || (i < line.size() && line[i] != u',')) return std::nullopt;
      fields << *field;
    } else {
      const qsizetype comma = line.indexOf(u',', i);
      const QStringView field = line.sliced(i, (comma < 0 ? line.size() : comma) - i);
      if (field.contains(u'"')) return std::nullopt;
      fields << field.toString();
      i += field.size();
    }
    if (i >= line.size()) return fields;
    ++i;
  }
}

QStringList LineFields(const QString& line) {
  if (auto fields = Rfc4180Fields(line)) return *fields;
  QString unquoted = line;
  unquoted.remove(u'"');
  return unquoted.split(u',');
}

// 1 to 4 characters before the first point and 1 to 5 after it, or 1 to 4 without a point.
bool IsFrequencyField(const QString& field) {
  const qsizetype point = field.indexOf(u'.');
  const qsizetype pointPosition = (point < 0 ? field.size() : point) + 1;
  const qsizetype decimals = field.size() - pointPosition;
  return pointPosition >= 2 && pointPosition <= 5 && decimals != 0 && decimals < 6;
}

// First pass: the texts of one data line into its slot, the frequency checked and given "MHz".
void CopyFieldsToSlot(const QStringList& fields, ChannelSlot& slot) {
  if (!IsFrequencyField(fields[FrequencyColumn])) {
    slot.clear();
    return;
  }
  for (int c = FrequencyColumn; c <= NameColumn; ++c) slot.setCell(c, fields[c]);
  slot.setCell(FrequencyColumn, fields[FrequencyColumn] + kMegahertz);
}

QString FrequencyCharacters(const QString& text) {
  QString kept;
  for (QChar c : text) {
    if ((c >= u'0' && c <= u'9') || c == u'H' || c == u'.' || c == u'M' || c == u'z') kept += c;
  }
  return kept;
}

// Gives a frequency cell five decimals and "MHz" again; returns the five decimals.
QString NormaliseFrequency(QString& cell) {
  QString number = cell;
  number.chop(kMegahertz.size());
  for (int i = 1; i <= 5; ++i) {
    if (number.size() >= i && number[number.size() - i] == u'.') {
      number += QString(6 - i, u'0');
      break;
    }
  }
  if (!number.contains(u'.')) number += QStringLiteral(".00000");
  cell = number + kMegahertz;
  return number.right(5);
}

// The step a slot keeps: its own when both decimals (in units of 10 Hz) fit it, else 5KHz,
// 6.25KHz or 50Hz, the first that both fit.
int FittingStep(int step, long long frequencyTens, long long shiftTens) {
  const auto fits = [&](int k) {
    return FitsStep(frequencyTens * 10, k) && FitsStep(shiftTens * 10, k);
  };
  if (fits(step)) return step;
  if (fits(0)) return 0;
  if (fits(1)) return 1;
  return 16;
}

std::optional<int> DcsIndexOfNumber(QStringView text) {
  const double value = LeadingNumber(text);
  for (std::size_t k = 0; k < DcsNames.size(); ++k) {
    if (LeadingNumber(Label(DcsNames[k])) == value) return static_cast<int>(k);
  }
  return std::nullopt;
}

// Second pass over one slot: normalises the frequencies, sets the values of the labelled cells
// and reports whether every cell holds something the grid can show.
bool AcceptSlot(ChannelSlot& slot) {
  if (slot.cell(FrequencyColumn).isEmpty()) return false;
  QString frequency = FrequencyCharacters(slot.cell(FrequencyColumn));
  const QString frequencyDecimals = NormaliseFrequency(frequency);
  slot.setCell(FrequencyColumn, frequency);

  if (slot.cell(ShiftFreqColumn).isEmpty()) return false;
  QString shift = FrequencyCharacters(slot.cell(ShiftFreqColumn));
  const QString shiftDecimals = NormaliseFrequency(shift);
  slot.setCell(ShiftFreqColumn, shift);

  if (!CodeOfLabel(EditModeCodes, slot.cell(ModeColumn))) return false;
  const auto step = IndexOfLabel(StepNames, slot.cell(StepColumn));
  if (!step) return false;
  slot.setStep(
      FittingStep(*step, LeadingInteger(frequencyDecimals), LeadingInteger(shiftDecimals)));
  const auto carrier = IndexOfLabel(CarrierNames, slot.cell(CarrierColumn));
  if (!carrier) return false;
  slot.setCarrier(*carrier);
  if (!CodeOfLabel(SubtoneCodes, slot.cell(SubtoneColumn))) return false;
  const auto tone = IndexOfLabel(ToneNames, slot.cell(TsqColumn));
  if (!tone) return false;
  slot.setRxTone(*tone);
  const auto dcs = DcsIndexOfNumber(slot.cell(DcsColumn));
  if (!dcs) return false;
  slot.setDcs(*dcs);
  if (!CodeOfLabel(ShiftCodes, slot.cell(ShiftColumn))) return false;
  if (!CodeOfLabel(SkipCodes, slot.cell(SkipColumn))) return false;

  // The file carries no transmit tone: the slot keeps its value, and the hidden cell shows it.
  if (slot.txToneIndex < ToneNames.size()) slot.setTxTone(slot.txToneIndex);
  slot.used = true;
  return true;
}

}  // namespace

QByteArray ExportCsv(const CloneImage& image, const QStringList& rowLabels) {
  QString text = CsvLine(HeaderFields());
  for (int row = 1; row <= kExportedRows; ++row) {
    text += CsvLine(SlotFields(image.slot(row), rowLabels.value(row - 1), row));
  }
  return UnicodeToCp932(text);
}

Result<CloneImage> ImportCsv(const QByteArray& bytes, const CloneImage& current,
                             const QString& fileName) {
  if (fileName.right(3).toUpper() != QLatin1StringView("CSV")) {
    return Error{
        QStringLiteral("%1: only files whose names end in CSV can be imported").arg(fileName)};
  }
  const QStringList lines = ReadTextLines(bytes);
  if (lines.isEmpty() || !IsHeader(lines.first())) {
    return Error{
        QStringLiteral("CSV File Error: the first line of %1 is not the channel list's header")
            .arg(fileName)};
  }

  CloneImage image = current;
  const qsizetype lastRow = std::min<qsizetype>(LastTransferredSlot, lines.size() - 1);
  for (int n = 1; n <= lastRow; ++n) {
    const QStringList fields = LineFields(lines[n]);
    if (fields.size() == kFieldCount) CopyFieldsToSlot(fields, image.slot(n));
  }
  for (int r = 1; r <= LastTransferredSlot; ++r) {
    ChannelSlot& slot = image.slot(r);
    if (!AcceptSlot(slot)) slot.clear();
  }
  return image;
}

}  // namespace rqm27
