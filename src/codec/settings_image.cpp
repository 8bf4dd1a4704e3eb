#include "codec/settings_image.h"

#include "model/settings_texts.h"

#include <algorithm>
#include <optional>
#include <span>

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
constexpr int SubMemoryByte = 0x02;

int ByteAt(const QByteArray& area, int offset) {
  return static_cast<std::uint8_t>(area[static_cast<qsizetype>(offset)]);
}

void Put(QByteArray& area, int offset, int value) {
  area[static_cast<qsizetype>(offset)] = static_cast<char>(static_cast<std::uint8_t>(value));
}

std::optional<int> IndexOfCode(std::span<const std::uint8_t> codes, int code) {
  const auto found = std::find(codes.begin(), codes.end(), code);
  if (found == codes.end()) return std::nullopt;
  return static_cast<int>(found - codes.begin());
}

std::optional<int> CodeAt(std::span<const std::uint8_t> codes, int index) {
  if (index < 0 || index >= static_cast<int>(codes.size())) return std::nullopt;
  return codes[static_cast<std::size_t>(index)];
}

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

}  // namespace

Status DecodeSettingsImage(const QByteArray& area, SettingsSelections& selections) {
  if (area.size() != SettingsAreaSize) {
    return Error{QStringLiteral("settings area: expected %1 bytes, found %2")
                     .arg(SettingsAreaSize)
                     .arg(area.size())};
  }
  SettingsSelections decoded = selections;
  for (const SettingsByte& row : SettingsByteMap) {
    const int value = ByteAt(area, row.offset);
    int& selected = decoded.at(row.list, row.index);
    switch (row.rule) {
      case SettingsRule::Index:
      case SettingsRule::IndexPlusOne: {
        const int first = row.rule == SettingsRule::IndexPlusOne ? 1 : 0;
        const int count = SettingsChoiceCount(row.list, row.index);
        if (value < first || value >= first + count) {
          return OutsideList(row, value, first, first + count - 1);
        }
        selected = value - first;
        break;
      }
      case SettingsRule::KeyFunction:
        if (const auto index = IndexOfCode(KeyFunctionCodes, value)) selected = *index;
        break;
      case SettingsRule::RemoteKey:
        if (const auto index = IndexOfCode(RemoteKeyCodes, value)) selected = *index;
        break;
      case SettingsRule::SecondCopy:
        break;
      case SettingsRule::OperationModeMain: {
        const int other = ByteAt(area, row.pairedOffset);
        if (value < OperationModeCount) {
          selected = value;
        } else {
          selected = other < OperationModeCount ? other : 0;
        }
        break;
      }
      case SettingsRule::OperationModeSub:
        selected = value == SubMemoryByte ? 1 : 0;
        break;
      case SettingsRule::OperationStatus: {
        const bool sub = value != 0;
        const bool single = ByteAt(area, row.pairedOffset) != 0;
        selected = (single ? 0 : 2) + (sub ? 1 : 0);
        break;
      }
      case SettingsRule::DialRing: {
        const bool first = value != 0;
        const bool second = ByteAt(area, row.pairedOffset) != 0;
        selected = first ? (second ? 2 : 3) : (second ? 1 : 0);
        break;
      }
      case SettingsRule::AudioTones:
        if (value <= 3) {
          selected = value & 1;
          decoded.at(row.list, row.pairedIndex) = (value >> 1) & 1;
        }
        break;
    }
  }
  selections = decoded;
  return Ok();
}

QByteArray EncodeSettingsImage(const QByteArray& base, const SettingsSelections& selections) {
  QByteArray area = base.left(SettingsAreaSize);
  if (area.size() < SettingsAreaSize) area.append(QByteArray(SettingsAreaSize - area.size(), 0));

  for (const SettingsByte& row : SettingsByteMap) {
    const int selected = selections.at(row.list, row.index);
    if (!NamesEntry(selected, row.list, row.index)) continue;
    switch (row.rule) {
      case SettingsRule::Index:
      case SettingsRule::SecondCopy:
        Put(area, row.offset, selected);
        break;
      case SettingsRule::IndexPlusOne:
        Put(area, row.offset, selected + 1);
        break;
      case SettingsRule::KeyFunction:
        if (const auto code = CodeAt(KeyFunctionCodes, selected)) Put(area, row.offset, *code);
        break;
      case SettingsRule::RemoteKey:
        if (const auto code = CodeAt(RemoteKeyCodes, selected)) Put(area, row.offset, *code);
        break;
      case SettingsRule::OperationModeMain: {
        // The first byte still holds the base's value: no earlier row writes it.
        const bool inFirst = ByteAt(area, row.offset) < OperationModeCount;
        Put(area, inFirst ? row.offset : row.pairedOffset, selected);
        break;
      }
      case SettingsRule::OperationModeSub:
        Put(area, row.offset, selected == 1 ? SubMemoryByte : 0);
        break;
      case SettingsRule::OperationStatus:
        Put(area, row.offset, selected == 1 || selected == 3 ? 1 : 0);
        Put(area, row.pairedOffset, selected == 0 || selected == 1 ? 1 : 0);
        break;
      case SettingsRule::DialRing:
        Put(area, row.offset, selected == 2 || selected == 3 ? 1 : 0);
        Put(area, row.pairedOffset, selected == 1 || selected == 2 ? 1 : 0);
        break;
      case SettingsRule::AudioTones: {
        const int low = selections.at(row.list, row.pairedIndex);
        if (!NamesEntry(low, row.list, row.pairedIndex)) break;
        Put(area, row.offset, (selected != 0 ? 1 : 0) + (low != 0 ? 2 : 0));
        break;
      }
    }
  }
  return area;
}

}  // namespace rqm27
