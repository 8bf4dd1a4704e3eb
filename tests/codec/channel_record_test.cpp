#include "codec/channel_record.h"

#include "model/channel_text.h"
#include "model/clone_image.h"
#include "model/hex_text.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

namespace rqm27 {
namespace {

using Patch = std::vector<std::pair<int, int>>;  // byte offset, value

// 145 MHz, FM, 5 kHz, carrier "Jp.Rail", no sub-tone, TSQ 88.5 Hz, DCS 023, no shift, name ABC.
const QString kWorkedRecord = QStringLiteral(
    "024086A408000000000000000009001C003E00000A0000000000000000000000"
    "4100420043000000000000000000000000000000000000000000000000000000");

QByteArray Worked(const Patch& patch = {}) {
  QByteArray record = *HexToBytes(kWorkedRecord, QStringLiteral("test"));
  for (const auto& [offset, value] : patch) record[offset] = static_cast<char>(value);
  return record;
}

ChannelSlot UsedSlot(std::int32_t frequency) {
  ChannelSlot slot = StartupImage().slot(1);
  slot.used = true;
  slot.frequency = frequency;
  return slot;
}

QByteArray Encode(const ChannelSlot& slot, int number = 1) {
  return EncodeChannelRecord(slot, number, false)->value_or(QByteArray());
}

TEST(ChannelRecord, WorkedExampleDecodesToItsRowAndEncodesBack) {
  ChannelSlot slot = StartupImage().slot(1);
  ASSERT_TRUE(DecodeChannelRecordHex(kWorkedRecord, 1, slot).ok());
  const QStringList expected = {"145.00000MHz", "FM",  "5KHz", "Jp.Rail",    "None", "88.5Hz",
                                "88.5Hz",       "023", "Off",  "0.00000MHz", "",     "ABC"};
  for (int column = FrequencyColumn; column <= NameColumn; ++column) {
    EXPECT_EQ(ChannelCellText(slot, column), expected[column - 1]) << "column " << column;
  }
  EXPECT_EQ(BytesToHex(Encode(slot)), kWorkedRecord);
}

// One field of the worked record changed: the cell it shows and the byte written back.
TEST(ChannelRecord, EachFieldDecodesToItsCellAndEncodesBack) {
  const std::tuple<Patch, int, const char*, int> cases[] = {
      {{{13, 1}}, TsqColumn, "67.0Hz", 0},  // the tone byte is the index plus one
      {{{13, 39}}, TsqColumn, "250.3Hz", 39},
      {{{6, 18}}, StepColumn, "1K", 18},
      {{{5, 0x12}}, ModeColumn, "WFM", 2},     // code bytes: only the low four bits count
      {{{5, 0x07}}, ModeColumn, "FM", 0},      // a code without a mode
      {{{12, 0x02}}, SubtoneColumn, "SQ", 4},  // unknown: the slot's own sub-tone stays
      {{{11, 0x22}}, ShiftColumn, "-", 2},
      {{{11, 0x03}}, ShiftColumn, "Off", 0},
      {{{18, 0x11}}, SkipColumn, "*", 1},
      {{{1, 0xFF}, {2, 0xFF}, {3, 0xFF}, {4, 0xFF}}, FrequencyColumn, "4294.96729MHz", 0xFA},
      {{{32, 0xA0}, {33, 0x82}}, NameColumn, "あBC", 0xA0}};  // code 82A0 is あ
  for (const auto& [patch, column, text, written] : cases) {
    ChannelSlot slot = StartupImage().slot(1);
    slot.subtone = SubtoneType::Sq;
    ASSERT_TRUE(DecodeChannelRecord(Worked(patch), 1, slot).ok());
    EXPECT_EQ(ChannelCellText(slot, column), QString::fromUtf8(text)) << patch[0].first;
    EXPECT_EQ(static_cast<std::uint8_t>(Encode(slot).at(patch[0].first)), written) << text;
  }
  ChannelSlot nfm = UsedSlot(14500000);
  nfm.mode = ChannelMode::NFM;  // no code of its own: written as FM
  EXPECT_EQ(Encode(nfm).at(5), 0);
}

TEST(ChannelRecord, BandCodeAndEmptySlots) {
  const std::tuple<std::int32_t, int, int> cases[] = {
      {33600000, 1, 1}, {33599999, 1, 3},    {33600001, 1, 2},   {11799999, 1, 1},
      {22500001, 1, 3}, {14500000, 1701, 1}, {14500000, 1700, 2}};
  for (const auto& [frequency, slot, band] : cases) {
    EXPECT_EQ(Encode(UsedSlot(frequency), slot).at(0), band) << frequency << " slot " << slot;
  }
  // Only the low four bits of the band byte are read; an empty slot shows nothing and keeps its
  // listed indexes. An empty slot is skipped or zeroed, whatever values it still holds.
  ChannelSlot slot = UsedSlot(10000000);
  slot.step = 7;
  ASSERT_TRUE(DecodeChannelRecord(Worked({{0, 0x10}}), 7, slot).ok());
  EXPECT_EQ(slot.frequency, 0);
  EXPECT_EQ(slot.step, 7);
  EXPECT_FALSE(EncodeChannelRecord(slot, 1, true)->has_value());
  EXPECT_EQ(Encode(slot), QByteArray(64, '\0'));
}

TEST(ChannelRecord, FaultsFailNamingSlotAndFieldAndLeaveTheSlot) {
  const std::pair<QByteArray, const char*> decodes[] = {
      {Worked({{6, 19}}), "slot 321: step byte 19 is outside its table (0-18)"},
      {Worked({{15, 29}}), "slot 321: carrier byte 29 is outside its table (0-28)"},
      {Worked({{13, 40}}), "slot 321: tone-squelch byte 40 is outside its table (0-39)"},
      {Worked({{14, 104}}), "slot 321: DCS byte 104 is outside its table (0-103)"},
      // Faults are reported in the order of the grid's columns.
      {Worked({{14, 200}, {15, 40}}), "slot 321: carrier byte 40 is outside its table (0-28)"},
      {Worked().left(63), "slot 321: record of 63 bytes, expected 64"}};
  for (const auto& [record, message] : decodes) {
    ChannelSlot slot = UsedSlot(43300000);
    EXPECT_EQ(DecodeChannelRecord(record, 321, slot).error(), QString::fromUtf8(message));
    EXPECT_EQ(slot, UsedSlot(43300000));
  }
  ChannelSlot shifted = UsedSlot(14500000);
  shifted.offset = 999900000;
  const std::pair<ChannelSlot, const char*> encodes[] = {
      {UsedSlot(429496730), "slot 321: frequency 4294.96730MHz does not fit in 32 bits"},
      {shifted, "slot 321: shift offset 9999.00000MHz does not fit in 32 bits"}};
  for (const auto& [slot, message] : encodes) {
    EXPECT_EQ(EncodeChannelRecord(slot, 321, false).error(), QString::fromUtf8(message));
  }
}

}  // namespace
}  // namespace rqm27
