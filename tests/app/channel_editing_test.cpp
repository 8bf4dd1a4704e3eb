#include "app/channel_editing.h"

#include "app/window_fixture.h"

#include <QRadioButton>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

class ChannelEditingTest : public testing::WindowTest {
 protected:
  void SetUp() override { window = makeWindow(); }

  void pressEnterOn(int slot) {
    grid(*window)->selectRow(slot - 1);
    QTest::keyClick(grid(*window), Qt::Key_Return);
  }
  QList<int> openedRows() const {
    QList<int> rows;
    for (const DetailFormState& form : script->forms) rows << form.row;
    return rows;
  }

  std::unique_ptr<MainWindow> window;
};

TEST_F(ChannelEditingTest, EnterEditsTheRowAndCommitsOrCancels) {
  script->edit = [](DetailFormState form, bool) {
    form.sets[0].frequencyMegahertz = "145";
    form.sets[0].name = "NEW";
    ChannelEditBuffer buffer = ConfirmDetailForm(form);
    buffer.editNavigate = NavigateNext;  // commits, but Enter does not move on
    return buffer;
  };
  pressEnterOn(5);
  EXPECT_EQ(openedRows(), QList<int>{5});
  EXPECT_EQ(cell(*window, 5, 1), "145.00000MHz");
  EXPECT_EQ(cell(*window, 5, 12), "NEW");
  EXPECT_TRUE(window->isModified());

  script->edit = nullptr;
  const CloneImage before = window->image();
  pressEnterOn(7);
  EXPECT_EQ(window->image(), before) << "a cancelled dialog changes nothing";
}

TEST_F(ChannelEditingTest, RequestsOpenTheRowTheyStandFor) {
  const std::tuple<int, QList<int>, bool> cases[] = {
      {1701, {}, false}, {1302, {1301}, true}, {1300, {1300}, false}};
  for (const auto& [slot, opened, pair] : cases) {
    script->forms.clear();
    pressEnterOn(slot);
    EXPECT_EQ(openedRows(), opened) << slot;
    EXPECT_TRUE(script->forms.empty() || script->forms[0].pair == pair) << slot;
  }
}

TEST_F(ChannelEditingTest, DoubleClickFollowsTheDialogsNextAndBack) {
  const std::tuple<int, QList<int>, QList<int>> cases[] = {
      {1299, {NavigateNext, NavigateNext}, {1299, 1300, 1301}},
      {1303, {NavigateBack, NavigateBack}, {1303, 1301, 1300}},
      {1700, {NavigateNext}, {1700}}};
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  QTableView* view = grid(*window);
  for (const auto& [slot, requested, opened] : cases) {
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
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(openedRows(), opened) << slot;
    EXPECT_EQ(view->currentIndex().row(), opened.back() - 1) << slot;
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
