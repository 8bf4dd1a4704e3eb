#include "model/channel_text.h"

#include "model/lenient_number.h"
#include "model/value_tables.h"

namespace rqm27 {

namespace {

constexpr std::int64_t TensPerMegahertz = 100000;
constexpr int MegahertzDigits = 4;
constexpr int DecimalDigits = 5;
constexpr QStringView MegahertzUnit = u"MHz";

template <std::size_t N>
QString TableLabel(const std::array<std::string_view, N>& table, int index) {
  return index >= 0 && index < static_cast<int>(N) ? Label(table[static_cast<std::size_t>(index)])
                                                   : QString();
}

QString CodeLabel(std::span<const LabelCode> table, int code) {
  const auto label = LabelOfCode(table, code);
  return label ? Label(*label) : QString();
}

bool AllDigits(QStringView text) {
  for (QChar c : text) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

}  // namespace

QString MegahertzText(std::int64_t tens) {
  return QStringLiteral("%1.%2MHz")
      .arg(tens / TensPerMegahertz)
      .arg(tens % TensPerMegahertz, DecimalDigits, 10, QChar(u'0'));
}

std::optional<std::int32_t> ParseMegahertz(QStringView text) {
  text = text.trimmed();
  if (text.endsWith(MegahertzUnit)) text.chop(MegahertzUnit.size());
  const qsizetype point = text.indexOf(u'.');
  QStringView whole = point < 0 ? text : text.first(point);
  // Fixed-width fields pad the megahertz with zeros.
  while (whole.size() > 1 && whole.front() == u'0') whole = whole.sliced(1);
  const QStringView decimals = point < 0 ? QStringView() : text.sliced(point + 1);
  if (whole.isEmpty() || whole.size() > MegahertzDigits || !AllDigits(whole)) return std::nullopt;
  if (point >= 0 && (decimals.isEmpty() || decimals.size() > DecimalDigits)) return std::nullopt;
  if (!AllDigits(decimals)) return std::nullopt;
  const QString padded = decimals.toString().leftJustified(DecimalDigits, u'0');
  return static_cast<std::int32_t>(whole.toInt() * TensPerMegahertz + padded.toInt());
}

QString ChannelCellText(const ChannelSlot& channel, int column) {
  if (!channel.used) return {};
  switch (column) {
    case FrequencyColumn:
      return MegahertzText(channel.frequency);
    case ModeColumn:
      return ModeLabel(channel.mode);
    case StepColumn:
      return TableLabel(StepNames, channel.step);
    case CarrierColumn:
      return TableLabel(CarrierNames, channel.carrier);
    case SubtoneColumn:
      return SubtoneLabel(channel.subtone);
    case TxToneColumn:
      return TableLabel(ToneNames, channel.txTone);
    case TsqColumn:
      return TableLabel(ToneNames, channel.rxTone);
    case DcsColumn:
      return TableLabel(DcsNames, channel.dcs);
    case ShiftColumn:
      return ShiftLabel(channel.shift);
    case ShiftFreqColumn:
      return MegahertzText(channel.offset);
    case SkipColumn:
      return SkipLabel(channel.skip);
    case NameColumn:
      return NameToText(channel.name);
    default:
      return {};
  }
}

QString ModeLabel(ChannelMode mode) {
  return CodeLabel(EditModeCodes, static_cast<int>(mode));
}
QString SubtoneLabel(SubtoneType subtone) {
  return CodeLabel(SubtoneCodes, static_cast<int>(subtone));
}
QString ShiftLabel(ShiftDirection shift) {
  return CodeLabel(ShiftCodes, static_cast<int>(shift));
}
QString SkipLabel(bool skip) {
  return CodeLabel(SkipCodes, skip ? 1 : 0);
}

std::optional<ChannelMode> ModeOfLabel(QStringView label) {
  const auto code = CodeOfLabel(EditModeCodes, label);
  return code ? std::optional(static_cast<ChannelMode>(*code)) : std::nullopt;
}
std::optional<SubtoneType> SubtoneOfLabel(QStringView label) {
  const auto code = CodeOfLabel(SubtoneCodes, label);
  return code ? std::optional(static_cast<SubtoneType>(*code)) : std::nullopt;
}
std::optional<ShiftDirection> ShiftOfLabel(QStringView label) {
  const auto code = CodeOfLabel(ShiftCodes, label);
  return code ? std::optional(static_cast<ShiftDirection>(*code)) : std::nullopt;
}
std::optional<bool> SkipOfLabel(QStringView label) {
  const auto code = CodeOfLabel(SkipCodes, label);
  return code ? std::optional(*code == 1) : std::nullopt;
}

std::optional<ChannelMode> ModeOfCode(int code) {
  return LabelOfCode(EditModeCodes, code) ? std::optional(static_cast<ChannelMode>(code))
                                          : std::nullopt;
}
std::optional<SubtoneType> SubtoneOfCode(int code) {
  return LabelOfCode(SubtoneCodes, code) ? std::optional(static_cast<SubtoneType>(code))
                                         : std::nullopt;
}
std::optional<ShiftDirection> ShiftOfCode(int code) {
  return LabelOfCode(ShiftCodes, code) ? std::optional(static_cast<ShiftDirection>(code))
                                       : std::nullopt;
}

std::optional<int> DcsIndexOfNumber(QStringView text) {
  const double value = LeadingNumber(text);
  for (std::size_t k = 0; k < DcsNames.size(); ++k) {
    if (LeadingNumber(Label(DcsNames[k])) == value) return static_cast<int>(k);
  }
  return std::nullopt;
}

}  // namespace rqm27
