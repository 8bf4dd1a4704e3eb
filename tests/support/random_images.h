// Pseudo-random images of everything the program can hold (repeatable for a seed): channels in a
// third of slots 1-1700 with any value of every field, names with every kind of code a receiver
// can store, banks up to 1200 (now and then a table that does not add up), one-touch memories,
// settings, groups, icons and the port.
#pragma once

#include "codec/bank_links_area.h"
#include "model/channel_rules.h"
#include "model/clone_image.h"
#include "model/settings_texts.h"

#include <random>

namespace rqm27::testing {

class RandomImages {
 public:
  explicit RandomImages(unsigned seed) : random_(seed) {}

  CloneImage next() {
    CloneImage image = StartupImage();
    for (int s = 1; s <= LastTransferredSlot; ++s) {
      if (pick(3) == 0) image.slot(s) = channel();
    }
    image.title = name();
    image.banks = banks();
    for (OneTouchMemory& memory : image.oneTouch) {
      const int bank = pick(BankCount);
      const int count = image.banks.counts[bank];
      memory =
          count > 0 && pick(2) == 0 ? OneTouchMemory{true, bank, pick(count)} : OneTouchMemory{};
    }
    for (int k = 0; k < SettingsListCount; ++k) {
      const auto list = static_cast<SettingsList>(k);
      for (int j = 0; j < SettingsListSizes[k]; ++j) {
        image.settings.at(list, j) = pick(SettingsChoiceCount(list, j));
      }
    }
    if (image.settings.at(SettingsList::Recv, 3) == 1) image.settings.at(SettingsList::Recv, 4) = 0;
    for (BankLinkGroup& record : image.bankLinks) {
      for (int b = 0; b < BankCount; ++b) SetGroupMember(record, b, pick(4) == 0);
    }
    for (IconGlyph& glyph : image.icons) {
      for (auto& row : glyph) {
        for (auto& pixel : row) pixel = static_cast<std::uint8_t>(pick(2));
      }
    }
    image.comPort = 1 + pick(16);
    return image;
  }

 private:
  int pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

  ChannelSlot channel() {
    ChannelSlot c;
    c.used = true;
    c.frequency = LowestFrequency + pick(HighestFrequency - LowestFrequency + 1);
    c.offset = pick(HighestOffset + 1);
    c.mode = static_cast<ChannelMode>(pick(7));
    c.step = static_cast<std::uint8_t>(FittingStep(pick(19), c.frequency, c.offset));
    c.carrier = static_cast<std::uint8_t>(pick(29));
    constexpr SubtoneType subtones[] = {SubtoneType::None, SubtoneType::Train, SubtoneType::Tsq,
                                        SubtoneType::Sq, SubtoneType::Dcs};
    c.subtone = subtones[pick(5)];
    c.txTone = static_cast<std::uint8_t>(pick(39));
    c.rxTone = static_cast<std::uint8_t>(pick(39));
    c.dcs = static_cast<std::uint8_t>(pick(104));
    c.shift = static_cast<ShiftDirection>(pick(3));
    c.skip = pick(2) == 1;
    c.name = name();
    return c;
  }

  // Mostly characters; now and then a line break, a zero inside, or a code that is not one.
  ChannelName name() {
    ChannelName n;
    const int length = pick(17);
    for (int i = 0; i < length; ++i) {
      const int kind = pick(40);
      std::uint16_t code = static_cast<std::uint16_t>(0x20 + pick(0x5F));  // ASCII
      if (kind < 8) code = static_cast<std::uint16_t>(0xA1 + pick(0x3F));  // half-width kana
      if (kind >= 8 && kind < 16) code = static_cast<std::uint16_t>(0x829F + pick(0x53));  // kana
      if (kind == 16) code = 0x0A;
      if (kind == 17) code = 0x00;
      if (kind == 18) code = 0xFF;
      n.codes[static_cast<std::size_t>(i)] = code;
    }
    return n;
  }

  BankTable banks() {
    BankTable table;
    int left = MemoryChannelCount;
    for (int b = 0; b < BankCount && left > 0; ++b) {
      const int count = b == BankCount - 1 || pick(5) == 0 ? left : pick(left + 1);
      table.counts[b] = count;
      left -= count;
    }
    if (pick(4) == 0) table.counts[pick(BankCount)] = pick(MemoryChannelCount);  // inconsistent
    return table;
  }

  std::mt19937 random_;
};

}  // namespace rqm27::testing
