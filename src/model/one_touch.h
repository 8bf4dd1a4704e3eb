// The nine one-touch memories: each is either not set or points at a memory channel given as a
// bank number and the channel's position inside that bank (0 is the bank's first channel).
#pragma once

#include <array>

namespace rqm27 {

inline constexpr int OneTouchCount = 9;

struct OneTouchMemory {
  bool set = false;
  int bank = 0;
  int channel = 0;

  bool operator==(const OneTouchMemory&) const = default;
};

using OneTouchMemories = std::array<OneTouchMemory, OneTouchCount>;

}  // namespace rqm27
