// Every change of the image is one step of Edit > Undo and Redo, from the grid, a page, a file
// and the receiver; the window's modified mark follows the steps back to the saved state.
#include "app/window_fixture.h"

#include <QSlider>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

class UndoTest : public testing::WindowTest {
 protected:
  // Triggers the Edit menu's action that the keys are a shortcut of.
  void press(const QKeySequence& keys) {
    for (const char* name : {"EditUndo", "EditRedo"}) {
      QAction* item = action(*window, name);
      if (item->shortcuts().contains(keys)) return item->trigger();
    }
    ADD_FAILURE() << keys.toString().toStdString() << " is no shortcut of Undo or Redo";
  }
  QString undoText() { return action(*window, "EditUndo")->text(); }

  std::unique_ptr<MainWindow> window = simulatedWindow();

  std::unique_ptr<MainWindow> simulatedWindow() {
    auto made = makeWindow();
    action(*made, "MenuSimulated")->trigger();
    return made;
  }
};

TEST_F(UndoTest, EachChangeIsOneStepBackAndForth) {
  ASSERT_TRUE(runTransfer(*window, [&] { action(*window, "ALL_READ")->trigger(); }));
  const CloneImage read = window->image();
  EXPECT_EQ(undoText(), "Undo Read all");

  QTableView* view = grid(*window);
  view->selectionModel()->setCurrentIndex(
      view->model()->index(0, 1), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(view, Qt::Key_Delete);
  EXPECT_EQ(undoText(), "Undo Delete 3 channels");
  const CloneImage deleted = window->image();

  find<QTabWidget>(*window, "TabStrip1")->setCurrentIndex(1);
  auto* slider = find<QSlider>(*window, "Slider1_0");
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
}

TEST_F(UndoTest, TheModifiedMarkFollowsTheSavedStep) {
  script->savePaths = {path("saved.M27")};
  window->editImage("Change the title", [](CloneImage& image) { image.title.codes[0] = 'A'; });
  EXPECT_TRUE(shownTitle(*window).endsWith("*"));
  action(*window, "TEST_CLICK")->trigger();  // Save
  EXPECT_FALSE(shownTitle(*window).endsWith("*"));
  press(QKeySequence::Undo);
  EXPECT_TRUE(shownTitle(*window).endsWith("*"));
  press(QKeySequence(Qt::CTRL | Qt::Key_Y));
  EXPECT_FALSE(shownTitle(*window).endsWith("*"));
  window->editImage("Nothing", [](CloneImage&) {});
  EXPECT_EQ(undoText(), "Undo Change the title") << "a change of nothing is no step";
}

}  // namespace
}  // namespace rqm27
