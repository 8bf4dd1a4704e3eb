#include "files/csv_file.h"

#include "model/channel_text.h"
#include "model/code_page.h"
#include "model/value_tables.h"
#include "support/qstring_print.h"
#include "support/sample_image.h"

#include <gtest/gtest.h>

#include <tuple>

namespace rqm27 {
namespace {

using testing::SampleChannel;

const QString kHeader = QStringLiteral(
    R"("","Frequency","Mode","Step","Carrier","Subtone","---","TSQ","DCS","Shift","Shift-Freq",)"
    R"("Skip","Name","0")");

// A file of the header and the given lines, each ended by CR LF.
QByteArray CsvFile(const QStringList& lines) {
  QString text = kHeader + QStringLiteral("\r\n");
  for (const QString& line : lines) text += line + QStringLiteral("\r\n");
  return UnicodeToCp932(text);
}

// A line as files without escaping hold it: every field in quotation marks, nothing escaped.
QString OldFormLine(const QStringList& fields) {
  return u'"' + fields.join(QStringLiteral("\",\"")) + u'"';
}

// The fields of a channel every check accepts: 145 MHz, FM, 5KHz, no skip, name AB.
QStringList GoodFields(int column = 0, const QString& value = "x") {
  QStringList fields = {"x",      "145", "FM",  "5KHz",       "300Hz", "None", "---",
                        "88.5Hz", "023", "Off", "0.00000MHz", "",      "AB",   "1"};
  fields[column] = value;
  return fields;
}

ChannelSlot GoodSlot() {
  ChannelSlot slot = SampleChannel(14500000, "AB");
  slot.carrier = 0;
  return slot;
}

// An image whose slot 1 holds a channel no test line describes, with a non-default transmit tone.
CloneImage ImageWithOldSlot1() {
  CloneImage image = StartupImage();
  image.slot(1) = SampleChannel(43300000, "OLD");
  image.slot(1).txTone = 12;
  return image;
}

Noted<CloneImage> ImportNoted(const QByteArray& bytes,
                              const CloneImage& current = ImageWithOldSlot1()) {
  const auto imported = ImportCsv(bytes, current, QStringLiteral("list.csv"));
  EXPECT_TRUE(imported.ok()) << imported.error().toStdString();
  return imported.ok() ? *imported : Noted<CloneImage>{current, {}};
}

TEST(CsvImport, LinesWithoutEscapingReadAsTheyAlwaysWere) {
  const QStringList lines = {GoodFields().join(u','), OldFormLine(GoodFields(NameColumn, R"("AB)")),
                             R"(x,"1"45",FM,5KHz,300Hz,None,---,88.5Hz,023,Off,0.00000MHz,,AB,1)"};
  const CloneImage imported = ImportNoted(CsvFile(lines), StartupImage()).value;
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(imported.slot(n), GoodSlot()) << "line " << n;

  // A line of other than fourteen fields leaves its row, and is said.
  const QString wrongWidth[] = {OldFormLine(GoodFields().mid(0, 13)),
                                GoodFields(NameColumn, "A,B").join(u','),
                                OldFormLine(GoodFields(NameColumn, R"(A"B,C)"))};
  for (const QString& line : wrongWidth) {
    const Noted<CloneImage> imported = ImportNoted(CsvFile({line}));
    EXPECT_EQ(imported.value.slot(1), ImageWithOldSlot1().slot(1)) << line.toStdString();
    ASSERT_FALSE(imported.notes.empty());
    EXPECT_EQ(imported.notes[0].place, "row 1, slot 1");
  }
}

// One field of a good line changed, and what its cell then shows (nullptr: the row is emptied
// and the reason said).
TEST(CsvImport, EachFieldIsCheckedAgainstItsTableAndTheChannelRules) {
  const std::tuple<int, const char*, const char*> cases[] = {
      {FrequencyColumn, "145.5", "145.50000MHz"},
      {FrequencyColumn, "1a45.5", nullptr},
      {FrequencyColumn, "12345", nullptr},
      {FrequencyColumn, "145.123456", nullptr},
      {FrequencyColumn, "4000.00000", nullptr},
      {FrequencyColumn, "0.04000", nullptr},
      {DcsColumn, "23", "023"},
      {DcsColumn, "24", nullptr},
      {StepColumn, "7KHz", nullptr},
      {ModeColumn, "XM", nullptr},
      {CarrierColumn, "299Hz", nullptr},
      {SubtoneColumn, "Tone", nullptr},
      {TsqColumn, "88.4Hz", nullptr},
      {ShiftColumn, "x", nullptr},
      {ShiftFreqColumn, "0.6MHz", "0.60000MHz"},
      {ShiftFreqColumn, "5.600", "5.60000MHz"},
      {ShiftFreqColumn, "1000.00000MHz", nullptr},
      {ShiftFreqColumn, "", nullptr},
      {SkipColumn, "x", nullptr},
      {TxToneColumn, "88.5Hz", "100.0Hz"}};
  ChannelSlot empty;
  empty.clear();
  for (const auto& [column, value, cell] : cases) {
    const Noted<CloneImage> imported =
        ImportNoted(CsvFile({OldFormLine(GoodFields(column, value))}));
    const ChannelSlot& slot = imported.value.slot(1);
    if (cell == nullptr) {
      EXPECT_EQ(slot, empty) << column << " " << value;
      ASSERT_EQ(imported.notes.size(), 2U) << column << " " << value;  // and the missing rows
      EXPECT_TRUE(imported.notes[0].message.endsWith("channel left out"));
    } else {
      EXPECT_EQ(ChannelCellText(slot, column), cell) << column << " " << value;
    }
  }
}

TEST(CsvImport, StepIsCorrectedToOneBothFrequenciesFitAndSaid) {
  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      {"145.025", "0.00000MHz", "25KHz", "25KHz"},
      {"145.00625", "0.00000MHz", "25KHz", "6.25KHz"},
      {"145.025", "0.00500MHz", "25KHz", "5KHz"},
      {"118.72500", "0.00000MHz", "8.33KHz", "8.33KHz"}};
  for (const auto& [frequency, shift, step, expected] : cases) {
    QStringList fields = GoodFields(StepColumn, step);
    fields[FrequencyColumn] = frequency;
    fields[ShiftFreqColumn] = shift;
    const Noted<CloneImage> imported = ImportNoted(CsvFile({OldFormLine(fields)}));
    EXPECT_EQ(ChannelCellText(imported.value.slot(1), StepColumn), expected) << frequency;
    const bool refitted = QLatin1StringView(step) != QLatin1StringView(expected);
    EXPECT_EQ(imported.notes.size(), refitted ? 2U : 1U) << frequency;
  }
}

TEST(CsvImport, RowsTheFileDoesNotReachAreKeptAndSaidAndPresetsNeverTouched) {
  CloneImage current = StartupImage();
  current.slot(5) = SampleChannel(43300000, "KEPT");
  current.slot(1600) = SampleChannel(43400000, "BEYOND");
  current.slot(1701).name = NameFromText(u"PRESET");
  QStringList lines(1500, OldFormLine(GoodFields()));
  lines[4] = "not a data line";
  const Noted<CloneImage> imported = ImportNoted(CsvFile(lines), current);
  for (int n = 1; n <= SlotCount; ++n) {
    const ChannelSlot expected = n == 5 || n > 1500 ? current.slot(n) : GoodSlot();
    EXPECT_EQ(imported.value.slot(n), expected) << "slot " << n;
  }
  ASSERT_EQ(imported.notes.size(), 2U);
  EXPECT_EQ(imported.notes[0].place, "row 5, slot 5");
  EXPECT_TRUE(imported.notes[1].message.contains("rows 1501-1700 are missing"));
}

TEST(CsvImport, HeaderLineAndFileName) {
  const std::tuple<QString, const char*, bool> cases[] = {
      {kHeader, "C:/x/list.CSV", true},
      {QString(50, u'h') + QString(30, u',') + QString(50, u'j') + QString(9, u'"'), "a.csv", true},
      {QString(99, u'h'), "a.csv", false},
      {kHeader.toLower(), "a.csv", false},
      {kHeader, "list.csv.bak", false}};
  for (const auto& [header, name, accepted] : cases) {
    const QByteArray file = UnicodeToCp932(header + QStringLiteral("\r\n") +
                                           OldFormLine(GoodFields()) + QStringLiteral("\r\n"));
    const auto imported = ImportCsv(file, StartupImage(), name);
    EXPECT_EQ(imported.ok(), accepted) << header.toStdString() << " " << name;
    if (imported.ok()) {
      EXPECT_EQ(imported->value.slot(1), GoodSlot());
    } else {
      EXPECT_TRUE(imported.error().contains(name)) << imported.error().toStdString();
    }
  }
  EXPECT_FALSE(ImportCsv(QByteArray(), StartupImage(), QStringLiteral("empty.csv")).ok());
}

}  // namespace
}  // namespace rqm27
