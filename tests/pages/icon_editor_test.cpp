#include "pages/icon_editor.h"

#include "app/qstring_print.h"
#include "codec/icon_glyph.h"
#include "files/file_io.h"
#include "files/icon_font_file.h"
#include "link/demo_memory.h"
#include "pages/fake_page_host.h"
#include "pages/icon_pixel_model.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace rqm27 {
namespace {

using Cells = std::set<std::pair<int, int>>;  // (row, column)

Cells SetPixels(const IconGlyph& glyph) {
  Cells cells;
  for (int r = 0; r < IconSize; ++r) {
    for (int c = 0; c < IconSize; ++c) {
      if (glyph[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] != 0)
        cells.insert({r, c});
    }
  }
  return cells;
}

Cells Rectangle(int top, int left, int bottom, int right) {
  Cells cells;
  for (int r = top; r <= bottom; ++r) {
    for (int c = left; c <= right; ++c) cells.insert({r, c});
  }
  return cells;
}

// A different drawing in every icon: icon n has pixels (n, 2n % 16) and (15 - n, n).
IconPixels Drawings() {
  IconPixels icons{};
  for (std::size_t n = 0; n < IconCount; ++n) {
    icons[n][n][(2 * n) % IconSize] = 1;
    icons[n][IconSize - 1 - n][n] = 1;
  }
  return icons;
}

class IconEditorTest : public ::testing::Test {
 protected:
  IconEditorTest() { host.addView(&editor); }

  QTableView* grid() { return editor.findChild<QTableView*>(QStringLiteral("MSFlexGrid1")); }
  QComboBox* list() { return editor.findChild<QComboBox*>(QStringLiteral("FONT_LIST")); }
  void click(const char* button) {
    editor.findChild<QPushButton*>(QString::fromLatin1(button))->click();
  }
  void trigger(const char* action) {
    editor.findChild<QAction*>(QString::fromLatin1(action))->trigger();
  }
  Cells shown() {
    return SetPixels(host.image().icons[static_cast<std::size_t>(list()->currentIndex())]);
  }
  QColor shownBackground(int row, int column) {
    return grid()->model()->index(row, column).data(Qt::BackgroundRole).value<QColor>();
  }
  std::vector<Message>& messages() { return host.recorded().messages; }

  testing::FakePageHost host;
  IconEditor editor{host};
  const Message complete = Notice(QStringLiteral("Complete"), QStringLiteral("Complete"));
};

TEST_F(IconEditorTest, ClickOrSpaceTogglesAPixelAndTwiceRestoresIt) {
  EXPECT_EQ(host.lockable, std::vector<QWidget*>{&editor});
  editor.show();
  const QPoint cell = grid()->visualRect(grid()->model()->index(4, 9)).center();

  QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell);
  EXPECT_EQ(shown(), (Cells{{4, 9}}));
  EXPECT_EQ(shownBackground(4, 9), QColor(0, 0, 128));
  EXPECT_EQ(grid()->model()->index(4, 9).data(Qt::ForegroundRole).value<QColor>(),
            QColor(255, 0, 0));

  QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell);
  EXPECT_EQ(shown(), Cells{});
  EXPECT_EQ(shownBackground(4, 9), QColor(0, 0, 0));
  EXPECT_EQ(host.edits, 2);

  // The arrow keys move from the clicked cell.
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down}) QTest::keyClick(grid(), key);
  QTest::keyClick(grid(), Qt::Key_Space);
  EXPECT_EQ(shown(), (Cells{{5, 11}}));
  QTest::keyClick(grid(), Qt::Key_Space);
  EXPECT_EQ(shown(), Cells{});
}

TEST_F(IconEditorTest, SetAndDeletePixelFillTheSelectionDraggedEitherWay) {
  struct Case {
    const char* name;
    int startRow, startColumn;
    Qt::Key vertical, horizontal;
  };
  const Case cases[] = {
      {"top left to bottom right", 3, 5, Qt::Key_Down, Qt::Key_Right},
      {"bottom right to top left", 10, 12, Qt::Key_Up, Qt::Key_Left},
  };
  const Cells selected = Rectangle(3, 5, 10, 12);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::FakePageHost host;
    IconEditor editor(host);
    host.addView(&editor);
    auto* grid = editor.findChild<QTableView*>(QStringLiteral("MSFlexGrid1"));
    // To the first corner, then with Shift to the other one.
    for (int i = 0; i < c.startRow; ++i) QTest::keyClick(grid, Qt::Key_Down);
    for (int i = 0; i < c.startColumn; ++i) QTest::keyClick(grid, Qt::Key_Right);
    for (int i = 0; i < 7; ++i) {
      QTest::keyClick(grid, c.vertical, Qt::ShiftModifier);
      QTest::keyClick(grid, c.horizontal, Qt::ShiftModifier);
    }

    editor.findChild<QPushButton*>(QStringLiteral("IKKATU_ON"))->click();
    EXPECT_EQ(SetPixels(host.image().icons[0]), selected);
    EXPECT_EQ(grid->selectionModel()->selectedIndexes().size(), 64) << "the selection is kept";

    for (auto& row : host.mutableImage().icons[0]) row.fill(1);
    editor.findChild<QPushButton*>(QStringLiteral("IKKATU_OFF"))->click();
    Cells rest = Rectangle(0, 0, 15, 15);
    for (const auto& cell : selected) rest.erase(cell);
    EXPECT_EQ(SetPixels(host.image().icons[0]), rest);
  }
}

TEST_F(IconEditorTest, PrevAndNextStayWithinTheEightIconsAndTypingIsIgnored) {
  host.mutableImage().icons = DemoImage().icons;
  const std::pair<const char*, int> steps[] = {
      {"FONT_BACK", 0}, {"FONT_NEXT", 1}, {"FONT_NEXT", 2}, {"FONT_NEXT", 3}, {"FONT_NEXT", 4},
      {"FONT_NEXT", 5}, {"FONT_NEXT", 6}, {"FONT_NEXT", 7}, {"FONT_NEXT", 7}, {"FONT_BACK", 6},
  };
  for (const auto& [button, icon] : steps) {
    click(button);
    EXPECT_EQ(list()->currentText(), QString::number(icon)) << button << " to " << icon;
  }

  list()->setCurrentIndex(1);
  EXPECT_EQ(shownBackground(0, 0), QColor(0, 0, 128)) << "the cross";
  EXPECT_EQ(shownBackground(0, 1), QColor(0, 0, 0));
  QTest::keyClicks(list(), QStringLiteral("0"));
  EXPECT_EQ(list()->currentIndex(), 1);
  click("FONT_BACK");
  EXPECT_EQ(shownBackground(0, 1), QColor(0, 0, 128)) << "the frame";
}

TEST_F(IconEditorTest, ClearEmptiesTheShownIconAndClearAllEveryIcon) {
  host.mutableImage().icons = DemoImage().icons;
  list()->setCurrentIndex(1);
  click("FONT_CLEAR");
  EXPECT_EQ(SetPixels(host.image().icons[1]), Cells{});
  EXPECT_EQ(host.image().icons[0], DemoImage().icons[0]);
  click("ALL_CLEAR");
  EXPECT_EQ(host.image().icons, IconPixels{});
}

// The simulator holds the demo icons: 0 a frame along the edges, 1 a diagonal cross.
TEST_F(IconEditorTest, ReadTakesTheShownIconAndReadAllEveryIcon) {
  host.mutableImage().icons[0][7][7] = 1;
  list()->setCurrentIndex(1);
  click("R_FONT");
  EXPECT_EQ(host.image().icons[1], DemoImage().icons[1]);
  EXPECT_EQ(SetPixels(host.image().icons[0]), (Cells{{7, 7}}));
  EXPECT_EQ(shownBackground(15, 0), QColor(0, 0, 128)) << "the cross shows";

  click("READ_ALL");
  EXPECT_EQ(host.image().icons, DemoImage().icons);
  EXPECT_EQ(messages(), (std::vector<Message>{complete, complete}));
}

TEST_F(IconEditorTest, WriteSendsTheShownIconAndWriteAllEveryIcon) {
  const IconPixels drawings = Drawings();
  host.mutableImage().icons = drawings;
  const QByteArray before = host.simulator().memory();
  const auto iconBytes = [](const QByteArray& memory, int n) {
    return memory.mid(IconAddress(n), IconBytes);
  };

  list()->setCurrentIndex(5);
  click("FONT_WRITE");
  for (int n = 0; n < IconCount; ++n) {
    EXPECT_EQ(iconBytes(host.simulator().memory(), n),
              n == 5 ? EncodeIconGlyph(drawings[5]) : iconBytes(before, n))
        << "icon " << n;
  }

  click("WRITE_ALL");
  QByteArray all;
  for (const IconGlyph& glyph : drawings) all += EncodeIconGlyph(glyph);
  EXPECT_EQ(host.simulator().memory().mid(IconAddress(0), all.size()), all);
  EXPECT_EQ(messages(), (std::vector<Message>{complete, complete}));
}

TEST_F(IconEditorTest, SavedFontFileOpensToTheSameIcons) {
  QTemporaryDir folder;
  host.mutableImage().icons = Drawings();
  host.recorded().savePath = folder.filePath(QStringLiteral("icons"));
  editor.show();
  editor.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
  QTest::keyClick(&editor, Qt::Key_S, Qt::ControlModifier);
  const QString saved = folder.filePath(QStringLiteral("icons.FK5"));
  ASSERT_TRUE(QFile::exists(saved));

  click("ALL_CLEAR");
  host.recorded().openPath = saved;
  QTest::keyClick(&editor, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(host.image().icons, Drawings());
  EXPECT_EQ(messages(), (std::vector<Message>{
                            Notice(QStringLiteral(" Finish"), QStringLiteral("Save File")),
                            Notice(QStringLiteral(" Finish"), QStringLiteral("Read Icon File")),
                        }));
}

TEST_F(IconEditorTest, FileThatCannotBeReadChangesNothing) {
  struct Case {
    const char* fileName;
    bool exists;
    const char* saying;
  };
  const Case cases[] = {
      {"icons.txt", true, "This File don't Open"},
      {"missing.FK5", false, "missing.FK5"},
  };
  QTemporaryDir folder;
  const QByteArray drawn = WriteIconFontFile(Drawings(), QDateTime::currentDateTime());
  host.mutableImage().icons = DemoImage().icons;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fileName);
    messages().clear();
    const QString path = folder.filePath(QString::fromLatin1(c.fileName));
    if (c.exists) {
      ASSERT_TRUE(SaveWholeFile(path, drawn).ok());
    }
    host.recorded().openPath = path;
    trigger("FONT_FILE_OPEN");
    EXPECT_EQ(host.image().icons, DemoImage().icons);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].title, " Error");
    const QString said = messages()[0].text + u' ' + messages()[0].detail;
    EXPECT_TRUE(said.contains(QLatin1String(c.saying))) << said.toStdString();
  }
  EXPECT_EQ(host.edits, 0);
}

TEST_F(IconEditorTest, SaveIntoAFolderThatCannotBeWrittenNamesTheFile) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("no such folder/icons.FK5"));
  host.recorded().savePath = path;
  trigger("FONT_FILE_SAVE");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].title, " Error");
  EXPECT_TRUE(messages()[0].detail.contains(path)) << messages()[0].detail.toStdString();
  EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
}  // namespace rqm27
