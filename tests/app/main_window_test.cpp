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
  const struct {
    int slot, column;
    const char* text;
  } cases[] = {{1, 0, "Bank00-000"},  {1201, 0, "PRG - 0A"},   {1302, 0, "Dual0(Sub) "},
               {1721, 0, "BUG - 20"}, {1700, 1, ""},           {1701, 1, "398.60500MHz"},
               {1721, 4, "2300Hz"},   {1721, 10, "0.00000MHz"}};
  for (const auto& c : cases) EXPECT_EQ(cell(*window, c.slot, c.column), c.text) << c.slot;

  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  view->doItemsLayout();
  EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0) << "all columns fit";
}

TEST_F(MainWindowTest, ReplacedImageShowsInTheGridAndKeepsTheCurrentRow) {
  grid(*window)->selectRow(99);
  CloneImage image = window->image();
  image.slot(100).setCell(1, "145.00000MHz");
  image.banks.counts[0] = 50;
  image.banks.counts[12] = 50;
  window->replaceImage(image);
  EXPECT_EQ(window->image(), image);
  EXPECT_EQ(cell(*window, 100, 1), "145.00000MHz");
  EXPECT_EQ(cell(*window, 100, 0), "Bank01-049");
  EXPECT_EQ(grid(*window)->currentIndex().row(), 99);
}

// Clear, Delete and ALL Reset empty rows up to slot 1700 and never the presets.
TEST_F(MainWindowTest, ClearingEmptiesTheSelectedRowsUpToTheLastChannel) {
  const struct {
    const char* how;  // a button, or "" for the Delete key
    int from, to;
    int firstCleared, lastCleared;  // 0, 0: nothing
  } cases[] = {
      {"Clear_Botton", 20, 10, 10, 20},
      {"Clear_Botton", 1695, 1705, 1695, 1700},
      {"Clear_Botton", 1701, 1710, 0, 0},
      {"", 1705, 1690, 1690, 1700},
      {"", 1721, 1721, 0, 0},
      {"ALL_Reset", 3, 3, 1, 1700},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.how << " " << c.from << "-" << c.to);
    window = makeWindow();
    QTableView* view = grid(*window);
    CloneImage full = StartupImage();
    for (int slot = 1; slot <= LastTransferredSlot; ++slot) {
      full.slot(slot) = full.slot(FirstPresetSlot);
    }
    window->replaceImage(full);
    view->selectionModel()->setCurrentIndex(
        view->model()->index(c.from - 1, 1),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    for (int i = 0; i < std::abs(c.to - c.from); ++i) {
      QTest::keyClick(view, c.to < c.from ? Qt::Key_Up : Qt::Key_Down, Qt::ShiftModifier);
    }

    if (*c.how) {
      QTest::mouseClick(find<QAbstractButton>(*window, c.how), Qt::LeftButton);
    } else {
      QTest::keyClick(view, Qt::Key_Delete);
    }

    const CloneImage startup = StartupImage();
    ChannelSlot blank;
    blank.clear();
    for (int slot = 1; slot <= SlotCount; ++slot) {
      const bool cleared = slot >= c.firstCleared && slot <= c.lastCleared;
      const ChannelSlot& expected =
          cleared ? blank : (slot > LastTransferredSlot ? startup.slot(slot) : full.slot(slot));
      ASSERT_EQ(window->image().slot(slot), expected) << slot;
      ASSERT_EQ(cell(*window, slot, 1).isEmpty(), cleared) << slot;
    }
    EXPECT_EQ(shownTitle(*window).endsWith("*"), c.firstCleared != 0);
  }
}

}  // namespace
}  // namespace rqm27
