#include "model/value_tables.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

TEST(ValueTables, LandmarksAndLookupsBothWays) {
  for (int i = 0; i < 28; ++i) {
    EXPECT_EQ(Label(CarrierNames[i]), QString::number(300 + 100 * i) + "Hz") << i;
  }
  EXPECT_EQ(CodeOfLabel(ModeCodes, u"CW"), 5);
  EXPECT_EQ(CodeOfLabel(ModeCodes, u"NFM"), std::nullopt);
  EXPECT_EQ(CodeOfLabel(EditModeCodes, u"NFM"), 2);
  EXPECT_EQ(CodeOfLabel(ModeCodes, u"fm"), std::nullopt);  // case matters
  EXPECT_EQ(LabelOfCode(SubtoneCodes, 2), std::nullopt);
  EXPECT_EQ(LabelOfCode(SubtoneCodes, 3), "TSQ");
  EXPECT_EQ(IndexOfLabel(StepNames, u"12.5KHz"), 4);
  EXPECT_EQ(IndexOfLabel(StepNames, u"7KHz"), std::nullopt);
}

TEST(ValueTables, BankBitsAndSteps) {
  EXPECT_EQ(std::pair(BankNibbleIndex(0), BankBitWeight(0)), std::pair(1, 8));
  EXPECT_EQ(std::pair(BankNibbleIndex(49), BankBitWeight(49)), std::pair(13, 4));
  EXPECT_EQ(BankBitWeight(7), 1);
}

}  // namespace
}  // namespace rqm27
