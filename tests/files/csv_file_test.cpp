#include "files/csv_file.h"

#include "app/qstring_print.h"
#include "model/code_page.h"
#include "model/row_labels.h"
#include "model/value_tables.h"
#include "support/sample_image.h"

#include <gtest/gtest.h>

#include <tuple>

namespace rqm27 {
namespace {

using testing::SampleChannel;
using testing::SampleImage;

const QString kHeader = QStringLiteral(
    R"("","Frequency","Mode","Step","Carrier","Subtone","---","TSQ","DCS","Shift","Shift-Freq",)"
    R"("Skip","Name","0")");

QStringList Labels() {
  QStringList labels;
  for (int n = 1; n <= SlotCount; ++n) labels << QStringLiteral("L%1").arg(n);
  return labels;
}

QStringList ExportedLines(const CloneImage& image) {
  QStringList lines = Cp932ToUnicode(ExportCsv(image, Labels())).split(QStringLiteral("\r\n"));
  EXPECT_EQ(lines.last(), QString()) << "the last line must end with CR LF";
  lines.removeLast();
  return lines;
}

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
  ChannelSlot slot = SampleChannel("145.00000MHz", "AB");
  slot.setCarrier(0);
  return slot;
}

ChannelSlot EmptySlot() {
  ChannelSlot slot;
  slot.clear();
  return slot;
}

// An image whose slot 1 holds a channel no test line describes, with a non-default transmit tone.
CloneImage ImageWithOldSlot1() {
  CloneImage image = StartupImage();
  image.slot(1) = SampleChannel("433.00000MHz", "OLD");
  image.slot(1).setTxTone(12);
  return image;
}

CloneImage Import(const QByteArray& bytes, const CloneImage& current = ImageWithOldSlot1()) {
  const auto imported = ImportCsv(bytes, current, QStringLiteral("list.csv"));
  EXPECT_TRUE(imported.ok()) << imported.error().toStdString();
  return imported.ok() ? *imported : current;
}

// Every labelled cell shows the table entry of its value.
void ExpectConsistent(const ChannelSlot& slot) {
  EXPECT_EQ(slot.cell(StepColumn), Label(StepNames.at(slot.stepIndex)));
  EXPECT_EQ(slot.cell(CarrierColumn), Label(CarrierNames.at(slot.carrierIndex)));
  EXPECT_EQ(slot.cell(TxToneColumn), Label(ToneNames.at(slot.txToneIndex)));
  EXPECT_EQ(slot.cell(TsqColumn), Label(ToneNames.at(slot.rxToneIndex)));
  EXPECT_EQ(slot.cell(DcsColumn), Label(DcsNames.at(slot.dcsIndex)));
}

TEST(CsvExport, HeaderThenOneLinePerRowUpTo1720) {
  CloneImage image;
  ChannelSlot& slot = image.slot(1) = SampleChannel("145.00000MHz", "ABC");
  slot.setStep(7);
  slot.setCarrier(0);
  slot.setCell(SubtoneColumn, "TSQ");
  slot.setTxTone(20);
  slot.setRxTone(12);
  slot.setCell(ShiftColumn, "+");
  slot.setCell(ShiftFreqColumn, "0.60000MHz");
  image.slot(2).setCell(FrequencyColumn, "1MHz");  // three characters or fewer are kept
  QStringList lines = ExportedLines(image);
  ASSERT_EQ(lines.size(), 1721);
  EXPECT_EQ(lines[0], kHeader);
  EXPECT_EQ(lines[1],
            QStringLiteral(R"("L1","145.00000","FM","25KHz","300Hz","TSQ","---","100.0Hz",)"
                           R"("023","+","0.60000MHz","","ABC","1")"));
  EXPECT_TRUE(lines[2].startsWith(QStringLiteral(R"("L2","1","",)")));
  EXPECT_EQ(lines[1720],
            QStringLiteral(R"("L1720","","","","","","---","","","","","","","1720")"));

  lines = ExportedLines(StartupImage());  // presets are written, slot 1721 never
  ASSERT_EQ(lines.size(), 1721);
  EXPECT_TRUE(lines[1720].startsWith(QStringLiteral(R"("L1720","321.13500","FM","5KHz",)")));
  EXPECT_FALSE(lines.join(QString()).contains(QStringLiteral("139.94000")));
}

TEST(CsvExport, QuotationMarksAndCommasInANameAreQuotedAndSurviveImport) {
  CloneImage image = StartupImage();
  image.slot(3) = SampleChannel("145.00000MHz", R"(A,"B",C)");
  EXPECT_TRUE(ExportedLines(image)[3].endsWith(QStringLiteral(R"("A,""B"",C","3")")));
  const CloneImage imported = Import(ExportCsv(image, Labels()), StartupImage());
  EXPECT_EQ(imported.slot(3).cell(NameColumn), R"(A,"B",C)");
  EXPECT_EQ(imported.slot(3), image.slot(3));
}

TEST(CsvImport, ExportThenImportReproducesEveryUsedSlot) {
  const CloneImage sample = SampleImage();
  const CloneImage imported =
      Import(ExportCsv(sample, ShowRowLabels(sample.banks).value()), StartupImage());
  CloneImage expected = sample;
  // The transmit tone is not in the file: slot 2 keeps the target's default tone.
  expected.slot(2).setTxTone(DefaultToneIndex);
  for (int n = 1; n <= SlotCount; ++n) {
    const bool resetWhenUnused = n <= LastTransferredSlot && !expected.slot(n).used;
    EXPECT_EQ(imported.slot(n), resetWhenUnused ? EmptySlot() : expected.slot(n)) << "slot " << n;
  }
  // Slot 2's name in CP932: 日本語 is 93 FA 96 7B 8C EA.
  EXPECT_TRUE(ExportCsv(sample, Labels()).contains("\x93\xFA\x96\x7B\x8C\xEA"));
}

TEST(CsvImport, LinesWithoutEscapingReadAsTheyAlwaysWere) {
  const QStringList lines = {GoodFields().join(u','), OldFormLine(GoodFields(NameColumn, R"("AB)")),
                             R"(x,"1"45",FM,5KHz,300Hz,None,---,88.5Hz,023,Off,0.00000MHz,,AB,1)"};
  const CloneImage imported = Import(CsvFile(lines), StartupImage());
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(imported.slot(n), GoodSlot()) << "line " << n;

  // A line of other than fourteen fields leaves its row.
  const QString wrongWidth[] = {OldFormLine(GoodFields().mid(0, 13)),
                                GoodFields(NameColumn, "A,B").join(u','),
                                OldFormLine(GoodFields(NameColumn, R"(A"B,C)"))};
  for (const QString& line : wrongWidth) {
    EXPECT_EQ(Import(CsvFile({line})).slot(1), ImageWithOldSlot1().slot(1)) << line.toStdString();
  }
}

// One field of a good line changed, and what its cell then shows (nullptr: the row is emptied).
TEST(CsvImport, EachFieldIsCheckedAgainstItsTable) {
  const std::tuple<int, const char*, const char*> cases[] = {
      {FrequencyColumn, "1a45.5", "145.50000MHz"},
      {FrequencyColumn, "12345", nullptr},
      {FrequencyColumn, "145.123456", nullptr},
      {DcsColumn, "23", "023"},
      {DcsColumn, "24", nullptr},
      {StepColumn, "7KHz", nullptr},
      {ModeColumn, "XM", nullptr},
      {CarrierColumn, "299Hz", nullptr},
      {SubtoneColumn, "Tone", nullptr},
      {TsqColumn, "88.4Hz", nullptr},
      {ShiftColumn, "x", nullptr},
      {ShiftFreqColumn, "0.6MHz", "0.60000MHz"},
      {ShiftFreqColumn, "", nullptr},
      {SkipColumn, "x", nullptr},
      {TxToneColumn, "88.5Hz", "100.0Hz"}};
  for (const auto& [column, value, cell] : cases) {
    const ChannelSlot slot = Import(CsvFile({OldFormLine(GoodFields(column, value))})).slot(1);
    if (cell == nullptr) {
      EXPECT_EQ(slot, EmptySlot()) << column << " " << value;
    } else {
      EXPECT_EQ(slot.cell(column), cell) << column << " " << value;
      ExpectConsistent(slot);
    }
  }
}

TEST(CsvImport, StepIsCorrectedToOneBothFrequenciesFit) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"145.025", "0.00000MHz", "25KHz"},
      {"145.00625", "0.00000MHz", "6.25KHz"},
      {"145.025", "0.00500MHz", "5KHz"}};
  for (const auto& [frequency, shift, expected] : cases) {
    QStringList fields = GoodFields(StepColumn, "25KHz");
    fields[FrequencyColumn] = frequency;
    fields[ShiftFreqColumn] = shift;
    const ChannelSlot slot = Import(CsvFile({OldFormLine(fields)})).slot(1);
    EXPECT_EQ(slot.cell(StepColumn), expected) << frequency << " " << shift;
    ExpectConsistent(slot);
  }
}

TEST(CsvImport, RowsTheFileDoesNotReachAreCheckedAndPresetsNeverTouched) {
  CloneImage current = StartupImage();
  current.slot(5) = SampleChannel("433.00000MHz", "KEPT");
  current.slot(6) = SampleChannel("434.00000MHz", "BAD STEP");
  current.slot(6).setCell(StepColumn, "7KHz");
  current.slot(1701).setCell(NameColumn, "PRESET");
  QStringList lines(1720, OldFormLine(GoodFields()));
  lines[4] = lines[5] = "not a data line";
  const CloneImage imported = Import(CsvFile(lines), current);
  for (int n = 1; n <= SlotCount; ++n) {
    const ChannelSlot expected = n == 5      ? current.slot(5)
                                 : n == 6    ? EmptySlot()
                                 : n <= 1700 ? GoodSlot()
                                             : current.slot(n);
    EXPECT_EQ(imported.slot(n), expected) << "slot " << n;
  }
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
      EXPECT_EQ(imported->slot(1), GoodSlot());
    } else {
      EXPECT_TRUE(imported.error().contains(name)) << imported.error().toStdString();
    }
  }
  EXPECT_FALSE(ImportCsv(QByteArray(), StartupImage(), QStringLiteral("empty.csv")).ok());
}

}  // namespace
}  // namespace rqm27
