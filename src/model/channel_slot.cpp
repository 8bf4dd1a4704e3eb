#include "model/channel_slot.h"

#include "model/value_tables.h"

namespace rqm27 {

QString ChannelSlot::cell(int column) const {
  if (column == NameColumn) return NameToText(name);
  if (column < FrequencyColumn || column > SkipColumn) return {};
  return texts[static_cast<std::size_t>(column - 1)];
}

void ChannelSlot::setCell(int column, const QString& text) {
  if (column == NameColumn) {
    name = NameFromText(text);
  } else if (column >= FrequencyColumn && column <= SkipColumn) {
    texts[static_cast<std::size_t>(column - 1)] = text;
  }
}

void ChannelSlot::setStep(int index) {
  stepIndex = static_cast<std::uint8_t>(index);
  setCell(StepColumn, Label(StepNames.at(static_cast<std::size_t>(index))));
}

void ChannelSlot::setCarrier(int index) {
  carrierIndex = static_cast<std::uint8_t>(index);
  setCell(CarrierColumn, Label(CarrierNames.at(static_cast<std::size_t>(index))));
}

void ChannelSlot::setTxTone(int index) {
  txToneIndex = static_cast<std::uint8_t>(index);
  setCell(TxToneColumn, Label(ToneNames.at(static_cast<std::size_t>(index))));
}

void ChannelSlot::setRxTone(int index) {
  rxToneIndex = static_cast<std::uint8_t>(index);
  setCell(TsqColumn, Label(ToneNames.at(static_cast<std::size_t>(index))));
}

void ChannelSlot::setDcs(int index) {
  dcsIndex = static_cast<std::uint8_t>(index);
  setCell(DcsColumn, Label(DcsNames.at(static_cast<std::size_t>(index))));
}

void ChannelSlot::clear() {
  texts = {};
  name = {};
  stepIndex = 0;
  carrierIndex = ResetCarrierIndex;
  txToneIndex = DefaultToneIndex;
  rxToneIndex = DefaultToneIndex;
  dcsIndex = 0;
  used = false;
}

}  // namespace rqm27
