#include "model/channel_edits.h"
#include "model/channel_clipboard.h"
#include "support/qstring_print.h"
#include "support/sample_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace rqm27 {
namespace {

using testing::SampleChannel;

constexpr std::int32_t MHz = 100000;

// Bank 0 is slots 1-3 (A B C), bank 1 slots 4-8 (F . D G E), bank 2 slots 9-1200 (H,
// then empty). One-touch memories 0, 1 and 2 point at F, D and H.
CloneImage BankImage() {
  CloneImage image = StartupImage();
  image.banks = BankTable{{3, 5, 1192}};
  const int megahertz[] = {1, 2, 3, 10, 0, 30, 20, 40, 50};
  for (int slot = 1; slot <= 9; ++slot) {
    const char letter = "ABCF.DGEH"[slot - 1];
    if (letter != '.') image.slot(slot) = SampleChannel(megahertz[slot - 1] * MHz, QChar(letter));
  }
  image.oneTouch = {{{true, 1, 0}, {true, 1, 2}, {true, 2, 0}}};
  return image;
}

// The first letter of the names of slots 1-10, "." for an empty row.
std::string Rows(const CloneImage& image) {
  std::string rows;
  for (int slot = 1; slot <= 10; ++slot) {
    rows += image.slot(slot).used ? NameToText(image.slot(slot).name).at(0).toLatin1() : '.';
  }
  return rows;
}

// The places of notes, in order.
std::vector<QString> Places(const FileNotes& notes) {
  std::vector<QString> places;
  for (const FileNote& note : notes) places.push_back(note.place);
  return places;
}

using Command = Result<EditedSlots> (*)(CloneImage&, int, int);
using enum MoveDirection;
using enum SortKey;
const Command MoveUp = [](auto& i, int f, int l) { return MoveChannels(i, f, l, Up); };
const Command MoveDown = [](auto& i, int f, int l) { return MoveChannels(i, f, l, Down); };
const Command Insert = [](auto& i, int f, int) { return InsertEmptyRow(i, f); };
const Command Delete = [](auto& i, int f, int l) { return DeleteChannels(i, f, l); };
const Command ByFrequency = [](auto& i, int f, int l) { return SortChannels(i, f, l, Frequency); };
const Command ByName = [](auto& i, int f, int l) { return SortChannels(i, f, l, Name); };

TEST(ChannelEdits, MovesStayInsideTheirBankAndOneTouchMemoriesFollow) {
  struct Case {
    Command command;
    int first, last;
    const char* rows;  // slots 1-10 after the command; nullptr: refused with `refusal`
    const char* refusal;
    int changedFirst, changedLast;
    std::array<int, 3> oneTouch;  // positions of memories 0-2 after; -1 let go
  };
  const Case cases[] = {
      {MoveUp, 6, 7, "ABCFDG.EH.", nullptr, 5, 7, {0, 1, 0}},
      {MoveDown, 4, 5, "ABCDF.GEH.", nullptr, 4, 6, {1, 0, 0}},
      {MoveUp, 4, 4, nullptr, "top of bank 1", 0, 0, {}},
      {MoveDown, 8, 8, nullptr, "bottom of bank 1", 0, 0, {}},
      {MoveUp, 3, 4, nullptr, "from bank 0 into bank 1", 0, 0, {}},
      {MoveDown, 1250, 1250, nullptr, "only memory channels", 0, 0, {}},
      {MoveUp, 1705, 1705, nullptr, "preset", 0, 0, {}},
      {Insert, 5, 5, nullptr, "bank 1 is full", 0, 0, {}},
      {Insert, 9, 9, "ABCF.DGE.H", nullptr, 9, 1200, {0, 2, 1}},
      {Delete, 6, 6, "ABCF.GE.H.", nullptr, 6, 8, {0, -1, 0}},
      {Delete, 3, 4, "AB..DGE.H.", nullptr, 3, 8, {-1, 1, 0}},
      {ByFrequency, 4, 8, "ABCFGDE.H.", nullptr, 4, 8, {0, 2, 0}},
      {ByName, 4, 8, "ABCDEFG.H.", nullptr, 4, 8, {2, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.first << "-" << c.last << " " << c.rows);
    CloneImage image = BankImage();
    const Result<EditedSlots> edited = c.command(image, c.first, c.last);
    if (!c.rows) {
      ASSERT_FALSE(edited.ok());
      EXPECT_TRUE(edited.error().contains(QLatin1StringView(c.refusal)))
          << edited.error().toStdString();
      EXPECT_EQ(image, BankImage());
      continue;
    }
    ASSERT_TRUE(edited.ok()) << edited.error().toStdString();
    EXPECT_EQ(Rows(image), c.rows);
    EXPECT_EQ(std::pair(edited->first, edited->last), std::pair(c.changedFirst, c.changedLast));
    for (std::size_t k = 0; k < c.oneTouch.size(); ++k) {
      const OneTouchMemory& memory = image.oneTouch[k];
      EXPECT_EQ(memory.set ? memory.channel : -1, c.oneTouch[k]) << "memory " << k;
    }
  }
}

using M = ChannelMode;
using S = SubtoneType;
using D = ShiftDirection;

// Slot 1: 145 MHz at 10 kHz steps, no field at its default; slot 2: 145.0125 MHz at 12.5 kHz;
// slot 3 empty. Fields in order: used, frequency, offset, mode, step, carrier, sub-tone,
// transmit tone, TSQ tone, DCS, shift, skip, name.
CloneImage PatchImage() {
  CloneImage image = StartupImage();
  image.slot(1) = {true, 145 * MHz, 60000, M::USB, 3, 3, S::Tsq, 1, 20, 5, D::Plus, true, {}};
  image.slot(2) = {true, 14501250, 0, M::FM, 4, 28, S::Dcs, 8, 8, 0, D::Off, false, {}};
  return image;
}

TEST(ChannelEdits, PatchChangesTheSetFieldsOfUsedChannelsThatKeepTheRules) {
  ChannelPatch modeAndSkip, fiveKilohertz, badDcs;
  modeAndSkip.mode = ChannelMode::AM;
  modeAndSkip.skip = true;
  fiveKilohertz.step = 0;
  badDcs.dcs = 104;
  struct Case {
    const ChannelPatch& patch;
    void (*change)(ChannelSlot&);  // what a changed channel gets
    std::vector<int> changed;
    std::vector<QString> noted;
  };
  const Case cases[] = {
      {modeAndSkip, [](ChannelSlot& c) { c.mode = M::AM, c.skip = true; }, {1, 2}, {"slot 1701"}},
      {fiveKilohertz, [](ChannelSlot& c) { c.step = 0; }, {1}, {"slot 2", "slot 1701"}},
      {badDcs, [](ChannelSlot&) {}, {}, {"slot 1", "slot 2", "slot 1701"}},
  };
  const int selection[] = {1, 2, 3, 1701};
  for (const Case& c : cases) {
    CloneImage image = PatchImage();
    const EditedSlots edited = PatchChannels(image, selection, c.patch);
    for (int slot : selection) {
      ChannelSlot expected = PatchImage().slot(slot);
      if (std::find(c.changed.begin(), c.changed.end(), slot) != c.changed.end()) {
        c.change(expected);
      }
      EXPECT_EQ(image.slot(slot), expected) << "slot " << slot;
    }
    EXPECT_EQ(edited.channels, static_cast<int>(c.changed.size()));
    EXPECT_EQ(Places(edited.notes), c.noted);
  }
}

TEST(ChannelEdits, FillGivesRowsFrequenciesOnTheirStep) {
  using Row = std::pair<std::int32_t, int>;  // frequency (0: empty row) and step
  struct Case {
    std::vector<int> selection;
    std::int32_t start, increment;
    std::vector<Row> after;  // of the first rows of the selection
    std::vector<QString> noted;
  };
  const Case cases[] = {
      // Empty rows take the increment's step (12.5 kHz).
      {{10, 11, 12}, 14500000, 1250, {{14500000, 4}, {14501250, 4}, {14502500, 4}}, {}},
      // 145.005 MHz is off slot 10's 12.5 kHz raster; an increment that is no step gives the
      // first step the frequency fits.
      {{10, 11}, 14500500, 125, {{14400000, 4}, {14500625, 1}}, {"slot 10"}},
      {{11, 12, 1701}, 129999995, 5, {{129999995, 16}, {0, 0}}, {"slot 12", "slot 1701"}},
  };
  for (const Case& c : cases) {
    CloneImage image = StartupImage();
    image.slot(10) = {true, 144 * MHz, 0, M::FM, 4, 28, S::None, 8, 8, 0, D::Off, false, {}};
    const EditedSlots edited = FillFrequencies(image, c.selection, c.start, c.increment);
    for (std::size_t k = 0; k < c.after.size(); ++k) {
      const ChannelSlot& row = image.slot(c.selection[k]);
      EXPECT_EQ(Row(row.used ? row.frequency : 0, row.step), c.after[k]) << c.selection[k];
    }
    EXPECT_EQ(image.slot(1701), StartupImage().slot(1701));
    EXPECT_EQ(Places(edited.notes), c.noted);
  }
}

TEST(ChannelClipboard, RowsComeBackFromBytesAndFromText) {
  // Slot 1: an NFM TSQ channel with a CP932 name; slot 2 empty; slot 3 DCS with a shift.
  CloneImage image = StartupImage();
  image.slot(1) = {true, 43350000, 0, M::NFM, 4, 28, S::Tsq, 8, 0, 0, D::Off, true, {}};
  image.slot(1).name = NameFromText(QString::fromUtf8("日本語ﾃｽﾄ"));
  image.slot(2).clear();
  image.slot(3) = {true, 129512500, 500000, M::FM, 0, 28, S::Dcs, 8, 8, 103, D::Minus, false, {}};
  image.slot(3).name = NameFromText(u"DCS 754");
  const int selection[] = {1, 2, 3};
  const QString text = EncodeClipboardText(image, selection);
  const QStringList lines = text.split(u'\n');
  EXPECT_EQ(lines.at(0),
            "Frequency\tMode\tStep\tCarrier\tSubtone\tTSQ\tDCS\tShift\tShift-Freq\tSkip\tName");
  EXPECT_EQ(lines.at(3),
            "1295.12500MHz\tFM\t5KHz\tJp.Rail\tDCS\t88.5Hz\t754\t-\t5.00000MHz\t\tDCS 754");

  CloneImage withTxTone = image;
  withTxTone.slot(1).txTone = 3;  // only the bytes carry it
  const auto bytes = DecodeClipboardBytes(EncodeClipboardBytes(withTxTone, selection));
  ASSERT_TRUE(bytes.ok()) << bytes.error().toStdString();
  const Noted<ClipboardRows> fromText = DecodeClipboardText(text);
  EXPECT_TRUE(fromText.notes.empty());
  for (const auto& [rows, source] :
       {std::pair(bytes->value, withTxTone), std::pair(fromText.value, image)}) {
    ASSERT_EQ(rows.size(), 3u);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(rows[k], source.slot(selection[k])) << k;
  }

  QByteArray damaged = EncodeClipboardBytes(image, selection);
  damaged.chop(1);
  EXPECT_FALSE(DecodeClipboardBytes(damaged).ok());
}

TEST(ChannelClipboard, TextFromSpreadsheetsIsReadByItsHeader) {
  // Columns in the header's order; a DCS code without its zero; a step 145.0125 MHz does not
  // fit replaced; an empty row; rows that are not channels left out.
  const auto [rows, notes] =
      DecodeClipboardText(u"Name\tFrequency\tDCS\r\nA\t145.0125\t72\r\n\r\nB\t14x\r\nC\t1400\r\n");
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], (ChannelSlot{true, 14501250, 0, M::FM, 1, 28, S::None, 8, 8, 13, D::Off, false,
                                  NameFromText(u"A")}));
  EXPECT_FALSE(rows[1]->used);
  EXPECT_FALSE(rows[2] || rows[3]);
  EXPECT_EQ(Places(notes), (std::vector<QString>{"line 2", "line 4", "line 5"}));
}

TEST(ChannelClipboard, PasteKeepsPairsAndLeavesThePresets) {
  const ClipboardRows rows = {SampleChannel(145 * MHz, "X"), std::nullopt,
                              SampleChannel(430 * MHz, "Y")};
  struct Case {
    int start, changedFirst, changedLast, notes;  // changedFirst 0: refused
  };
  const Case cases[] = {
      {1301, 1301, 1303, 0}, {1201, 1201, 1203, 0}, {1699, 1699, 1699, 1},
      {1302, 0, 0, 0},       {1701, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    CloneImage image = testing::SampleImage();
    const Result<EditedSlots> edited = PasteChannels(image, c.start, rows);
    if (c.changedFirst == 0) {
      EXPECT_FALSE(edited.ok());
      EXPECT_EQ(image, testing::SampleImage());
      continue;
    }
    ASSERT_TRUE(edited.ok()) << edited.error().toStdString();
    EXPECT_EQ(std::pair(edited->first, edited->last), std::pair(c.changedFirst, c.changedLast));
    EXPECT_EQ(static_cast<int>(edited->notes.size()), c.notes);
    CloneImage expected = testing::SampleImage();  // the row not read leaves its slot
    expected.slot(c.start) = *rows[0];
    if (c.start + 2 <= LastTransferredSlot) expected.slot(c.start + 2) = *rows[2];
    EXPECT_EQ(image, expected);
  }
}

}  // namespace
}  // namespace rqm27
