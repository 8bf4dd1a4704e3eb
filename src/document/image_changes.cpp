#include "document/image_changes.h"

namespace rqm27 {

ImageChanges ChangesBetween(const CloneImage& before, const CloneImage& after) {
  ImageChanges changes;
  for (int slot = 1; slot <= SlotCount; ++slot) {
    if (before.slot(slot) == after.slot(slot)) continue;
    if (!changes.channels()) changes.firstSlot = slot;
    changes.lastSlot = slot;
  }
  changes.banks = before.banks != after.banks;
  changes.oneTouch = before.oneTouch != after.oneTouch;
  changes.settings = before.settings != after.settings ||
                     before.settingsImage != after.settingsImage || before.comPort != after.comPort;
  changes.groups = before.bankLinks != after.bankLinks;
  changes.icons = before.icons != after.icons;
  changes.title = before.title != after.title;
  return changes;
}

}  // namespace rqm27
