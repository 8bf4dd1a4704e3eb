#include "app/main_window.h"

#include "app/window_fixture.h"
#include "model/clone_image.h"
#include "model/value_tables.h"

#include <QHeaderView>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

class MainWindowTest : public testing::WindowTest {
 protected:
  void SetUp() override { window = makeWindow(); }
  std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, StartsWithTheGridThePresetsAndPortOne) {
  QTableView* view = grid(*window);
  EXPECT_EQ(window->objectName(), "Form1");
  EXPECT_EQ(shownTitle(*window), "RQ-M27 Clone Utility v.3.11");
  EXPECT_TRUE(find<QRadioButton>(*window, "optRegion_0")->isChecked());
  EXPECT_EQ(find<QLineEdit>(*window, "Progress")->text(), "0%");
  EXPECT_TRUE(find<QAbstractButton>(*window, "cmdWaitButton")->isHidden());
  EXPECT_FALSE(find<QAbstractButton>(*window, "cmdCancel")->isEnabled());
  EXPECT_TRUE(action(*window, "MenuSetCom_1")->isChecked());
  EXPECT_EQ(window->portName(), "COM1");
  auto* tabs = find<QTabWidget>(*window, "TabStrip1");
  EXPECT_EQ(tabs->count(), 4);
  EXPECT_TRUE(tabs->widget(0)->isAncestorOf(view));

  ASSERT_EQ(view->model()->columnCount(), 13);
  EXPECT_EQ(view->model()->rowCount(), 1721);
  for (int c = 0; c < 13; ++c) EXPECT_EQ(view->isColumnHidden(c), c == 6) << c;
  EXPECT_EQ(view->currentIndex().row(), 0);
  EXPECT_EQ(view->selectionModel()->selectedRows().size(), 1);
  const std::tuple<int, int, const char*> cases[] = {
      {1, 0, "Bank00-000"},  {1201, 0, "PRG - 0A"},     {1302, 0, "Dual0(Sub) "},
      {1721, 0, "BUG - 20"}, {1701, 1, "398.60500MHz"}, {1721, 10, "0.00000MHz"}};
  for (const auto& [slot, column, text] : cases) EXPECT_EQ(cell(*window, slot, column), text);

  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  view->doItemsLayout();
  EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0) << "all columns fit";
}

// Clear, Delete and ALL Reset empty rows up to slot 1700 and never the presets.
TEST_F(MainWindowTest, ClearingEmptiesTheSelectedRowsUpToTheLastChannel) {
  // A button ("": the Delete key), the rows selected, and the slots cleared (0, 0: none).
  const std::tuple<const char*, int, int, int, int> cases[] = {
      {"Clear_Botton", 20, 10, 10, 20},
      {"Clear_Botton", 1695, 1705, 1695, 1700},
      {"Clear_Botton", 1701, 1710, 0, 0},
      {"", 1705, 1690, 1690, 1700},
      {"", 1721, 1721, 0, 0},
      {"ALL_Reset", 3, 3, 1, 1700}};
  for (const auto& [how, from, to, firstCleared, lastCleared] : cases) {
    SCOPED_TRACE(::testing::Message() << how << " " << from << "-" << to);
    window = makeWindow();
    QTableView* view = grid(*window);
    CloneImage full = StartupImage();
    for (int slot = 1; slot <= LastTransferredSlot; ++slot) full.slot(slot) = full.slot(1701);
    window->replaceImage(full);
    view->selectionModel()->setCurrentIndex(
        view->model()->index(from - 1, 1),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    for (int i = 0; i < std::abs(to - from); ++i) {
      QTest::keyClick(view, to < from ? Qt::Key_Up : Qt::Key_Down, Qt::ShiftModifier);
    }

    *how ? QTest::mouseClick(find<QAbstractButton>(*window, how), Qt::LeftButton)
         : QTest::keyClick(view, Qt::Key_Delete);

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

}  // namespace
}  // namespace rqm27
