#include "app/main_window.h"

#include "app/window_fixture.h"
#include "model/clone_image.h"
#include "model/value_tables.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

class MainWindowTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    window = makeWindow();
    view = grid(*window);
    ASSERT_NE(view, nullptr);
  }

  QString cellAt(int row, int column) const {
    return view->model()->index(row, column).data().toString();
  }

  // Makes `from` the current row and extends the selection to `to` with Shift and the arrow
  // keys, as a user would.
  void selectWithKeys(int fromSlot, int toSlot) {
    view->selectionModel()->setCurrentIndex(
        view->model()->index(fromSlot - 1, 1),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const Qt::Key key = toSlot < fromSlot ? Qt::Key_Up : Qt::Key_Down;
    for (int i = 0; i < std::abs(toSlot - fromSlot); ++i) {
      QTest::keyClick(view, key, Qt::ShiftModifier);
    }
  }

  // Slots 1 to 1721 filled with a channel each.
  static CloneImage FullImage() {
    CloneImage image = StartupImage();
    for (int slot = 1; slot <= LastTransferredSlot; ++slot) {
      image.slot(slot) = image.slot(FirstPresetSlot);
    }
    return image;
  }

  std::unique_ptr<MainWindow> window;
  QTableView* view = nullptr;
};

TEST_F(MainWindowTest, StartsAsTheNamedWindowWithItsControlsAtTheirDefaults) {
  EXPECT_EQ(window->objectName(), "Form1");
  EXPECT_EQ(shownTitle(*window), "RQ-M27 Clone Utility v.3.11");
  EXPECT_FALSE(window->isModified());

  auto* j = find<QRadioButton>(*window, "optRegion_0");
  ASSERT_NE(j, nullptr);
  EXPECT_TRUE(j->isChecked());
  const char* variants[] = {"J", "E/EGR", "T", "K"};
  for (int i = 0; i < 4; ++i) {
    const QByteArray name = "optRegion_" + QByteArray::number(i);
    auto* option = find<QRadioButton>(*window, name.constData());
    ASSERT_NE(option, nullptr);
    EXPECT_EQ(option->text(), variants[i]);
  }

  auto* percentage = find<QLineEdit>(*window, "Progress");
  ASSERT_NE(percentage, nullptr);
  EXPECT_EQ(percentage->text(), "0%");
  EXPECT_TRUE(percentage->isReadOnly());
  EXPECT_EQ(find<QProgressBar>(*window, "ProgressBar1")->value(), 0);
  EXPECT_TRUE(find<QAbstractButton>(*window, "cmdWaitButton")->isHidden());
  EXPECT_FALSE(find<QAbstractButton>(*window, "cmdCancel")->isEnabled());
  EXPECT_TRUE(action(*window, "MenuSetCom_1")->isChecked());
  EXPECT_EQ(window->portName(), "COM1");
  EXPECT_EQ(window->image().comPort, 1);

  QStringList menus;
  for (QAction* menu : window->menuBar()->actions()) menus << menu->text();
  EXPECT_EQ(menus, QStringList({"File(&F)", "Port(&P)", "COMM(&C)", "Help(&H)"}));
}

TEST_F(MainWindowTest, TabStripShowsTheFourPagesWithTheGridOnTheFirst) {
  auto* tabs = find<QTabWidget>(*window, "TabStrip1");
  ASSERT_NE(tabs, nullptr);
  const char* titles[] = {"Memory", "Bank", "Setting", "Set mode"};
  ASSERT_EQ(tabs->count(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(tabs->tabText(i), titles[i]);
    EXPECT_EQ(tabs->widget(i)->objectName(), QStringLiteral("A_FRAME_%1").arg(i));
  }
  EXPECT_TRUE(tabs->widget(0)->isAncestorOf(view));
  const char* buttons[][2] = {{"MEM_ONE_READ", "One Memory Read"},
                              {"MEM_ONE_WRITE", "One Memory Write"},
                              {"Clear_Botton", "Clear"},
                              {"ALL_Reset", "ALL Reset"}};
  for (const auto& [name, caption] : buttons) {
    auto* button = find<QAbstractButton>(*window, name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), caption);
    EXPECT_TRUE(tabs->widget(0)->isAncestorOf(button)) << name;
  }
}

TEST_F(MainWindowTest, GridHasThirteenColumnsWithTheTxToneColumnHidden) {
  const QStringList headers = {"",           "Frequency", "Mode", "Step", "Carrier",
                               "Subtone",    "---",       "TSQ",  "DCS",  "Shift",
                               "Shift-Freq", "Skip",      "Name"};
  QAbstractItemModel* model = view->model();
  ASSERT_EQ(model->columnCount(), headers.size());
  EXPECT_EQ(model->rowCount(), 1721);
  for (int c = 0; c < headers.size(); ++c) {
    EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString(), headers[c]) << c;
    EXPECT_EQ(view->isColumnHidden(c), c == 6) << c;
  }
  EXPECT_TRUE(view->verticalHeader()->isHidden());
}

TEST_F(MainWindowTest, AllColumnsFitTheGridAtTheStartSize) {
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  view->doItemsLayout();
  EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(view->columnViewportPosition(0), 0);
  EXPECT_EQ(view->horizontalHeader()->length(), view->viewport()->width());
  EXPECT_GE(view->columnWidth(12), view->columnWidth(1)) << "the name column has room";
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
    EXPECT_EQ(cellAt(c.slot - 1, c.column), c.text) << "slot " << c.slot << " column " << c.column;
  }
  EXPECT_EQ(window->image().slot(1).carrierIndex, 28);
}

TEST_F(MainWindowTest, SlotOneIsTheSelectedRowAtStart) {
  EXPECT_EQ(view->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(view->currentIndex().row(), 0);
  EXPECT_EQ(view->currentIndex().column(), 0);
  const QModelIndexList rows = view->selectionModel()->selectedRows();
  ASSERT_EQ(rows.size(), 1);
  EXPECT_EQ(rows[0].row(), 0);
}

TEST_F(MainWindowTest, ReplacedImageShowsInTheGridAndKeepsTheCurrentRow) {
  view->selectRow(99);
  const int widthBefore = view->columnWidth(1);
  CloneImage image = window->image();
  image.slot(100).setCell(1, "145.00000MHz");
  image.slot(100).name.codes = {'A', 'I', 'R'};
  image.banks.counts[0] = 50;
  image.banks.counts[12] = 50;

  window->replaceImage(image);

  EXPECT_EQ(window->image(), image);
  EXPECT_EQ(cellAt(99, 1), "145.00000MHz");
  EXPECT_EQ(cellAt(99, 12), "AIR");
  EXPECT_EQ(cellAt(99, 0), "Bank01-049");
  EXPECT_EQ(cellAt(1199, 0), "Bank12-049");
  EXPECT_EQ(view->currentIndex().row(), 99);
  EXPECT_TRUE(view->isColumnHidden(6));
  EXPECT_EQ(view->columnWidth(1), widthBefore);
}

// Clear, Delete and ALL Reset empty rows up to slot 1700 and never the presets.
TEST_F(MainWindowTest, ClearingEmptiesTheSelectedRowsUpToTheLastChannel) {
  const struct {
    const char* how;
    int from, to;
    int firstCleared, lastCleared;  // 0, 0: nothing
  } cases[] = {
      {"Clear", 10, 20, 10, 20},
      {"Clear", 20, 10, 10, 20},
      {"Clear", 1695, 1705, 1695, 1700},
      {"Clear", 1701, 1710, 0, 0},
      {"Delete", 5, 5, 5, 5},
      {"Delete", 1705, 1690, 1690, 1700},
      {"Delete", 1721, 1721, 0, 0},
      {"ALL Reset", 3, 3, 1, 1700},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.how << " " << c.from << "-" << c.to);
    window = makeWindow();
    view = grid(*window);
    window->replaceImage(FullImage());
    selectWithKeys(c.from, c.to);

    const QString how = c.how;
    if (how == "Clear") {
      QTest::mouseClick(find<QAbstractButton>(*window, "Clear_Botton"), Qt::LeftButton);
    } else if (how == "Delete") {
      QTest::keyClick(view, Qt::Key_Delete);
    } else {
      QTest::mouseClick(find<QAbstractButton>(*window, "ALL_Reset"), Qt::LeftButton);
    }

    const CloneImage startup = StartupImage();
    for (int slot = FirstPresetSlot; slot <= SlotCount; ++slot) {
      ASSERT_EQ(window->image().slot(slot), startup.slot(slot)) << slot;
    }
    for (int slot = 1; slot <= LastTransferredSlot; ++slot) {
      const bool cleared = slot >= c.firstCleared && slot <= c.lastCleared;
      const ChannelSlot& s = window->image().slot(slot);
      ASSERT_EQ(s.used, !cleared) << slot;
      ASSERT_EQ(cellAt(slot - 1, 1), cleared ? "" : "398.60500MHz") << slot;
      if (cleared) {
        ASSERT_EQ(s.carrierIndex, 0) << slot;
      }
    }
    EXPECT_EQ(window->isModified(), c.firstCleared != 0);
    EXPECT_EQ(shownTitle(*window),
              c.firstCleared != 0 ? "RQ-M27 Clone Utility v.3.11*" : "RQ-M27 Clone Utility v.3.11");
  }
}

}  // namespace
}  // namespace rqm27
