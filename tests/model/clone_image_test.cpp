#include "model/clone_image.h"
#include "model/row_labels.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

TEST(CloneImage, StartupHasEmptySlotsAndTheFixedPresets) {
  const CloneImage image = StartupImage();
  ASSERT_EQ(image.channels.size(), 1721u);
  for (int s = 1; s <= 1700; ++s) {
    const ChannelSlot& slot = image.slot(s);
    ASSERT_FALSE(slot.used) << s;
    ASSERT_EQ(slot.carrierIndex, 28) << s;
    ASSERT_EQ(slot.cell(FrequencyColumn), "") << s;
  }
  const ChannelSlot& first = image.slot(1701);
  EXPECT_TRUE(first.used);
  EXPECT_EQ(first.cell(FrequencyColumn), "398.60500MHz");
  EXPECT_EQ(image.slot(1721).cell(FrequencyColumn), "139.94000MHz");
  const QStringList presetCells = {"FM",  "5KHz", "2300Hz",     "None", "88.5Hz", "88.5Hz",
                                   "023", "Off",  "0.00000MHz", "",     ""};
  for (int column = ModeColumn; column <= NameColumn; ++column) {
    EXPECT_EQ(first.cell(column), presetCells[column - 2]) << column;
  }
  EXPECT_EQ(first.carrierIndex, 20);
  EXPECT_EQ(image.comPort, 1);
  EXPECT_EQ(image.banks.total(), 1200);
}

TEST(CloneImage, ResetEmptiesSlotsButKeepsPresets) {
  CloneImage image = StartupImage();
  image.slot(5).used = true;
  image.slot(5).setCell(FrequencyColumn, "145.00000MHz");
  image.slot(1700).used = true;
  image.slot(1710).setCell(NameColumn, "KEEP");
  const CloneImage before = image;
  ResetAllChannels(image);
  for (int s : {1, 5, 1700}) {
    EXPECT_FALSE(image.slot(s).used);
    EXPECT_EQ(image.slot(s).carrierIndex, 0) << "reset carrier differs from start-up";
    EXPECT_EQ(image.slot(s).cell(FrequencyColumn), "");
  }
  for (int s = 1701; s <= 1721; ++s) EXPECT_EQ(image.slot(s), before.slot(s)) << s;
}

TEST(CloneImage, ClearRowsInEitherDirectionStopsAtThePresets) {
  struct Case {
    int a;
    int b;
    int firstCleared;
    int lastCleared;
  };
  for (const Case& c : {Case{10, 20, 10, 20}, Case{20, 10, 10, 20}, Case{1690, 1710, 1690, 1700},
                        Case{1701, 1721, 0, -1}, Case{7, 7, 7, 7}}) {
    CloneImage image = StartupImage();
    for (int s = 1; s <= 1721; ++s) image.slot(s).used = true;
    ClearChannelRows(image, c.a, c.b);
    for (int s = 1; s <= 1721; ++s) {
      const bool cleared = s >= c.firstCleared && s <= c.lastCleared;
      ASSERT_EQ(image.slot(s).used, !cleared) << c.a << "-" << c.b << " slot " << s;
    }
  }
}

TEST(CloneImage, DualWatchPairsAreSplitInTheReceiver) {
  EXPECT_EQ(ChannelRemap[0], 1301);
  EXPECT_EQ(ChannelRemap[1], 1401);
  EXPECT_EQ(ChannelRemap[198], 1400);
  EXPECT_EQ(ChannelRemap[199], 1500);
  struct Case {
    int slot;
    int address;
  };
  for (const Case& c : {Case{1, 0x01200}, Case{2, 0x01240}, Case{1301, 0x15700},
                        Case{1302, 0x17000}, Case{1303, 0x15740}, Case{1500, 0x188C0},
                        Case{1700, 0x1BAC0}, Case{1701, 0x1BB00}, Case{1721, 0x1C000}}) {
    EXPECT_EQ(ChannelAddress(c.slot), c.address) << c.slot;
  }
}

TEST(RowLabels, FollowTheBankTable) {
  const auto labels = ShowRowLabels(BankTable::Defaults());
  ASSERT_TRUE(labels.has_value());
  ASSERT_EQ(labels->size(), 1721);
  struct Case {
    int slot;
    const char* label;
  };
  for (const Case& c : {Case{1, "Bank00-000"}, Case{100, "Bank00-099"}, Case{101, "Bank01-000"},
                        Case{1200, "Bank11-099"}, Case{1201, "PRG - 0A"}, Case{1202, "PRG - 0B"},
                        Case{1300, "PRG - 49B"}, Case{1301, "Dual0(Main) "},
                        Case{1302, "Dual0(Sub) "}, Case{1500, "Dual99(Sub) "},
                        Case{1501, "PRIO - 0"}, Case{1700, "PASS - 99"}, Case{1721, "BUG - 20"}}) {
    EXPECT_EQ((*labels)[c.slot - 1], QString::fromLatin1(c.label)) << c.slot;
  }
  BankTable oneBank;
  oneBank.counts[3] = 1200;
  EXPECT_EQ(ShowRowLabels(oneBank)->at(1199), "Bank03-1199");
  BankTable short1199 = BankTable::Defaults();
  short1199.counts[4] = 99;
  EXPECT_FALSE(ShowRowLabels(short1199).has_value());
  EXPECT_EQ(ProvisionalRowLabels().at(1720), "1720");
}

}  // namespace
}  // namespace rqm27
