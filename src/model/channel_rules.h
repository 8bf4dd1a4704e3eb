// The rules a channel's values keep wherever they come from: the receivable range, the ceiling
// of the shift offset, and which tuning steps a frequency lies on. Every path into the image
// (editor, file readers, paste) applies them; a memory image read from a receiver is shown as
// it is.
#pragma once

#include "model/channel_slot.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace rqm27 {

// In units of 10 Hz: 50 kHz up to 1299.99995 MHz; offsets up to 999.99995 MHz.
inline constexpr std::int32_t LowestFrequency = 5000;
inline constexpr std::int32_t HighestFrequency = 129999995;
inline constexpr std::int32_t HighestOffset = 99999995;

bool FrequencyInRange(std::int64_t tens);
bool OffsetInRange(std::int64_t tens);

// True when the part below 1 MHz of a frequency (in units of 10 Hz) lies on the step's raster.
// The 8.33 kHz raster is 25/3 kHz, each point rounded to 10 Hz; every other step needs a whole
// multiple of its value.
bool FitsStep(std::int64_t tens, int step);

// The step a channel keeps: its own when the frequency and the offset both fit it, else 5 kHz,
// else 6.25 kHz, else 50 Hz (which fits every frequency held to 10 Hz).
int FittingStep(int step, std::int64_t frequency, std::int64_t offset);

// What a step refit says: "step 8.33KHz does not fit 145.10500MHz (offset 0.00000MHz); 5KHz
// taken".
QString StepRefitText(int oldStep, const ChannelSlot& refitted);

// Why a used channel's values cannot go to the receiver (a frequency or offset out of range, an
// index outside its table), or nothing when they can.
std::optional<QString> ChannelFault(const ChannelSlot& channel);

}  // namespace rqm27
