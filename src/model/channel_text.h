// The one formatter of a channel's values as text, as the grid, the files and the command line
// show them ("145.00000MHz", "8.33KHz", "TSQ"), and the readers of those words back into values.
#pragma once

#include "model/channel_slot.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace rqm27 {

// Grid columns; column 0 is the row label, column 6 (the transmit tone) is hidden.
enum Column : int {
  LabelColumn = 0,
  FrequencyColumn = 1,
  ModeColumn,
  StepColumn,
  CarrierColumn,
  SubtoneColumn,
  TxToneColumn,
  TsqColumn,
  DcsColumn,
  ShiftColumn,
  ShiftFreqColumn,
  SkipColumn,
  NameColumn,
  ColumnCount
};

// A frequency in units of 10 Hz as megahertz with five decimals: "145.00000MHz".
QString MegahertzText(std::int64_t tens);

// A frequency written as megahertz: 1 to 4 digits (after leading zeros), optionally a point and
// 1 to 5 decimals, optionally "MHz"; in units of 10 Hz. "145.5", "145.50000MHz" and
// "00145.500" are 145.5 MHz.
std::optional<std::int32_t> ParseMegahertz(QStringView text);

// The text of a column of a slot; every column of an unused slot is empty.
QString ChannelCellText(const ChannelSlot& channel, int column);

QString ModeLabel(ChannelMode mode);
QString SubtoneLabel(SubtoneType subtone);
QString ShiftLabel(ShiftDirection shift);
QString SkipLabel(bool skip);

std::optional<ChannelMode> ModeOfLabel(QStringView label);
std::optional<SubtoneType> SubtoneOfLabel(QStringView label);
std::optional<ShiftDirection> ShiftOfLabel(QStringView label);
std::optional<bool> SkipOfLabel(QStringView label);
// The DCS table index of a code written as a number ("023", "23" and "23.0" are code 023), as
// spreadsheets and channel lists give it.
std::optional<int> DcsIndexOfNumber(QStringView text);

// The enums of the codes the record and the clone file use; nothing for a code without one.
std::optional<ChannelMode> ModeOfCode(int code);
std::optional<SubtoneType> SubtoneOfCode(int code);
std::optional<ShiftDirection> ShiftOfCode(int code);

}  // namespace rqm27
