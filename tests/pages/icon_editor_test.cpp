#include "pages/icon_editor.h"

#include "codec/icon_glyph.h"
#include "pages/fake_page_host.h"
#include "pages/icon_pixel_model.h"

#include <QAction>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

#include <set>

namespace rqm27 {
namespace {

using Cells = std::set<std::pair<int, int>>;  // (row, column)
const QColor Blue(0, 0, 128), Black(0, 0, 0);

// The cells of rows top..bottom, columns left..right set in the glyph (all for no glyph).
Cells SetPixels(const IconGlyph* glyph, int top = 0, int left = 0, int bottom = 15,
                int right = 15) {
  Cells cells;
  for (int r = top; r <= bottom; ++r) {
    for (int c = left; c <= right; ++c) {
      if (!glyph || (*glyph)[std::size_t(r)][std::size_t(c)]) cells.insert({r, c});
    }
  }
  return cells;
}

// Icon n has pixels (n, 2n % 16) and (15 - n, n).
IconPixels Drawings() {
  IconPixels icons{};
  for (std::size_t n = 0; n < IconCount; ++n) {
    icons[n][n][(2 * n) % IconSize] = 1;
    icons[n][IconSize - 1 - n][n] = 1;
  }
  return icons;
}

struct IconEditorTest : ::testing::Test {
  IconEditorTest() { host.addView(&editor); }

  QTableView* grid() { return editor.findChild<QTableView*>("MSFlexGrid1"); }
  QComboBox* list() { return editor.findChild<QComboBox*>("FONT_LIST"); }
  void click(const char* button) { testing::Click(editor, button); }
  Cells shown() { return SetPixels(&host.image().icons[std::size_t(list()->currentIndex())]); }
  QColor background(int row, int column) {
    return grid()->model()->index(row, column).data(Qt::BackgroundRole).value<QColor>();
  }

  testing::FakePageHost host;
  IconEditor editor{host};
};

TEST_F(IconEditorTest, ClickOrSpaceTogglesAPixelAndTwiceRestoresIt) {
  EXPECT_EQ(host.lockable, std::vector<QWidget*>{&editor});
  editor.show();
  const QPoint cell = grid()->visualRect(grid()->model()->index(4, 9)).center();
  QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell);
  EXPECT_EQ(shown(), (Cells{{4, 9}}));
  EXPECT_EQ(background(4, 9), Blue);
  QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell);
  EXPECT_EQ(shown(), Cells{});
  EXPECT_EQ(background(4, 9), Black);
  EXPECT_EQ(host.edits, 2);
  // The arrow keys move from the clicked cell.
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down}) QTest::keyClick(grid(), key);
  QTest::keyClick(grid(), Qt::Key_Space);
  EXPECT_EQ(shown(), (Cells{{5, 11}}));
  QTest::keyClick(grid(), Qt::Key_Space);
  EXPECT_EQ(shown(), Cells{});
}

TEST(IconEditorSelectionTest, SetAndDeletePixelFillTheSelectionDraggedEitherWay) {
  const Cells selected = SetPixels(nullptr, 3, 5, 10, 12);
  for (const bool downwards : {true, false}) {
    SCOPED_TRACE(downwards);
    testing::FakePageHost host;
    IconEditor editor(host);
    host.addView(&editor);
    auto* grid = editor.findChild<QTableView*>("MSFlexGrid1");
    // To the first corner, then with Shift to the other one.
    for (int i = 0; i < (downwards ? 3 : 10); ++i) QTest::keyClick(grid, Qt::Key_Down);
    for (int i = 0; i < (downwards ? 5 : 12); ++i) QTest::keyClick(grid, Qt::Key_Right);
    for (int i = 0; i < 7; ++i) {
      QTest::keyClick(grid, downwards ? Qt::Key_Down : Qt::Key_Up, Qt::ShiftModifier);
      QTest::keyClick(grid, downwards ? Qt::Key_Right : Qt::Key_Left, Qt::ShiftModifier);
    }
    testing::Click(editor, "IKKATU_ON");
    EXPECT_EQ(SetPixels(&host.image().icons[0]), selected);
    EXPECT_EQ(grid->selectionModel()->selectedIndexes().size(), 64) << "the selection is kept";

    for (auto& row : host.mutableImage().icons[0]) row.fill(1);
    testing::Click(editor, "IKKATU_OFF");
    Cells rest = SetPixels(nullptr);
    for (const auto& cell : selected) rest.erase(cell);
    EXPECT_EQ(SetPixels(&host.image().icons[0]), rest);
  }
}

TEST_F(IconEditorTest, PrevNextStayWithinTheEightIconsAndClearEmptiesOneOrAll) {
  host.mutableImage().icons = DemoImage().icons;
  click("FONT_BACK");
  EXPECT_EQ(list()->currentText(), "0");
  for (int i = 1; i <= 8; ++i) {
    click("FONT_NEXT");
    EXPECT_EQ(list()->currentText(), QString::number(std::min(i, 7)));
  }
  list()->setCurrentIndex(1);
  EXPECT_EQ(background(0, 0), Blue) << "the cross";
  EXPECT_EQ(background(0, 1), Black);
  QTest::keyClicks(list(), "0");
  EXPECT_EQ(list()->currentIndex(), 1) << "typing is ignored";

  click("FONT_CLEAR");
  EXPECT_EQ(SetPixels(&host.image().icons[1]), Cells{});
  click("FONT_BACK");
  EXPECT_EQ(background(0, 1), Blue) << "the frame";
  EXPECT_EQ(host.image().icons[0], DemoImage().icons[0]);
  click("ALL_CLEAR");
  EXPECT_EQ(host.image().icons, IconPixels{});
}

// The simulator holds the demo icons: 0 a frame along the edges, 1 a diagonal cross.
TEST_F(IconEditorTest, ReadAndWriteTheShownIconOrAll) {
  host.mutableImage().icons[0][7][7] = 1;
  list()->setCurrentIndex(1);
  click("R_FONT");
  EXPECT_EQ(host.image().icons[1], DemoImage().icons[1]);
  EXPECT_EQ(SetPixels(&host.image().icons[0]), (Cells{{7, 7}}));
  EXPECT_EQ(background(15, 0), Blue) << "the cross shows";
  click("READ_ALL");
  EXPECT_EQ(host.image().icons, DemoImage().icons);

  const IconPixels drawings = Drawings();
  host.mutableImage().icons = drawings;
  const QByteArray before = host.simulator().memory();
  list()->setCurrentIndex(5);
  click("FONT_WRITE");
  for (int n = 0; n < IconCount; ++n) {
    EXPECT_EQ(host.simulator().memory().mid(IconAddress(n), IconBytes),
              n == 5 ? EncodeIconGlyph(drawings[5]) : before.mid(IconAddress(n), IconBytes))
        << "icon " << n;
  }
  click("WRITE_ALL");
  QByteArray all;
  for (const IconGlyph& glyph : drawings) all += EncodeIconGlyph(glyph);
  EXPECT_EQ(host.simulator().memory().mid(IconAddress(0), all.size()), all);
  EXPECT_EQ(host.messages, testing::Said("Complete", "Complete", 4));
}

TEST_F(IconEditorTest, SavedFontFileOpensToTheSameIconsAndBadFilesChangeNothing) {
  QTemporaryDir folder;
  host.mutableImage().icons = Drawings();
  host.savePath = folder.filePath("icons");
  editor.show();
  editor.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
  QTest::keyClick(&editor, Qt::Key_S, Qt::ControlModifier);
  host.openPath = folder.filePath("icons.FK5");
  click("ALL_CLEAR");
  QTest::keyClick(&editor, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(host.image().icons, Drawings());
  EXPECT_EQ(host.messages, (std::vector<Message>{Notice(" Finish", "Save File"),
                                                 Notice(" Finish", "Read Icon File")}));

  const QString text = folder.filePath("icons.txt"), unwritable = folder.filePath("no/icons.FK5");
  ASSERT_TRUE(QFile::copy(host.openPath, text));
  host.mutableImage().icons = DemoImage().icons;
  const int edits = host.edits;
  const struct {
    const char* action;
    QString path, saying;
  } cases[] = {{"FONT_FILE_OPEN", text, "This File don't Open"},
               {"FONT_FILE_OPEN", folder.filePath("missing.FK5"), "missing.FK5"},
               {"FONT_FILE_SAVE", unwritable, unwritable}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.toStdString());
    host.messages.clear();
    host.openPath = host.savePath = c.path;
    editor.findChild<QAction*>(c.action)->trigger();
    EXPECT_EQ(host.image().icons, DemoImage().icons);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, " Error");
    EXPECT_TRUE((host.messages[0].text + u' ' + host.messages[0].detail).contains(c.saying));
  }
  EXPECT_FALSE(QFile::exists(unwritable));
  EXPECT_EQ(host.edits, edits);
}

}  // namespace
}  // namespace rqm27
