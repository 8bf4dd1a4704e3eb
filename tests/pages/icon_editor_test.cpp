#include "pages/icon_editor.h"

#include "pages/fake_page_host.h"

#include <QAction>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

#include <set>

namespace rqm27 {
namespace {

using Cells = std::set<std::pair<int, int>>;  // (row, column)
const QColor Blue(0, 0, 128), Black(0, 0, 0);

// The cells of rows top..bottom, columns left..right set in the icon (all for no icon).
Cells SetPixels(const IconGlyph* icon, int top = 0, int left = 0, int bottom = 15, int right = 15) {
  Cells cells;
  for (int r = top; r <= bottom; ++r) {
    for (int c = left; c <= right; ++c) {
      if (!icon || (*icon)[std::size_t(r)][std::size_t(c)]) cells.insert({r, c});
    }
  }
  return cells;
}

class IconEditorTest : public testing::PageTest<IconEditor> {
 protected:
  QTableView* grid() { return find<QTableView>("pixelGrid"); }
  QComboBox* list() { return find<QComboBox>("iconList"); }
  Cells shown() { return SetPixels(&image().icons[std::size_t(list()->currentIndex())]); }
  QColor background(int row, int column) {
    return grid()->model()->index(row, column).data(Qt::BackgroundRole).value<QColor>();
  }
};

TEST_F(IconEditorTest, ClickOrSpaceTogglesAPixelAndTwiceRestoresIt) {
  page.show();
  const QPoint cell = grid()->visualRect(grid()->model()->index(4, 9)).center();
  QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell);
  EXPECT_EQ(shown(), (Cells{{4, 9}}));
  EXPECT_EQ(background(4, 9), Blue) << "shown at once";
  QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell);
  EXPECT_EQ(shown(), Cells{});
  EXPECT_EQ(host.edits, 2);
  // The arrow keys move from the clicked cell.
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down}) QTest::keyClick(grid(), key);
  QTest::keyClick(grid(), Qt::Key_Space);
  EXPECT_EQ(shown(), (Cells{{5, 11}}));
  QTest::keyClick(grid(), Qt::Key_Space);
  EXPECT_EQ(shown(), Cells{});
}

TEST_F(IconEditorTest, SetAndDeletePixelsFillTheSelectionDraggedEitherWay) {
  const Cells selected = SetPixels(nullptr, 3, 5, 10, 12);
  for (const bool downwards : {true, false}) {
    SCOPED_TRACE(downwards);
    change([](CloneImage& image) { image.icons[0] = {}; });
    page.showIcon(0);
    // To the first corner, then with Shift to the other one.
    for (int i = 0; i < (downwards ? 3 : 10); ++i) QTest::keyClick(grid(), Qt::Key_Down);
    for (int i = 0; i < (downwards ? 5 : 12); ++i) QTest::keyClick(grid(), Qt::Key_Right);
    for (int i = 0; i < 7; ++i) {
      QTest::keyClick(grid(), downwards ? Qt::Key_Down : Qt::Key_Up, Qt::ShiftModifier);
      QTest::keyClick(grid(), downwards ? Qt::Key_Right : Qt::Key_Left, Qt::ShiftModifier);
    }
    click("setPixelsButton");
    EXPECT_EQ(SetPixels(&image().icons[0]), selected);
    EXPECT_EQ(grid()->selectionModel()->selectedIndexes().size(), 64) << "the selection is kept";

    change([](CloneImage& image) {
      for (auto& row : image.icons[0]) row.fill(1);
    });
    click("deletePixelsButton");
    Cells rest = SetPixels(nullptr);
    for (const auto& cell : selected) rest.erase(cell);
    EXPECT_EQ(SetPixels(&image().icons[0]), rest);
  }
}

// The demo icons: 0 a frame along the edges, 1 a diagonal cross.
TEST_F(IconEditorTest, PrevNextStayWithinTheEightIconsAndClearEmptiesOneOrAll) {
  change([](CloneImage& image) { image.icons = DemoImage().icons; });
  click("previousIconButton");
  EXPECT_EQ(list()->currentText(), "0");
  for (int i = 1; i <= 8; ++i) {
    click("nextIconButton");
    EXPECT_EQ(list()->currentText(), QString::number(std::min(i, 7)));
  }
  list()->setCurrentIndex(1);
  EXPECT_EQ(background(0, 0), Blue) << "the cross";
  EXPECT_EQ(background(0, 1), Black);
  QTest::keyClicks(list(), "0");
  EXPECT_EQ(list()->currentIndex(), 1) << "typing is ignored";

  click("clearShownIconButton");
  EXPECT_EQ(SetPixels(&image().icons[1]), Cells{});
  click("previousIconButton");
  EXPECT_EQ(background(0, 1), Blue) << "the frame";
  EXPECT_EQ(image().icons[0], DemoImage().icons[0]);
  click("clearAllIconsButton");
  EXPECT_EQ(image().icons, IconPixels{});
}

// Ctrl+S saves the icons (adding the extension) and Ctrl+O opens them again; a file that is no
// icon font is reported and changes nothing.
TEST_F(IconEditorTest, SavedFontFileOpensToTheSameIconsAndABadFileChangesNothing) {
  QTemporaryDir folder;
  const IconPixels drawings = DemoImage().icons;
  change([&](CloneImage& image) { image.icons = drawings; });
  host.savePath = folder.filePath("icons");
  activate();
  QTest::keyClick(&page, Qt::Key_S, Qt::ControlModifier);
  host.openPath = folder.filePath("icons.FK5");
  click("clearAllIconsButton");
  QTest::keyClick(&page, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(image().icons, drawings);

  host.openPath = folder.filePath("icons.txt");
  ASSERT_TRUE(QFile::copy(folder.filePath("icons.FK5"), host.openPath));
  click("clearAllIconsButton");
  const int edits = host.edits;
  find<QAction>("openFontFileItem")->trigger();
  EXPECT_EQ(image().icons, IconPixels{});
  EXPECT_EQ(host.edits, edits);
  EXPECT_EQ(host.messages.back().title, " Error");
  EXPECT_TRUE(host.messages.back().text.contains("icons.txt"));
}

}  // namespace
}  // namespace rqm27
