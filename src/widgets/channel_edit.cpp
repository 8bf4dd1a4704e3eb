#include "widgets/channel_edit.h"

#include "model/channel_rules.h"
#include "model/channel_text.h"
#include "model/code_page.h"
#include "model/row_labels.h"
#include "model/value_tables.h"

#include <algorithm>

namespace rqm27 {

namespace {

constexpr std::int32_t TensPerMegahertz = 100000;
// Megahertz at or above this become 145 MHz when confirmed.
constexpr long long MegahertzCeiling = 1300;
constexpr long long FallbackMegahertz = 145;

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
int IndexOrDefault(const std::array<std::string_view, N>&, int index, int fallback) {
  return index >= 0 && index < static_cast<int>(N) ? index : fallback;
}

QString RowCaption(const CloneImage& image, int row) {
  const std::optional<QStringList> labels = ShowRowLabels(image.banks);
  return (labels ? *labels : ProvisionalRowLabels()).at(row - 1);
}

QString Decimals(std::int32_t tens, int keep) {
  return QStringLiteral("%1")
      .arg(tens % TensPerMegahertz, FrequencyDigitsLength, 10, QChar(u'0'))
      .left(keep);
}

DetailSetState FillSet(const ChannelSlot& slot, int set, const QString& caption) {
  DetailSetState state;
  state.caption = caption;
  if (slot.used) {
    state.frequencyMegahertz = QString::number(slot.frequency / TensPerMegahertz);
    state.frequencyDigits = Decimals(slot.frequency, FrequencyDigitsLength);
    state.offsetMegahertz = QString::number(slot.offset / TensPerMegahertz);
    state.offsetDigits = Decimals(slot.offset, OffsetDigitsLength[static_cast<std::size_t>(set)]);
  }
  const int mode = static_cast<int>(slot.mode);
  state.mode = mode < ModeOptionCount[static_cast<std::size_t>(set)] ? mode : -1;
  state.step = slot.step < StepOptionCount[static_cast<std::size_t>(set)] ? slot.step : -1;
  state.carrier = IndexOrDefault(CarrierNames, slot.carrier, StartupCarrierIndex);
  state.subtone = static_cast<int>(slot.subtone);
  state.txTone = IndexOrDefault(ToneNames, slot.txTone, DefaultToneIndex);
  state.rxTone = IndexOrDefault(ToneNames, slot.rxTone, DefaultToneIndex);
  state.dcs = IndexOrDefault(DcsNames, slot.dcs, 0);
  state.shift = static_cast<int>(slot.shift);
  state.skip = slot.skip;
  state.name = NameToText(slot.name);
  return state;
}

// The confirm checks of one set; `set` 0 is the first set, which also gets its step corrected.
ChannelEdit ConfirmSet(const DetailSetState& in, int set) {
  ChannelEdit out;
  ChannelSlot& channel = out.channel;

  // Frequency: megahertz as a plain number below 1300, five digits after the point.
  long long megahertz = DigitValue(DigitsOnly(in.frequencyMegahertz));
  if (megahertz >= MegahertzCeiling) megahertz = FallbackMegahertz;
  QString digits = DigitsOnly(in.frequencyDigits).leftJustified(FrequencyDigitsLength, u'0');
  if (digits.size() > FrequencyDigitsLength) digits = Zeros(FrequencyDigitsLength);
  const long long frequency = megahertz * TensPerMegahertz + DigitValue(digits);
  channel.used = FrequencyInRange(frequency);
  channel.frequency = channel.used ? static_cast<std::int32_t>(frequency) : 0;

  // Offset: at most 999 MHz and the set's digits, up to 999.99995 (999.995) MHz.
  const int width = OffsetDigitsLength[static_cast<std::size_t>(set)];
  QString offsetMegahertz = in.offsetMegahertz;
  QString offsetDigits = in.offsetDigits;
  if (offsetMegahertz.isEmpty() || offsetMegahertz.size() > OffsetMegahertzLength) {
    offsetMegahertz = QStringLiteral("0");
  }
  if (offsetDigits.isEmpty() || offsetDigits.size() > width) offsetDigits = Zeros(width);
  offsetDigits = offsetDigits.leftJustified(width, u'0');  // decimals: "6" is .6
  const long long offsetCeiling = 1000 * PowerOfTen(width) - 5;
  long long offset = DigitValue(offsetMegahertz) * PowerOfTen(width) + DigitValue(offsetDigits);
  if (offset > offsetCeiling) offset = 0;
  channel.offset = static_cast<std::int32_t>(offset * PowerOfTen(FrequencyDigitsLength - width));

  channel.mode = ModeOfCode(std::max(in.mode, 0)).value_or(ChannelMode::FM);
  channel.shift = ShiftOfCode(std::max(in.shift, 0)).value_or(ShiftDirection::Off);
  channel.skip = in.skip;
  // The "Tone" option has no sub-tone type in the receiver's record; it is never offered.
  channel.subtone = SubtoneOfCode(std::max(in.subtone, 0)).value_or(SubtoneType::None);
  channel.txTone =
      static_cast<std::uint8_t>(IndexOrDefault(ToneNames, in.txTone, DefaultToneIndex));
  channel.rxTone =
      static_cast<std::uint8_t>(IndexOrDefault(ToneNames, in.rxTone, DefaultToneIndex));
  channel.dcs = static_cast<std::uint8_t>(IndexOrDefault(DcsNames, in.dcs, 0));
  channel.carrier =
      static_cast<std::uint8_t>(IndexOrDefault(CarrierNames, in.carrier, ResetCarrierIndex));
  int step = IndexOrDefault(StepNames, in.step, 0);
  // The first set's frequency and offset must both lie on the step; else 5 kHz, 6.25 kHz, 50 Hz.
  if (set == 0) step = FittingStep(step, frequency, channel.offset);
  channel.step = static_cast<std::uint8_t>(step);
  out.name = in.name;
  return out;
}

// Writes a confirmed channel into a slot. A name shown and left as it was keeps its codes, even
// those that have no text form.
void WriteChannel(ChannelSlot& slot, const ChannelEdit& edit) {
  const ChannelName name = NameToText(slot.name) == edit.name ? slot.name : NameFromText(edit.name);
  slot = edit.channel;
  slot.name = name;
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
  const bool firstUsed = buffer.channels[0].channel.used;
  if (!form.pair) {
    buffer.editResult = firstUsed ? EditResultSingle : EditResultNothing;
    return buffer;
  }
  buffer.slotB = form.row;
  buffer.channels[1] = ConfirmSet(form.sets[1], 1);
  const bool secondUsed = buffer.channels[1].channel.used;
  if (firstUsed) {
    buffer.editResult = secondUsed ? EditResultBoth : EditResultFirstOnly;
  } else {
    buffer.editResult = secondUsed ? EditResultSecondOnly : EditResultNeither;
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

  // A confirmed channel without a frequency leaves its slot empty.
  if (!buffer.channels[0].channel.used) first.clear();
  if (second && !buffer.channels[1].channel.used) second->clear();
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
  return bytes && Cp932ByteLength(name) + static_cast<int>(bytes->size()) <= NameByteLimit;
}

QString CutNameToLimit(QStringView text) {
  QString cut;
  for (const char32_t c : text.toUcs4()) {
    if (!CharToCp932(c)) continue;
    if (!AcceptsNameCharacter(cut, c)) break;
    cut += QString::fromUcs4(&c, 1);
  }
  return cut;
}

}  // namespace rqm27
