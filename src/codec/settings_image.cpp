#include "codec/settings_image.h"

#include "codec/byte_view.h"
#include "model/settings_texts.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace rqm27 {
namespace {

// Rows in strictly ascending order, every byte inside the area; this also catches a row count
// larger than the rows written (the missing rows would sit at offset 0).
static_assert([] {
  int previous = -1;
  for (const SettingsByte& row : SettingsByteMap) {
    if (row.offset <= previous || row.offset >= SettingsAreaSize) return false;
    if (row.pairedOffset >= SettingsAreaSize) return false;
    previous = row.offset;
  }
  return true;
}());

// Operation Mode (MAIN) is kept in its first byte only while that byte holds one of the three
// modes; a larger value there moves it to the alternative byte.
constexpr int OperationModeCount = 3;
// The value of Operation Mode (SUB) "Memory".
constexpr std::uint8_t SubMemoryByte = 0x02;

// The two one-bit bytes of a four-entry list, for each entry: `offset`, then `pairedOffset`.
// Every combination belongs to one entry, so the bytes always name an entry.
struct BytePair {
  bool first;
  bool second;
};
using FourEntries = std::array<BytePair, 4>;
// Single / MAIN, Single / SUB, Dual / MAIN, Dual / SUB.
inline constexpr FourEntries OperationStatusBytes = {
    {{false, true}, {true, true}, {false, false}, {true, false}}};
inline constexpr FourEntries DialRingBytes = {
    {{false, false}, {false, true}, {true, true}, {true, false}}};

bool NamesEntry(int selected, SettingsList list, int index) {
  return selected >= 0 && selected < SettingsChoiceCount(list, index);
}

Error OutsideList(const SettingsByte& row, int value, int first, int last) {
  return Error{QStringLiteral("settings byte 0x%1 (%2): value %3 is outside the list (%4-%5)")
                   .arg(QString::number(row.offset, 16).toUpper().rightJustified(2, u'0'),
                        SettingsCaption(row.list, row.index, Language::English))
                   .arg(value)
                   .arg(first)
                   .arg(last)};
}

int& Selected(const SettingsByte& row, SettingsSelections& selections) {
  return selections.at(row.list, row.index);
}

// Each rule as a pair: Decode<rule> sets the row's selection from the area and fails only on
// a byte that names no entry; Encode<rule> writes the row's bytes for a selection that names
// an entry of its list.

// Index (First 0) and IndexPlusOne (First 1): the byte is the index plus First.
template <int First>
Status DecodeIndex(const SettingsByte& row, const ByteReader& area, SettingsSelections& decoded) {
  const int value = area.u8(row.offset);
  const int count = SettingsChoiceCount(row.list, row.index);
  if (value < First || value >= First + count) {
    return OutsideList(row, value, First, First + count - 1);
  }
  Selected(row, decoded) = value - First;
  return Ok();
}
template <int First>
void EncodeIndex(const SettingsByte& row, const SettingsSelections& selections, ByteWriter& area) {
  area.setU8(row.offset, static_cast<std::uint8_t>(selections.at(row.list, row.index) + First));
}

// KeyFunction and RemoteKey: the byte is Codes[index]; an unknown code keeps the selection.
template <const auto& Codes>
Status DecodeCode(const SettingsByte& row, const ByteReader& area, SettingsSelections& decoded) {
  const auto found = std::find(Codes.begin(), Codes.end(), area.u8(row.offset));
  if (found != Codes.end()) Selected(row, decoded) = static_cast<int>(found - Codes.begin());
  return Ok();
}
template <const auto& Codes>
void EncodeCode(const SettingsByte& row, const SettingsSelections& selections, ByteWriter& area) {
  const int selected = selections.at(row.list, row.index);
  if (selected < static_cast<int>(Codes.size())) {
    area.setU8(row.offset, Codes[static_cast<std::size_t>(selected)]);
  }
}

// SecondCopy: written like an index, never read.
Status DecodeNothing(const SettingsByte&, const ByteReader&, SettingsSelections&) {
  return Ok();
}

Status DecodeOperationModeMain(const SettingsByte& row, const ByteReader& area,
                               SettingsSelections& decoded) {
  const int first = area.u8(row.offset);
  const int other = area.u8(row.pairedOffset);
  if (first < OperationModeCount) {
    Selected(row, decoded) = first;
  } else {
    Selected(row, decoded) = other < OperationModeCount ? other : 0;
  }
  return Ok();
}
void EncodeOperationModeMain(const SettingsByte& row, const SettingsSelections& selections,
                             ByteWriter& area) {
  // The first byte still holds the base's value: no earlier row writes it.
  const bool inFirst = area.u8(row.offset) < OperationModeCount;
  area.setU8(inFirst ? row.offset : row.pairedOffset,
             static_cast<std::uint8_t>(selections.at(row.list, row.index)));
}

Status DecodeOperationModeSub(const SettingsByte& row, const ByteReader& area,
                              SettingsSelections& decoded) {
  Selected(row, decoded) = area.u8(row.offset) == SubMemoryByte ? 1 : 0;
  return Ok();
}
void EncodeOperationModeSub(const SettingsByte& row, const SettingsSelections& selections,
                            ByteWriter& area) {
  area.setU8(row.offset, selections.at(row.list, row.index) == 1 ? SubMemoryByte : 0);
}

// OperationStatus and DialRing: one of the four entries of Bytes.
template <const FourEntries& Bytes>
Status DecodeBytePair(const SettingsByte& row, const ByteReader& area,
                      SettingsSelections& decoded) {
  const BytePair read = {area.u8(row.offset) != 0, area.u8(row.pairedOffset) != 0};
  const auto found = std::find_if(Bytes.begin(), Bytes.end(), [&read](const BytePair& pair) {
    return pair.first == read.first && pair.second == read.second;
  });
  Selected(row, decoded) = static_cast<int>(found - Bytes.begin());
  return Ok();
}
template <const FourEntries& Bytes>
void EncodeBytePair(const SettingsByte& row, const SettingsSelections& selections,
                    ByteWriter& area) {
  const BytePair& pair = Bytes[static_cast<std::size_t>(selections.at(row.list, row.index))];
  area.setU8(row.offset, pair.first ? 1 : 0);
  area.setU8(row.pairedOffset, pair.second ? 1 : 0);
}

// AudioTones: bit 0 the row's list, bit 1 the paired list; a byte above 03 is not read.
Status DecodeAudioTones(const SettingsByte& row, const ByteReader& area,
                        SettingsSelections& decoded) {
  if (area.u8(row.offset) > 3) return Ok();
  Selected(row, decoded) = area.bits(row.offset, 0, 1);
  decoded.at(row.list, row.pairedIndex) = area.bits(row.offset, 1, 1);
  return Ok();
}
void EncodeAudioTones(const SettingsByte& row, const SettingsSelections& selections,
                      ByteWriter& area) {
  const int high = selections.at(row.list, row.index);
  const int low = selections.at(row.list, row.pairedIndex);
  if (!NamesEntry(low, row.list, row.pairedIndex)) return;
  area.setU8(row.offset, static_cast<std::uint8_t>((high != 0 ? 1 : 0) + (low != 0 ? 2 : 0)));
}

struct RuleCodec {
  SettingsRule rule;
  Status (*decode)(const SettingsByte& row, const ByteReader& area, SettingsSelections& decoded);
  void (*encode)(const SettingsByte& row, const SettingsSelections& selections, ByteWriter& area);
};

// In the order of SettingsRule.
inline constexpr std::array<RuleCodec, 10> RuleCodecs = {{
    {SettingsRule::Index, DecodeIndex<0>, EncodeIndex<0>},
    {SettingsRule::IndexPlusOne, DecodeIndex<1>, EncodeIndex<1>},
    {SettingsRule::KeyFunction, DecodeCode<KeyFunctionCodes>, EncodeCode<KeyFunctionCodes>},
    {SettingsRule::RemoteKey, DecodeCode<RemoteKeyCodes>, EncodeCode<RemoteKeyCodes>},
    {SettingsRule::SecondCopy, DecodeNothing, EncodeIndex<0>},
    {SettingsRule::OperationModeMain, DecodeOperationModeMain, EncodeOperationModeMain},
    {SettingsRule::OperationModeSub, DecodeOperationModeSub, EncodeOperationModeSub},
    {SettingsRule::OperationStatus, DecodeBytePair<OperationStatusBytes>,
     EncodeBytePair<OperationStatusBytes>},
    {SettingsRule::DialRing, DecodeBytePair<DialRingBytes>, EncodeBytePair<DialRingBytes>},
    {SettingsRule::AudioTones, DecodeAudioTones, EncodeAudioTones},
}};
static_assert([] {
  for (std::size_t i = 0; i < RuleCodecs.size(); ++i) {
    if (static_cast<std::size_t>(RuleCodecs[i].rule) != i) return false;
  }
  return true;
}());

const RuleCodec& CodecOf(SettingsRule rule) {
  return RuleCodecs[static_cast<std::size_t>(rule)];
}

}  // namespace

Status DecodeSettingsImage(const QByteArray& area, SettingsSelections& selections) {
  if (area.size() != SettingsAreaSize) {
    return Error{QStringLiteral("settings area: expected %1 bytes, found %2")
                     .arg(SettingsAreaSize)
                     .arg(area.size())};
  }
  const ByteReader read(area);
  SettingsSelections decoded = selections;
  for (const SettingsByte& row : SettingsByteMap) {
    if (Status decodedRow = CodecOf(row.rule).decode(row, read, decoded); !decodedRow) {
      return decodedRow;
    }
  }
  selections = decoded;
  return Ok();
}

QByteArray EncodeSettingsImage(const QByteArray& base, const SettingsSelections& selections) {
  QByteArray area = ZeroPadded(base, SettingsAreaSize);
  ByteWriter write(area);
  for (const SettingsByte& row : SettingsByteMap) {
    if (NamesEntry(selections.at(row.list, row.index), row.list, row.index)) {
      CodecOf(row.rule).encode(row, selections, write);
    }
  }
  return area;
}

}  // namespace rqm27
