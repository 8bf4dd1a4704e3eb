#include "codec/one_touch_area.h"

#include "codec/byte_view.h"

#include <cstdint>

namespace rqm27 {
namespace {

inline constexpr std::uint8_t NotSetByte = 0xFF;
inline constexpr int EntryBytes = 3;
// Inside an entry: the bank byte, then the channel's position as a u16.
inline constexpr int BankOffset = 0;
inline constexpr int ChannelOffset = 1;

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
  const ByteReader read(area);
  OneTouchMemories memories{};
  for (int i = 0; i < OneTouchCount; ++i) {
    const int at = EntryBytes * i;
    if (at + EntryBytes > area.size()) continue;
    const std::uint8_t bank = read.u8(at + BankOffset);
    if (bank == NotSetByte) continue;
    OneTouchMemory& memory = memories[i];
    memory.set = true;
    memory.bank = bank;
    memory.channel = read.u16(at + ChannelOffset);
    FitToTable(memory, banks);
  }
  return memories;
}

QByteArray EncodeOneTouch(const OneTouchMemories& memories) {
  QByteArray bytes(OneTouchAreaSize, static_cast<char>(NotSetByte));
  ByteWriter write(bytes);
  for (int i = 0; i < OneTouchCount; ++i) {
    const OneTouchMemory& memory = memories[i];
    if (!memory.set) continue;
    write.setU8(EntryBytes * i + BankOffset, static_cast<std::uint8_t>(memory.bank));
    write.setU16(EntryBytes * i + ChannelOffset, static_cast<std::uint16_t>(memory.channel));
  }
  return bytes;
}

OneTouchMemories RebuildOneTouch(const OneTouchMemories& memories, const BankTable& banks) {
  OneTouchMemories rebuilt = memories;
  for (OneTouchMemory& memory : rebuilt) FitToTable(memory, banks);
  return rebuilt;
}

}  // namespace rqm27
