#include "link/demo_memory.h"

#include "codec/channel_record.h"
#include "codec/memory_image.h"
#include "codec/title_block.h"

namespace rqm27 {

namespace {

struct DemoChannel {
  int slot;
  std::int32_t frequency;  // in 10 Hz units
  ChannelMode mode;
  int step;          // index into StepNames
  const char* name;  // UTF-8
  SubtoneType subtone = SubtoneType::None;
  int tone = 8;  // index into ToneNames
  int dcs = 0;   // index into DcsNames
  ShiftDirection shift = ShiftDirection::Off;
  std::int32_t offset = 0;  // in 10 Hz units
  bool skip = false;
};

// With the default banks of 100 channels, slot 1 opens bank 0, slot 101 bank 1, and so on.
const DemoChannel DemoChannels[] = {
    // Bank 0: air band.
    {1, 11810000, ChannelMode::AM, 2, "TOKYO TWR"},
    {2, 11872500, ChannelMode::AM, 2, "羽田タワー"},
    {3, 11910000, ChannelMode::AM, 2, "成田 TWR"},
    {4, 12150000, ChannelMode::AM, 2, "EMERGENCY"},
    {5, 12475000, ChannelMode::AM, 2, "東京コントロール"},
    {6, 12600000, ChannelMode::AM, 2, "ATIS", SubtoneType::None, 8, 0, ShiftDirection::Off, 0,
     true},
    {7, 12880000, ChannelMode::AM, 2, "APPROACH"},
    {8, 13350000, ChannelMode::AM, 2, "関西アプローチ"},
    // Bank 1: amateur radio.
    {101, 14500000, ChannelMode::FM, 7, "CALL 2M"},
    {102, 43300000, ChannelMode::FM, 7, "CALL 70CM"},
    {103, 43950000, ChannelMode::FM, 4, "レピータ 1", SubtoneType::Tsq, 8, 0, ShiftDirection::Minus,
     500000},
    {104, 43988000, ChannelMode::FM, 4, "レピータ 2", SubtoneType::Tsq, 12, 0,
     ShiftDirection::Minus, 500000},
    {105, 14430000, ChannelMode::USB, 17, "SSB CALL"},
    {106, 710000, ChannelMode::LSB, 17, "40M NET"},
    {107, 1405000, ChannelMode::CW, 16, "20M CW"},
    {108, 129500000, ChannelMode::FM, 9, "1200 CALL", SubtoneType::Dcs, 8, 19},
    // Bank 2: marine.
    {201, 15680000, ChannelMode::FM, 7, "CH16 DISTRESS"},
    {202, 15665000, ChannelMode::FM, 7, "CH13 BRIDGE"},
    {203, 15630000, ChannelMode::FM, 7, "海上保安庁"},
    {204, 16200000, ChannelMode::FM, 7, "港湾 ﾎﾟｰﾄ"},
    // Bank 3: broadcast.
    {301, 8000000, ChannelMode::WFM, 10, "FM 東京"},
    {302, 8250000, ChannelMode::WFM, 10, "NHK FM"},
    {303, 59400, ChannelMode::AM, 3, "AM RADIO 1"},
    {304, 95400, ChannelMode::AM, 3, "ラジオ 2"},
    {305, 959500, ChannelMode::AM, 0, "SHORTWAVE"},
    // Bank 4: trains and buses.
    {401, 15095000, ChannelMode::FM, 1, "列車無線", SubtoneType::Train},
    {402, 15101000, ChannelMode::FM, 1, "RAIL OPS", SubtoneType::Train},
    {403, 15445000, ChannelMode::FM, 1, "バス 営業所"},
    // Bank 5: business and hobby.
    {501, 42220000, ChannelMode::FM, 4, "特小 CH1", SubtoneType::Sq},
    {502, 42157500, ChannelMode::FM, 4, "SMALL POWER 2", SubtoneType::Tsq, 0},
    {503, 35120000, ChannelMode::FM, 4, "デジタル簡易"},
    {504, 2714400, ChannelMode::AM, 0, "CB CH1"},
    // Bank 11: weather and time.
    {1101, 16255000, ChannelMode::FM, 7, "WEATHER"},
    {1102, 4000000, ChannelMode::CW, 0, "時報 JJY", SubtoneType::None, 8, 0, ShiftDirection::Off, 0,
     true},
    // Program-scan edges (pairs).
    {1201, 11800000, ChannelMode::AM, 2, "AIR LOW"},
    {1202, 13699000, ChannelMode::AM, 2, "AIR HIGH"},
    {1203, 14400000, ChannelMode::FM, 7, "2M 下限"},
    {1204, 14600000, ChannelMode::FM, 7, "2M 上限"},
    // Dual-watch pairs (MAIN, SUB).
    {1301, 14500000, ChannelMode::FM, 7, "MAIN CALL"},
    {1302, 43300000, ChannelMode::FM, 7, "SUB CALL"},
    {1303, 11810000, ChannelMode::AM, 2, "メイン 航空"},
    {1304, 15680000, ChannelMode::FM, 7, "サブ 海上"},
    // Priority and pass channels.
    {1501, 12150000, ChannelMode::AM, 2, "PRIORITY"},
    {1502, 15680000, ChannelMode::FM, 7, "優先 CH16"},
    {1601, 14550000, ChannelMode::FM, 7, "PASS NOISE"},
    {1602, 43392000, ChannelMode::FM, 7, "パス 433"},
};

ChannelSlot MakeChannel(const DemoChannel& demo) {
  ChannelSlot slot;
  slot.used = true;
  slot.frequency = demo.frequency;
  slot.mode = demo.mode;
  slot.step = static_cast<std::uint8_t>(demo.step);
  slot.subtone = demo.subtone;
  slot.rxTone = static_cast<std::uint8_t>(demo.tone);
  slot.dcs = static_cast<std::uint8_t>(demo.dcs);
  slot.shift = demo.shift;
  slot.offset = demo.offset;
  slot.skip = demo.skip;
  slot.name = NameFromText(QString::fromUtf8(demo.name));
  return slot;
}

// Icon 0: a frame around the edge; icon 1: a diagonal cross.
IconPixels DemoIcons() {
  IconPixels icons{};
  for (int i = 0; i < IconSize; ++i) {
    icons[0][0][i] = icons[0][IconSize - 1][i] = icons[0][i][0] = icons[0][i][IconSize - 1] = 1;
    icons[1][i][i] = icons[1][i][IconSize - 1 - i] = 1;
  }
  return icons;
}

}  // namespace

CloneImage DemoImage() {
  CloneImage image = StartupImage();
  for (const DemoChannel& demo : DemoChannels) image.slot(demo.slot) = MakeChannel(demo);
  image.title = NameFromText(QString::fromUtf8("デモ受信機 RQ-M27"));
  image.icons = DemoIcons();
  return image;
}

QByteArray DemoMemory() {
  const CloneImage image = DemoImage();
  QByteArray base(MemoryImageSize, '\0');
  base[MemoryProtectAddress] = 1;
  for (int slot = FirstPresetSlot; slot <= SlotCount; ++slot) {
    const auto record = EncodeChannelRecord(image.slot(slot), slot, false);
    if (record && record->has_value()) {
      base.replace(ChannelAddress(slot), ChannelRecordSize, **record);
    }
  }
  const auto memory = EncodeMemoryImage(image, base);
  return memory ? *memory : base;
}

}  // namespace rqm27
