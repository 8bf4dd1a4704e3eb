// The eleven bank-link groups as the receiver stores them: eight bytes a group, a bitmap whose
// first 50 bits (most significant bit of byte 0 first) say which banks belong to the group.
// The remaining 14 bits are not groups; they are written as fixed tails.
#pragma once

#include <array>
#include <cstdint>

namespace rqm27 {

inline constexpr int GroupCount = 11;
using BankLinkGroup = std::array<std::uint8_t, 8>;
using BankLinks = std::array<BankLinkGroup, GroupCount>;

}  // namespace rqm27

namespace rqm27 {

// No bank in any group; record 10 carries its fixed tail bit ("0000000000000080").
constexpr BankLinks DefaultBankLinks() {
  BankLinks links{};
  links[GroupCount - 1][7] = 0x80;
  return links;
}

}  // namespace rqm27
