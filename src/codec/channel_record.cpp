#include "codec/channel_record.h"

#include "codec/byte_view.h"
#include "codec/name_codec.h"
#include "model/channel_text.h"
#include "model/clone_image.h"
#include "model/hex_text.h"
#include "model/value_tables.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <type_traits>

namespace rqm27 {

namespace {

// How a field's value is held in its bytes.
enum class Stored {
  Band,       // written as BandCodeFor(slot, frequency); read before the rows (empty or not)
  Hertz,      // u32 hertz of the slot's 10 Hz units; a value that does not fit fails the encode
  Index,      // the index into `table`; a byte past the table's end fails the decode
  ToneIndex,  // 0 for index 0, index + 1 otherwise; 1 also reads as index 0; a byte above
              // the table's size fails the decode
  Code,       // the low four bits hold a code, which the field's accessors map; written whole
  Flag,       // the low four bits are 1 when set; written 01 or 00
  Fixed,      // every byte holds `fixed`; not read
  Name,       // the name's character codes (name_codec.h)
};

// A slot's value as an int: the value itself, or for a Code row the code the record gives it.
struct SlotValue {
  int (*get)(const ChannelSlot&) = nullptr;
  void (*set)(ChannelSlot&, int) = nullptr;
};

template <auto Member>
inline constexpr SlotValue MemberValue = {
    [](const ChannelSlot& slot) { return static_cast<int>(slot.*Member); },
    [](ChannelSlot& slot, int value) {
      slot.*Member = static_cast<std::remove_cvref_t<decltype(slot.*Member)>>(value);
    }};

// One row of the record: its bytes, the field's name as the error texts give it, how the value
// is held and the slot's value it holds.
struct ChannelField {
  int offset;
  int width;
  const char* name;
  Stored stored;
  SlotValue value = {};
  std::span<const std::string_view> table = {};
  std::uint8_t fixed = 0;
};

// The record's mode codes have no NFM: it is stored as FM. A code without a mode reads as FM.
int ModeCode(const ChannelSlot& slot) {
  return CodeOfLabel(ModeCodes, ModeLabel(slot.mode)).value_or(0);
}
void SetModeCode(ChannelSlot& slot, int code) {
  const auto label = LabelOfCode(ModeCodes, code);
  slot.mode = label ? ModeOfLabel(Label(*label)).value_or(ChannelMode::FM) : ChannelMode::FM;
}

// The sub-tone type and shift direction are their codes; an unknown sub-tone code keeps the
// slot's sub-tone, an unknown shift code reads as Off.
int SubtoneCode(const ChannelSlot& slot) {
  return static_cast<int>(slot.subtone);
}
void SetSubtoneCode(ChannelSlot& slot, int code) {
  slot.subtone = SubtoneOfCode(code).value_or(slot.subtone);
}
int ShiftCode(const ChannelSlot& slot) {
  return static_cast<int>(slot.shift);
}
void SetShiftCode(ChannelSlot& slot, int code) {
  slot.shift = ShiftOfCode(code).value_or(ShiftDirection::Off);
}

constexpr int BandOffset = 0;

// The rows in the order of the grid's columns, which is the order in which a record's first
// fault is reported, then the fixed bytes. The bytes in order are laid out in channel_record.h.
inline constexpr std::array<ChannelField, 17> ChannelFields = {{
    {BandOffset, 1, "band", Stored::Band},
    {1, 4, "frequency", Stored::Hertz, MemberValue<&ChannelSlot::frequency>},
    {5, 1, "mode", Stored::Code, {ModeCode, SetModeCode}},
    {6, 1, "step", Stored::Index, MemberValue<&ChannelSlot::step>, StepNames},
    {15, 1, "carrier", Stored::Index, MemberValue<&ChannelSlot::carrier>, CarrierNames},
    {12, 1, "sub-tone type", Stored::Code, {SubtoneCode, SetSubtoneCode}},
    {13, 1, "tone-squelch", Stored::ToneIndex, MemberValue<&ChannelSlot::rxTone>, ToneNames},
    {14, 1, "DCS", Stored::Index, MemberValue<&ChannelSlot::dcs>, DcsNames},
    {11, 1, "shift direction", Stored::Code, {ShiftCode, SetShiftCode}},
    {7, 4, "shift offset", Stored::Hertz, MemberValue<&ChannelSlot::offset>},
    {18, 1, "skip", Stored::Flag, MemberValue<&ChannelSlot::skip>},
    {32, NameBytes, "name", Stored::Name},
    {16, 1, "fixed", Stored::Fixed, {}, {}, 0x00},
    {17, 1, "fixed", Stored::Fixed, {}, {}, 0x3E},
    {19, 1, "fixed", Stored::Fixed, {}, {}, 0x00},
    {20, 1, "fixed", Stored::Fixed, {}, {}, 0x0A},
    {21, 11, "fixed", Stored::Fixed, {}, {}, 0x00},
}};

// Every byte of the record belongs to exactly one row.
static_assert([] {
  std::array<int, ChannelRecordSize> rows{};
  for (const ChannelField& field : ChannelFields) {
    if (field.offset < 0 || field.offset + field.width > ChannelRecordSize) return false;
    for (int i = field.offset; i < field.offset + field.width; ++i) ++rows[i];
  }
  return std::all_of(rows.begin(), rows.end(), [](int count) { return count == 1; });
}());

Error OutsideTable(int slot, const char* field, int value, int last) {
  return Error{QStringLiteral("slot %1: %2 byte %3 is outside its table (0-%4)")
                   .arg(slot)
                   .arg(QLatin1StringView(field))
                   .arg(value)
                   .arg(last)};
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

Status DecodeField(const ChannelField& field, const ByteReader& record, int slot,
                   ChannelSlot& decoded) {
  const int byte = record.u8(field.offset);
  const int entries = static_cast<int>(field.table.size());
  switch (field.stored) {
    case Stored::Band:
    case Stored::Fixed:
      break;
    case Stored::Hertz:
      field.value.set(decoded, static_cast<int>(record.u32(field.offset) / 10));
      break;
    case Stored::Index:
      if (byte >= entries) return OutsideTable(slot, field.name, byte, entries - 1);
      field.value.set(decoded, byte);
      break;
    case Stored::ToneIndex:
      if (byte > entries) return OutsideTable(slot, field.name, byte, entries);
      field.value.set(decoded, byte > 0 ? byte - 1 : 0);
      break;
    case Stored::Code:
      field.value.set(decoded, record.bits(field.offset, 0, 4));
      break;
    case Stored::Flag:
      field.value.set(decoded, record.bits(field.offset, 0, 4) == 1 ? 1 : 0);
      break;
    case Stored::Name:
      decoded.name = DecodeName(record.bytes(field.offset, field.width));
      break;
  }
  return Ok();
}

Status EncodeField(const ChannelField& field, const ChannelSlot& source, int slot,
                   ByteWriter& record) {
  switch (field.stored) {
    case Stored::Band:
      record.setU8(field.offset, static_cast<std::uint8_t>(BandCodeFor(
                                     slot, static_cast<std::int64_t>(source.frequency) * 10)));
      break;
    case Stored::Hertz: {
      const auto hertz = Hertz(field.value.get(source), slot, field.name);
      if (!hertz) return Error{hertz.error()};
      record.setU32(field.offset, *hertz);
      break;
    }
    case Stored::Index:
    case Stored::Code:
      record.setU8(field.offset, static_cast<std::uint8_t>(field.value.get(source)));
      break;
    case Stored::ToneIndex: {
      const int index = field.value.get(source);
      record.setU8(field.offset, static_cast<std::uint8_t>(index == 0 ? 0 : index + 1));
      break;
    }
    case Stored::Flag:
      record.setU8(field.offset, field.value.get(source) != 0 ? 1 : 0);
      break;
    case Stored::Fixed:
      for (int i = 0; i < field.width; ++i) record.setU8(field.offset + i, field.fixed);
      break;
    case Stored::Name:
      record.setBytes(field.offset, EncodeName(source.name));
      break;
  }
  return Ok();
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
  const ByteReader read(record);
  if (read.bits(BandOffset, 0, 4) == 0) {
    ClearShownFields(target);
    return Ok();
  }
  ChannelSlot decoded = target;
  decoded.used = true;
  for (const ChannelField& field : ChannelFields) {
    if (Status status = DecodeField(field, read, slot, decoded); !status) return status;
  }
  // The transmit tone is not in the record; the slot keeps its own.
  if (decoded.txTone >= ToneNames.size()) decoded.txTone = DefaultToneIndex;
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
  QByteArray record(ChannelRecordSize, '\0');
  ByteWriter write(record);
  for (const ChannelField& field : ChannelFields) {
    if (const Status status = EncodeField(field, source, slot, write); !status) {
      return Error{status.error()};
    }
  }
  return std::optional<QByteArray>(record);
}

}  // namespace rqm27
