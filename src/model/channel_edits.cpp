#include "model/channel_edits.h"

#include "model/channel_rules.h"
#include "model/channel_text.h"
#include "model/value_tables.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace rqm27 {

namespace {

// The slots one bank owns.
struct BankRows {
  int bank = 0;
  int first = 0;
  int last = 0;
};

// The bank that owns a memory channel slot (1-1200) of a consistent bank table.
BankRows BankOfSlot(const BankTable& banks, int slot) {
  int first = 1;
  for (int b = 0; b < BankCount; ++b) {
    const int last = first + banks.counts[b] - 1;
    if (slot >= first && slot <= last) return {b, first, last};
    first = last + 1;
  }
  return {};
}

QString SlotPlace(int slot) {
  return QStringLiteral("slot %1").arg(slot);
}

// Why the rows first..last cannot move, or nothing when they are memory channels of a bank
// table that adds up.
std::optional<QString> MemoryRowsFault(const CloneImage& image, int first, int last) {
  if (first < 1 || last > SlotCount) {
    return QStringLiteral("there is no slot %1").arg(first < 1 ? first : last);
  }
  if (first >= FirstPresetSlot) return QStringLiteral("the preset channels are fixed");
  if (last > MemoryChannelCount) {
    return QStringLiteral(
        "only memory channels (slots 1-1200) move; the program-scan edges, "
        "dual-watch pairs, priority and pass channels keep their rows");
  }
  if (!image.banks.consistent()) {
    return QStringLiteral(
               "the bank table holds %1 channels instead of 1200; channels move only "
               "when it adds up")
        .arg(image.banks.total());
  }
  return std::nullopt;
}

// The bank of the rows first..last, or why they are not the rows of one bank.
Result<BankRows> SelectionBank(const CloneImage& image, int first, int last) {
  if (const auto fault = MemoryRowsFault(image, first, last)) return Error{*fault};
  const BankRows bank = BankOfSlot(image.banks, first);
  if (last > bank.last) {
    return Error{QStringLiteral("the selection runs from bank %1 into bank %2; channels move "
                                "inside their bank")
                     .arg(bank.bank)
                     .arg(BankOfSlot(image.banks, last).bank)};
  }
  return bank;
}

// One-touch memories of the bank whose channel sat in a slot from..from + order.size() - 1
// follow it to its new slot; one whose channel is gone is let go.
void FollowOneTouch(CloneImage& image, const BankRows& bank, int from, std::span<const int> order,
                    FileNotes& notes) {
  const int end = from + static_cast<int>(order.size());
  for (std::size_t k = 0; k < image.oneTouch.size(); ++k) {
    OneTouchMemory& memory = image.oneTouch[k];
    const int slot = bank.first + memory.channel;
    if (!memory.set || memory.bank != bank.bank || slot < from || slot >= end) continue;
    const auto moved = std::find(order.begin(), order.end(), slot);
    if (moved != order.end()) {
      memory.channel = from + static_cast<int>(moved - order.begin()) - bank.first;
      continue;
    }
    memory = OneTouchMemory{};
    notes.push_back(
        {QStringLiteral("one-touch memory %1").arg(k + 1),
         QStringLiteral("its channel (slot %1) was deleted; it is no longer set").arg(slot)});
  }
}

// Rearranges the rows from..from + order.size() - 1 of a bank: entry i names the slot whose
// channel goes to slot from + i, or is 0 for an empty row.
void ReorderRows(CloneImage& image, const BankRows& bank, int from, std::span<const int> order,
                 FileNotes& notes) {
  const auto begin = image.channels.begin() + (from - 1);
  const std::vector<ChannelSlot> before(begin, begin + static_cast<std::ptrdiff_t>(order.size()));
  ChannelSlot empty;
  empty.clear();
  for (std::size_t i = 0; i < order.size(); ++i) {
    image.slot(from + static_cast<int>(i)) =
        order[i] == 0 ? empty : before[static_cast<std::size_t>(order[i] - from)];
  }
  FollowOneTouch(image, bank, from, order, notes);
}

// The slots first..last in order.
std::vector<int> SlotRun(int first, int last) {
  std::vector<int> run;
  run.reserve(static_cast<std::size_t>(std::max(0, last - first + 1)));
  for (int slot = first; slot <= last; ++slot) run.push_back(slot);
  return run;
}

void Include(EditedSlots& edited, int slot) {
  edited.first = edited.first == 0 ? slot : std::min(edited.first, slot);
  edited.last = std::max(edited.last, slot);
  ++edited.channels;
}

bool IsPreset(int slot) {
  return slot >= FirstPresetSlot;
}

QString StepMisfitText(const ChannelSlot& channel, std::int64_t value) {
  return QStringLiteral("step %1 does not fit %2")
      .arg(Label(StepNames.at(channel.step)), MegahertzText(value));
}

// The channel with the patch's fields set.
ChannelSlot Patched(ChannelSlot channel, const ChannelPatch& patch) {
  channel.mode = patch.mode.value_or(channel.mode);
  channel.step = patch.step.value_or(channel.step);
  channel.carrier = patch.carrier.value_or(channel.carrier);
  channel.subtone = patch.subtone.value_or(channel.subtone);
  channel.txTone = patch.txTone.value_or(channel.txTone);
  channel.rxTone = patch.rxTone.value_or(channel.rxTone);
  channel.dcs = patch.dcs.value_or(channel.dcs);
  channel.shift = patch.shift.value_or(channel.shift);
  channel.offset = patch.offset.value_or(channel.offset);
  channel.skip = patch.skip.value_or(channel.skip);
  return channel;
}

// Why a patched channel breaks the channel rules. The step's raster is checked only when the
// patch touches the step or the offset: a channel is not refused for what the patch leaves.
std::optional<QString> PatchedFault(const ChannelSlot& channel, const ChannelPatch& patch) {
  if (auto fault = ChannelFault(channel)) return fault;
  if (!patch.step && !patch.offset) return std::nullopt;
  if (!FitsStep(channel.frequency, channel.step)) {
    return StepMisfitText(channel, channel.frequency);
  }
  if (!FitsStep(channel.offset, channel.step)) {
    return StepMisfitText(channel, channel.offset) + QStringLiteral(" (the offset)");
  }
  return std::nullopt;
}

// The step whose value is the increment, or 5 kHz.
int StepOfIncrement(std::int32_t increment) {
  const auto step = std::find(StepValues.begin(), StepValues.end(), std::abs(increment));
  return step == StepValues.end() ? 0 : static_cast<int>(step - StepValues.begin());
}

// The row given a frequency, or why it cannot take it.
Result<ChannelSlot> Filled(ChannelSlot channel, std::int64_t frequency, int newStep) {
  if (!FrequencyInRange(frequency)) {
    return Error{QStringLiteral("frequency %1 is outside %2-%3")
                     .arg(MegahertzText(frequency), MegahertzText(LowestFrequency),
                          MegahertzText(HighestFrequency))};
  }
  const bool wasUsed = channel.used;
  channel.used = true;
  channel.frequency = static_cast<std::int32_t>(frequency);
  if (!wasUsed) {
    channel.step = static_cast<std::uint8_t>(FittingStep(newStep, frequency, channel.offset));
  }
  if (auto fault = ChannelFault(channel)) return Error{*fault};
  if (!FitsStep(frequency, channel.step)) return Error{StepMisfitText(channel, frequency)};
  return channel;
}

}  // namespace

Result<EditedSlots> MoveChannels(CloneImage& image, int first, int last, MoveDirection direction) {
  if (first > last) std::swap(first, last);
  const Result<BankRows> bank = SelectionBank(image, first, last);
  if (!bank) return Error{bank.error()};
  const bool up = direction == MoveDirection::Up;
  if (up ? first == bank->first : last == bank->last) {
    return Error{QStringLiteral("the channels are already at the %1 of bank %2")
                     .arg(up ? QStringLiteral("top") : QStringLiteral("bottom"))
                     .arg(bank->bank)};
  }
  EditedSlots edited;
  edited.first = up ? first - 1 : first;
  edited.last = up ? last : last + 1;
  edited.channels = last - first + 1;
  std::vector<int> order = SlotRun(edited.first, edited.last);
  if (up) {
    std::rotate(order.begin(), order.begin() + 1, order.end());
  } else {
    std::rotate(order.begin(), order.end() - 1, order.end());
  }
  ReorderRows(image, *bank, edited.first, order, edited.notes);
  return edited;
}

Result<EditedSlots> InsertEmptyRow(CloneImage& image, int slot) {
  const Result<BankRows> bank = SelectionBank(image, slot, slot);
  if (!bank) return Error{bank.error()};
  if (image.slot(bank->last).used) {
    return Error{QStringLiteral("bank %1 is full: its last row (slot %2) holds a channel, which "
                                "an inserted row would push out of the bank")
                     .arg(bank->bank)
                     .arg(bank->last)};
  }
  EditedSlots edited{slot, bank->last, 1, {}};
  // The bank's empty last row moves up to the slot.
  std::vector<int> order = SlotRun(slot, bank->last);
  std::rotate(order.begin(), order.end() - 1, order.end());
  ReorderRows(image, *bank, slot, order, edited.notes);
  return edited;
}

Result<EditedSlots> DeleteChannels(CloneImage& image, int first, int last) {
  if (first > last) std::swap(first, last);
  if (const auto fault = MemoryRowsFault(image, first, last)) return Error{*fault};
  EditedSlots edited{first, last, last - first + 1, {}};
  for (int from = first; from <= last;) {
    const BankRows bank = BankOfSlot(image.banks, from);
    const int to = std::min(last, bank.last);
    std::vector<int> order = SlotRun(to + 1, bank.last);
    const int rows = bank.last - from + 1;
    order.resize(static_cast<std::size_t>(rows), 0);
    ReorderRows(image, bank, from, order, edited.notes);
    edited.last = bank.last;
    from = bank.last + 1;
  }
  return edited;
}

Result<EditedSlots> SortChannels(CloneImage& image, int first, int last, SortKey key) {
  if (first > last) std::swap(first, last);
  const Result<BankRows> bank = SelectionBank(image, first, last);
  if (!bank) return Error{bank.error()};
  const auto precedes = [&image, key](int a, int b) {
    const ChannelSlot& x = image.slot(a);
    const ChannelSlot& y = image.slot(b);
    if (x.used != y.used) return x.used;
    if (!x.used) return false;
    return key == SortKey::Frequency ? x.frequency < y.frequency : x.name.codes < y.name.codes;
  };
  std::vector<int> order = SlotRun(first, last);
  std::stable_sort(order.begin(), order.end(), precedes);
  EditedSlots edited{first, last, last - first + 1, {}};
  ReorderRows(image, *bank, first, order, edited.notes);
  return edited;
}

EditedSlots PatchChannels(CloneImage& image, std::span<const int> selection,
                          const ChannelPatch& patch) {
  EditedSlots edited;
  for (int slot : selection) {
    if (slot < 1 || slot > SlotCount || !image.slot(slot).used) continue;
    if (IsPreset(slot)) {
      edited.notes.push_back({SlotPlace(slot), QStringLiteral("the preset channels are fixed")});
      continue;
    }
    ChannelSlot& channel = image.slot(slot);
    const ChannelSlot changed = Patched(channel, patch);
    if (const auto fault = PatchedFault(changed, patch)) {
      edited.notes.push_back({SlotPlace(slot), *fault + QStringLiteral("; channel kept")});
    } else if (changed != channel) {
      channel = changed;
      Include(edited, slot);
    }
  }
  return edited;
}

EditedSlots FillFrequencies(CloneImage& image, std::span<const int> selection, std::int32_t start,
                            std::int32_t increment) {
  EditedSlots edited;
  const int newStep = StepOfIncrement(increment);
  std::int64_t frequency = start;
  for (int slot : selection) {
    const std::int64_t next = frequency;
    frequency += increment;
    if (slot < 1 || slot > SlotCount) continue;
    if (IsPreset(slot)) {
      edited.notes.push_back({SlotPlace(slot), QStringLiteral("the preset channels are fixed")});
      continue;
    }
    const Result<ChannelSlot> filled = Filled(image.slot(slot), next, newStep);
    if (!filled) {
      edited.notes.push_back({SlotPlace(slot), filled.error() + QStringLiteral("; row kept")});
    } else {
      image.slot(slot) = *filled;
      Include(edited, slot);
    }
  }
  return edited;
}

}  // namespace rqm27
