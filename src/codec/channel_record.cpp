#include "codec/channel_record.h"

#include "codec/name_codec.h"
#include "model/channel_text.h"
#include "model/clone_image.h"
#include "model/hex_text.h"
#include "model/value_tables.h"

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

// The record's mode codes have no NFM: it is stored as FM. A code without a mode reads as FM.
ChannelMode ModeOfRecordCode(int code) {
  const auto label = LabelOfCode(ModeCodes, code);
  return label ? ModeOfLabel(Label(*label)).value_or(ChannelMode::FM) : ChannelMode::FM;
}

int RecordCodeOfMode(ChannelMode mode) {
  return CodeOfLabel(ModeCodes, ModeLabel(mode)).value_or(0);
}

// An empty record: the slot is unused and shows nothing; its listed indexes stay.
void ClearShownFields(ChannelSlot& slot) {
  ChannelSlot cleared;
  cleared.step = slot.step;
  cleared.carrier = slot.carrier;
  cleared.txTone = slot.txTone;
  cleared.rxTone = slot.rxTone;
  cleared.dcs = slot.dcs;
  slot = cleared;
}

// A frequency in units of 10 Hz as the record's 32-bit hertz.
Result<std::uint32_t> Hertz(std::int64_t tens, int slot, const char* field) {
  if (tens < 0 || tens * 10 > 0xFFFFFFFFLL) {
    return Error{QStringLiteral("slot %1: %2 %3 does not fit in 32 bits")
                     .arg(slot)
                     .arg(QLatin1StringView(field), MegahertzText(tens))};
  }
  return static_cast<std::uint32_t>(tens * 10);
}

}  // namespace

int BandCodeFor(int slot, std::int64_t hertz) {
  if (slot >= FirstPresetSlot) return 1;
  if (hertz >= 118000000 && hertz < 171000000) return 2;
  if (hertz > 225000000 && hertz < 336000000) return 3;
  if (hertz > 336000000 && hertz < 470000000) return 2;
  return 1;
}

Status DecodeChannelRecord(const QByteArray& record, int slot, ChannelSlot& target) {
  if (record.size() < ChannelRecordSize) {
    return Error{QStringLiteral("slot %1: record of %2 bytes, expected %3")
                     .arg(slot)
                     .arg(record.size())
                     .arg(ChannelRecordSize)};
  }
  if ((At(record, kBand) & 0x0F) == 0) {
    ClearShownFields(target);
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
  decoded.used = true;
  decoded.frequency = static_cast<std::int32_t>(Read32(record, kFrequency) / 10);
  decoded.mode = ModeOfRecordCode(At(record, kMode) & 0x0F);
  decoded.step = static_cast<std::uint8_t>(step);
  decoded.offset = static_cast<std::int32_t>(Read32(record, kShiftFrequency) / 10);
  decoded.shift = ShiftOfCode(At(record, kShiftDirection) & 0x0F).value_or(ShiftDirection::Off);
  decoded.subtone = SubtoneOfCode(At(record, kSubtone) & 0x0F).value_or(target.subtone);
  decoded.rxTone = static_cast<std::uint8_t>(tone > 0 ? tone - 1 : 0);
  decoded.dcs = static_cast<std::uint8_t>(dcs);
  decoded.carrier = static_cast<std::uint8_t>(carrier);
  // The transmit tone is not in the record; the slot keeps its own.
  if (decoded.txTone >= ToneNames.size()) decoded.txTone = DefaultToneIndex;
  decoded.skip = (At(record, kSkip) & 0x0F) == 1;
  decoded.name = DecodeName(record.mid(kName, NameBytes));
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
  const auto frequency = Hertz(source.frequency, slot, "frequency");
  if (!frequency) return Error{frequency.error()};
  const auto offset = Hertz(source.offset, slot, "shift offset");
  if (!offset) return Error{offset.error()};

  QByteArray record(ChannelRecordSize, '\0');
  record[kBand] = static_cast<char>(BandCodeFor(slot, *frequency));
  Write32(record, kFrequency, *frequency);
  record[kMode] = static_cast<char>(RecordCodeOfMode(source.mode));
  record[kStep] = static_cast<char>(source.step);
  Write32(record, kShiftFrequency, *offset);
  record[kShiftDirection] = static_cast<char>(source.shift);
  record[kSubtone] = static_cast<char>(source.subtone);
  record[kTone] = static_cast<char>(source.rxTone == 0 ? 0 : source.rxTone + 1);
  record[kDcs] = static_cast<char>(source.dcs);
  record[kCarrier] = static_cast<char>(source.carrier);
  record[kFixed16] = 0;
  record[kFixed17] = static_cast<char>(kFixed17Value);
  record[kSkip] = static_cast<char>(source.skip ? 1 : 0);
  record[kFixed20] = static_cast<char>(kFixed20Value);
  record.replace(kName, NameBytes, EncodeName(source.name));
  return std::optional<QByteArray>(record);
}

}  // namespace rqm27
