// The multi-radio channel list: text, written as UTF-8 and read as UTF-8 when it is valid UTF-8,
// else as CP932; rows ended by CR LF (a reader takes CR, LF or CR LF); fields as RFC 4180 has
// them: a field holding a comma, a quotation mark or a line break is put in quotation marks and
// a quotation mark inside it doubled. The first row names the columns; the reader takes them by
// name (case aside), in any order, and a column the file lacks reads as empty:
//
//   column        written                          read
//   Location      slot - 1                         0-1199, to slot Location + 1
//   Name          the name                         the first 16 characters, "?" for one
//                                                  without a CP932 code
//   Frequency     megahertz, six decimals          megahertz, up to six decimals, to 10 Hz
//   Duplex        "", "+", "-": the shift          "" and "off" Off, "+", "-"; "split": Offset
//                                                  is the transmit frequency, kept as the
//                                                  shift to it
//   Offset        the shift offset, as Frequency   the shift offset
//   Tone          "" None, "TSQL" TSQ, "DTCS" DCS  the same; "Tone" (a transmit tone) and
//                                                  "Cross" are None
//   rToneFreq     the TSQ tone in hertz: 88.5      not read: the tone a transmitter sends
//   cToneFreq     the TSQ tone                     the TSQ tone
//   DtcsCode      the DCS code: 023                the DCS code
//   DtcsPolarity  NN                               with DTCS, anything but NN is said
//   RxDtcsCode    the DCS code                     not read (a Cross setting)
//   CrossMode     Tone->Tone                       named when a Cross row is said
//   Mode          FM NFM WFM AM USB LSB CW         those (empty: FM); any other (DV, DIG)
//                                                  leaves the row out
//   TStep         the step in kHz: 5.00, 8.33      the nearest step the receiver has
//   Skip          "" or "S"                        "S" skipped; "P" (priority skip) is not
//   Power, Comment, URCALL, RPT1CALL, RPT2CALL, DVCODE
//                 empty                            a comment is said; the others, settings of
//                                                  transmitters and digital voice, are ignored
//
// The carrier and the transmit tone are not in the layout: an imported channel has their
// start-up values. The sub-tone types Train and SQ have no word in the Tone column and are
// written as no tone. Everything the reader changes or leaves out is noted by row; a row that
// is not a channel the receiver can hold (an unknown mode, a frequency outside the channel
// rules) empties its slot and is said; a row without a step takes the one its frequency fits.
#include "files/multi_csv.h"

#include "files/csv_row.h"
#include "files/text_lines.h"

#include "model/bank_table.h"
#include "model/channel_rules.h"
#include "model/channel_text.h"
#include "model/code_page.h"
#include "model/lenient_number.h"
#include "model/value_tables.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

namespace rqm27 {

namespace {

enum class ListColumn {
  Location,
  Name,
  Frequency,
  Duplex,
  Offset,
  Tone,
  RToneFreq,
  CToneFreq,
  DtcsCode,
  DtcsPolarity,
  RxDtcsCode,
  CrossMode,
  Mode,
  TStep,
  Skip,
  Power,
  Comment  // then the digital-voice columns, which are only written empty
};

constexpr std::array<std::string_view, 21> kHeaders = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

constexpr std::int64_t kHertzPerMegahertz = 1000000;
constexpr std::int64_t kTensPerMegahertz = 100000;
constexpr int kMegahertzDigits = 4;
constexpr int kDecimals = 6;
constexpr int kTensPerKilohertz = 100;
constexpr int kStepDecimals = 2;
constexpr double kToneTolerance = 0.05;
constexpr QLatin1StringView kHertzUnit("Hz");
constexpr QLatin1StringView kPolarity("NN");
constexpr QLatin1StringView kCrossMode("Tone->Tone");

constexpr std::size_t At(ListColumn column) {
  return static_cast<std::size_t>(column);
}

// ---- Texts of the fields ------------------------------------------------------------------

bool AllDigits(QStringView text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Units of 10 Hz as megahertz with six decimals: 14652000 -> "146.520000".
QString MegahertzField(std::int64_t tens) {
  return QStringLiteral("%1.%2")
      .arg(tens / kTensPerMegahertz)
      .arg((tens % kTensPerMegahertz) * 10, kDecimals, 10, QChar(u'0'));
}

// Hertz of megahertz written with up to four digits and six decimals ("146.52", "0.600000").
std::optional<std::int64_t> HertzOfMegahertz(QStringView text) {
  const qsizetype point = text.indexOf(u'.');
  const QStringView whole = point < 0 ? text : text.first(point);
  const QStringView decimals = point < 0 ? QStringView() : text.sliced(point + 1);
  if (whole.isEmpty() || whole.size() > kMegahertzDigits || decimals.size() > kDecimals ||
      !AllDigits(whole) || !AllDigits(decimals)) {
    return std::nullopt;
  }
  return whole.toLongLong() * kHertzPerMegahertz +
         decimals.toString().leftJustified(kDecimals, u'0').toLongLong();
}

// The TSQ tone in hertz without its unit: "88.5".
QString ToneHertzField(const ChannelSlot& channel) {
  QString tone = ChannelCellText(channel, TsqColumn);
  if (tone.endsWith(kHertzUnit)) tone.chop(kHertzUnit.size());
  return tone;
}

// The tone of a field in hertz ("88.5"); an empty field is the default tone.
std::optional<std::uint8_t> ToneOfHertz(QStringView text) {
  if (text.isEmpty()) return DefaultToneIndex;
  bool number = false;
  const double hertz = text.toDouble(&number);
  for (std::size_t k = 0; number && k < ToneNames.size(); ++k) {
    if (std::abs(LeadingNumber(Label(ToneNames[k])) - hertz) < kToneTolerance) {
      return static_cast<std::uint8_t>(k);
    }
  }
  return std::nullopt;
}

// The DCS code of a field ("023" or "23"); an empty field is the first code.
std::optional<std::uint8_t> DcsOfCode(QStringView text) {
  if (text.isEmpty()) return 0;
  bool number = false;
  const int code = text.toInt(&number);
  for (std::size_t k = 0; number && k < DcsNames.size(); ++k) {
    if (Label(DcsNames[k]).toInt() == code) return static_cast<std::uint8_t>(k);
  }
  return std::nullopt;
}

// The step in kilohertz: "8.33".
QString StepField(std::size_t step) {
  if (step >= StepValues.size()) return {};
  return QString::number(static_cast<double>(StepValues[step]) / kTensPerKilohertz, 'f',
                         kStepDecimals);
}

struct NearestStep {
  int step;
  bool exact;  // the same step to 10 Hz
};

// The receiver's step nearest to a step in kilohertz ("12.50").
std::optional<NearestStep> NearestStepOf(QStringView kilohertz) {
  bool number = false;
  const double value = kilohertz.toDouble(&number);
  if (!number || value <= 0) return std::nullopt;
  const auto tens = static_cast<std::int64_t>(std::llround(value * kTensPerKilohertz));
  const auto distance = [tens](std::int32_t step) { return std::abs(step - tens); };
  const auto nearest = std::min_element(
      StepValues.begin(), StepValues.end(),
      [&distance](std::int32_t a, std::int32_t b) { return distance(a) < distance(b); });
  return NearestStep{static_cast<int>(nearest - StepValues.begin()), *nearest == tens};
}

// ---- Rows as RFC 4180 has them ------------------------------------------------------------

// The text of a file: UTF-8 (its byte-order mark dropped) when it is valid UTF-8, else CP932.
QString DecodedText(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8(bytes);
  return utf8.hasError() ? Cp932ToUnicode(bytes) : text;
}

void SkipLineEnd(QStringView text, qsizetype& i) {
  if (i < text.size() && text[i] == u'\r') ++i;
  if (i < text.size() && text[i] == u'\n') ++i;
}

// The fields of the row that starts at text[i], i moved past its line end. A quotation mark
// opens a quoted part that holds commas, line breaks and doubled quotation marks; nullopt when
// one is not closed.
std::optional<QStringList> RowAt(QStringView text, qsizetype& i) {
  QStringList fields;
  QString field;
  bool quoted = false;
  for (; i < text.size(); ++i) {
    const QChar c = text[i];
    if (quoted && c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
      field += c;
      ++i;
    } else if (c == u'"') {
      quoted = !quoted;
    } else if (quoted || (c != u',' && c != u'\r' && c != u'\n')) {
      field += c;
    } else if (c == u',') {
      fields << std::exchange(field, QString());
    } else {
      break;
    }
  }
  if (quoted) return std::nullopt;
  fields << field;
  SkipLineEnd(text, i);
  return fields;
}

// ---- The header ----------------------------------------------------------------------------

// Where each column is in the rows; -1 for a column the header does not name.
using ColumnPositions = std::array<qsizetype, kHeaders.size()>;

ColumnPositions PositionsOf(const QStringList& header) {
  ColumnPositions positions;
  positions.fill(-1);
  for (std::size_t k = 0; k < kHeaders.size(); ++k) {
    const auto named = [&](const QString& f) {
      return f.trimmed().compare(Label(kHeaders[k]), Qt::CaseInsensitive) == 0;
    };
    const auto found = std::find_if(header.begin(), header.end(), named);
    if (found != header.end()) positions[k] = found - header.begin();
  }
  return positions;
}

bool IsHeader(const QStringList& fields) {
  const ColumnPositions positions = PositionsOf(fields);
  return positions[At(ListColumn::Location)] == 0 && positions[At(ListColumn::Frequency)] > 0;
}

// A data row read by column name; a column the header lacks or the row is too short for reads
// as empty.
class ListRow {
 public:
  ListRow(const QStringList& fields, const ColumnPositions& positions)
      : fields_(fields), positions_(positions) {}

  QString raw(ListColumn column) const { return fields_.value(positions_[At(column)]); }
  QString text(ListColumn column) const { return raw(column).trimmed(); }
  bool blank() const {
    return std::all_of(fields_.begin(), fields_.end(),
                       [](const QString& f) { return f.trimmed().isEmpty(); });
  }

 private:
  const QStringList& fields_;
  const ColumnPositions& positions_;
};

// ---- One row into a channel ------------------------------------------------------------------

// Hertz in units of 10 Hz, the rounding said.
std::int32_t TensOfHertz(std::int64_t hertz, const QString& field, QStringList& said) {
  const auto tens = static_cast<std::int32_t>((hertz + 5) / 10);
  if (hertz % 10 != 0) {
    said << QStringLiteral("%1 MHz rounded to %2 (the receiver holds 10 Hz)")
                .arg(field, MegahertzText(tens));
  }
  return tens;
}

// A split row's transmit frequency as the shift to it from the receive frequency.
void ReadSplit(std::int32_t transmit, ChannelSlot& channel, QStringList& said) {
  const std::int64_t difference = std::int64_t{transmit} - channel.frequency;
  const QString split = QStringLiteral("split transmit frequency %1").arg(MegahertzText(transmit));
  if (!OffsetInRange(std::abs(difference))) {
    said << split + QStringLiteral(" is more than %1 away; shift Off")
                        .arg(MegahertzText(HighestOffset));
    return;
  }
  channel.offset = static_cast<std::int32_t>(std::abs(difference));
  channel.shift = difference > 0   ? ShiftDirection::Plus
                  : difference < 0 ? ShiftDirection::Minus
                                   : ShiftDirection::Off;
  said << split + QStringLiteral(" kept as shift %1 %2")
                      .arg(ShiftLabel(channel.shift), MegahertzText(channel.offset));
}

void ReadShift(const ListRow& row, ChannelSlot& channel, QStringList& said) {
  const QString offset = row.text(ListColumn::Offset);
  const auto hertz = offset.isEmpty() ? std::optional<std::int64_t>(0) : HertzOfMegahertz(offset);
  if (!hertz) {
    said << QStringLiteral("offset \"%1\" is not megahertz like 0.600000; shift Off").arg(offset);
    return;
  }
  const std::int32_t tens = TensOfHertz(*hertz, offset, said);
  const QString duplex = row.text(ListColumn::Duplex);
  if (duplex == QLatin1StringView("split")) {
    ReadSplit(tens, channel, said);
    return;
  }
  channel.offset = tens;
  if (duplex == QLatin1StringView("+")) {
    channel.shift = ShiftDirection::Plus;
  } else if (duplex == QLatin1StringView("-")) {
    channel.shift = ShiftDirection::Minus;
  } else if (!duplex.isEmpty() && duplex != QLatin1StringView("off")) {
    said << QStringLiteral("duplex \"%1\" is not one the receiver has; shift Off").arg(duplex);
  }
}

// The sub-tone type of the Tone column, given whether the tone and the code are the receiver's.
SubtoneType SubtoneOfToneMode(const ListRow& row, bool toneHeld, bool codeHeld, QStringList& said) {
  const QString mode = row.text(ListColumn::Tone);
  if (mode.isEmpty()) return SubtoneType::None;
  if (mode == QLatin1StringView("TSQL")) {
    if (toneHeld) return SubtoneType::Tsq;
    said << QStringLiteral("tone mode TSQL without a tone the receiver has; sub-tone None");
  } else if (mode == QLatin1StringView("DTCS")) {
    if (!codeHeld) {
      said << QStringLiteral("tone mode DTCS without a code the receiver has; sub-tone None");
      return SubtoneType::None;
    }
    const QString polarity = row.text(ListColumn::DtcsPolarity);
    if (!polarity.isEmpty() && polarity != kPolarity) {
      said << QStringLiteral("DCS polarity %1 is not held (the receiver's has none); NN taken")
                  .arg(polarity);
    }
    return SubtoneType::Dcs;
  } else if (mode == QLatin1StringView("Tone")) {
    said << QStringLiteral("tone mode Tone sends %1 Hz, of no use to a receiver; sub-tone None")
                .arg(row.text(ListColumn::RToneFreq));
  } else if (mode == QLatin1StringView("Cross")) {
    said << QStringLiteral("tone mode Cross (%1) is not one the receiver has; sub-tone None")
                .arg(row.text(ListColumn::CrossMode));
  } else {
    said << QStringLiteral("tone mode \"%1\" is not one the receiver has; sub-tone None").arg(mode);
  }
  return SubtoneType::None;
}

void ReadSubtone(const ListRow& row, ChannelSlot& channel, QStringList& said) {
  const QString tone = row.text(ListColumn::CToneFreq);
  const auto rxTone = ToneOfHertz(tone);
  if (!rxTone) {
    said << QStringLiteral("cToneFreq \"%1\" is not a tone the receiver has; %2 taken")
                .arg(tone, Label(ToneNames[DefaultToneIndex]));
  }
  const QString code = row.text(ListColumn::DtcsCode);
  const auto dcs = DcsOfCode(code);
  if (!dcs) {
    said << QStringLiteral("DtcsCode \"%1\" is not a code the receiver has; %2 taken")
                .arg(code, Label(DcsNames[0]));
  }
  channel.rxTone = rxTone.value_or(DefaultToneIndex);
  channel.dcs = dcs.value_or(0);
  channel.subtone = SubtoneOfToneMode(row, rxTone.has_value(), dcs.has_value(), said);
}

bool SkipOfField(const QString& skip, QStringList& said) {
  if (skip == QLatin1StringView("S")) return true;
  if (skip == QLatin1StringView("P")) {
    said << QStringLiteral("skip P (priority skip) is not one the receiver has; not skipped");
  } else if (!skip.isEmpty()) {
    said << QStringLiteral("skip \"%1\" is not one the receiver has; not skipped").arg(skip);
  }
  return false;
}

ChannelName NameOfField(const QString& name, QStringList& said) {
  const QList<uint> characters = name.toUcs4();
  if (characters.size() > ChannelName::Length) {
    said << QStringLiteral("name \"%1\" cut to %2 characters").arg(name).arg(ChannelName::Length);
  }
  const auto kept = characters.first(std::min<qsizetype>(characters.size(), ChannelName::Length));
  if (std::any_of(kept.begin(), kept.end(), [](uint c) { return !CharToCp932(c); })) {
    said << QStringLiteral("name \"%1\" has characters without a code; written as \"?\"").arg(name);
  }
  return NameFromText(name);
}

// The step of the TStep column, refitted to the frequency and offset as the channel rules say;
// without one, the step they fit.
void ReadStep(const ListRow& row, ChannelSlot& channel, QStringList& said) {
  const QString step = row.text(ListColumn::TStep);
  const auto nearest = step.isEmpty() ? std::nullopt : NearestStepOf(step);
  if (!step.isEmpty() && !nearest) {
    said << QStringLiteral("TStep \"%1\" is not kilohertz; the step the frequency fits taken")
                .arg(step);
  } else if (nearest && !nearest->exact) {
    said << QStringLiteral("step %1 kHz is not one the receiver has; %2 taken")
                .arg(step, Label(StepNames.at(static_cast<std::size_t>(nearest->step))));
  }
  const int given = nearest ? nearest->step : 0;
  channel.step = static_cast<std::uint8_t>(FittingStep(given, channel.frequency, channel.offset));
  if (nearest && channel.step != given) said << StepRefitText(given, channel);
}

// The channel of a row, or why the row cannot be one.
Result<ChannelSlot> ChannelOfRow(const ListRow& row, QStringList& said) {
  ChannelSlot channel;
  channel.used = true;
  const QString frequency = row.text(ListColumn::Frequency);
  const auto hertz = HertzOfMegahertz(frequency);
  if (!hertz) {
    return Error{
        QStringLiteral("frequency \"%1\" is not megahertz like 146.520000").arg(frequency)};
  }
  channel.frequency = TensOfHertz(*hertz, frequency, said);
  const QString modeText = row.text(ListColumn::Mode);
  const auto mode = modeText.isEmpty() ? std::optional(ChannelMode::FM) : ModeOfLabel(modeText);
  if (!mode) return Error{QStringLiteral("mode \"%1\" is not one the receiver has").arg(modeText)};
  channel.mode = *mode;
  ReadShift(row, channel, said);
  ReadSubtone(row, channel, said);
  channel.skip = SkipOfField(row.text(ListColumn::Skip), said);
  channel.name = NameOfField(row.raw(ListColumn::Name), said);
  if (const QString comment = row.text(ListColumn::Comment); !comment.isEmpty()) {
    said << QStringLiteral("comment \"%1\" not kept: a channel has no place for it").arg(comment);
  }
  if (const auto fault = ChannelFault(channel)) return Error{*fault};
  ReadStep(row, channel, said);
  return channel;
}

// The rows read so far: the image they go into, what was noted, where the next row goes when
// the rows are placed one after another, and which row filled each memory channel.
class RowImport {
 public:
  RowImport(CloneImage image, std::optional<int> firstSlot)
      : image_(std::move(image)), nextSlot_(firstSlot) {}

  void add(const ListRow& row, int number) {
    const Result<int> slot = slotOf(row);
    if (!slot) {
      notes_.push_back({QStringLiteral("row %1").arg(number), slot.error() + "; row left out"});
      return;
    }
    const QString place = QStringLiteral("row %1, slot %2").arg(number).arg(*slot);
    int& earlier = rowOfSlot_.at(static_cast<std::size_t>(*slot));
    if (earlier != 0) {
      notes_.push_back(
          {place, QStringLiteral("row %1 went to this slot too; replaced").arg(earlier)});
    }
    earlier = number;
    QStringList said;
    const Result<ChannelSlot> channel = ChannelOfRow(row, said);
    ChannelSlot& target = image_.slot(*slot);
    if (!channel) {
      notes_.push_back({place, channel.error() + QStringLiteral("; channel left out")});
      target.clear();
      return;
    }
    for (const QString& message : said) notes_.push_back({place, message});
    target = *channel;
  }

  Noted<CloneImage> result() && { return {std::move(image_), std::move(notes_)}; }

 private:
  Result<int> slotOf(const ListRow& row) {
    if (nextSlot_) {
      const int slot = (*nextSlot_)++;
      if (slot <= MemoryChannelCount) return slot;
      return Error{QStringLiteral("slot %1 is past the last memory channel %2")
                       .arg(slot)
                       .arg(MemoryChannelCount)};
    }
    const QString location = row.text(ListColumn::Location);
    bool number = false;
    const int n = location.toInt(&number);
    if (number && n >= 0 && n < MemoryChannelCount) return n + 1;
    return Error{QStringLiteral("location \"%1\" is not a memory channel 0-%2")
                     .arg(location)
                     .arg(MemoryChannelCount - 1)};
  }

  CloneImage image_;
  FileNotes notes_;
  std::optional<int> nextSlot_;
  std::vector<int> rowOfSlot_ = std::vector<int>(MemoryChannelCount + 1, 0);
};

// ---- One channel into a row ------------------------------------------------------------------

QString ToneModeField(const ChannelSlot& channel, const QString& place, FileNotes& notes) {
  switch (channel.subtone) {
    case SubtoneType::Tsq:
      return QStringLiteral("TSQL");
    case SubtoneType::Dcs:
      return QStringLiteral("DTCS");
    case SubtoneType::None:
      return {};
    case SubtoneType::Train:
    case SubtoneType::Sq:
      break;
  }
  notes.push_back({place, QStringLiteral("sub-tone %1 has no Tone word in this list; written as "
                                         "no tone")
                              .arg(SubtoneLabel(channel.subtone))});
  return {};
}

QStringList FieldsOfChannel(const ChannelSlot& channel, int slot, FileNotes& notes) {
  const QString place = QStringLiteral("slot %1").arg(slot);
  NoteCodesWithoutText(channel.name, QStringLiteral("the name"), place, notes);
  QStringList fields(static_cast<qsizetype>(kHeaders.size()));
  const auto set = [&fields](ListColumn column, QString text) {
    fields[static_cast<qsizetype>(At(column))] = std::move(text);
  };
  const QString tone = ToneHertzField(channel);
  const QString dcs = ChannelCellText(channel, DcsColumn);
  set(ListColumn::Location, QString::number(slot - 1));
  set(ListColumn::Name, NameToText(channel.name).replace(QChar(0xFFFD), u'?'));
  set(ListColumn::Frequency, MegahertzField(channel.frequency));
  set(ListColumn::Duplex,
      channel.shift == ShiftDirection::Off ? QString() : ShiftLabel(channel.shift));
  set(ListColumn::Offset, MegahertzField(channel.offset));
  set(ListColumn::Tone, ToneModeField(channel, place, notes));
  set(ListColumn::RToneFreq, tone);
  set(ListColumn::CToneFreq, tone);
  set(ListColumn::DtcsCode, dcs);
  set(ListColumn::DtcsPolarity, kPolarity);
  set(ListColumn::RxDtcsCode, dcs);
  set(ListColumn::CrossMode, kCrossMode);
  set(ListColumn::Mode, ModeLabel(channel.mode));
  set(ListColumn::TStep, StepField(channel.step));
  set(ListColumn::Skip, channel.skip ? QStringLiteral("S") : QString());
  return fields;
}

}  // namespace

bool IsMultiCsv(const QByteArray& bytes) {
  const QString text = DecodedText(bytes);
  qsizetype at = 0;
  const auto header = RowAt(text, at);
  return header && IsHeader(*header);
}

Noted<QByteArray> ExportMultiCsv(const CloneImage& image) {
  FileNotes notes;
  QStringList header;
  for (const std::string_view name : kHeaders) header << Label(name);
  QString text = CsvRow(header, CsvQuoting::WhenNeeded);
  for (int slot = 1; slot <= MemoryChannelCount; ++slot) {
    const ChannelSlot& channel = image.slot(slot);
    if (channel.used) text += CsvRow(FieldsOfChannel(channel, slot, notes), CsvQuoting::WhenNeeded);
  }
  return {text.toUtf8(), std::move(notes)};
}

Result<Noted<CloneImage>> ImportMultiCsv(const QByteArray& bytes, const CloneImage& current,
                                         const QString& fileName, std::optional<int> firstSlot) {
  if (firstSlot && (*firstSlot < 1 || *firstSlot > MemoryChannelCount)) {
    return Error{QStringLiteral("%1: slot %2 is not a memory channel 1-%3")
                     .arg(fileName)
                     .arg(*firstSlot)
                     .arg(MemoryChannelCount)};
  }
  const QString text = DecodedText(bytes);
  qsizetype at = 0;
  const auto header = RowAt(text, at);
  if (!header || !IsHeader(*header)) {
    return Error{QStringLiteral("%1: the first row is not a channel list header naming Location "
                                "first and a Frequency column")
                     .arg(fileName)};
  }
  const ColumnPositions positions = PositionsOf(*header);
  RowImport import(current, firstSlot);
  for (int number = 1; at < text.size(); ++number) {
    const auto fields = RowAt(text, at);
    if (!fields) {
      return Error{
          QStringLiteral("%1: row %2: a quoted field is not closed").arg(fileName).arg(number)};
    }
    const ListRow row(*fields, positions);
    if (!row.blank()) import.add(row, number);
  }
  return std::move(import).result();
}

}  // namespace rqm27
