#include "model/image_diff.h"

#include "support/qstring_print.h"
#include "support/sample_image.h"

#include <gtest/gtest.h>

#include <functional>

namespace rqm27 {
namespace {

// One change in one area of an image holding a channel in slot 104 (Bank01-003 in the default
// bank table) gives one entry: its area, place and line.
TEST(ImageDiff, OneChangeGivesOneEntryWithItsPlaceAndLine) {
  CloneImage base = StartupImage();
  base.slot(104) = testing::SampleChannel(14500000, "CALL");
  struct Case {
    std::function<void(CloneImage&)> change;
    DiffArea area;
    int place;
    const char* text;
  };
  const Case cases[] = {
      {[](CloneImage& i) { i.slot(104).frequency = 14502000; }, DiffArea::Channel, 104,
       "Bank01-003 (slot 104): Frequency 145.00000MHz -> 145.02000MHz"},
      {[](CloneImage& i) { i.slot(104).txTone = 0; }, DiffArea::Channel, 104,
       "Bank01-003 (slot 104): Tx-Tone 88.5Hz -> 67.0Hz"},
      {[](CloneImage& i) { i.slot(104).skip = true; }, DiffArea::Channel, 104,
       "Bank01-003 (slot 104): Skip \"\" -> *"},
      {[](CloneImage& i) { i.slot(104).name = NameFromText(u"A \"B\"\n"); }, DiffArea::Channel, 104,
       R"(Bank01-003 (slot 104): Name "CALL" -> "A \"B\"\x0a")"},
      {[](CloneImage& i) { i.slot(104).clear(); }, DiffArea::Channel, 104,
       "Bank01-003 (slot 104): removed 145.00000MHz FM \"CALL\""},
      {[](CloneImage& i) { i.slot(1302) = testing::SampleChannel(43500000, ""); },
       DiffArea::Channel, 1302, "Dual0(Sub) (slot 1302): added 435.00000MHz FM"},
      {[](CloneImage& i) { i.banks.counts[12] = 5; }, DiffArea::Bank, 12,
       "Bank12: 0 -> 5 channels"},
      {[](CloneImage& i) {
         i.oneTouch[3] = {true, 1, 5};
       },
       DiffArea::OneTouch, 3, "One-touch 3: not set -> Bank01-005"},
      {[](CloneImage& i) { i.title = NameFromText(u"HELLO"); }, DiffArea::Title, 0,
       "Title: \"\" -> \"HELLO\""},
      {[](CloneImage& i) { i.bankLinks[2][0] = 0x90; }, DiffArea::BankLink, 2,
       "Group2: no banks -> banks 0, 3"},
      {[](CloneImage& i) { i.bankLinks[6][6] = 0x40; }, DiffArea::BankLink, 6,
       "Group6: no banks -> banks 49"},
      {[](CloneImage& i) { i.bankLinks[10][7] = 0x81; }, DiffArea::BankLink, 10,
       "GroupB: 0000000000000080 -> 0000000000000081"},
      {[](CloneImage& i) { i.settings.at(SettingsList::Misc, 1) = 12; }, DiffArea::Setting,
       8 * MaxListsInArray + 1, "Setting_misc, Volume (MAIN): 10 -> 12"},
      {[](CloneImage& i) { i.settings.at(SettingsList::Recv, 0) = 0; }, DiffArea::Setting, 0,
       "Set_Mode_Recv, Bar Antenna: ON -> OFF"},
      {[](CloneImage& i) { i.icons[5][0][0] = i.icons[5][15][15] = 1; }, DiffArea::Icon, 5,
       "Icon 5: 2 pixels differ"},
  };
  for (const Case& c : cases) {
    CloneImage changed = base;
    c.change(changed);
    const ImageDifferences diff = ImageDiff(base, changed);
    ASSERT_EQ(diff.size(), 1u) << c.text;
    EXPECT_EQ(diff[0].area, c.area) << c.text;
    EXPECT_EQ(diff[0].place, c.place) << c.text;
    EXPECT_EQ(diff[0].text, QString::fromUtf8(c.text));
  }
}

TEST(ImageDiff, EqualImagesAndWhatAnUnusedSlotHoldsGiveNothing) {
  EXPECT_TRUE(ImageDiff(testing::SampleImage(), testing::SampleImage()).empty());
  CloneImage reset = StartupImage();
  ResetAllChannels(reset);  // the unused slots' values change, none of them is shown
  ASSERT_NE(reset, StartupImage());
  EXPECT_TRUE(ImageDiff(StartupImage(), reset).empty());
}

// Entries follow the image's order, and a channel's label comes from the new bank table.
TEST(ImageDiff, EntriesComeInReadingOrder) {
  CloneImage a = StartupImage();
  CloneImage b = a;
  b.icons[0][0][0] = 1;
  b.title = NameFromText(u"T");
  b.banks.counts[0] = 99;
  b.banks.counts[12] = 1;
  b.slot(100) = testing::SampleChannel(14500000, "X");  // Bank00-099 in the old table
  const ImageDifferences diff = ImageDiff(a, b);
  ASSERT_EQ(diff.size(), 5u);
  EXPECT_EQ(diff[0].text, "Bank01-000 (slot 100): added 145.00000MHz FM \"X\"");
  EXPECT_EQ(diff[1].area, DiffArea::Bank);
  EXPECT_EQ(diff[1].place, 0);
  EXPECT_EQ(diff[2].place, 12);
  EXPECT_EQ(diff[3].area, DiffArea::Title);
  EXPECT_EQ(diff[4].area, DiffArea::Icon);
}

}  // namespace
}  // namespace rqm27
