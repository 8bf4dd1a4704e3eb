#include "model/clone_image.h"

#include "model/value_tables.h"

#include <algorithm>

namespace rqm27 {

namespace {

void FillPreset(ChannelSlot& slot, int i) {
  slot = ChannelSlot{};
  slot.used = true;
  slot.frequency = PresetFrequencies[static_cast<std::size_t>(i)];
  slot.carrier = PresetCarrierIndex;
}

}  // namespace

CloneImage StartupImage() {
  CloneImage image;
  for (int i = 0; i < SlotCount - LastTransferredSlot; ++i) {
    FillPreset(image.slot(FirstPresetSlot + i), i);
  }
  return image;
}

int UsedChannelCount(const CloneImage& image, int first, int last) {
  int used = 0;
  for (int slot = first; slot <= last; ++slot) used += image.slot(slot).used ? 1 : 0;
  return used;
}

void ResetAllChannels(CloneImage& image) {
  ClearChannelRows(image, 1, LastTransferredSlot);
}

void ClearChannelRows(CloneImage& image, int rowA, int rowB) {
  const int first = std::max(1, std::min(rowA, rowB));
  const int last = std::min(LastTransferredSlot, std::max(rowA, rowB));
  for (int r = first; r <= last; ++r) image.slot(r).clear();
}

}  // namespace rqm27
