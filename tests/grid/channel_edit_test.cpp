#include "grid/channel_edit.h"

#include "app/qstring_print.h"
#include "model/clone_image.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace rqm27 {
namespace {

// A used slot with every cell set, as the record decoder leaves one.
void FillSlot(ChannelSlot& slot, const char* frequency, const char* mode, const char* shift) {
  slot.used = true;
  slot.setCell(FrequencyColumn, frequency);
  slot.setCell(ModeColumn, mode);
  slot.setStep(4);
  slot.setCarrier(3);
  slot.setCell(SubtoneColumn, "TSQ");
  slot.setTxTone(12);
  slot.setRxTone(20);
  slot.setDcs(7);
  slot.setCell(ShiftColumn, "-");
  slot.setCell(ShiftFreqColumn, shift);
  slot.setCell(SkipColumn, "*");
  slot.setCell(NameColumn, "TOWER");
}

DetailFormState SingleForm(const char* megahertz, const char* digits) {
  DetailFormState form;
  form.row = 10;
  form.sets[0].frequencyMegahertz = megahertz;
  form.sets[0].frequencyDigits = digits;
  return form;
}

TEST(ChannelEditRows, EditableRowsAndNavigationTargets) {
  const std::tuple<int, std::optional<int>> rows[] = {
      {0, std::nullopt}, {1302, 1301}, {1303, 1303}, {1500, 1499}, {1701, std::nullopt}};
  for (const auto& [row, editable] : rows) EXPECT_EQ(EditableRow(row), editable) << row;
  const std::tuple<int, int, std::optional<int>> moves[] = {
      {1301, 1, 1303}, {1700, 1, std::nullopt}, {1303, 2, 1301}, {1501, 2, 1499}, {50, 0, {}}};
  for (const auto& [row, to, target] : moves) EXPECT_EQ(NavigationTarget(row, to), target) << row;
}

TEST(ChannelEditFill, CellsSplitByLengthAndWordsMapToOptions) {
  using S = const char*;
  const std::tuple<S, S, S, S, int> cases[] = {
      {"1234.56789MHz", "CW", "123.45678MHz", "1234|56789|123|45678", 6},
      {"12.34567MHz", "WFM", "0.60000MHz", "12|34567|0|60000", 3},
      {"1.00000MHz", "ERROR", "0.600MHz", "1|00000||", 0}};
  for (const auto& [frequency, mode, shift, expected, modeIndex] : cases) {
    CloneImage image = StartupImage();
    FillSlot(image.slot(7), frequency, mode, shift);
    const DetailSetState set = FillDetailForm(image, 7).sets[0];
    EXPECT_EQ(QStringList({set.frequencyMegahertz, set.frequencyDigits, set.offsetMegahertz,
                           set.offsetDigits})
                  .join('|'),
              expected);
    EXPECT_EQ(set.mode, modeIndex) << mode;
    EXPECT_EQ(std::vector(
                  {set.step, set.carrier, set.subtone, set.txTone, set.rxTone, set.dcs, set.shift}),
              std::vector({4, 3, 3, 12, 20, 7, 2}));
    EXPECT_TRUE(set.skip);
  }
}

TEST(ChannelEditFill, ASubRowOpensItsPairWithThreeOffsetDecimalsInTheSecondSet) {
  CloneImage image = StartupImage();
  FillSlot(image.slot(1301), "145.00000MHz", "AM", "0.60000MHz");
  FillSlot(image.slot(1302), "433.12500MHz", "LSB", "12.34567MHz");
  image.slot(1302).setStep(17);
  const DetailFormState form = FillDetailForm(image, 1302);
  EXPECT_EQ(form.row, 1301);
  EXPECT_TRUE(form.pair);
  EXPECT_EQ(form.sets[1].caption, "Dual0(Sub) ");
  EXPECT_EQ(form.sets[1].offsetMegahertz + "." + form.sets[1].offsetDigits, "12.345");
  // The second set has no LSB and no 100 Hz step: none is selected.
  EXPECT_EQ(form.sets[1].mode, -1);
  EXPECT_EQ(form.sets[1].step, -1);
}

TEST(ChannelEditConfirm, FrequencyCleaningAndRange) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"1300", "", "145.00000"}, {"0145", "5", "145.50000"},      {"0", "04999", ""},
      {"0", "05", "0.05000"},    {"1299", "99995", "1299.99995"}, {"1299", "99996", ""},
      {"1a2", "3b", "12.30000"}};
  for (const auto& [megahertz, digits, frequency] : cases) {
    const ChannelEditBuffer buffer = ConfirmDetailForm(SingleForm(megahertz, digits));
    SCOPED_TRACE(::testing::Message() << megahertz << "." << digits);
    EXPECT_EQ(buffer.channels[0].frequency, frequency);
    EXPECT_EQ(buffer.editResult, *frequency ? 100 : 0);
    EXPECT_EQ(buffer.used[0], *frequency != 0);
    EXPECT_EQ(buffer.slotA, 9);
  }
}

TEST(ChannelEditConfirm, StepFallsBackToOneTheFrequencyAndOffsetFit) {
  const std::tuple<const char*, const char*, int, const char*> cases[] = {
      {"12500", "00000", 2, "5KHz"},    {"00625", "00000", 0, "6.25KHz"},
      {"12500", "00000", 4, "12.5KHz"}, {"00000", "60000", 9, "50KHz"},
      {"00000", "00100", 0, "50Hz"},    {"00003", "00000", 0, "50Hz"}};
  for (const auto& [digits, offsetDigits, recorded, step] : cases) {
    DetailFormState form = SingleForm("145", digits);
    form.sets[0].step = recorded;
    form.sets[0].offsetMegahertz = "0";
    form.sets[0].offsetDigits = offsetDigits;
    const ChannelEdit edit = ConfirmDetailForm(form).channels[0];
    EXPECT_EQ(edit.stepText, step) << digits << " " << offsetDigits;
    EXPECT_EQ(edit.step, IndexOfLabel(StepNames, edit.stepText)) << digits;
  }
}

TEST(ChannelEditConfirm, OffsetLimitsOfBothSets) {
  const std::tuple<std::size_t, const char*, const char*, const char*> cases[] = {
      {0, "999", "99999", "0.00000"}, {0, "999", "99995", "999.99995"},
      {0, "", "", "0.00000"},         {0, "5", "123456", "5.00000"},
      {1, "999", "999", "0.000"},     {1, "999", "995", "999.995"},
      {1, "7", "1234", "7.000"}};
  for (const auto& [set, megahertz, digits, shift] : cases) {
    DetailFormState form = SingleForm("145", "00000");
    form.pair = true;
    form.row = 1301;
    form.sets[1] = form.sets[0];
    form.sets[set].offsetMegahertz = megahertz;
    form.sets[set].offsetDigits = digits;
    EXPECT_EQ(ConfirmDetailForm(form).channels[set].shiftFrequency, shift)
        << set << ": " << megahertz << "." << digits;
  }
}

TEST(ChannelEditCommit, PairResultsWriteAndEmptyTheirRows) {
  const std::tuple<int, bool, bool> cases[] = {
      {1, false, true}, {2, true, false}, {3, true, true}, {5, false, false}};
  for (const auto& [editResult, mainSet, subSet] : cases) {
    SCOPED_TRACE(editResult);
    CloneImage image = StartupImage();
    FillSlot(image.slot(1303), "100.00000MHz", "FM", "0.00000MHz");
    FillSlot(image.slot(1304), "200.00000MHz", "FM", "0.00000MHz");
    DetailFormState form = FillDetailForm(image, 1303);
    form.sets[0].frequencyMegahertz = mainSet ? "145" : "";
    form.sets[1].frequencyMegahertz = subSet ? "433" : "";
    form.sets[1].offsetDigits = "6";
    const ChannelEditBuffer buffer = ConfirmDetailForm(form);
    ASSERT_EQ(buffer.editResult, editResult);
    CommitEdit(image, buffer, editResult == 3 ? 1304 : 1303);  // either row names the pair
    const ChannelSlot& main = image.slot(1303);
    EXPECT_EQ(main.cell(FrequencyColumn), mainSet ? "145.00000MHz" : "");
    EXPECT_EQ(main.cell(NameColumn), mainSet ? "TOWER" : "");
    EXPECT_EQ(image.slot(1304).cell(ShiftFreqColumn), subSet ? "0.6MHz" : "");
    EXPECT_EQ(main.used, mainSet);
    EXPECT_EQ(image.slot(1304).used, subSet);
    EXPECT_EQ(main.carrierIndex, mainSet ? 3 : 0);
    EXPECT_EQ(image.slot(1305), StartupImage().slot(1305));
  }
}

TEST(ChannelEditCommit, FillConfirmCommitKeepsAPair) {
  CloneImage image = StartupImage();
  FillSlot(image.slot(1301), "145.01250MHz", "AM", "0.60000MHz");
  FillSlot(image.slot(1302), "433.12500MHz", "WFM", "12.34500MHz");
  const CloneImage before = image;
  CommitEdit(image, ConfirmDetailForm(FillDetailForm(image, 1301)), 1301);
  EXPECT_EQ(image.slot(1301), before.slot(1301));
  EXPECT_EQ(image.slot(1302).cell(ShiftFreqColumn), "12.345MHz");
  image.slot(1302).setCell(ShiftFreqColumn, "12.34500MHz");
  EXPECT_EQ(image.slot(1302), before.slot(1302));
}

TEST(ChannelEditCommit, CodesOutsideTheTablesAndEmptyChannels) {
  CloneImage image = StartupImage();
  FillSlot(image.slot(20), "145.00000MHz", "FM", "0.00000MHz");
  ChannelEditBuffer odd = ConfirmDetailForm(FillDetailForm(image, 20));
  odd.channels[0].mode = 7;
  odd.channels[0].subtone = 2;  // "Tone" has no word in the grid
  odd.channels[0].shift = 3;
  CommitEdit(image, odd, 20);
  for (const int column : {ModeColumn, SubtoneColumn, ShiftColumn}) {
    EXPECT_EQ(image.slot(20).cell(column), "ERROR") << column;
  }
  CommitEdit(image, ConfirmDetailForm(SingleForm("0", "00000")), 20);
  ChannelSlot blank;
  blank.clear();
  EXPECT_EQ(image.slot(20), blank);
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
  // Half-width katakana takes one byte.
  const std::tuple<QString, char32_t, bool> names[] = {
      {a15, U'B', true}, {a15, U'あ', false}, {a15.left(14), U'あ', true}, {a15, U'ｱ', true}};
  for (const auto& [name, character, accepted] : names) {
    EXPECT_EQ(AcceptsNameCharacter(name, character), accepted)
        << name.toStdString() << " + U+" << std::hex << static_cast<unsigned>(character);
  }
  EXPECT_EQ(CutNameToLimit(a15 + "あB"), a15);
}

}  // namespace
}  // namespace rqm27
