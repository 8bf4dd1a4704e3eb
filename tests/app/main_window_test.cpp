// The main window outside transfers and files: clearing rows, editing channels, undo and the
// port menu.
#include "app/window_fixture.h"

#include <QMenu>
#include <QSlider>

namespace rqm27 {
namespace {

class MainWindowTest : public testing::WindowTest {
 protected:
  void pressEnterOn(int slot) {
    grid(*window)->selectRow(slot - 1);
    QTest::keyClick(grid(*window), Qt::Key_Return);
  }
  QList<int> openedRows() const {
    QList<int> rows;
    for (const DetailFormState& form : script->forms) rows << form.row;
    return rows;
  }
  // Triggers the Edit menu's item that the keys are a shortcut of.
  void press(const QKeySequence& keys) {
    for (const char* name : {"undoItem", "redoItem"}) {
      QAction* item = action(*window, name);
      if (item->shortcuts().contains(keys)) return item->trigger();
    }
    ADD_FAILURE() << keys.toString().toStdString() << " is no shortcut of Undo or Redo";
  }
  QString undoText() { return action(*window, "undoItem")->text(); }
  QStringList checkedPorts() const {
    QStringList texts;
    for (QAction* item : find<QMenu>(*window, "portMenu")->actions()) {
      if (item->isChecked()) texts << item->text();
    }
    return texts;
  }

  std::unique_ptr<MainWindow> window = simulatedWindow();
};

// Clear, Delete and ALL Reset empty rows up to slot 1700 and never the presets.
TEST_F(MainWindowTest, ClearingEmptiesTheSelectedRowsUpToTheLastChannel) {
  // A button ("": the Delete key), the rows selected, and the slots cleared (0, 0: none).
  const std::tuple<const char*, int, int, int, int> cases[] = {
      {"clearRowsButton", 20, 10, 10, 20},
      {"clearRowsButton", 1695, 1705, 1695, 1700},
      {"clearRowsButton", 1701, 1710, 0, 0},
      {"", 1705, 1690, 1690, 1700},
      {"", 1721, 1721, 0, 0},
      {"resetAllButton", 3, 3, 1, 1700}};
  for (const auto& [how, from, to, firstCleared, lastCleared] : cases) {
    SCOPED_TRACE(::testing::Message() << how << " " << from << "-" << to);
    window = makeWindow();
    QTableView* view = grid(*window);
    ASSERT_EQ(window->focusWidget(), view) << "the keys work on the channels from the start";
    CloneImage full = StartupImage();
    for (int slot = 1; slot <= LastTransferredSlot; ++slot) full.slot(slot) = full.slot(1701);
    full.slot(7).name.codes = {'A', 0, 'B', 0, 0, 'C'};
    window->replaceImage(full);
    ASSERT_EQ(cell(*window, 7, 12), "ABC") << "codes of zero show as nothing";
    selectSlots(*window, from, to);
    QSignalSpy changed(view->model(), &QAbstractItemModel::dataChanged);
    *how ? click(*window, how) : QTest::keyClick(view, Qt::Key_Delete);

    // The rows are fixed: the grid is told which rows changed, never reset.
    ASSERT_EQ(changed.size(), firstCleared != 0 ? 1 : 0);
    EXPECT_EQ(changed.isEmpty() ? 0 : changed[0][0].toModelIndex().row() + 1, firstCleared);
    EXPECT_EQ(changed.isEmpty() ? 0 : changed[0][1].toModelIndex().row() + 1, lastCleared);

    const CloneImage startup = StartupImage();
    ChannelSlot blank;
    blank.clear();
    for (int slot = 1; slot <= SlotCount; ++slot) {
      const bool cleared = slot >= firstCleared && slot <= lastCleared;
      const ChannelSlot& expected =
          cleared ? blank : (slot > LastTransferredSlot ? startup.slot(slot) : full.slot(slot));
      ASSERT_EQ(window->image().slot(slot), expected) << slot;
      ASSERT_EQ(cell(*window, slot, 1).isEmpty(), cleared) << slot;
    }
    EXPECT_EQ(shownTitle(*window).endsWith("*"), firstCleared != 0);
  }
}

// Enter opens the row a request stands for (a pair at its MAIN row, a fixed preset never) and
// only confirms; a double-click follows the dialog's NEXT and BACK. The railways show for the J
// variant only; a confirmed dialog changes the image, a cancelled one does not.
TEST_F(MainWindowTest, RequestsOpenTheirRowAndADoubleClickFollowsNextAndBack) {
  // The slot, a double-click (or Enter), what the dialog asks for as it closes, the rows opened.
  const std::tuple<int, bool, QList<int>, QList<int>> cases[] = {
      {1701, false, {NavigateNext}, {}},
      {1302, false, {NavigateNext}, {1301}},
      {1299, true, {NavigateNext, NavigateNext, NavigateNext}, {1299, 1300, 1301, 1303}},
      {1303, true, {NavigateBack, NavigateBack}, {1303, 1301, 1300}},
      {1501, true, {NavigateBack}, {1501, 1499}},
      {1700, true, {NavigateNext}, {1700}}};
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  QTableView* view = grid(*window);
  for (const auto& [slot, doubleClick, requested, opened] : cases) {
    script->forms.clear();
    script->edit = [requests = requested](const DetailFormState& form, bool) mutable {
      if (requests.isEmpty()) return ChannelEditBuffer{};
      ChannelEditBuffer buffer = ConfirmDetailForm(form);
      buffer.editNavigate = requests.takeFirst();
      return buffer;
    };
    const QModelIndex index = view->model()->index(slot - 1, 1);
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    doubleClick ? QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at)
                : QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(openedRows(), opened) << slot;
    EXPECT_EQ(view->currentIndex().row(), (opened.isEmpty() ? slot : opened.back()) - 1) << slot;
  }
  EXPECT_EQ(script->railways, std::vector<bool>(script->railways.size(), true));

  click(*window, "variantOption_T");
  script->edit = nullptr;
  const CloneImage before = window->image();
  pressEnterOn(3);
  EXPECT_EQ(script->railways.back(), false);
  EXPECT_EQ(window->image(), before) << "a cancelled dialog changes nothing";
  script->edit = [](DetailFormState form, bool) {
    form.sets[0].frequencyMegahertz = "145";
    form.sets[0].name = "NEW";
    return ConfirmDetailForm(form);
  };
  pressEnterOn(5);
  EXPECT_EQ(cell(*window, 5, 1), "145.00000MHz");
  EXPECT_EQ(cell(*window, 5, 12), "NEW");
  EXPECT_TRUE(window->isModified());
}

// Every change of the image is one step of Edit > Undo and Redo, from the receiver, the grid and
// a page; the modified mark follows the steps back to the saved state.
TEST_F(MainWindowTest, EachChangeIsOneStepBackAndForth) {
  ASSERT_TRUE(runTransfer(*window, [&] { trigger(*window, "readAllItem"); }));
  const CloneImage read = window->image();
  EXPECT_EQ(undoText(), "Undo Read all");

  selectSlots(*window, 1, 3);
  QTest::keyClick(grid(*window), Qt::Key_Delete);
  EXPECT_EQ(undoText(), "Undo Delete 3 channels");
  const CloneImage deleted = window->image();

  tabs(*window)->setCurrentIndex(1);
  auto* slider = find<QSlider>(*window, "bankCountSlider_0");
  for (int count : {99, 98, 97}) slider->setValue(count);  // one gesture, one step
  EXPECT_EQ(window->image().banks.counts[0], 97);
  EXPECT_EQ(undoText(), "Undo Change bank 0");

  press(QKeySequence::Undo);
  EXPECT_EQ(window->image(), deleted);
  press(QKeySequence::Undo);
  EXPECT_EQ(window->image(), read);
  EXPECT_EQ(cell(*window, 1, 12), "TOKYO TWR");
  press(QKeySequence(Qt::CTRL | Qt::Key_Y));
  EXPECT_EQ(window->image(), deleted);
  EXPECT_EQ(cell(*window, 1, 12), "");
  press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  EXPECT_EQ(window->image().banks.counts[0], 97);

  script->savePaths = {path("saved.M27")};
  trigger(*window, "saveItem");
  EXPECT_FALSE(shownTitle(*window).endsWith("*"));
  press(QKeySequence::Undo);
  EXPECT_TRUE(shownTitle(*window).endsWith("*"));
  press(QKeySequence(Qt::CTRL | Qt::Key_Y));
  EXPECT_FALSE(shownTitle(*window).endsWith("*")) << "back at the saved step";
  window->editImage("Nothing", [](CloneImage&) {});
  EXPECT_EQ(undoText(), "Undo Change bank 0") << "a change of nothing is no step";
}

// The port in use is the one item checked, also one not plugged in now; a chosen port is
// remembered for the next start, and one that cannot be remembered is reported.
TEST_F(MainWindowTest, TheChosenPortIsCheckedAloneAndRemembered) {
  writePreferences("Save\r\nCOMPORT01\r\nPORTNAME/dev/rqm27-unplugged\r\nFile End\r\n");
  window = makeWindow();
  EXPECT_EQ(window->portName(), "/dev/rqm27-unplugged");
  EXPECT_EQ(checkedPorts(), QStringList{"/dev/rqm27-unplugged  (not found)"});
  trigger(*window, "numberedPortItem_12");
  EXPECT_EQ(checkedPorts(), QStringList{"COM12"});
  window = makeWindow();
  EXPECT_EQ(checkedPorts(), QStringList{"COM12"});
  trigger(*window, "simulatedPortItem");
  window = makeWindow();
  EXPECT_EQ(checkedPorts(), QStringList{"Simulated receiver"});
  EXPECT_EQ(window->portName(), "sim");
  EXPECT_EQ(window->image().comPort, 12) << "the numbered port is kept beside it";
  EXPECT_TRUE(script->messages.empty());

  ASSERT_TRUE(QDir(folder.filePath("config")).removeRecursively());
  QFile blocker(folder.filePath("config"));  // a file where the folder should be
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  trigger(*window, "numberedPortItem_3");
  EXPECT_EQ(window->portName(), "COM3");
  ASSERT_EQ(script->messages.size(), 1u);
  EXPECT_TRUE(script->messages[0].detail.contains(preferencesPath()));
}

}  // namespace
}  // namespace rqm27
