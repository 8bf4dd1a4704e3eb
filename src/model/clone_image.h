// CloneImage: the program's copy of the receiver's memory. A plain value: copy it, edit the
// copy, and put it in place when the whole operation has succeeded.
#pragma once

#include "model/bank_links.h"
#include "model/bank_table.h"
#include "model/channel_name.h"
#include "model/channel_slot.h"
#include "model/icon_pixels.h"
#include "model/one_touch.h"
#include "model/settings_selections.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <vector>

namespace rqm27 {

// Slots 1-1200 memory channels, 1201-1300 program-scan edge pairs, 1301-1500 dual-watch pairs
// (MAIN, SUB), 1501-1600 priority, 1601-1700 pass, 1701-1721 fixed presets.
inline constexpr int SlotCount = 1721;
inline constexpr int LastTransferredSlot = 1700;
inline constexpr int FirstPresetSlot = 1701;
inline constexpr int FirstDualWatchSlot = 1301;
inline constexpr int LastDualWatchSlot = 1500;

struct CloneImage {
  std::vector<ChannelSlot> channels = std::vector<ChannelSlot>(SlotCount);
  BankTable banks = BankTable::Defaults();
  OneTouchMemories oneTouch{};
  ChannelName title;
  SettingsSelections settings = DefaultSettings();
  // The settings area (192 bytes) as last read from a receiver; empty until then.
  QByteArray settingsImage;
  BankLinks bankLinks = DefaultBankLinks();
  IconPixels icons{};
  int comPort = 1;

  // Slot n, 1 to 1721.
  ChannelSlot& slot(int n) { return channels.at(static_cast<std::size_t>(n - 1)); }
  const ChannelSlot& slot(int n) const { return channels.at(static_cast<std::size_t>(n - 1)); }

  bool operator==(const CloneImage&) const = default;
};

// The image as the program starts: every slot empty (carrier "Jp.Rail"), the 21 presets
// filled, the default bank table, groups and settings.
CloneImage StartupImage();

// How many of the slots first to last (1-1721) hold a channel.
int UsedChannelCount(const CloneImage& image, int first = 1, int last = LastTransferredSlot);

// Empties slots 1-1700; the presets are kept.
void ResetAllChannels(CloneImage& image);

// Empties the slots between two rows given in either order, limited to slots 1-1700.
void ClearChannelRows(CloneImage& image, int rowA, int rowB);

// The receiver keeps the dual-watch MAIN records together and the SUB records together, while
// the grid shows each pair as two adjacent rows: entry 2k is 1301 + k, entry 2k + 1 is 1401 + k.
inline constexpr std::array<std::uint16_t, 200> ChannelRemap = [] {
  std::array<std::uint16_t, 200> remap{};
  for (int k = 0; k < 100; ++k) {
    remap[2 * k] = static_cast<std::uint16_t>(1301 + k);
    remap[2 * k + 1] = static_cast<std::uint16_t>(1401 + k);
  }
  return remap;
}();

// The position in the receiver's memory of the record of a slot.
constexpr int ChannelPosition(int slot) {
  return (slot >= FirstDualWatchSlot && slot <= LastDualWatchSlot)
             ? ChannelRemap[static_cast<std::size_t>(slot - FirstDualWatchSlot)]
             : slot;
}

// The receiver address of the record of a slot: 0x1200 + 64 * (position - 1).
constexpr int ChannelAddress(int slot) {
  return 0x1200 + 64 * (ChannelPosition(slot) - 1);
}

}  // namespace rqm27
