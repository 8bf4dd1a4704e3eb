#include "app/main_window.h"

#include "app/qstring_print.h"
#include "model/clone_image.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid = window.findChild<QTableView*>("MSFlexGrid1");
    ASSERT_NE(grid, nullptr);
  }

  QString cell(int row, int column) const {
    return grid->model()->index(row, column).data().toString();
  }

  MainWindow window;
  QTableView* grid = nullptr;
};

TEST_F(MainWindowTest, IsTheNamedMainWindowWithTheVersionInItsTitle) {
  EXPECT_EQ(window.objectName(), "Form1");
  EXPECT_EQ(window.windowTitle(), "RQ-M27 Clone Utility v.3.11");
}

TEST_F(MainWindowTest, GridIsOnTheMemoryTab) {
  auto* tabs = window.findChild<QTabWidget*>("TabStrip1");
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->tabText(0), "Memory");
  EXPECT_TRUE(tabs->widget(0)->isAncestorOf(grid));
}

TEST_F(MainWindowTest, GridHasThirteenColumnsWithTheTxToneColumnHidden) {
  const QStringList headers = {"",           "Frequency", "Mode", "Step", "Carrier",
                               "Subtone",    "---",       "TSQ",  "DCS",  "Shift",
                               "Shift-Freq", "Skip",      "Name"};
  QAbstractItemModel* model = grid->model();
  ASSERT_EQ(model->columnCount(), headers.size());
  EXPECT_EQ(model->rowCount(), 1721);
  for (int c = 0; c < headers.size(); ++c) {
    EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString(), headers[c]) << c;
    EXPECT_EQ(grid->isColumnHidden(c), c == 6) << c;
  }
  EXPECT_TRUE(grid->verticalHeader()->isHidden());
}

TEST_F(MainWindowTest, AllColumnsFitTheGridAtTheStartSize) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  grid->doItemsLayout();
  EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(grid->columnViewportPosition(0), 0);
  EXPECT_EQ(grid->horizontalHeader()->length(), grid->viewport()->width());
  EXPECT_GE(grid->columnWidth(12), grid->columnWidth(1)) << "the name column has room";
}

TEST_F(MainWindowTest, StartupRowsShowTheirLabelsAndThePresets) {
  const struct {
    int slot;
    int column;
    const char* text;
  } cases[] = {
      {1, 0, "Bank00-000"},
      {1200, 0, "Bank11-099"},
      {1201, 0, "PRG - 0A"},
      {1301, 0, "Dual0(Main) "},
      {1302, 0, "Dual0(Sub) "},
      {1721, 0, "BUG - 20"},
      {1, 1, ""},
      {1, 12, ""},
      {1700, 1, ""},
      {1701, 1, "398.60500MHz"},
      {1721, 1, "139.94000MHz"},
      {1701, 2, "FM"},
      {1721, 4, "2300Hz"},
      {1721, 7, "88.5Hz"},
      {1721, 9, "Off"},
      {1721, 10, "0.00000MHz"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cell(c.slot - 1, c.column), c.text) << "slot " << c.slot << " column " << c.column;
  }
}

TEST_F(MainWindowTest, SlotOneIsTheSelectedRowAtStart) {
  EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(grid->currentIndex().row(), 0);
  EXPECT_EQ(grid->currentIndex().column(), 0);
  const QModelIndexList rows = grid->selectionModel()->selectedRows();
  ASSERT_EQ(rows.size(), 1);
  EXPECT_EQ(rows[0].row(), 0);
}

TEST_F(MainWindowTest, ReplacedImageShowsInTheGridAndKeepsTheCurrentRow) {
  grid->selectRow(99);
  const int widthBefore = grid->columnWidth(1);
  CloneImage image = window.image();
  image.slot(100).setCell(1, "145.00000MHz");
  image.slot(100).name.codes = {'A', 'I', 'R'};
  image.banks.counts[0] = 50;
  image.banks.counts[12] = 50;

  window.replaceImage(image);

  EXPECT_EQ(window.image(), image);
  EXPECT_EQ(cell(99, 1), "145.00000MHz");
  EXPECT_EQ(cell(99, 12), "AIR");
  EXPECT_EQ(cell(99, 0), "Bank01-049");
  EXPECT_EQ(cell(1199, 0), "Bank12-049");
  EXPECT_EQ(grid->currentIndex().row(), 99);
  EXPECT_TRUE(grid->isColumnHidden(6));
  EXPECT_EQ(grid->columnWidth(1), widthBefore);
}

}  // namespace
}  // namespace rqm27
