#include "codec/one_touch_area.h"

#include <cstdint>

namespace rqm27 {
namespace {

inline constexpr std::uint8_t NotSetByte = 0xFF;
inline constexpr int EntryBytes = 3;

// The bank and channel a memory ends up at under the given table.
void FitToTable(OneTouchMemory& memory, const BankTable& banks) {
  const bool bankHasChannels =
      memory.bank >= 0 && memory.bank < BankCount && banks.counts[memory.bank] > 0;
  if (!bankHasChannels) {
    const std::vector<int> offered = BanksWithChannels(banks);
    memory.bank = offered.empty() ? 0 : offered.front();
    memory.channel = 0;
  } else if (memory.channel < 0 || memory.channel >= banks.counts[memory.bank]) {
    memory.channel = 0;
  }
}

}  // namespace

std::vector<int> BanksWithChannels(const BankTable& banks) {
  std::vector<int> offered;
  for (int b = 0; b < BankCount; ++b) {
    if (banks.counts[b] > 0) offered.push_back(b);
  }
  return offered;
}

OneTouchMemories DecodeOneTouch(const QByteArray& area, const BankTable& banks) {
  OneTouchMemories memories{};
  for (int i = 0; i < OneTouchCount; ++i) {
    const int at = EntryBytes * i;
    if (at + EntryBytes > area.size()) continue;
    const auto bank = static_cast<unsigned char>(area[at]);
    if (bank == NotSetByte) continue;
    OneTouchMemory& memory = memories[i];
    memory.set = true;
    memory.bank = bank;
    memory.channel =
        static_cast<unsigned char>(area[at + 1]) + 256 * static_cast<unsigned char>(area[at + 2]);
    FitToTable(memory, banks);
  }
  return memories;
}

QByteArray EncodeOneTouch(const OneTouchMemories& memories) {
  QByteArray bytes(OneTouchAreaSize, static_cast<char>(NotSetByte));
  for (int i = 0; i < OneTouchCount; ++i) {
    const OneTouchMemory& memory = memories[i];
    if (!memory.set) continue;
    const auto channel = static_cast<std::uint16_t>(memory.channel);
    bytes[EntryBytes * i] = static_cast<char>(memory.bank);
    bytes[EntryBytes * i + 1] = static_cast<char>(channel & 0xFF);
    bytes[EntryBytes * i + 2] = static_cast<char>(channel >> 8);
  }
  return bytes;
}

OneTouchMemories RebuildOneTouch(const OneTouchMemories& memories, const BankTable& banks) {
  OneTouchMemories rebuilt = memories;
  for (OneTouchMemory& memory : rebuilt) FitToTable(memory, banks);
  return rebuilt;
}

}  // namespace rqm27
