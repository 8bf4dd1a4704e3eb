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

QByteArray Bytes(const QString& hex) {
  return *HexToBytes(hex, QStringLiteral("test"));
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
  EXPECT_EQ(slot.stepIndex, 0);
  EXPECT_EQ(slot.carrierIndex, 28);
  EXPECT_EQ(slot.rxToneIndex, 8);
  EXPECT_EQ(BytesToHex(Encode(slot)), kWorkedRecord);
}

TEST(ChannelRecord, BandCodeFollowsTheFrequencyRanges) {
  struct Case {
    const char* frequency;
    int slot;
    int band;
  };
  const Case cases[] = {
      {"336.00000MHz", 1, 1},    {"335.99999MHz", 1, 3},    {"336.00001MHz", 1, 2},
      {"470.00000MHz", 1, 1},    {"118.00000MHz", 1, 2},    {"117.99999MHz", 1, 1},
      {"171.00000MHz", 1, 1},    {"225.00000MHz", 1, 1},    {"225.00001MHz", 1, 3},
      {"145.00000MHz", 1701, 1}, {"145.00000MHz", 1721, 1}, {"145.00000MHz", 1700, 2},
  };
  for (const Case& c : cases) {
    const QByteArray record = Encode(UsedSlot(QString::fromLatin1(c.frequency)), c.slot);
    ASSERT_EQ(record.size(), ChannelRecordSize);
    EXPECT_EQ(record[0], c.band) << c.frequency << " slot " << c.slot;
  }
}

TEST(ChannelRecord, FrequencyCellsKeepTenHertzResolution) {
  struct Case {
    std::uint32_t hertz;
    const char* text;
  };
  for (const Case& c : {Case{0, "0.00000MHz"}, Case{1300000000, "1300.00000MHz"},
                        Case{145012345, "145.01234MHz"}, Case{4294967295u, "4294.96729MHz"}}) {
    QByteArray record = Bytes(kWorkedRecord);
    for (int i = 0; i < 4; ++i) record[1 + i] = static_cast<char>((c.hertz >> (8 * i)) & 0xFF);
    ChannelSlot slot;
    ASSERT_TRUE(DecodeChannelRecord(record, 5, slot).ok());
    EXPECT_EQ(slot.cell(FrequencyColumn), QString::fromLatin1(c.text));
  }
}

TEST(ChannelRecord, UsedFlagIsTheLowNibbleOfTheBandByte) {
  QByteArray record = Bytes(kWorkedRecord);
  record[0] = 0x10;
  ChannelSlot slot = UsedSlot("100.00000MHz");
  ASSERT_TRUE(DecodeChannelRecord(record, 7, slot).ok());
  EXPECT_FALSE(slot.used);
  // The emptied slot shows nothing rather than the channel it held before.
  EXPECT_EQ(slot.cell(FrequencyColumn), "");
  EXPECT_EQ(slot.cell(NameColumn), "");

  record[0] = 0x01;
  record[1] = record[2] = record[3] = record[4] = 0;
  ASSERT_TRUE(DecodeChannelRecord(record, 7, slot).ok());
  EXPECT_TRUE(slot.used);
  EXPECT_EQ(slot.cell(FrequencyColumn), "0.00000MHz");
}

TEST(ChannelRecord, ToneSquelchByteIsOffsetByOne) {
  struct Case {
    int stored;
    const char* label;
    int index;
    int encoded;
  };
  for (const Case& c : {Case{0, "67.0Hz", 0, 0}, Case{1, "67.0Hz", 0, 0}, Case{2, "69.3Hz", 1, 2},
                        Case{9, "88.5Hz", 8, 9}, Case{39, "250.3Hz", 38, 39}}) {
    QByteArray record = Bytes(kWorkedRecord);
    record[13] = static_cast<char>(c.stored);
    ChannelSlot slot;
    ASSERT_TRUE(DecodeChannelRecord(record, 1, slot).ok());
    EXPECT_EQ(slot.cell(TsqColumn), QString::fromLatin1(c.label));
    EXPECT_EQ(slot.rxToneIndex, c.index);
    EXPECT_EQ(Encode(slot)[13], c.encoded) << "stored " << c.stored;
  }
}

TEST(ChannelRecord, ByteOutsideItsTableFailsAndLeavesTheSlot) {
  struct Case {
    int offset;
    int value;
    const char* field;
  };
  for (const Case& c : {Case{6, 19, "step"}, Case{15, 29, "carrier"}, Case{13, 40, "tone-squelch"},
                        Case{14, 104, "DCS"}, Case{6, 255, "step"}}) {
    QByteArray record = Bytes(kWorkedRecord);
    record[c.offset] = static_cast<char>(c.value);
    ChannelSlot slot = UsedSlot("433.00000MHz");
    const ChannelSlot before = slot;
    const Status status = DecodeChannelRecord(record, 321, slot);
    ASSERT_FALSE(status.ok()) << c.field;
    EXPECT_TRUE(status.error().contains("slot 321")) << status.error().toStdString();
    EXPECT_TRUE(status.error().contains(QLatin1StringView(c.field)))
        << status.error().toStdString();
    EXPECT_EQ(slot, before);
  }
}

TEST(ChannelRecord, FrequencyThatDoesNotFitIn32BitsFailsTheEncode) {
  for (const char* text : {"4294.967296MHz", "5000MHz", "-1.00000MHz"}) {
    const auto record = EncodeChannelRecord(UsedSlot(QString::fromLatin1(text)), 42, false);
    ASSERT_FALSE(record.ok()) << text;
    EXPECT_TRUE(record.error().contains("slot 42")) << record.error().toStdString();
  }
  ChannelSlot shifted = UsedSlot("145.00000MHz");
  shifted.setCell(ShiftFreqColumn, QStringLiteral("9999.0MHz"));
  EXPECT_FALSE(EncodeChannelRecord(shifted, 3, false).ok());
  EXPECT_TRUE(EncodeChannelRecord(UsedSlot("4294.96729MHz"), 1, false).ok());
}

TEST(ChannelRecord, EmptySlotIsSkippedOrZeroed) {
  ChannelSlot slot = UsedSlot("145.00000MHz");
  slot.used = false;  // texts still there
  const auto skipped = EncodeChannelRecord(slot, 1, true);
  ASSERT_TRUE(skipped.ok());
  EXPECT_FALSE(skipped->has_value());
  const auto zeroed = EncodeChannelRecord(slot, 1, false);
  ASSERT_TRUE(zeroed.ok() && zeroed->has_value());
  EXPECT_EQ(**zeroed, QByteArray(64, '\0'));
}

TEST(ChannelRecord, CellTextsMapToCodes) {
  struct Case {
    int column;
    const char* text;
    int offset;
    int code;
  };
  const Case cases[] = {
      {ModeColumn, "NFM", 5, 0},  {ModeColumn, "CW", 5, 5},      {ModeColumn, "ERROR", 5, 0},
      {ModeColumn, "WFM", 5, 2},  {SubtoneColumn, "DCS", 12, 5}, {SubtoneColumn, "Train", 12, 1},
      {SubtoneColumn, "", 12, 0}, {ShiftColumn, "-", 11, 2},     {ShiftColumn, "x", 11, 0},
      {SkipColumn, "*", 18, 1},   {SkipColumn, "**", 18, 0},
  };
  for (const Case& c : cases) {
    ChannelSlot slot = UsedSlot("145.00000MHz");
    slot.setCell(c.column, QString::fromLatin1(c.text));
    EXPECT_EQ(Encode(slot)[c.offset], c.code) << c.text;
  }
}

TEST(ChannelRecord, DecodeLeavesUnknownCodesAsTheTableSays) {
  QByteArray record = Bytes(kWorkedRecord);
  record[5] = 6;   // no such mode
  record[12] = 2;  // sub-tone code without a label
  record[11] = 7;  // no such shift
  ChannelSlot slot = UsedSlot("1.0MHz");
  slot.setCell(SubtoneColumn, QStringLiteral("SQ"));
  ASSERT_TRUE(DecodeChannelRecord(record, 1, slot).ok());
  EXPECT_TRUE(slot.used);
  EXPECT_EQ(slot.cell(ModeColumn), "");
  EXPECT_EQ(slot.cell(SubtoneColumn), "SQ");
  EXPECT_EQ(slot.cell(ShiftColumn), "Off");
}

TEST(ChannelRecord, NameBytesSurviveWhateverTheyHold) {
  ChannelName name;
  name.codes = {0x82A0, 0x0041, 0x00FF, 0x4100, 0x0000, 0x8140, 0xFFFF, 0x0080,
                0x00A6, 0x889F, 0x0020, 0x0000, 0x0000, 0x0000, 0x0000, 0x0031};
  ChannelSlot slot = UsedSlot("145.00000MHz");
  slot.name = name;
  const QByteArray record = Encode(slot);
  EXPECT_EQ(BytesToHex(record.mid(32, 4)), "A0824100");
  ChannelSlot decoded;
  ASSERT_TRUE(DecodeChannelRecord(record, 1, decoded).ok());
  EXPECT_EQ(decoded.name, name);
}

TEST(ChannelRecord, NameTextIsCutToSixteenCharacters) {
  ChannelSlot slot = UsedSlot("145.00000MHz");
  slot.setCell(NameColumn, QStringLiteral("ABCDEFGHIJKLMNOPQ"));
  EXPECT_EQ(slot.cell(NameColumn), "ABCDEFGHIJKLMNOP");
  slot.setCell(NameColumn, QString::fromUtf8("日本語のなまえをじゅうろくもじまで入れる"));
  const QByteArray record = Encode(slot);
  for (int k = 0; k < 16; ++k) EXPECT_NE(record[33 + 2 * k], 0) << k;  // every lead byte set
  slot.setCell(NameColumn, QString());
  EXPECT_EQ(Encode(slot).mid(32), QByteArray(32, '\0'));
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
    record[5] = static_cast<char>(pick(6) | (pick(16) << 4));
    record[6] = static_cast<char>(pick(19));
    record[11] = static_cast<char>(pick(3) | (pick(16) << 4));
    const int subtones[] = {0, 1, 3, 4, 5};
    record[12] = static_cast<char>(subtones[pick(5)] | (pick(16) << 4));
    record[13] = static_cast<char>(pick(40));
    record[14] = static_cast<char>(pick(104));
    record[15] = static_cast<char>(pick(29));
    record[18] = static_cast<char>(pick(2) | (pick(16) << 4));

    QByteArray expected = record;
    for (int i : {5, 11, 12, 18}) expected[i] = static_cast<char>(expected[i] & 0x0F);
    if (expected[13] == 1) expected[13] = 0;
    expected[16] = 0;
    expected[17] = 0x3E;
    expected[19] = 0;
    expected[20] = 0x0A;
    for (int i = 21; i < 32; ++i) expected[i] = 0;

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
