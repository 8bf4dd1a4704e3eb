#include "widgets/channel_edit.h"

#include "model/channel_text.h"
#include "model/clone_image.h"
#include "support/qstring_print.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <tuple>

namespace rqm27 {
namespace {

// A used slot with every field set.
ChannelSlot Filled(std::int32_t frequency, ChannelMode mode, std::int32_t offset) {
  const auto tsq = SubtoneType::Tsq;
  const auto minus = ShiftDirection::Minus;
  return {true, frequency, offset, mode, 4, 3, tsq, 12, 20, 7, minus, true, NameFromText(u"TOWER")};
}

DetailFormState SingleForm(const char* megahertz, const char* digits) {
  DetailFormState form;
  form.row = 10;
  form.sets[0].frequencyMegahertz = megahertz;
  form.sets[0].frequencyDigits = digits;
  return form;
}

// The other values map to their options one to one; the pair test below keeps them all.
TEST(ChannelEditFill, ValuesSplitIntoFieldsAndMapToOptions) {
  const std::tuple<std::int32_t, ChannelMode, std::int32_t, const char*, int> cases[] = {
      {123456789, ChannelMode::CW, 12345678, "1234|56789|123|45678", 6},
      {1234567, ChannelMode::WFM, 60000, "12|34567|0|60000", 3},
      {100000, ChannelMode::NFM, 560000, "1|00000|5|60000", 2}};
  for (const auto& [frequency, mode, shift, expected, modeIndex] : cases) {
    CloneImage image = StartupImage();
    image.slot(7) = Filled(frequency, mode, shift);
    const DetailSetState set = FillDetailForm(image, 7).sets[0];
    EXPECT_EQ(QStringList({set.frequencyMegahertz, set.frequencyDigits, set.offsetMegahertz,
                           set.offsetDigits})
                  .join('|'),
              expected);
    EXPECT_EQ(set.mode, modeIndex) << static_cast<int>(mode);
  }
}

// A SUB row opens its pair; the second set shows the offset with three decimals and selects
// nothing for a mode or step it has no option for. OK then changes nothing, a name with codes
// that are not characters included.
TEST(ChannelEditFill, ASubRowOpensItsPairAndOkKeepsIt) {
  CloneImage image = StartupImage();
  image.slot(1301) = Filled(14501250, ChannelMode::AM, 60000);
  image.slot(1302) = Filled(43312500, ChannelMode::LSB, 1234567);
  image.slot(1302).step = 17;  // 100 Hz
  image.slot(1301).name.codes[5] = 0xFF;
  const DetailFormState form = FillDetailForm(image, 1302);
  EXPECT_EQ(form.row, 1301);
  EXPECT_TRUE(form.pair);
  EXPECT_EQ(form.sets[1].caption, "Dual0(Sub) ");
  EXPECT_EQ(form.sets[1].offsetMegahertz + "." + form.sets[1].offsetDigits, "12.345");
  EXPECT_EQ(form.sets[1].mode, -1);
  EXPECT_EQ(form.sets[1].step, -1);

  image.slot(1302) = Filled(43312500, ChannelMode::WFM, 1234500);
  const CloneImage before = image;
  CommitEdit(image, ConfirmDetailForm(FillDetailForm(image, 1301)), 1301);
  EXPECT_EQ(image.slot(1301), before.slot(1301));
  EXPECT_EQ(image.slot(1302), before.slot(1302));
}

TEST(ChannelEditConfirm, FrequencyCleaningAndRange) {
  const std::tuple<const char*, const char*, std::int32_t> cases[] = {
      {"1300", "", 14500000}, {"0145", "5", 14550000},      {"0", "04999", 0},
      {"0", "05", 5000},      {"1299", "99995", 129999995}, {"1299", "99996", 0},
      {"1a2", "3b", 1230000}};
  ChannelSlot blank;
  blank.clear();
  for (const auto& [megahertz, digits, frequency] : cases) {
    const ChannelEditBuffer buffer = ConfirmDetailForm(SingleForm(megahertz, digits));
    SCOPED_TRACE(::testing::Message() << megahertz << "." << digits);
    EXPECT_EQ(buffer.channels[0].channel.frequency, frequency);
    EXPECT_EQ(buffer.editResult, frequency != 0 ? 100 : 0);
    EXPECT_EQ(buffer.slotA, 9);
    CloneImage image = StartupImage();
    image.slot(10) = Filled(14500000, ChannelMode::FM, 0);
    CommitEdit(image, buffer, 10);
    EXPECT_EQ(image.slot(10).used ? image.slot(10).frequency : 0, frequency);
    EXPECT_TRUE(frequency != 0 || image.slot(10) == blank) << "no frequency leaves the row empty";
  }
}

TEST(ChannelEditConfirm, StepFallsBackToOneTheFrequencyAndOffsetFit) {
  // 145.12500 lies on the 8.33 kHz raster (25/3 kHz); 145.12520 does not.
  const std::tuple<const char*, const char*, int, const char*> cases[] = {
      {"12500", "00000", 2, "8.33KHz"}, {"13000", "00000", 2, "5KHz"},
      {"00625", "00000", 0, "6.25KHz"}, {"12500", "00000", 4, "12.5KHz"},
      {"00000", "60000", 9, "50KHz"},   {"00000", "00100", 0, "50Hz"},
      {"00003", "00000", 0, "50Hz"}};
  for (const auto& [digits, offsetDigits, recorded, step] : cases) {
    DetailFormState form = SingleForm("145", digits);
    form.sets[0].step = recorded;
    form.sets[0].offsetMegahertz = "0";
    form.sets[0].offsetDigits = offsetDigits;
    const ChannelEdit edit = ConfirmDetailForm(form).channels[0];
    EXPECT_EQ(ChannelCellText(edit.channel, StepColumn), step) << digits << " " << offsetDigits;
  }
}

TEST(ChannelEditConfirm, OffsetLimitsOfBothSets) {
  // Both sets give the offset in one form; the second set's three decimals are 10 kHz units.
  const std::tuple<std::size_t, const char*, const char*, std::int32_t> cases[] = {
      {0, "999", "99999", 0},     {0, "999", "99995", 99999995}, {0, "", "", 0},
      {0, "5", "123456", 500000}, {1, "999", "999", 0},          {1, "999", "995", 99999500},
      {1, "7", "1234", 700000},   {1, "5", "600", 560000}};
  for (const auto& [set, megahertz, digits, shift] : cases) {
    DetailFormState form = SingleForm("145", "00000");
    form.pair = true;
    form.row = 1301;
    form.sets[1] = form.sets[0];
    form.sets[set].offsetMegahertz = megahertz;
    form.sets[set].offsetDigits = digits;
    EXPECT_EQ(ConfirmDetailForm(form).channels[set].channel.offset, shift)
        << set << ": " << megahertz << "." << digits;
  }
}

TEST(ChannelEditCommit, PairResultsWriteAndEmptyTheirRows) {
  const std::tuple<int, bool, bool> cases[] = {
      {1, false, true}, {2, true, false}, {3, true, true}, {5, false, false}};
  for (const auto& [editResult, mainSet, subSet] : cases) {
    SCOPED_TRACE(editResult);
    CloneImage image = StartupImage();
    image.slot(1303) = Filled(10000000, ChannelMode::FM, 0);
    image.slot(1304) = Filled(20000000, ChannelMode::FM, 0);
    DetailFormState form = FillDetailForm(image, 1303);
    form.sets[0].frequencyMegahertz = mainSet ? "145" : "";
    form.sets[1].frequencyMegahertz = subSet ? "433" : "";
    form.sets[1].offsetDigits = "6";
    const ChannelEditBuffer buffer = ConfirmDetailForm(form);
    ASSERT_EQ(buffer.editResult, editResult);
    CommitEdit(image, buffer, editResult == 3 ? 1304 : 1303);  // either row names the pair
    const ChannelSlot& main = image.slot(1303);
    EXPECT_EQ(ChannelCellText(main, FrequencyColumn), mainSet ? "145.00000MHz" : "");
    EXPECT_EQ(NameToText(main.name), mainSet ? "TOWER" : "");
    EXPECT_EQ(ChannelCellText(image.slot(1304), ShiftFreqColumn), subSet ? "0.60000MHz" : "");
    EXPECT_EQ(main.used, mainSet);
    EXPECT_EQ(image.slot(1304).used, subSet);
    EXPECT_EQ(main.carrier, mainSet ? 3 : 0);
    EXPECT_EQ(image.slot(1305), StartupImage().slot(1305));
  }
}

TEST(ChannelEditInput, OffsetFieldsAndNameLimit) {
  EXPECT_FALSE(IsDigitFieldText(u"１", 4));  // a full-width digit
  EXPECT_EQ(NormaliseOffsetMegahertz(u"007"), "7");
  const std::tuple<const char*, const char*, int, const char*> cases[] = {
      {"999", "99999", 5, "99995"}, {"998", "99999", 5, "99999"}, {"0", "6", 5, "60000"},
      {"0", "1a2", 5, "12000"},     {"999", "999", 3, "995"},     {"0", "", 3, "000"},
      {"0", "1234", 3, "000"}};
  for (const auto& [megahertz, digits, width, result] : cases) {
    EXPECT_EQ(NormaliseOffsetDigits(QString(megahertz), QString(digits), width), result)
        << megahertz << "." << digits << " width " << width;
  }
  const QString a15(15, QChar(u'A'));
  // Half-width katakana takes one byte; a character outside the code page is refused.
  const std::tuple<QString, char32_t, bool> names[] = {
      {a15, U'B', true}, {a15, U'あ', false},         {a15.left(14), U'あ', true},
      {a15, U'ｱ', true}, {QString("A"), U'€', false}, {QString("A"), U'😀', false}};
  for (const auto& [name, character, accepted] : names) {
    EXPECT_EQ(AcceptsNameCharacter(name, character), accepted)
        << name.toStdString() << " + U+" << std::hex << static_cast<unsigned>(character);
  }
  EXPECT_EQ(CutNameToLimit(a15 + "あB"), a15);
  EXPECT_EQ(CutNameToLimit(u"A€B"), "AB");
}

}  // namespace
}  // namespace rqm27
