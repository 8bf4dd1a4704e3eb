#include "model/channel_slot.h"

namespace rqm27 {

void ChannelSlot::clear() {
  *this = ChannelSlot{};
  carrier = ResetCarrierIndex;
}

}  // namespace rqm27
