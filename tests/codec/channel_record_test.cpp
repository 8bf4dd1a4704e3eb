#include "codec/channel_record.h"

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

ChannelSlot UsedSlot(const QString& frequency) {
  ChannelSlot slot = StartupImage().slot(1);
  slot.used = true;
  slot.setCell(FrequencyColumn, frequency);
  slot.setCell(ShiftFreqColumn, QStringLiteral("0.00000MHz"));
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
    EXPECT_EQ(slot.cell(column), expected[column - 1]) << "column " << column;
  }
  EXPECT_EQ(slot.carrierIndex, 28);
  EXPECT_EQ(slot.rxToneIndex, 8);
  EXPECT_EQ(BytesToHex(Encode(slot)), kWorkedRecord);
}

TEST(ChannelRecord, BandCodeFollowsTheFrequencyRanges) {
  const std::tuple<const char*, int, int> cases[] = {
      {"336.00000MHz", 1, 1},   {"335.99999MHz", 1, 3}, {"336.00001MHz", 1, 2},
      {"117.99999MHz", 1, 1},   {"225.00001MHz", 1, 3}, {"145.00000MHz", 1701, 1},
      {"145.00000MHz", 1700, 2}};
  for (const auto& [frequency, slot, band] : cases) {
    const QByteArray record = Encode(UsedSlot(QString::fromLatin1(frequency)), slot);
    ASSERT_EQ(record.size(), ChannelRecordSize);
    EXPECT_EQ(record[0], band) << frequency << " slot " << slot;
  }
}

TEST(ChannelRecord, FrequencyCellsAndTheUsedFlag) {
  QByteArray record = Worked();
  for (int i = 0; i < 4; ++i) record[1 + i] = '\xFF';
  ChannelSlot slot;
  ASSERT_TRUE(DecodeChannelRecord(record, 5, slot).ok());
  EXPECT_EQ(slot.cell(FrequencyColumn), "4294.96729MHz");
  // The used flag is the low nibble of the band byte; an emptied slot shows nothing.
  slot = UsedSlot("100.00000MHz");
  ASSERT_TRUE(DecodeChannelRecord(Worked(0, 0x10), 7, slot).ok());
  EXPECT_FALSE(slot.used);
  EXPECT_EQ(slot.cell(FrequencyColumn), "");
  EXPECT_EQ(slot.cell(NameColumn), "");
}

TEST(ChannelRecord, ToneSquelchByteIsOffsetByOne) {
  const std::tuple<int, const char*, int, int> cases[] = {
      {1, "67.0Hz", 0, 0}, {2, "69.3Hz", 1, 2}, {39, "250.3Hz", 38, 39}};
  for (const auto& [stored, label, index, encoded] : cases) {
    ChannelSlot slot;
    ASSERT_TRUE(DecodeChannelRecord(Worked(13, stored), 1, slot).ok());
    EXPECT_EQ(slot.cell(TsqColumn), QString::fromLatin1(label));
    EXPECT_EQ(slot.rxToneIndex, index);
    EXPECT_EQ(Encode(slot)[13], encoded) << "stored " << stored;
  }
}

TEST(ChannelRecord, ByteOutsideItsTableFailsAndLeavesTheSlot) {
  const std::tuple<int, int, const char*> cases[] = {
      {6, 19, "step"}, {15, 29, "carrier"}, {13, 40, "tone-squelch"}, {14, 104, "DCS"}};
  for (const auto& [offset, value, field] : cases) {
    ChannelSlot slot = UsedSlot("433.00000MHz");
    const ChannelSlot before = slot;
    const Status status = DecodeChannelRecord(Worked(offset, value), 321, slot);
    ASSERT_FALSE(status.ok()) << field;
    EXPECT_TRUE(status.error().contains("slot 321")) << status.error().toStdString();
    EXPECT_TRUE(status.error().contains(QLatin1StringView(field))) << status.error().toStdString();
    EXPECT_EQ(slot, before);
  }
}

TEST(ChannelRecord, FrequencyThatDoesNotFitIn32BitsFailsTheEncode) {
  const auto record = EncodeChannelRecord(UsedSlot("4294.967296MHz"), 42, false);
  ASSERT_FALSE(record.ok());
  EXPECT_TRUE(record.error().contains("slot 42")) << record.error().toStdString();
  ChannelSlot shifted = UsedSlot("145.00000MHz");
  shifted.setCell(ShiftFreqColumn, QStringLiteral("9999.0MHz"));
  EXPECT_FALSE(EncodeChannelRecord(shifted, 3, false).ok());
  // An empty slot is skipped or zeroed, whatever its texts still hold.
  shifted.used = false;
  const auto skipped = EncodeChannelRecord(shifted, 1, true);
  ASSERT_TRUE(skipped.ok());
  EXPECT_FALSE(skipped->has_value());
  const auto zeroed = EncodeChannelRecord(shifted, 1, false);
  ASSERT_TRUE(zeroed.ok() && zeroed->has_value());
  EXPECT_EQ(**zeroed, QByteArray(64, '\0'));
}

TEST(ChannelRecord, CellTextsMapToCodes) {
  const std::tuple<int, const char*, int, int> cases[] = {
      {ModeColumn, "CW", 5, 5},        {ModeColumn, "ERROR", 5, 0}, {SubtoneColumn, "DCS", 12, 5},
      {SubtoneColumn, "Train", 12, 1}, {ShiftColumn, "-", 11, 2},   {ShiftColumn, "x", 11, 0},
      {SkipColumn, "*", 18, 1},        {SkipColumn, "**", 18, 0}};
  for (const auto& [column, text, offset, code] : cases) {
    ChannelSlot slot = UsedSlot("145.00000MHz");
    slot.setCell(column, QString::fromLatin1(text));
    EXPECT_EQ(Encode(slot)[offset], code) << text;
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
