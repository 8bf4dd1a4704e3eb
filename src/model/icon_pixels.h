// The eight user icons of 16 x 16 pixels; 1 is a set pixel.
#pragma once

#include <array>
#include <cstdint>

namespace rqm27 {

inline constexpr int IconCount = 8;
inline constexpr int IconSize = 16;

using IconGlyph = std::array<std::array<std::uint8_t, IconSize>, IconSize>;  // [row][column]
using IconPixels = std::array<IconGlyph, IconCount>;

}  // namespace rqm27
