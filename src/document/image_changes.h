// What differs between two images, area by area, so that views update only what changed.
#pragma once

#include "model/clone_image.h"

namespace rqm27 {

struct ImageChanges {
  // The channel slots that changed, firstSlot to lastSlot; none when firstSlot > lastSlot.
  int firstSlot = 1;
  int lastSlot = 0;
  bool banks = false;
  bool oneTouch = false;
  bool settings = false;  // the selections, the settings area bytes or the port
  bool groups = false;
  bool icons = false;
  bool title = false;

  bool channels() const { return firstSlot <= lastSlot; }
  bool any() const {
    return channels() || banks || oneTouch || settings || groups || icons || title;
  }
};

ImageChanges ChangesBetween(const CloneImage& before, const CloneImage& after);

}  // namespace rqm27
