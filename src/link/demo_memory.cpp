#include "link/demo_memory.h"

#include "codec/channel_record.h"
#include "codec/memory_image.h"
#include "codec/title_block.h"
#include "model/channel_text.h"
#include "model/value_tables.h"

namespace rqm27 {

namespace {

struct DemoChannel {
  int slot;
  const char* frequency;
  const char* mode;
  int step;          // index into StepNames
  const char* name;  // UTF-8
  const char* subtone = "None";
  int tone = 8;  // index into ToneNames
  int dcs = 0;   // index into DcsNames
  const char* shift = "Off";
  const char* shiftFrequency = "0.00000MHz";
  const char* skip = "";
};

// With the default banks of 100 channels, slot 1 opens bank 0, slot 101 bank 1, and so on.
const DemoChannel DemoChannels[] = {
    // Bank 0: air band.
    {1, "118.10000MHz", "AM", 2, "TOKYO TWR"},
    {2, "118.72500MHz", "AM", 2, "羽田タワー"},
    {3, "119.10000MHz", "AM", 2, "成田 TWR"},
    {4, "121.50000MHz", "AM", 2, "EMERGENCY"},
    {5, "124.75000MHz", "AM", 2, "東京コントロール"},
    {6, "126.00000MHz", "AM", 2, "ATIS", "None", 8, 0, "Off", "0.00000MHz", "*"},
    {7, "128.80000MHz", "AM", 2, "APPROACH"},
    {8, "133.50000MHz", "AM", 2, "関西アプローチ"},
    // Bank 1: amateur radio.
    {101, "145.00000MHz", "FM", 7, "CALL 2M"},
    {102, "433.00000MHz", "FM", 7, "CALL 70CM"},
    {103, "439.50000MHz", "FM", 4, "レピータ 1", "TSQ", 8, 0, "-", "5.00000MHz"},
    {104, "439.88000MHz", "FM", 4, "レピータ 2", "TSQ", 12, 0, "-", "5.00000MHz"},
    {105, "144.30000MHz", "USB", 17, "SSB CALL"},
    {106, "7.10000MHz", "LSB", 17, "40M NET"},
    {107, "14.05000MHz", "CW", 16, "20M CW"},
    {108, "1295.00000MHz", "FM", 9, "1200 CALL", "DCS", 8, 19},
    // Bank 2: marine.
    {201, "156.80000MHz", "FM", 7, "CH16 DISTRESS"},
    {202, "156.65000MHz", "FM", 7, "CH13 BRIDGE"},
    {203, "156.30000MHz", "FM", 7, "海上保安庁"},
    {204, "162.00000MHz", "FM", 7, "港湾 ﾎﾟｰﾄ"},
    // Bank 3: broadcast.
    {301, "80.00000MHz", "WFM", 10, "FM 東京"},
    {302, "82.50000MHz", "WFM", 10, "NHK FM"},
    {303, "0.59400MHz", "AM", 3, "AM RADIO 1"},
    {304, "0.95400MHz", "AM", 3, "ラジオ 2"},
    {305, "9.59500MHz", "AM", 0, "SHORTWAVE"},
    // Bank 4: trains and buses.
    {401, "150.95000MHz", "FM", 1, "列車無線", "Train"},
    {402, "151.01000MHz", "FM", 1, "RAIL OPS", "Train"},
    {403, "154.45000MHz", "FM", 1, "バス 営業所"},
    // Bank 5: business and hobby.
    {501, "422.20000MHz", "FM", 4, "特小 CH1", "SQ"},
    {502, "421.57500MHz", "FM", 4, "SMALL POWER 2", "TSQ", 0},
    {503, "351.20000MHz", "FM", 4, "デジタル簡易"},
    {504, "27.14400MHz", "AM", 0, "CB CH1"},
    // Bank 11: weather and time.
    {1101, "162.55000MHz", "FM", 7, "WEATHER"},
    {1102, "40.00000MHz", "CW", 0, "時報 JJY", "None", 8, 0, "Off", "0.00000MHz", "*"},
    // Program-scan edges (pairs).
    {1201, "118.00000MHz", "AM", 2, "AIR LOW"},
    {1202, "136.99000MHz", "AM", 2, "AIR HIGH"},
    {1203, "144.00000MHz", "FM", 7, "2M 下限"},
    {1204, "146.00000MHz", "FM", 7, "2M 上限"},
    // Dual-watch pairs (MAIN, SUB).
    {1301, "145.00000MHz", "FM", 7, "MAIN CALL"},
    {1302, "433.00000MHz", "FM", 7, "SUB CALL"},
    {1303, "118.10000MHz", "AM", 2, "メイン 航空"},
    {1304, "156.80000MHz", "FM", 7, "サブ 海上"},
    // Priority and pass channels.
    {1501, "121.50000MHz", "AM", 2, "PRIORITY"},
    {1502, "156.80000MHz", "FM", 7, "優先 CH16"},
    {1601, "145.50000MHz", "FM", 7, "PASS NOISE"},
    {1602, "433.92000MHz", "FM", 7, "パス 433"},
};

ChannelSlot MakeChannel(const DemoChannel& demo) {
  ChannelSlot slot;
  slot.used = true;
  slot.frequency = ParseMegahertz(QString::fromLatin1(demo.frequency)).value_or(0);
  slot.mode = ModeOfLabel(QString::fromLatin1(demo.mode)).value_or(ChannelMode::FM);
  slot.step = static_cast<std::uint8_t>(demo.step);
  slot.subtone = SubtoneOfLabel(QString::fromLatin1(demo.subtone)).value_or(SubtoneType::None);
  slot.rxTone = static_cast<std::uint8_t>(demo.tone);
  slot.dcs = static_cast<std::uint8_t>(demo.dcs);
  slot.shift = ShiftOfLabel(QString::fromLatin1(demo.shift)).value_or(ShiftDirection::Off);
  slot.offset = ParseMegahertz(QString::fromLatin1(demo.shiftFrequency)).value_or(0);
  slot.skip = SkipOfLabel(QString::fromLatin1(demo.skip)).value_or(false);
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
