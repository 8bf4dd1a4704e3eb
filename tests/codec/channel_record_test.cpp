#include "codec/channel_record.h"

#include "model/channel_text.h"
#include "model/clone_image.h"
#include "model/hex_text.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace rqm27 {
namespace {

// 145 MHz, FM, 5 kHz, carrier "Jp.Rail", no sub-tone, TSQ 88.5 Hz, DCS 023, no shift, name ABC.
const QString kWorkedRecord = QStringLiteral(
    "024086A408000000000000000009001C003E00000A0000000000000000000000"
    "4100420043000000000000000000000000000000000000000000000000000000");

QByteArray Worked(int offset = 0, int value = 2) {
  QByteArray record = *HexToBytes(kWorkedRecord, QStringLiteral("test"));
  record[offset] = static_cast<char>(value);
  return record;
}

ChannelSlot UsedSlot(std::int32_t frequency) {
  ChannelSlot slot = StartupImage().slot(1);
  slot.used = true;
  slot.frequency = frequency;
  return slot;
}

QByteArray Encode(const ChannelSlot& slot, int number = 1) {
  const auto record = EncodeChannelRecord(slot, number, true);
  EXPECT_TRUE(record.ok()) << record.error().toStdString();
  return record.ok() && record->has_value() ? **record : QByteArray();
}

TEST(ChannelRecord, WorkedExampleDecodesToItsRowAndEncodesBack) {
  ChannelSlot slot = StartupImage().slot(1);
  ASSERT_TRUE(DecodeChannelRecordHex(kWorkedRecord, 1, slot).ok());
  EXPECT_TRUE(slot.used);
  const QStringList expected = {"145.00000MHz", "FM",  "5KHz", "Jp.Rail",    "None", "88.5Hz",
                                "88.5Hz",       "023", "Off",  "0.00000MHz", "",     "ABC"};
  for (int column = FrequencyColumn; column <= NameColumn; ++column) {
    EXPECT_EQ(ChannelCellText(slot, column), expected[column - 1]) << "column " << column;
  }
  EXPECT_EQ(slot.carrier, 28);
  EXPECT_EQ(slot.rxTone, 8);
  EXPECT_EQ(BytesToHex(Encode(slot)), kWorkedRecord);
}

TEST(ChannelRecord, BandCodeFollowsTheFrequencyRanges) {
  const std::tuple<std::int32_t, int, int> cases[] = {
      {33600000, 1, 1}, {33599999, 1, 3},    {33600001, 1, 2},   {11799999, 1, 1},
      {22500001, 1, 3}, {14500000, 1701, 1}, {14500000, 1700, 2}};
  for (const auto& [frequency, slot, band] : cases) {
    const QByteArray record = Encode(UsedSlot(frequency), slot);
    ASSERT_EQ(record.size(), ChannelRecordSize);
    EXPECT_EQ(record[0], band) << frequency << " slot " << slot;
  }
}

TEST(ChannelRecord, FrequencyCellsAndTheUsedFlag) {
  QByteArray record = Worked();
  for (int i = 0; i < 4; ++i) record[1 + i] = '\xFF';
  ChannelSlot slot;
  ASSERT_TRUE(DecodeChannelRecord(record, 5, slot).ok());
  EXPECT_EQ(ChannelCellText(slot, FrequencyColumn), "4294.96729MHz");
  // The used flag is the low nibble of the band byte; an emptied slot shows nothing.
  slot = UsedSlot(10000000);
  ASSERT_TRUE(DecodeChannelRecord(Worked(0, 0x10), 7, slot).ok());
  EXPECT_FALSE(slot.used);
  EXPECT_EQ(ChannelCellText(slot, FrequencyColumn), "");
  EXPECT_EQ(slot.name, ChannelName{});
}

TEST(ChannelRecord, ToneSquelchByteIsOffsetByOne) {
  const std::tuple<int, const char*, int, int> cases[] = {
      {1, "67.0Hz", 0, 0}, {2, "69.3Hz", 1, 2}, {39, "250.3Hz", 38, 39}};
  for (const auto& [stored, label, index, encoded] : cases) {
    ChannelSlot slot;
    ASSERT_TRUE(DecodeChannelRecord(Worked(13, stored), 1, slot).ok());
    EXPECT_EQ(ChannelCellText(slot, TsqColumn), QString::fromLatin1(label));
    EXPECT_EQ(slot.rxTone, index);
    EXPECT_EQ(Encode(slot)[13], encoded) << "stored " << stored;
  }
}

TEST(ChannelRecord, ByteOutsideItsTableFailsAndLeavesTheSlot) {
  const std::tuple<int, int, const char*> cases[] = {
      {6, 19, "step"}, {15, 29, "carrier"}, {13, 40, "tone-squelch"}, {14, 104, "DCS"}};
  for (const auto& [offset, value, field] : cases) {
    ChannelSlot slot = UsedSlot(43300000);
    const ChannelSlot before = slot;
    const Status status = DecodeChannelRecord(Worked(offset, value), 321, slot);
    ASSERT_FALSE(status.ok()) << field;
    EXPECT_TRUE(status.error().contains("slot 321")) << status.error().toStdString();
    EXPECT_TRUE(status.error().contains(QLatin1StringView(field))) << status.error().toStdString();
    EXPECT_EQ(slot, before);
  }
}

TEST(ChannelRecord, FrequencyThatDoesNotFitIn32BitsFailsTheEncode) {
  const auto record = EncodeChannelRecord(UsedSlot(429496730), 42, false);
  ASSERT_FALSE(record.ok());
  EXPECT_TRUE(record.error().contains("slot 42")) << record.error().toStdString();
  ChannelSlot shifted = UsedSlot(14500000);
  shifted.offset = 999900000;
  EXPECT_FALSE(EncodeChannelRecord(shifted, 3, false).ok());
  // An empty slot is skipped or zeroed, whatever values it still holds.
  shifted.used = false;
  const auto skipped = EncodeChannelRecord(shifted, 1, true);
  ASSERT_TRUE(skipped.ok());
  EXPECT_FALSE(skipped->has_value());
  const auto zeroed = EncodeChannelRecord(shifted, 1, false);
  ASSERT_TRUE(zeroed.ok() && zeroed->has_value());
  EXPECT_EQ(**zeroed, QByteArray(64, '\0'));
}

TEST(ChannelRecord, ValuesMapToCodes) {
  using Set = void (*)(ChannelSlot&);
  const std::tuple<const char*, Set, int, int> cases[] = {
      {"CW", [](ChannelSlot& c) { c.mode = ChannelMode::CW; }, 5, 5},
      {"NFM", [](ChannelSlot& c) { c.mode = ChannelMode::NFM; }, 5, 0},
      {"WFM", [](ChannelSlot& c) { c.mode = ChannelMode::WFM; }, 5, 2},
      {"DCS", [](ChannelSlot& c) { c.subtone = SubtoneType::Dcs; }, 12, 5},
      {"Train", [](ChannelSlot& c) { c.subtone = SubtoneType::Train; }, 12, 1},
      {"-", [](ChannelSlot& c) { c.shift = ShiftDirection::Minus; }, 11, 2},
      {"skip", [](ChannelSlot& c) { c.skip = true; }, 18, 1}};
  for (const auto& [what, set, offset, code] : cases) {
    ChannelSlot slot = UsedSlot(14500000);
    set(slot);
    EXPECT_EQ(Encode(slot)[offset], code) << what;
  }
}

// Records with in-table fields come back as the same bytes, except the normalised ones: band
// code, fixed bytes 16-31, high nibbles of the code bytes, a tone-squelch byte of 1.
TEST(ChannelRecord, DecodeThenEncodeReproducesNormalisedRecords) {
  std::mt19937 random(2718);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const int kSubtoneCodes[] = {0, 1, 3, 4, 5};
  const std::pair<int, int> limits[] = {{6, 19}, {13, 40}, {14, 104}, {15, 29},
                                        {5, 6},  {11, 3},  {18, 2}};
  for (int trial = 0; trial < 500; ++trial) {
    QByteArray record(64, '\0');
    for (auto& b : record) b = static_cast<char>(pick(256));
    record[0] = static_cast<char>(1 + pick(15));
    for (const auto& [offset, limit] : {std::pair{1, 200000000}, {7, 10000000}}) {
      const auto hertz = static_cast<std::uint32_t>(pick(limit)) * 10;
      for (int i = 0; i < 4; ++i) record[offset + i] = static_cast<char>(hertz >> (8 * i));
    }
    for (const auto& [offset, limit] : limits) record[offset] = static_cast<char>(pick(limit));
    record[12] = static_cast<char>(kSubtoneCodes[pick(5)]);
    QByteArray expected = record;
    if (expected[13] == 1) expected[13] = 0;
    expected.replace(16, 16, QByteArray::fromHex("003E00000A0000000000000000000000"));
    expected[18] = record[18];
    for (int i : {5, 11, 12, 18}) record[i] = static_cast<char>(record[i] | (pick(16) << 4));

    const int slotNumber = 1 + pick(1700);
    ChannelSlot slot = StartupImage().slot(slotNumber);
    ASSERT_TRUE(DecodeChannelRecord(record, slotNumber, slot).ok());
    QByteArray encoded = Encode(slot, slotNumber);
    ASSERT_EQ(encoded.size(), 64);
    encoded[0] = expected[0];  // the band code has its own test
    ASSERT_EQ(BytesToHex(encoded), BytesToHex(expected)) << "trial " << trial;
  }
}

}  // namespace
}  // namespace rqm27
