// The channel grid's editing commands in the window: each is one step named for what it did,
// reached by its shortcut, and what it cannot do is told.
#include "app/window_fixture.h"
#include "grid/channel_grid_view.h"
#include "model/channel_clipboard.h"
#include "model/channel_name.h"
#include "model/channel_text.h"
#include "widgets/bulk_edit_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QPushButton>

namespace rqm27 {
namespace {

// 145.000, 146.000, ... MHz named "E", "D", ... in slots 1-5, and a one-touch memory on the
// bank's first channel.
CloneImage FiveChannels() {
  CloneImage image = StartupImage();
  for (int slot = 1; slot <= 5; ++slot) {
    ChannelSlot& channel = image.slot(slot);
    channel.used = true;
    channel.frequency = 14400000 + 100000 * slot;
    channel.name = NameFromText(QString(QChar(u'F' - slot)));
  }
  image.oneTouch[0] = {true, 0, 0};
  return image;
}

// The image with the channels of slots 1-5 put in the order given.
CloneImage Reordered(const CloneImage& image, std::initializer_list<int> order) {
  CloneImage reordered = image;
  int slot = 1;
  for (const int from : order) {
    reordered.slot(slot++) = image.slot(from);
  }
  return reordered;
}

class ChannelCommandsTest : public testing::WindowTest {
 protected:
  ChannelCommandsTest() {
    window->replaceImage(base);
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  // The command as the user gives it: its shortcut when it has one, else its menu item.
  void run(const char* item) {
    QAction* command = action(*window, item);
    if (command->shortcut().isEmpty()) return command->trigger();
    grid(*window)->setFocus();
    QTest::keySequence(window.get(), command->shortcut());
  }
  void select(int from, int to) {
    static_cast<ChannelGridView*>(grid(*window))->selectSlots(from, to);
  }
  QString undoText() { return action(*window, "undoItem")->text(); }
  int currentSlot() { return grid(*window)->currentIndex().row() + 1; }

  const CloneImage base = FiveChannels();
  std::unique_ptr<MainWindow> window = makeWindow();
};

TEST_F(ChannelCommandsTest, EachCommandIsOneNamedStep) {
  struct Case {
    const char* item;
    int from, to;
    std::function<void(testing::DialogScript&)> answers;
    std::function<void(CloneImage&)> expected;
    const char* undo;  // the step's text; nullptr: refused, told in a message, no step
  };
  const Case cases[] = {
      {"cutItem",
       2,
       3,
       {},
       [](CloneImage& image) { image.slot(2).clear(), image.slot(3).clear(); },
       "Undo Cut 2 channels"},
      {"editSelectedItem", 1, 5, [](testing::DialogScript& s) { s.patch.emplace().step = 3; },
       [](CloneImage& image) {
         for (int slot = 1; slot <= 5; ++slot) image.slot(slot).step = 3;
       },
       "Undo Edit 5 channels"},
      {"fillItem", 1, 3,
       [](testing::DialogScript& s) {
         s.fill = FillChoice{43000000, 2500};
       },
       [](CloneImage& image) {
         for (int n = 0; n < 3; ++n) image.slot(1 + n).frequency = 43000000 + 2500 * n;
       },
       "Undo Fill 3 channels"},
      {"moveUpItem",
       2,
       3,
       {},
       [&](CloneImage& image) {
         image = Reordered(base, {2, 3, 1, 4, 5});
         image.oneTouch[0].channel = 2;  // follows its channel
       },
       "Undo Move 2 channels up"},
      {"moveDownItem",
       1,
       2,
       {},
       [&](CloneImage& image) {
         image = Reordered(base, {3, 1, 2, 4, 5});
         image.oneTouch[0].channel = 1;
       },
       "Undo Move 2 channels down"},
      {"moveUpItem", 1, 1, {}, [](CloneImage&) {}, nullptr},
      {"deleteRowsItem",
       2,
       3,
       {},
       [](CloneImage& image) {
         // The rest of the bank moves up; emptied rows fill its end.
         for (int slot = 2; slot <= 98; ++slot) image.slot(slot) = image.slot(slot + 2);
         image.slot(99).clear();
         image.slot(100).clear();
       },
       "Undo Delete 2 channels, closing the gap"},
      {"insertRowItem", 2, 2, [](testing::DialogScript&) {}, [](CloneImage&) {}, nullptr},
      {"sortByNameItem",
       3,
       3,
       {},
       [&](CloneImage& image) {
         image = Reordered(base, {5, 4, 3, 2, 1});
         image.oneTouch[0].channel = 4;
       },
       "Undo Sort 100 channels by name"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.item << " " << c.from << "-" << c.to);
    CloneImage start = base;
    // Insert is refused while the bank's last row holds a channel.
    if (QByteArray(c.item) == "insertRowItem") start.slot(100) = start.slot(1);
    window->replaceImage(start);
    *script = {};
    if (c.answers) c.answers(*script);
    select(c.from, c.to);
    run(c.item);

    CloneImage expected = start;
    c.expected(expected);
    EXPECT_EQ(window->image(), expected);
    EXPECT_EQ(script->messages.size(), c.undo ? 0u : 1u);
    if (!c.undo) continue;
    EXPECT_EQ(undoText(), QString::fromLatin1(c.undo));
    action(*window, "undoItem")->trigger();
    EXPECT_EQ(window->image(), start);
  }
}

TEST_F(ChannelCommandsTest, CopiedRowsPasteIntoAnotherBankInBothForms) {
  select(1, 3);
  run("copyItem");
  const QMimeData* data = QApplication::clipboard()->mimeData();
  ASSERT_TRUE(data->hasFormat(QStringLiteral("application/x-rqm27-channels")));
  const QStringList lines = data->text().split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 4);  // a header and the three rows
  EXPECT_TRUE(lines[1].contains(cell(*window, 1, FrequencyColumn))) << lines[1].toStdString();

  select(101, 101);
  run("pasteItem");
  CloneImage expected = base;
  for (int n = 0; n < 3; ++n) expected.slot(101 + n) = base.slot(1 + n);
  EXPECT_EQ(window->image(), expected);
  EXPECT_EQ(undoText(), "Undo Paste 3 channels");

  // Text from a spreadsheet: the columns its header names.
  QApplication::clipboard()->setText(QStringLiteral("Name\tFrequency\nALPHA\t430.5\nBETA\t431\n"));
  select(201, 201);
  run("pasteItem");
  EXPECT_EQ(window->image().slot(201).frequency, 43050000);
  EXPECT_EQ(cell(*window, 202, NameColumn), "BETA");
  EXPECT_EQ(undoText(), "Undo Paste 2 channels");
  EXPECT_TRUE(script->messages.empty());
}

TEST_F(ChannelCommandsTest, FindAndGoToLeadToTheMemoryPage) {
  tabs(*window)->setCurrentIndex(1);
  run("findItem");
  EXPECT_EQ(tabs(*window)->currentIndex(), 0);
  EXPECT_EQ(QApplication::focusWidget(), find<QLineEdit>(*window, "filterEdit"));

  // The text typed, and the slot it leads to (0: a message says why none).
  const std::pair<const char*, int> cases[] = {{"250", 250}, {"b5", 501}, {"Bank05-012", 513},
                                               {"B12", 0},   {"1722", 0}, {"x1", 0}};
  for (const auto& [text, slot] : cases) {
    SCOPED_TRACE(text);
    tabs(*window)->setCurrentIndex(2);
    select(7, 7);
    script->messages.clear();
    script->goTo = QString::fromLatin1(text);
    run("goToItem");
    EXPECT_EQ(script->messages.size(), slot ? 0u : 1u);
    if (slot) {
      EXPECT_EQ(currentSlot(), slot);
      EXPECT_EQ(tabs(*window)->currentIndex(), 0);
    }
  }
}

TEST_F(ChannelCommandsTest, DeleteEmptiesOnlyTheRowsTheFilterShows) {
  // Slots 1 and 3 match; slot 2 lies between them, hidden.
  CloneImage image = base;
  image.slot(1).name = NameFromText(u"KEEP X");
  image.slot(3).name = NameFromText(u"KEEP Y");
  window->replaceImage(image);
  find<QLineEdit>(*window, "filterEdit")->setText(QStringLiteral("KEEP"));
  grid(*window)->setFocus();
  grid(*window)->selectAll();
  QTest::keyClick(grid(*window), Qt::Key_Delete);
  CloneImage expected = image;
  expected.slot(1).clear();
  expected.slot(3).clear();
  EXPECT_EQ(window->image(), expected);
  EXPECT_EQ(undoText(), "Undo Delete 2 channels");
}

TEST(BulkEditDialogTest, OnlyTheCheckedFieldsChange) {
  BulkEditDialog dialog(5);
  const auto set = [&](const char* field, bool checked) {
    dialog.findChild<QCheckBox*>(QStringLiteral("change_%1").arg(field))->setChecked(checked);
  };
  // The fields a patch sets, by name.
  const auto setFields = [](const std::optional<ChannelPatch>& p) {
    QStringList fields;
    if (p->mode) fields << "mode";
    if (p->step) fields << QStringLiteral("step %1").arg(*p->step);
    if (p->carrier) fields << "carrier";
    if (p->subtone) fields << "subtone";
    if (p->rxTone) fields << "tone";
    if (p->txTone) fields << "txTone";
    if (p->dcs) fields << "dcs";
    if (p->shift) fields << "shift";
    if (p->offset) fields << QStringLiteral("offset %1").arg(*p->offset);
    if (p->skip) fields << "skip";
    return fields;
  };
  EXPECT_EQ(setFields(dialog.patch()), QStringList());
  set("step", true);
  dialog.findChild<QComboBox*>("value_step")->setCurrentIndex(3);
  set("offset", true);
  auto* offset = dialog.findChild<QLineEdit*>("value_offset");
  offset->setText(QStringLiteral("0.6"));
  EXPECT_EQ(setFields(dialog.patch()), QStringList({"step 3", "offset 60000"}));
  offset->setText(QStringLiteral("six"));
  EXPECT_FALSE(dialog.patch());
  EXPECT_FALSE(dialog.findChild<QPushButton*>("applyButton")->isEnabled());
  set("offset", false);
  EXPECT_TRUE(dialog.findChild<QPushButton*>("applyButton")->isEnabled());
  // The transmit tone is a field of its own, apart from the TSQ tone.
  set("txTone", true);
  EXPECT_EQ(setFields(dialog.patch()), QStringList({"step 3", "txTone"}));
}

}  // namespace
}  // namespace rqm27
