#include "app/compare_window.h"

#include "app/window_fixture.h"
#include "files/image_file.h"
#include "grid/channel_grid_view.h"
#include "support/sample_image.h"

#include "model/channel_name.h"
#include "support/qstring_print.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace rqm27 {
namespace {

QStringList ListedTexts(const QListWidget& list) {
  QStringList texts;
  for (int row = 0; row < list.count(); ++row) texts << list.item(row)->text();
  return texts;
}

// A document holding a channel in slot 104 (Bank01-003 in the start-up bank table) and a
// window comparing it, with the places the window asked to go to.
class CompareWindowTest : public ::testing::Test {
 protected:
  CompareWindowTest() {
    ChannelSlot& channel = document_.slot(104);
    channel.used = true;
    channel.frequency = 14500000;
    channel.name = NameFromText(u"CALL");
    QObject::connect(&window_, &CompareWindow::goTo,
                     [this](DiffArea area, int place) { visited_.emplace_back(area, place); });
  }

  QListWidget& list() { return *window_.findChild<QListWidget*>("differenceList"); }
  QString caption() { return window_.findChild<QLabel*>("differenceCaption")->text(); }

  CloneImage document_ = StartupImage();
  CompareWindow window_{[this]() -> const CloneImage& { return document_; }};
  std::vector<std::pair<DiffArea, int>> visited_;
};

TEST_F(CompareWindowTest, ListsTheDifferencesInReadingOrderAndGoesToTheActivatedOne) {
  CloneImage other = document_;
  other.banks.counts[12] = 5;
  other.slot(104).frequency = 14502000;
  window_.compare(document_, other, QStringLiteral("/backups/backup.bin"));
  window_.show();

  EXPECT_EQ(caption(), "2 differences between the open channels and backup.bin");
  EXPECT_EQ(ListedTexts(list()),
            QStringList({"Bank01-003 (slot 104): Frequency 145.00000MHz -> 145.02000MHz",
                         "Bank12: 0 -> 5 channels"}));
  EXPECT_EQ(window_.focusWidget(), &list());

  // Enter on the first line, which is current when the window opens; a double-click on the second.
  QTest::keyClick(&list(), Qt::Key_Return);
  const QRect second = list().visualItemRect(list().item(1));
  // A view takes a double-click only on the line the press before it was on.
  QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, second.center());
  QTest::mouseDClick(list().viewport(), Qt::LeftButton, {}, second.center());
  const std::vector<std::pair<DiffArea, int>> expected{{DiffArea::Channel, 104},
                                                       {DiffArea::Bank, 12}};
  EXPECT_EQ(visited_, expected);

  QTest::keyClick(&list(), Qt::Key_Escape);
  EXPECT_FALSE(window_.isVisible());
}

TEST_F(CompareWindowTest, RefreshComparesTheDocumentAsItIsNow) {
  const CloneImage file = document_;
  window_.compare(document_, file, QStringLiteral("same.json"));
  EXPECT_EQ(caption(), "No differences: the open channels and same.json are the same");
  EXPECT_EQ(list().count(), 0);

  document_.slot(104).clear();
  window_.findChild<QPushButton*>("refreshButton")->click();
  EXPECT_EQ(caption(), "1 difference between the open channels and same.json");
  EXPECT_EQ(ListedTexts(list()),
            QStringList({"Bank01-003 (slot 104): added 145.00000MHz FM \"CALL\""}));
}

// File, Compare with: the differences with the chosen file, and Enter on one goes to its row.
class CompareInWindow : public testing::WindowTest {};

TEST_F(CompareInWindow, ListsTheFileDifferencesAndGoesToTheChannel) {
  CloneImage other = StartupImage();
  other.slot(250) = testing::SampleChannel(14500000, QStringLiteral("OTHER"));
  ASSERT_TRUE(SaveImageFile(path("other.json"), other, {}).ok());
  script->openPaths = {path("other.json")};
  auto window = makeWindow();
  trigger(*window, "compareItem");
  auto* list = find<QListWidget>(*window, "differenceList");
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 1);
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(find<ChannelGridView>(*window, "channelGrid")->selectedSlotList(), QList<int>{250});
}

}  // namespace
}  // namespace rqm27
