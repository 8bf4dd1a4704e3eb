#include "codec/one_touch_area.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

// Banks 3, 5 and 10 hold 20, 30 and 40 channels; bank 0 holds none.
BankTable SparseTable() {
  BankTable banks;
  banks.counts = {0, 0, 0, 20, 0, 30, 0, 0, 0, 0, 40};
  return banks;
}

TEST(OneTouchCodec, DecodesEachEntryAgainstTheTable) {
  // Position 30 equals bank 5's count, 256 exceeds bank 3's; bank 0 is empty, bank 50 absent.
  const std::pair<const char*, OneTouchMemory> cases[] = {
      {"FF0A05", {false, 0, 0}}, {"051D00", {true, 5, 29}}, {"0A0200", {true, 10, 2}},
      {"051E00", {true, 5, 0}},  {"030001", {true, 3, 0}},  {"000500", {true, 3, 0}},
      {"320000", {true, 3, 0}}};
  for (const auto& [entry, memory] : cases) {
    for (int i : {0, 8}) {
      QByteArray area = QByteArray::fromHex("FFFFFF").repeated(OneTouchCount);
      area.replace(3 * i, 3, QByteArray::fromHex(entry));
      OneTouchMemories expected{};
      expected[i] = memory;
      EXPECT_EQ(DecodeOneTouch(area, SparseTable()), expected) << entry << " at " << i;
    }
  }
  // With no bank holding channels a set memory falls back to bank 0; a cut-off entry is not set.
  const QByteArray set = QByteArray::fromHex("050A00").repeated(9);
  EXPECT_EQ(DecodeOneTouch(set, BankTable{})[8], (OneTouchMemory{true, 0, 0}));
  EXPECT_FALSE(DecodeOneTouch(set.left(26), SparseTable())[8].set);
}

TEST(OneTouchCodec, EncodesSetAndUnsetMemories) {
  const OneTouchMemories memories = {
      {{}, {true, 3, 12}, {}, {}, {false, 3, 7}, {}, {}, {}, {true, 49, 300}}};
  EXPECT_EQ(EncodeOneTouch(memories).toHex().toUpper(),
            "FFFFFF030C00" + QByteArray("FFFFFF").repeated(6) + "312C01");
}

TEST(OneTouchCodec, RebuildKeepsWhatTheNewTableStillHas) {
  EXPECT_EQ(BanksWithChannels(SparseTable()), (std::vector<int>{3, 5, 10}));
  BankTable banks = SparseTable();
  banks.counts[5] = 29;
  banks.counts[10] = 0;
  banks.counts[0] = 60;
  const OneTouchMemories before = {{{true, 5, 29}, {true, 10, 39}, {true, 0, 50}, {false, 7, 3}}};
  const OneTouchMemories after = {{{true, 5, 0}, {true, 0, 0}, {true, 0, 50}, {false, 0, 0}}};
  EXPECT_EQ(RebuildOneTouch(before, banks), after);
}

}  // namespace
}  // namespace rqm27
