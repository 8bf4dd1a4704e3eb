#include "model/clone_image.h"
#include "model/channel_text.h"
#include "model/row_labels.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

TEST(CloneImage, StartupHasEmptySlotsAndTheFixedPresets) {
  const CloneImage image = StartupImage();
  ASSERT_EQ(image.channels.size(), 1721u);
  for (int s : {1, 1700}) {
    EXPECT_FALSE(image.slot(s).used) << s;
    EXPECT_EQ(image.slot(s).carrier, 28) << s;
    EXPECT_EQ(ChannelCellText(image.slot(s), FrequencyColumn), "") << s;
  }
  const ChannelSlot& first = image.slot(1701);
  EXPECT_TRUE(first.used);
  EXPECT_EQ(ChannelCellText(first, FrequencyColumn), "398.60500MHz");
  EXPECT_EQ(ChannelCellText(image.slot(1721), FrequencyColumn), "139.94000MHz");
  const QStringList presetCells = {"FM",  "5KHz", "2300Hz",     "None", "88.5Hz", "88.5Hz",
                                   "023", "Off",  "0.00000MHz", "",     ""};
  for (int column = ModeColumn; column <= NameColumn; ++column) {
    EXPECT_EQ(ChannelCellText(first, column), presetCells[column - 2]) << column;
  }
  EXPECT_EQ(first.carrier, 20);
  EXPECT_EQ(image.comPort, 1);
  EXPECT_EQ(image.banks.total(), 1200);
}

TEST(CloneImage, ResetAndClearEmptySlotsButKeepThePresets) {
  CloneImage image = StartupImage();
  image.slot(5).used = true;
  image.slot(5).frequency = 14500000;
  image.slot(1710).name = NameFromText(u"KEEP");
  const CloneImage before = image;
  ResetAllChannels(image);
  EXPECT_FALSE(image.slot(5).used);
  EXPECT_EQ(image.slot(5).carrier, 0) << "reset carrier differs from start-up";
  EXPECT_EQ(ChannelCellText(image.slot(5), FrequencyColumn), "");
  for (int s = 1701; s <= 1721; ++s) EXPECT_EQ(image.slot(s), before.slot(s)) << s;

  // Rows a..b cleared in either direction: the first and last slot cleared.
  const int cases[][4] = {{20, 10, 10, 20}, {1690, 1710, 1690, 1700}, {1701, 1721, 0, -1}};
  for (const auto& [a, b, first, last] : cases) {
    for (int s = 1; s <= 1721; ++s) image.slot(s).used = true;
    ClearChannelRows(image, a, b);
    for (int s = 1; s <= 1721; ++s) {
      ASSERT_EQ(image.slot(s).used, s < first || s > last) << a << "-" << b << " slot " << s;
    }
  }
}

TEST(RowLabels, FollowTheBankTable) {
  const auto labels = ShowRowLabels(BankTable::Defaults());
  ASSERT_TRUE(labels.has_value());
  ASSERT_EQ(labels->size(), 1721);
  const std::pair<int, const char*> cases[] = {
      {1, "Bank00-000"},   {101, "Bank01-000"},    {1200, "Bank11-099"},  {1201, "PRG - 0A"},
      {1300, "PRG - 49B"}, {1301, "Dual0(Main) "}, {1302, "Dual0(Sub) "}, {1500, "Dual99(Sub) "},
      {1501, "PRIO - 0"},  {1700, "PASS - 99"},    {1721, "BUG - 20"}};
  for (const auto& [slot, label] : cases) EXPECT_EQ((*labels)[slot - 1], label) << slot;
  BankTable banks;
  banks.counts[3] = 1200;
  EXPECT_EQ(ShowRowLabels(banks)->at(1199), "Bank03-1199");
  banks.counts[3] = 1199;
  EXPECT_FALSE(ShowRowLabels(banks).has_value());
  EXPECT_EQ(ProvisionalRowLabels().at(1720), "1720");
}

}  // namespace
}  // namespace rqm27
