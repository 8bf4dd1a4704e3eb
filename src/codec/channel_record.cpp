#include "codec/channel_record.h"

#include "codec/name_codec.h"
#include "model/clone_image.h"
#include "model/hex_text.h"
#include "model/lenient_number.h"
#include "model/value_tables.h"

#include <cmath>

namespace rqm27 {

namespace {

// Byte offsets inside the record.
enum Offset : int {
  kBand = 0,
  kFrequency = 1,
  kMode = 5,
  kStep = 6,
  kShiftFrequency = 7,
  kShiftDirection = 11,
  kSubtone = 12,
  kTone = 13,
  kDcs = 14,
  kCarrier = 15,
  kFixed16 = 16,
  kFixed17 = 17,
  kSkip = 18,
  kFixed20 = 20,
  kName = 32,
};

// The fixed values of bytes 16-31.
constexpr std::uint8_t kFixed17Value = 0x3E;
constexpr std::uint8_t kFixed20Value = 0x0A;

std::uint8_t At(const QByteArray& record, int offset) {
  return static_cast<std::uint8_t>(record[offset]);
}

std::uint32_t Read32(const QByteArray& record, int offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | At(record, offset + i);
  return value;
}

void Write32(QByteArray& record, int offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) record[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

Error OutsideTable(int slot, const char* field, int value, int last) {
  return Error{QStringLiteral("slot %1: %2 byte %3 is outside its table (0-%4)")
                   .arg(slot)
                   .arg(QLatin1StringView(field))
                   .arg(value)
                   .arg(last)};
}

}  // namespace

int BandCodeFor(int slot, std::int64_t hertz) {
  if (slot >= FirstPresetSlot) return 1;
  if (hertz >= 118000000 && hertz < 171000000) return 2;
  if (hertz > 225000000 && hertz < 336000000) return 3;
  if (hertz > 336000000 && hertz < 470000000) return 2;
  return 1;
}

QString FrequencyCellText(std::uint32_t hertz) {
  return QStringLiteral("%1.%2MHz")
      .arg(hertz / 1000000)
      .arg((hertz % 1000000) / 10, 5, 10, QChar(u'0'));
}

Result<std::uint32_t> CellHertz(const QString& cell, int slot, const char* field) {
  const double hertz = std::round(LeadingNumber(cell) * 1000000.0);
  if (!(hertz >= 0.0 && hertz <= 4294967295.0)) {
    return Error{QStringLiteral("slot %1: %2 \"%3\" does not fit in 32 bits")
                     .arg(slot)
                     .arg(QLatin1StringView(field), cell)};
  }
  return static_cast<std::uint32_t>(hertz);
}

Status DecodeChannelRecord(const QByteArray& record, int slot, ChannelSlot& target) {
  if (record.size() < ChannelRecordSize) {
    return Error{QStringLiteral("slot %1: record of %2 bytes, expected %3")
                     .arg(slot)
                     .arg(record.size())
                     .arg(ChannelRecordSize)};
  }
  if ((At(record, kBand) & 0x0F) == 0) {
    target.used = false;
    target.texts = {};
    target.name = {};
    return Ok();
  }
  const int step = At(record, kStep);
  const int carrier = At(record, kCarrier);
  const int tone = At(record, kTone);
  const int dcs = At(record, kDcs);
  if (step >= static_cast<int>(StepNames.size())) {
    return OutsideTable(slot, "step", step, StepNames.size() - 1);
  }
  if (carrier >= static_cast<int>(CarrierNames.size())) {
    return OutsideTable(slot, "carrier", carrier, CarrierNames.size() - 1);
  }
  if (tone > static_cast<int>(ToneNames.size())) {
    return OutsideTable(slot, "tone-squelch", tone, ToneNames.size());
  }
  if (dcs >= static_cast<int>(DcsNames.size())) {
    return OutsideTable(slot, "DCS", dcs, DcsNames.size() - 1);
  }

  ChannelSlot decoded = target;
  const auto mode = LabelOfCode(ModeCodes, At(record, kMode) & 0x0F);
  decoded.setCell(ModeColumn, mode ? Label(*mode) : QString());
  decoded.setStep(step);
  decoded.setCarrier(carrier);
  if (const auto subtone = LabelOfCode(SubtoneCodes, At(record, kSubtone) & 0x0F)) {
    decoded.setCell(SubtoneColumn, Label(*subtone));
  }
  decoded.setRxTone(tone > 0 ? tone - 1 : 0);
  decoded.setDcs(dcs);
  // The transmit tone is not in the record; its hidden cell shows the index the slot keeps.
  decoded.setTxTone(decoded.txToneIndex < ToneNames.size() ? decoded.txToneIndex
                                                           : DefaultToneIndex);
  decoded.setCell(FrequencyColumn, FrequencyCellText(Read32(record, kFrequency)));
  const int shift = At(record, kShiftDirection) & 0x0F;
  decoded.setCell(ShiftColumn, Label(LabelOfCode(ShiftCodes, shift).value_or("Off")));
  decoded.setCell(ShiftFreqColumn, FrequencyCellText(Read32(record, kShiftFrequency)));
  decoded.setCell(SkipColumn, (At(record, kSkip) & 0x0F) == 1 ? QStringLiteral("*") : QString());
  decoded.name = DecodeName(record.mid(kName, NameBytes));
  decoded.used = true;
  target = decoded;
  return Ok();
}

Status DecodeChannelRecordHex(QStringView hex, int slot, ChannelSlot& target) {
  const auto bytes = HexToBytes(hex, QStringLiteral("slot %1 record").arg(slot), ChannelRecordSize);
  if (!bytes) return Error{bytes.error()};
  return DecodeChannelRecord(*bytes, slot, target);
}

Result<std::optional<QByteArray>> EncodeChannelRecord(const ChannelSlot& source, int slot,
                                                      bool skipEmpty) {
  if (!source.used) {
    if (skipEmpty) return std::optional<QByteArray>();
    return std::optional<QByteArray>(QByteArray(ChannelRecordSize, '\0'));
  }
  const auto frequency = CellHertz(source.cell(FrequencyColumn), slot, "frequency");
  if (!frequency) return Error{frequency.error()};
  const auto shiftFrequency = CellHertz(source.cell(ShiftFreqColumn), slot, "shift frequency");
  if (!shiftFrequency) return Error{shiftFrequency.error()};

  QByteArray record(ChannelRecordSize, '\0');
  record[kBand] = static_cast<char>(BandCodeFor(slot, *frequency));
  Write32(record, kFrequency, *frequency);
  record[kMode] = static_cast<char>(CodeOfLabel(ModeCodes, source.cell(ModeColumn)).value_or(0));
  record[kStep] = static_cast<char>(source.stepIndex);
  Write32(record, kShiftFrequency, *shiftFrequency);
  record[kShiftDirection] =
      static_cast<char>(CodeOfLabel(ShiftCodes, source.cell(ShiftColumn)).value_or(0));
  record[kSubtone] =
      static_cast<char>(CodeOfLabel(SubtoneCodes, source.cell(SubtoneColumn)).value_or(0));
  record[kTone] = static_cast<char>(source.rxToneIndex == 0 ? 0 : source.rxToneIndex + 1);
  record[kDcs] = static_cast<char>(source.dcsIndex);
  record[kCarrier] = static_cast<char>(source.carrierIndex);
  record[kFixed16] = 0;
  record[kFixed17] = static_cast<char>(kFixed17Value);
  record[kSkip] = static_cast<char>(source.cell(SkipColumn) == QStringLiteral("*") ? 1 : 0);
  record[kFixed20] = static_cast<char>(kFixed20Value);
  record.replace(kName, NameBytes, EncodeName(source.name));
  return std::optional<QByteArray>(record);
}

}  // namespace rqm27
