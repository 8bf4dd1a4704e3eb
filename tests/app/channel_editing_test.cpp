#include "app/channel_editing.h"

#include "app/window_fixture.h"

#include <QRadioButton>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

class ChannelEditingTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    window = makeWindow();
    view = grid(*window);
  }

  void pressEnterOn(int slot) {
    view->selectRow(slot - 1);
    QTest::keyClick(view, Qt::Key_Return);
  }
  void doubleClick(int slot) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QModelIndex index = view->model()->index(slot - 1, 1);
    view->scrollTo(index);
    // A double-click comes as a click and then the second press.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
  }
  QList<int> openedRows() const {
    QList<int> rows;
    for (const DetailFormState& form : script->forms) rows << form.row;
    return rows;
  }

  // The dialog answers the navigation requests in turn, then closes with Cancel.
  void navigate(QList<int> requests) {
    script->edit = [requests](const DetailFormState& form, bool) mutable {
      if (requests.isEmpty()) return ChannelEditBuffer{};
      ChannelEditBuffer buffer = ConfirmDetailForm(form);
      buffer.editNavigate = requests.takeFirst();
      return buffer;
    };
  }

  std::unique_ptr<MainWindow> window;
  QTableView* view = nullptr;
};

TEST_F(ChannelEditingTest, EnterEditsTheRowAndCommitsTheDialogsResult) {
  script->edit = [](DetailFormState form, bool) {
    form.sets[0].frequencyMegahertz = "145";
    form.sets[0].frequencyDigits = "12500";
    form.sets[0].name = "NEW";
    ChannelEditBuffer buffer = ConfirmDetailForm(form);
    buffer.editNavigate = NavigateNext;  // commits, but Enter does not move on
    return buffer;
  };

  pressEnterOn(5);

  EXPECT_EQ(openedRows(), QList<int>{5});
  EXPECT_EQ(script->forms[0].sets[0].caption, "Bank00-004");
  EXPECT_TRUE(cell(*window, 5, 1).startsWith("145.125")) << cell(*window, 5, 1).toStdString();
  EXPECT_EQ(cell(*window, 5, 12), "NEW");
  EXPECT_TRUE(window->image().slot(5).used);
  EXPECT_TRUE(window->isModified());
}

TEST_F(ChannelEditingTest, CancelledDialogChangesNothing) {
  const CloneImage before = window->image();
  pressEnterOn(7);
  EXPECT_EQ(openedRows(), QList<int>{7});
  EXPECT_EQ(window->image(), before);
  EXPECT_FALSE(window->isModified());
}

TEST_F(ChannelEditingTest, RequestsOpenTheRowTheyStandFor) {
  const struct {
    int slot;
    QList<int> opened;
    bool pair;
  } cases[] = {
      {1701, {}, false},    {1721, {}, false},     {1302, {1301}, true},
      {1301, {1301}, true}, {1300, {1300}, false},
  };
  for (const auto& c : cases) {
    script->forms.clear();
    pressEnterOn(c.slot);
    EXPECT_EQ(openedRows(), c.opened) << c.slot;
    if (!script->forms.empty()) {
      EXPECT_EQ(script->forms[0].pair, c.pair) << c.slot;
    }
  }
}

TEST_F(ChannelEditingTest, DoubleClickFollowsTheDialogsNextAndBack) {
  const struct {
    int slot;
    QList<int> requests;
    QList<int> opened;
  } cases[] = {
      {1299, {NavigateNext, NavigateNext}, {1299, 1300, 1301}},
      {1303, {NavigateBack, NavigateBack}, {1303, 1301, 1300}},
      {1, {NavigateBack}, {1, 1}},
      {1700, {NavigateNext}, {1700}},
  };
  for (const auto& c : cases) {
    script->forms.clear();
    navigate(c.requests);
    doubleClick(c.slot);
    EXPECT_EQ(openedRows(), c.opened) << c.slot;
    EXPECT_EQ(view->currentIndex().row(), c.opened.back() - 1) << c.slot;
  }
}

TEST_F(ChannelEditingTest, RailwaysShowOnlyForTheJVariant) {
  pressEnterOn(3);
  find<QRadioButton>(*window, "optRegion_2")->click();
  pressEnterOn(3);
  EXPECT_EQ(script->railways, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace rqm27
