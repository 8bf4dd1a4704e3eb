#include "model/value_tables.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

TEST(ValueTables, SizesAndLandmarks) {
  EXPECT_EQ(StepNames.size(), 19u);
  EXPECT_EQ(StepValues[2], 833);
  EXPECT_EQ(StepNames[18], "1K");
  EXPECT_EQ(ToneNames.size(), 39u);
  EXPECT_EQ(ToneNames[8], "88.5Hz");
  EXPECT_EQ(DcsNames.size(), 104u);
  EXPECT_EQ(DcsNames[103], "754");
  EXPECT_EQ(CarrierNames[20], "2300Hz");
  EXPECT_EQ(CarrierNames[28], "Jp.Rail");
  for (int i = 0; i < 28; ++i) {
    EXPECT_EQ(Label(CarrierNames[i]), QString::number(300 + 100 * i) + "Hz") << i;
  }
}

TEST(ValueTables, BankBitPositions) {
  EXPECT_EQ(BankNibbleIndex(0), 1);
  EXPECT_EQ(BankBitWeight(0), 8);
  EXPECT_EQ(BankNibbleIndex(49), 13);
  EXPECT_EQ(BankBitWeight(49), 4);
  EXPECT_EQ(BankBitWeight(7), 1);
}

TEST(ValueTables, LabelsAndCodesBothWays) {
  EXPECT_EQ(CodeOfLabel(ModeCodes, u"CW"), 5);
  EXPECT_EQ(CodeOfLabel(ModeCodes, u"NFM"), std::nullopt);
  EXPECT_EQ(CodeOfLabel(EditModeCodes, u"NFM"), 2);
  EXPECT_EQ(CodeOfLabel(ModeCodes, u"fm"), std::nullopt);  // case matters
  EXPECT_EQ(LabelOfCode(SubtoneCodes, 2), std::nullopt);
  EXPECT_EQ(LabelOfCode(SubtoneCodes, 3), "TSQ");
  EXPECT_EQ(IndexOfLabel(StepNames, u"12.5KHz"), 4);
  EXPECT_EQ(IndexOfLabel(StepNames, u"7KHz"), std::nullopt);
  EXPECT_EQ(IndexOfLabel(DcsNames, u"023"), 0);
}

TEST(ValueTables, FrequencyFitsStep) {
  EXPECT_TRUE(FitsStep(145015000, 5));   // 15 kHz: 01500 is a multiple of 1500
  EXPECT_FALSE(FitsStep(145025000, 5));  // 02500 is not
  EXPECT_TRUE(FitsStep(118008330, 2));   // 8.33 kHz held as 833
  EXPECT_TRUE(FitsStep(118008333, 2));   // the single hertz do not count
  EXPECT_FALSE(FitsStep(118008340, 2));
}

}  // namespace
}  // namespace rqm27
