// One channel slot of the image as values: frequencies in units of 10 Hz, table indexes and
// small enums for the listed fields, a skip flag and the name as the receiver's codes. Texts
// are made from these values by channel_text.h and read back by each file format's reader.
#pragma once

#include "model/channel_name.h"
#include "model/value_tables.h"

#include <cstdint>

namespace rqm27 {

// Modes in the order of the detail dialog and the clone file; the receiver's record has no code
// of its own for NFM and stores it as FM.
enum class ChannelMode : std::uint8_t { FM, AM, NFM, WFM, LSB, USB, CW };

// Sub-tone types with the codes the record and the clone file give them.
enum class SubtoneType : std::uint8_t { None = 0, Train = 1, Tsq = 3, Sq = 4, Dcs = 5 };

enum class ShiftDirection : std::uint8_t { Off = 0, Plus = 1, Minus = 2 };

struct ChannelSlot {
  bool used = false;
  // Receive frequency and shift offset in units of 10 Hz.
  std::int32_t frequency = 0;
  std::int32_t offset = 0;
  ChannelMode mode = ChannelMode::FM;
  std::uint8_t step = 0;                       // index into StepNames
  std::uint8_t carrier = StartupCarrierIndex;  // index into CarrierNames
  SubtoneType subtone = SubtoneType::None;
  std::uint8_t txTone = DefaultToneIndex;  // index into ToneNames; kept by the files only
  std::uint8_t rxTone = DefaultToneIndex;  // index into ToneNames
  std::uint8_t dcs = 0;                    // index into DcsNames
  ShiftDirection shift = ShiftDirection::Off;
  bool skip = false;
  ChannelName name;

  // Empties the slot: unused, every value back to the reset defaults.
  void clear();

  bool operator==(const ChannelSlot&) const = default;
};

}  // namespace rqm27
