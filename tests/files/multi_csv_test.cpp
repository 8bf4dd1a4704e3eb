#include "files/multi_csv.h"

#include "files/image_file.h"
#include "model/bank_table.h"
#include "model/channel_rules.h"
#include "model/channel_text.h"
#include "support/qstring_print.h"
#include "support/random_images.h"
#include "support/sample_image.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace rqm27 {
namespace {

// The cells of the fields a multi-radio list holds, as the grid shows them; empty when unused.
QString ListCells(const ChannelSlot& slot) {
  if (!slot.used) return {};
  QStringList cells;
  for (int column : {FrequencyColumn, ModeColumn, StepColumn, SubtoneColumn, TsqColumn, DcsColumn,
                     ShiftColumn, ShiftFreqColumn, SkipColumn, NameColumn}) {
    cells << ChannelCellText(slot, column);
  }
  return cells.join(u'|');
}

// What the list keeps: the memory channels without carrier and transmit tone, Train and SQ as
// no sub-tone, names as text.
CloneImage KeptByList(const CloneImage& image, bool& changed) {
  CloneImage kept = StartupImage();
  for (int s = 1; s <= MemoryChannelCount; ++s) {
    const ChannelSlot& channel = image.slot(s);
    if (!channel.used) continue;
    ChannelSlot& slot = kept.slot(s) = channel;
    slot.carrier = StartupCarrierIndex;
    slot.txTone = DefaultToneIndex;
    if (channel.subtone == SubtoneType::Train || channel.subtone == SubtoneType::Sq) {
      slot.subtone = SubtoneType::None;
      changed = true;
    }
    slot.name = NameFromText(NameToText(channel.name));
    changed = changed || slot.name != channel.name;
  }
  return kept;
}

TEST(MultiCsv, ExportedMemoryChannelsReadBackAndWhatIsLostIsSaid) {
  testing::RandomImages images(606);
  for (int i = 0; i < 6; ++i) {
    const CloneImage image = images.next();
    const Noted<QByteArray> written = ExportMultiCsv(image);
    const auto read = ImportMultiCsv(written.value, StartupImage(), "r.csv");
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    bool changed = false;
    const CloneImage kept = KeptByList(image, changed);
    for (int s = 1; s <= SlotCount; ++s) {
      ASSERT_EQ(read->value.slot(s), kept.slot(s)) << "image " << i << " slot " << s;
    }
    EXPECT_EQ(written.notes.empty(), !changed) << "image " << i;
    EXPECT_TRUE(read->notes.empty()) << NoteText(read->notes.front()).toStdString();
  }
}

const QString kHeader = QStringLiteral(
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,"
    "TStep,Skip,Comment\r\n");

// One row of a list, and the cells of the slot it names then (empty: the slot is emptied) and
// a part of what is noted (empty: nothing is).
TEST(MultiCsv, EachRowIsMappedOntoTheReceiverAndWhatDoesNotFitIsSaid) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"0,CALL,146.520000,,0.600000,,88.5,88.5,023,NN,FM,5.00,,",
       "146.52000MHz|FM|5KHz|None|88.5Hz|023|Off|0.60000MHz||CALL", ""},
      {"0,R1,145.225,-,0.6,TSQL,67.0,100.0,23,NN,NFM,12.50,S,",
       "145.22500MHz|NFM|12.5KHz|TSQ|100.0Hz|023|-|0.60000MHz|*|R1", ""},
      {"0,\"A,\"\"B\"\"\",433.500000,+,5.000000,DTCS,88.5,88.5,754,NN,AM,25.00,,",
       "433.50000MHz|AM|25KHz|DCS|88.5Hz|754|+|5.00000MHz||A,\"B\"", ""},
      {"0,D,433.5,off,1.0,DTCS,88.5,88.5,754,RN,USB,5.00,,",
       "433.50000MHz|USB|5KHz|DCS|88.5Hz|754|Off|1.00000MHz||D", "polarity RN"},
      {"0,S,145.000000,split,144.400000,,88.5,88.5,023,NN,LSB,5.00,,",
       "145.00000MHz|LSB|5KHz|None|88.5Hz|023|-|0.60000MHz||S", "split"},
      {"0,T,145.0,,0,Tone,100.0,88.5,023,NN,FM,5.00,,",
       "145.00000MHz|FM|5KHz|None|88.5Hz|023|Off|0.00000MHz||T", "Tone"},
      {"0,X,145.0,,0,Cross,100.0,88.5,023,NN,FM,5.00,,",
       "145.00000MHz|FM|5KHz|None|88.5Hz|023|Off|0.00000MHz||X", "Cross"},
      {"0,Q,145.0,,0,TSQL,88.5,69.4,023,NN,FM,5.00,,",
       "145.00000MHz|FM|5KHz|None|88.5Hz|023|Off|0.00000MHz||Q", "69.4"},
      {"0,A,118.000000,,0,,88.5,88.5,023,NN,AM,9.00,,",
       "118.00000MHz|AM|8.33KHz|None|88.5Hz|023|Off|0.00000MHz||A", "9.00 kHz"},
      {"0,F,145.0125,,0,,88.5,88.5,023,NN,FM,25.00,,",
       "145.01250MHz|FM|6.25KHz|None|88.5Hz|023|Off|0.00000MHz||F", "does not fit"},
      {"0,P,145.0,,0,,88.5,88.5,023,NN,CW,5.00,P,",
       "145.00000MHz|CW|5KHz|None|88.5Hz|023|Off|0.00000MHz||P", "priority"},
      {"0,ABCDEFGHIJKLMNOPQ,145.0,,0,,88.5,88.5,023,NN,WFM,5.00,,",
       "145.00000MHz|WFM|5KHz|None|88.5Hz|023|Off|0.00000MHz||ABCDEFGHIJKLMNOP", "cut"},
      {"0,A\U0001F600,145.0,,0,,88.5,88.5,023,NN,FM,5.00,,",
       "145.00000MHz|FM|5KHz|None|88.5Hz|023|Off|0.00000MHz||A?", "without a code"},
      {"0,C,145.0,,0,,88.5,88.5,023,NN,FM,5.00,,net",
       "145.00000MHz|FM|5KHz|None|88.5Hz|023|Off|0.00000MHz||C", "comment"},
      {"0,R,145.000005,,0,,88.5,88.5,023,NN,FM,,,",
       "145.00001MHz|FM|50Hz|None|88.5Hz|023|Off|0.00000MHz||R", "rounded"},
      {"0,V,145.0,,0,,88.5,88.5,023,NN,DV,5.00,,", "", "mode \"DV\""},
      {"0,H,1300.000000,,0,,88.5,88.5,023,NN,FM,5.00,,", "", "outside"},
      {"0,O,145.0,+,1000.000000,,88.5,88.5,023,NN,FM,5.00,,", "", "outside"},
  };
  for (const auto& [row, cells, noted] : cases) {
    CloneImage current = StartupImage();
    current.slot(1) = testing::SampleChannel(43300000, "OLD");
    current.slot(2) = testing::SampleChannel(43400000, "KEPT");
    const auto imported =
        ImportMultiCsv((kHeader + QString::fromUtf8(row)).toUtf8(), current, "list.csv");
    ASSERT_TRUE(imported.ok()) << row;
    EXPECT_EQ(ListCells(imported->value.slot(1)), QString::fromUtf8(cells)) << row;
    EXPECT_EQ(imported->value.slot(2), current.slot(2)) << row;
    QStringList notes;
    for (const FileNote& note : imported->notes) notes << NoteText(note);
    const QString said = notes.join(u'\n');
    EXPECT_EQ(said.isEmpty(), *noted == '\0') << row << ": " << said.toStdString();
    EXPECT_TRUE(said.contains(QString::fromUtf8(noted))) << row << ": " << said.toStdString();
    if (!notes.isEmpty()) {
      EXPECT_TRUE(said.startsWith("row 1, slot 1: ")) << said.toStdString();
    }
  }
}

// Rows go to Location + 1, or one after another from a chosen first slot; what has no memory
// channel is left out and said.
TEST(MultiCsv, RowsGoToTheirLocationOrFromTheChosenFirstSlot) {
  const QByteArray file = (kHeader + "5,A,145.0\r\n1200,B,145.0\r\n\r\n3,C,145.0\r\n").toUtf8();
  const auto byLocation = ImportMultiCsv(file, StartupImage(), "l.csv");
  ASSERT_TRUE(byLocation.ok());
  EXPECT_EQ(UsedChannelCount(byLocation->value), 2);
  EXPECT_EQ(NameToText(byLocation->value.slot(6).name), "A");
  EXPECT_EQ(NameToText(byLocation->value.slot(4).name), "C");
  ASSERT_EQ(byLocation->notes.size(), 1U);
  EXPECT_EQ(NoteText(byLocation->notes[0]),
            "row 2: location \"1200\" is not a memory channel "
            "0-1199; row left out");

  const auto fromSlot = ImportMultiCsv(file, StartupImage(), "l.csv", 1199);
  ASSERT_TRUE(fromSlot.ok());
  EXPECT_EQ(NameToText(fromSlot->value.slot(1199).name), "A");
  EXPECT_EQ(NameToText(fromSlot->value.slot(1200).name), "B");
  EXPECT_EQ(UsedChannelCount(fromSlot->value), 2);
  ASSERT_EQ(fromSlot->notes.size(), 1U);
  EXPECT_EQ(fromSlot->notes[0].place, "row 4");
  EXPECT_FALSE(ImportMultiCsv(file, StartupImage(), "l.csv", 1201).ok());
}

// A .csv file is read in the layout its header row names, whatever the case of its extension,
// the order of its columns after Location and the columns it lacks.
TEST(MultiCsv, TheHeaderRowTellsTheLayout) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"a.CSV", "Location,Name,Frequency,Mode\r\n0,N,145.5,AM\r\n",
       "145.50000MHz|AM|5KHz|None|88.5Hz|023|Off|0.00000MHz||N"},
      {"b.csv", "\xEF\xBB\xBF\"Location\",\"Mode\",\"Frequency\"\r\n0,USB,7.05\r\n",
       "7.05000MHz|USB|5KHz|None|88.5Hz|023|Off|0.00000MHz||"},
      {"c.csv", "location,FREQUENCY,TStep\n0,118.025,8.33\n",
       "118.02500MHz|FM|8.33KHz|None|88.5Hz|023|Off|0.00000MHz||"},
      {"d.csv", "Location,Frequency\r\n0,145.012500\r\n",
       "145.01250MHz|FM|6.25KHz|None|88.5Hz|023|Off|0.00000MHz||"},
      {"e.csv", "Name,Location,Frequency\r\nN,0,145.5\r\n", nullptr},
      {"f.csv", "Location,Name\r\n0,N\r\n", nullptr},
      {"g.csv", "Location,Frequency\r\n0,\"145.5\r\n", nullptr},
  };
  QTemporaryDir dir;
  for (const auto& [name, text, cells] : cases) {
    const QString path = dir.filePath(name);
    testing::WriteFile(path, QByteArray(text));
    const auto loaded = LoadImageFile(path);
    ASSERT_EQ(loaded.ok(), cells != nullptr) << name;
    if (loaded.ok()) {
      EXPECT_EQ(ListCells(loaded->value.slot(1)), QString::fromUtf8(cells)) << name;
      EXPECT_TRUE(loaded->notes.empty()) << name;
    } else {
      EXPECT_TRUE(loaded.error().contains(path)) << loaded.error().toStdString();
    }
  }
}

}  // namespace
}  // namespace rqm27
