#include "model/clone_image.h"
#include "model/row_labels.h"
#include "support/sample_image.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

TEST(CloneImage, ResetAndClearEmptySlotsButKeepThePresets) {
  CloneImage image = StartupImage();
  image.slot(5) = testing::SampleChannel(14500000, "GONE");
  image.slot(1710).name = NameFromText(u"KEEP");
  const CloneImage before = image;
  ResetAllChannels(image);
  ChannelSlot reset;
  reset.clear();
  EXPECT_EQ(image.slot(5), reset);
  EXPECT_NE(image.slot(5), StartupImage().slot(5));  // a reset slot is not a start-up one
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

// The labels of the default bank table are in the golden channel list; these are the others.
TEST(RowLabels, FollowTheBankTable) {
  EXPECT_EQ(ShowRowLabels(BankTable::Defaults())->at(1720), "BUG - 20");
  BankTable banks;
  banks.counts[3] = 1200;
  EXPECT_EQ(ShowRowLabels(banks)->at(1199), "Bank03-1199");
  banks.counts[3] = 1199;
  EXPECT_FALSE(ShowRowLabels(banks).has_value());
  EXPECT_EQ(ProvisionalRowLabels().at(1720), "1720");
}

}  // namespace
}  // namespace rqm27
