// One channel slot of the image: the texts the grid shows in columns 1-12 and the six values
// that the grid shows as labels from a table. Every writer of a slot sets both together.
#pragma once

#include "model/channel_name.h"

#include <QString>

#include <array>
#include <cstdint>

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

struct ChannelSlot {
  // Text of columns 1-11 (index = column - 1); the name is held as codes.
  std::array<QString, 11> texts;
  ChannelName name;
  std::uint8_t stepIndex = 0;
  std::uint8_t carrierIndex = 28;
  std::uint8_t txToneIndex = 8;
  std::uint8_t rxToneIndex = 8;
  std::uint8_t dcsIndex = 0;
  bool used = false;

  QString cell(int column) const;
  void setCell(int column, const QString& text);

  // Setters that keep an index and the label cell it drives in step.
  void setStep(int index);
  void setCarrier(int index);
  void setTxTone(int index);
  void setRxTone(int index);
  void setDcs(int index);

  // Empties the slot: columns 1-12 blank, values to the reset defaults.
  void clear();

  bool operator==(const ChannelSlot&) const = default;
};

}  // namespace rqm27
