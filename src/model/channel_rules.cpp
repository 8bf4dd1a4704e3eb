#include "model/channel_rules.h"

#include "model/channel_text.h"
#include "model/value_tables.h"

#include <array>

namespace rqm27 {

namespace {

constexpr std::int64_t TensPerMegahertz = 100000;
constexpr int EightPointThreeThreeStep = 2;
// 25/3 kHz in units of 10 Hz is 2500/3: three times a raster point is a multiple of 2500,
// give or take the 10 Hz rounding.
constexpr std::int64_t ThirdsRaster = 2500;
constexpr std::array<int, 2> ReplacementSteps = {0, 1};
constexpr int FinestStep = 16;

}  // namespace

bool FrequencyInRange(std::int64_t tens) {
  return tens >= LowestFrequency && tens <= HighestFrequency;
}

bool OffsetInRange(std::int64_t tens) {
  return tens >= 0 && tens <= HighestOffset;
}

bool FitsStep(std::int64_t tens, int step) {
  const std::int64_t below = tens % TensPerMegahertz;
  if (step == EightPointThreeThreeStep) {
    const std::int64_t rest = (3 * below) % ThirdsRaster;
    return rest == 0 || rest == 1 || rest == ThirdsRaster - 1;
  }
  return below % StepValues.at(static_cast<std::size_t>(step)) == 0;
}

int FittingStep(int step, std::int64_t frequency, std::int64_t offset) {
  const auto fits = [&](int s) { return FitsStep(frequency, s) && FitsStep(offset, s); };
  if (fits(step)) return step;
  for (int replacement : ReplacementSteps) {
    if (fits(replacement)) return replacement;
  }
  return FinestStep;
}

QString StepRefitText(int oldStep, const ChannelSlot& refitted) {
  return QStringLiteral("step %1 does not fit %2 (offset %3); %4 taken")
      .arg(Label(StepNames.at(static_cast<std::size_t>(oldStep))),
           MegahertzText(refitted.frequency), MegahertzText(refitted.offset),
           Label(StepNames.at(refitted.step)));
}

std::optional<QString> ChannelFault(const ChannelSlot& channel) {
  if (!FrequencyInRange(channel.frequency)) {
    return QStringLiteral("frequency %1 is outside %2-%3")
        .arg(MegahertzText(channel.frequency), MegahertzText(LowestFrequency),
             MegahertzText(HighestFrequency));
  }
  if (!OffsetInRange(channel.offset)) {
    return QStringLiteral("shift offset %1 is outside %2-%3")
        .arg(MegahertzText(channel.offset), MegahertzText(0), MegahertzText(HighestOffset));
  }
  const auto outside = [](const char* what, int index, std::size_t size) {
    return QStringLiteral("%1 index %2 is outside 0-%3")
        .arg(QLatin1StringView(what))
        .arg(index)
        .arg(size - 1);
  };
  if (channel.step >= StepNames.size()) return outside("step", channel.step, StepNames.size());
  if (channel.carrier >= CarrierNames.size())
    return outside("carrier", channel.carrier, CarrierNames.size());
  if (channel.txTone >= ToneNames.size()) return outside("tone", channel.txTone, ToneNames.size());
  if (channel.rxTone >= ToneNames.size())
    return outside("TSQ tone", channel.rxTone, ToneNames.size());
  if (channel.dcs >= DcsNames.size()) return outside("DCS", channel.dcs, DcsNames.size());
  return std::nullopt;
}

}  // namespace rqm27
