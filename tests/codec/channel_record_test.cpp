#include "codec/channel_record.h"

#include "model/clone_image.h"
#include "model/hex_text.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <random>

namespace rqm27 {
namespace {

// A channel at 145 MHz, FM, 5 kHz step, carrier "Jp.Rail", no sub-tone, tone-squelch tone
// 88.5 Hz, DCS 023, no shift, not skipped, named ABC.
const QString kWorkedRecord = QStringLiteral(
    "024086A408000000000000000009001C003E00000A0000000000000000000000"
    "4100420043000000000000000000000000000000000000000000000000000000");

// The worked record with one byte changed.
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
  const struct {
    const char* frequency;
    int slot;
    int band;
  } cases[] = {{"336.00000MHz", 1, 1}, {"335.99999MHz", 1, 3},    {"336.00001MHz", 1, 2},
               {"118.00000MHz", 1, 2}, {"117.99999MHz", 1, 1},    {"225.00000MHz", 1, 1},
               {"225.00001MHz", 1, 3}, {"145.00000MHz", 1701, 1}, {"145.00000MHz", 1700, 2}};
  for (const auto& c : cases) {
    const QByteArray record = Encode(UsedSlot(QString::fromLatin1(c.frequency)), c.slot);
    ASSERT_EQ(record.size(), ChannelRecordSize);
    EXPECT_EQ(record[0], c.band) << c.frequency << " slot " << c.slot;
  }
}

TEST(ChannelRecord, FrequencyCellsKeepTenHertzResolution) {
  const std::pair<std::uint32_t, const char*> cases[] = {
      {0, "0.00000MHz"}, {145012345, "145.01234MHz"}, {4294967295u, "4294.96729MHz"}};
  for (const auto& [hertz, text] : cases) {
    QByteArray record = Worked();
    for (int i = 0; i < 4; ++i) record[1 + i] = static_cast<char>((hertz >> (8 * i)) & 0xFF);
    ChannelSlot slot;
    ASSERT_TRUE(DecodeChannelRecord(record, 5, slot).ok());
    EXPECT_EQ(slot.cell(FrequencyColumn), QString::fromLatin1(text));
  }
  // The used flag is the low nibble of the band byte; an emptied slot shows nothing.
  ChannelSlot slot = UsedSlot("100.00000MHz");
  ASSERT_TRUE(DecodeChannelRecord(Worked(0, 0x10), 7, slot).ok());
  EXPECT_FALSE(slot.used);
  EXPECT_EQ(slot.cell(FrequencyColumn), "");
  EXPECT_EQ(slot.cell(NameColumn), "");
}

TEST(ChannelRecord, ToneSquelchByteIsOffsetByOne) {
  const struct {
    int stored;
    const char* label;
    int index;
    int encoded;
  } cases[] = {
      {0, "67.0Hz", 0, 0}, {1, "67.0Hz", 0, 0}, {2, "69.3Hz", 1, 2}, {39, "250.3Hz", 38, 39}};
  for (const auto& c : cases) {
    ChannelSlot slot;
    ASSERT_TRUE(DecodeChannelRecord(Worked(13, c.stored), 1, slot).ok());
    EXPECT_EQ(slot.cell(TsqColumn), QString::fromLatin1(c.label));
    EXPECT_EQ(slot.rxToneIndex, c.index);
    EXPECT_EQ(Encode(slot)[13], c.encoded) << "stored " << c.stored;
  }
}

TEST(ChannelRecord, ByteOutsideItsTableFailsAndLeavesTheSlot) {
  const struct {
    int offset;
    int value;
    const char* field;
  } cases[] = {{6, 19, "step"}, {15, 29, "carrier"}, {13, 40, "tone-squelch"}, {14, 104, "DCS"}};
  for (const auto& c : cases) {
    ChannelSlot slot = UsedSlot("433.00000MHz");
    const ChannelSlot before = slot;
    const Status status = DecodeChannelRecord(Worked(c.offset, c.value), 321, slot);
    ASSERT_FALSE(status.ok()) << c.field;
    EXPECT_TRUE(status.error().contains("slot 321")) << status.error().toStdString();
    EXPECT_TRUE(status.error().contains(QLatin1StringView(c.field)))
        << status.error().toStdString();
    EXPECT_EQ(slot, before);
  }
}

TEST(ChannelRecord, FrequencyThatDoesNotFitIn32BitsFailsTheEncode) {
  for (const char* text : {"4294.967296MHz", "-1.00000MHz"}) {
    const auto record = EncodeChannelRecord(UsedSlot(QString::fromLatin1(text)), 42, false);
    ASSERT_FALSE(record.ok()) << text;
    EXPECT_TRUE(record.error().contains("slot 42")) << record.error().toStdString();
  }
  ChannelSlot shifted = UsedSlot("145.00000MHz");
  shifted.setCell(ShiftFreqColumn, QStringLiteral("9999.0MHz"));
  EXPECT_FALSE(EncodeChannelRecord(shifted, 3, false).ok());
  EXPECT_TRUE(EncodeChannelRecord(UsedSlot("4294.96729MHz"), 1, false).ok());

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
  const struct {
    int column;
    const char* text;
    int offset;
    int code;
  } cases[] = {
      {ModeColumn, "CW", 5, 5},      {ModeColumn, "ERROR", 5, 0},     {ModeColumn, "WFM", 5, 2},
      {SubtoneColumn, "DCS", 12, 5}, {SubtoneColumn, "Train", 12, 1}, {ShiftColumn, "-", 11, 2},
      {ShiftColumn, "x", 11, 0},     {SkipColumn, "*", 18, 1},        {SkipColumn, "**", 18, 0}};
  for (const auto& c : cases) {
    ChannelSlot slot = UsedSlot("145.00000MHz");
    slot.setCell(c.column, QString::fromLatin1(c.text));
    EXPECT_EQ(Encode(slot)[c.offset], c.code) << c.text;
  }
  // Decoding codes without a label: no mode, the sub-tone cell kept, no shift.
  QByteArray record = Worked(5, 6);
  record[12] = 2;
  record[11] = 7;
  ChannelSlot slot = UsedSlot("1.0MHz");
  slot.setCell(SubtoneColumn, QStringLiteral("SQ"));
  ASSERT_TRUE(DecodeChannelRecord(record, 1, slot).ok());
  EXPECT_EQ(slot.cell(ModeColumn), "");
  EXPECT_EQ(slot.cell(SubtoneColumn), "SQ");
  EXPECT_EQ(slot.cell(ShiftColumn), "Off");
}

// Any record with fields inside their tables comes back as the same bytes, except for what the
// format normalises: the band code, the fixed bytes, the high nibbles of the code bytes and a
// tone-squelch byte of 1.
TEST(ChannelRecord, DecodeThenEncodeReproducesNormalisedRecords) {
  std::mt19937 random(2718);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  for (int trial = 0; trial < 500; ++trial) {
    QByteArray record(64, '\0');
    for (auto& b : record) b = static_cast<char>(pick(256));
    record[0] = static_cast<char>(1 + pick(15));
    const std::uint32_t hertz = static_cast<std::uint32_t>(pick(200000000)) * 10;
    const std::uint32_t shift = static_cast<std::uint32_t>(pick(10000000)) * 10;
    for (int i = 0; i < 4; ++i) {
      record[1 + i] = static_cast<char>((hertz >> (8 * i)) & 0xFF);
      record[7 + i] = static_cast<char>((shift >> (8 * i)) & 0xFF);
    }
    const int subtones[] = {0, 1, 3, 4, 5};
    const std::pair<int, int> codes[] = {
        {5, pick(6)}, {11, pick(3)}, {12, subtones[pick(5)]}, {18, pick(2)}};
    for (const auto& [offset, code] : codes)
      record[offset] = static_cast<char>(code | (pick(16) << 4));
    record[6] = static_cast<char>(pick(19));
    record[13] = static_cast<char>(pick(40));
    record[14] = static_cast<char>(pick(104));
    record[15] = static_cast<char>(pick(29));

    QByteArray expected = record;
    for (int i : {5, 11, 12, 18}) expected[i] = static_cast<char>(expected[i] & 0x0F);
    if (expected[13] == 1) expected[13] = 0;
    expected.replace(16, 16, QByteArray::fromHex("003E00000A0000000000000000000000"));
    expected[18] = record[18] & 0x0F;

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
