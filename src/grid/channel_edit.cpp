#include "grid/channel_edit.h"

#include "model/code_page.h"
#include "model/row_labels.h"
#include "model/value_tables.h"

#include <algorithm>

namespace rqm27 {

namespace {

// Frequencies in units of 10 Hz: a channel holds 50 kHz up to 1299.99995 MHz.
constexpr long long LowestFrequency = 5000;
constexpr long long FrequencyCeiling = 129999996;
// Megahertz at or above this become 145 MHz when confirmed.
constexpr long long MegahertzCeiling = 1300;
constexpr long long FallbackMegahertz = 145;
// A cell "1234.56789MHz" is 9 characters longer than its megahertz part.
constexpr int FiveDecimalSuffix = 9;   // ".56789MHz"
constexpr int ThreeDecimalSuffix = 7;  // ".567MHz"

// A digit string's value, saturated far above anything a field can mean.
long long DigitValue(QStringView digits) {
  constexpr long long Saturation = 1'000'000'000'000'000LL;
  long long value = 0;
  for (QChar c : digits) {
    if (c < u'0' || c > u'9') continue;
    value = std::min(value * 10 + (c.unicode() - u'0'), Saturation);
  }
  return value;
}

QString DigitsOnly(QStringView text) {
  QString digits;
  for (QChar c : text) {
    if (c >= u'0' && c <= u'9') digits += c;
  }
  return digits;
}

long long PowerOfTen(int exponent) {
  long long value = 1;
  for (int i = 0; i < exponent; ++i) value *= 10;
  return value;
}

QString Zeros(int count) {
  return QString(count, QChar(u'0'));
}

template <std::size_t N>
QString TableText(const std::array<std::string_view, N>& table, int index) {
  return index >= 0 && index < static_cast<int>(N) ? Label(table[static_cast<std::size_t>(index)])
                                                   : QString();
}

template <std::size_t N>
int IndexOrDefault(const std::array<std::string_view, N>&, int index, int fallback) {
  return index >= 0 && index < static_cast<int>(N) ? index : fallback;
}

QString RowCaption(const CloneImage& image, int row) {
  const std::optional<QStringList> labels = ShowRowLabels(image.banks);
  return (labels ? *labels : ProvisionalRowLabels()).at(row - 1);
}

// Splits a cell "<megahertz>.<decimals>MHz" by its length alone: the part from the point on is
// `suffix` characters long; `keep` decimals are kept. A cell whose length is outside
// minLength-maxLength leaves both parts as they are.
void SplitByLength(const QString& cell, int suffix, int minLength, int maxLength, int keep,
                   QString& megahertz, QString& digits) {
  if (cell.size() < minLength || cell.size() > maxLength) return;
  const int megahertzLength = static_cast<int>(cell.size()) - suffix;
  megahertz = cell.left(megahertzLength);
  digits = cell.mid(megahertzLength + 1, keep);
}

DetailSetState FillSet(const ChannelSlot& slot, int set, const QString& caption) {
  DetailSetState state;
  state.caption = caption;
  SplitByLength(slot.cell(FrequencyColumn), FiveDecimalSuffix, 10, 13, FrequencyDigitsLength,
                state.frequencyMegahertz, state.frequencyDigits);

  const int mode = CodeOfLabel(EditModeCodes, slot.cell(ModeColumn)).value_or(0);
  state.mode = mode < ModeOptionCount[static_cast<std::size_t>(set)] ? mode : -1;
  state.step =
      slot.stepIndex < StepOptionCount[static_cast<std::size_t>(set)] ? slot.stepIndex : -1;
  state.carrier = IndexOrDefault(CarrierNames, slot.carrierIndex, StartupCarrierIndex);
  state.subtone = CodeOfLabel(SubtoneCodes, slot.cell(SubtoneColumn)).value_or(0);
  state.txTone = IndexOrDefault(ToneNames, slot.txToneIndex, DefaultToneIndex);
  state.rxTone = IndexOrDefault(ToneNames, slot.rxToneIndex, DefaultToneIndex);
  state.dcs = IndexOrDefault(DcsNames, slot.dcsIndex, 0);
  state.shift = CodeOfLabel(ShiftCodes, slot.cell(ShiftColumn)).value_or(0);

  // The record decoder and the first set write five decimals. The second set keeps three of
  // them, and reads back the three decimals it writes itself.
  const QString shift = slot.cell(ShiftFreqColumn);
  if (set == 0) {
    SplitByLength(shift, FiveDecimalSuffix, 10, 12, OffsetDigitsLength[0], state.offsetMegahertz,
                  state.offsetDigits);
  } else {
    const auto pointAt = [&](int suffix) {
      const qsizetype at = shift.size() - suffix;
      return at > 0 && shift.at(at) == u'.';
    };
    if (pointAt(FiveDecimalSuffix)) {
      SplitByLength(shift, FiveDecimalSuffix, 10, 12, OffsetDigitsLength[1], state.offsetMegahertz,
                    state.offsetDigits);
    } else if (pointAt(ThreeDecimalSuffix)) {
      SplitByLength(shift, ThreeDecimalSuffix, 8, 10, OffsetDigitsLength[1], state.offsetMegahertz,
                    state.offsetDigits);
    }
  }

  state.skip = slot.cell(SkipColumn) == u"*";
  state.name = slot.cell(NameColumn);
  return state;
}

// The confirm checks of one set; `set` 0 is the first set, which also gets its step corrected.
ChannelEdit ConfirmSet(const DetailSetState& in, int set) {
  ChannelEdit out;

  // Frequency: megahertz as a plain number below 1300, five digits after the point.
  const long long megahertzValue = DigitValue(DigitsOnly(in.frequencyMegahertz));
  QString megahertz =
      QString::number(megahertzValue >= MegahertzCeiling ? FallbackMegahertz : megahertzValue);
  QString digits = DigitsOnly(in.frequencyDigits).leftJustified(FrequencyDigitsLength, u'0');
  if (digits.size() > FrequencyDigitsLength) digits = Zeros(FrequencyDigitsLength);
  const long long frequency =
      DigitValue(megahertz) * PowerOfTen(FrequencyDigitsLength) + DigitValue(digits);
  if (frequency >= LowestFrequency && frequency < FrequencyCeiling) {
    out.frequency = megahertz + u'.' + digits;
  } else {
    megahertz = QStringLiteral("0");
    digits = Zeros(FrequencyDigitsLength);
  }

  out.name = in.name;
  out.mode = std::max(in.mode, 0);
  out.shift = std::max(in.shift, 0);

  // Offset: at most 999 MHz and the set's digits, below 999.99995 (999.995) MHz.
  const int width = OffsetDigitsLength[static_cast<std::size_t>(set)];
  QString offsetMegahertz = in.offsetMegahertz;
  QString offsetDigits = in.offsetDigits;
  if (offsetMegahertz.isEmpty() || offsetMegahertz.size() > OffsetMegahertzLength) {
    offsetMegahertz = QStringLiteral("0");
  }
  if (offsetDigits.isEmpty() || offsetDigits.size() > width) offsetDigits = Zeros(width);
  const long long offsetCeiling = 1000 * PowerOfTen(width) - 5;
  if (DigitValue(offsetMegahertz) * PowerOfTen(width) + DigitValue(offsetDigits) > offsetCeiling) {
    offsetMegahertz = QStringLiteral("0");
    offsetDigits = Zeros(width);
  }
  out.shiftFrequency = offsetMegahertz + u'.' + offsetDigits;

  out.skip = in.skip;
  out.subtone = std::max(in.subtone, 0);
  out.txTone = in.txTone;
  out.txToneText = TableText(ToneNames, in.txTone);
  out.rxTone = in.rxTone;
  out.rxToneText = TableText(ToneNames, in.rxTone);
  out.dcs = in.dcs;
  out.dcsText = TableText(DcsNames, in.dcs);
  out.carrier = in.carrier;
  out.carrierText = TableText(CarrierNames, in.carrier);

  int step = IndexOrDefault(StepNames, in.step, 0);
  if (set == 0) {
    // The frequency and the offset must both be whole steps; else try 5 kHz, 6.25 kHz, 50 Hz.
    const long long frequencyTens = DigitValue(digits);
    const long long offsetTens = DigitValue(offsetDigits);
    const auto fits = [&](int s) {
      const long long value = StepValues[static_cast<std::size_t>(s)];
      return frequencyTens % value == 0 && offsetTens % value == 0;
    };
    for (const int fallback : {0, 1, 16}) {
      if (fits(step)) break;
      step = fallback;
    }
  }
  out.step = step;
  out.stepText = Label(StepNames[static_cast<std::size_t>(step)]);
  return out;
}

// Writes a channel of the buffer into a slot; `used` is left as it is.
void WriteChannel(ChannelSlot& slot, const ChannelEdit& edit) {
  const auto labelOr = [](std::span<const LabelCode> table, int code) {
    const auto label = LabelOfCode(table, code);
    return label ? Label(*label) : QStringLiteral("ERROR");
  };
  if (!edit.frequency.isEmpty())
    slot.setCell(FrequencyColumn, edit.frequency + QStringLiteral("MHz"));
  slot.setCell(ModeColumn, labelOr(EditModeCodes, edit.mode));
  slot.setCell(StepColumn, edit.stepText);
  slot.setCell(CarrierColumn, edit.carrierText);
  slot.setCell(SubtoneColumn, labelOr(SubtoneCodes, edit.subtone));
  slot.setCell(TxToneColumn, edit.txToneText);
  slot.setCell(TsqColumn, edit.rxToneText);
  slot.setCell(DcsColumn, edit.dcsText);
  slot.setCell(ShiftColumn, labelOr(ShiftCodes, edit.shift));
  slot.setCell(ShiftFreqColumn, edit.shiftFrequency + QStringLiteral("MHz"));
  slot.setCell(SkipColumn, edit.skip ? QStringLiteral("*") : QString());
  slot.txToneIndex =
      static_cast<std::uint8_t>(IndexOrDefault(ToneNames, edit.txTone, DefaultToneIndex));
  slot.rxToneIndex =
      static_cast<std::uint8_t>(IndexOrDefault(ToneNames, edit.rxTone, DefaultToneIndex));
  slot.dcsIndex = static_cast<std::uint8_t>(IndexOrDefault(DcsNames, edit.dcs, 0));
  slot.carrierIndex =
      static_cast<std::uint8_t>(IndexOrDefault(CarrierNames, edit.carrier, ResetCarrierIndex));
  slot.stepIndex = static_cast<std::uint8_t>(IndexOrDefault(StepNames, edit.step, 0));
  slot.setCell(NameColumn, edit.name);
}

}  // namespace

std::optional<int> EditableRow(int row) {
  if (row < 1 || row >= FirstPresetSlot) return std::nullopt;
  if (IsDualWatchRow(row) && (row - FirstDualWatchSlot) % 2 == 1) return row - 1;
  return row;
}

bool IsDualWatchRow(int row) {
  return row >= FirstDualWatchSlot && row <= LastDualWatchSlot;
}

int DualWatchPartner(int row) {
  return (row - FirstDualWatchSlot) % 2 == 0 ? row + 1 : row - 1;
}

DetailFormState FillDetailForm(const CloneImage& image, int row) {
  DetailFormState form;
  form.row = EditableRow(row).value_or(row);
  form.pair = IsDualWatchRow(form.row);
  form.sets[0] = FillSet(image.slot(form.row), 0, RowCaption(image, form.row));
  if (form.pair) {
    const int partner = form.row + 1;
    form.sets[1] = FillSet(image.slot(partner), 1, RowCaption(image, partner));
  }
  return form;
}

DetailSetState ClearedSet(const DetailSetState& set) {
  DetailSetState cleared;
  cleared.caption = set.caption;
  cleared.carrier = StartupCarrierIndex;
  return cleared;
}

ChannelEditBuffer ConfirmDetailForm(DetailFormState form) {
  ChannelEditBuffer buffer;
  buffer.confirmed = true;
  buffer.slotA = form.row - 1;
  buffer.channels[0] = ConfirmSet(form.sets[0], 0);
  buffer.used[0] = !buffer.channels[0].frequency.isEmpty();
  if (!form.pair) {
    buffer.editResult = buffer.used[0] ? EditResultSingle : EditResultNothing;
    return buffer;
  }
  buffer.slotB = form.row;
  buffer.channels[1] = ConfirmSet(form.sets[1], 1);
  buffer.used[1] = !buffer.channels[1].frequency.isEmpty();
  if (buffer.used[0]) {
    buffer.editResult = buffer.used[1] ? EditResultBoth : EditResultFirstOnly;
  } else {
    buffer.editResult = buffer.used[1] ? EditResultSecondOnly : EditResultNeither;
  }
  return buffer;
}

void CommitEdit(CloneImage& image, const ChannelEditBuffer& buffer, int row) {
  if (!buffer.confirmed) return;
  const std::optional<int> editable = EditableRow(row);
  if (!editable) return;
  ChannelSlot& first = image.slot(*editable);
  const bool pair = IsDualWatchRow(*editable);
  ChannelSlot* second = pair ? &image.slot(DualWatchPartner(*editable)) : nullptr;

  switch (buffer.editResult) {
    case EditResultNothing:
      break;
    case EditResultSecondOnly:
      first.clear();
      if (second) WriteChannel(*second, buffer.channels[1]);
      break;
    case EditResultFirstOnly:
      WriteChannel(first, buffer.channels[0]);
      if (second) second->clear();
      break;
    case EditResultBoth:
      WriteChannel(first, buffer.channels[0]);
      if (second) WriteChannel(*second, buffer.channels[1]);
      break;
    case EditResultNeither:
      if (second) {
        first.clear();
        second->clear();
      } else {
        WriteChannel(first, buffer.channels[0]);
      }
      break;
    default:
      WriteChannel(first, buffer.channels[0]);
      break;
  }

  // An unused slot never keeps texts behind.
  const auto applyUsed = [](ChannelSlot& slot, bool used) {
    if (used) {
      slot.used = true;
    } else {
      slot.clear();
    }
  };
  applyUsed(first, buffer.used[0]);
  if (second) applyUsed(*second, buffer.used[1]);
}

std::optional<int> NavigationTarget(int row, int editNavigate) {
  int target = row;
  if (editNavigate == NavigateNext) {
    target = row + (IsDualWatchRow(row) ? 2 : 1);
  } else if (editNavigate == NavigateBack) {
    if (row > 1) target = row - ((row > FirstDualWatchSlot && row <= LastDualWatchSlot) ? 2 : 1);
  } else {
    return std::nullopt;
  }
  return EditableRow(target);
}

bool IsDigitFieldText(QStringView text, int maxLength) {
  return text.size() <= maxLength &&
         std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString NormaliseOffsetMegahertz(QStringView text) {
  return QString::number(DigitValue(DigitsOnly(text)));
}

QString NormaliseOffsetDigits(QStringView megahertz, QStringView digits, int width) {
  QString cleaned = DigitsOnly(digits);
  const long long limit = PowerOfTen(width) - 5;  // 99995 or 995
  if (DigitValue(DigitsOnly(megahertz)) == 999 && DigitValue(cleaned) > limit) {
    cleaned = QString::number(limit);
  }
  if (width == OffsetDigitsLength[1] && (cleaned.isEmpty() || cleaned.size() > width)) {
    return Zeros(width);
  }
  return cleaned.leftJustified(width, u'0');
}

bool AcceptsNameCharacter(QStringView name, char32_t character) {
  const std::optional<QByteArray> bytes = CharToCp932(character);
  const int characterBytes = bytes ? static_cast<int>(bytes->size()) : 1;
  return Cp932ByteLength(name) + characterBytes <= NameByteLimit;
}

QString CutNameToLimit(QStringView text) {
  QString cut;
  for (const char32_t c : text.toUcs4()) {
    if (!AcceptsNameCharacter(cut, c)) break;
    cut += QString::fromUcs4(&c, 1);
  }
  return cut;
}

}  // namespace rqm27
