// The bank table: how many of the 1200 memory channels each of the 50 banks holds. Bank 0 owns
// the first run of slots, bank 1 the next, and so on; the table is consistent exactly when the
// counts add up to 1200.
#pragma once

#include <array>

namespace rqm27 {

inline constexpr int BankCount = 50;
inline constexpr int MemoryChannelCount = 1200;
// A count the receiver may hold: 16 bits.
inline constexpr int MaxStoredBankCount = 0xFFFF;

struct BankTable {
  std::array<int, BankCount> counts{};

  // Banks 0-11 hold 100 channels each, the rest none.
  static BankTable Defaults();

  // The sum of the counts, always computed, never stored.
  int total() const;
  bool consistent() const { return total() == MemoryChannelCount; }

  bool operator==(const BankTable&) const = default;
};

}  // namespace rqm27
