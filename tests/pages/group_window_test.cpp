#include "pages/group_window.h"

#include "codec/bank_links.h"
#include "pages/fake_page_host.h"

#include <QAbstractButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

// The console palette the cells are painted in.
const QColor Blue(0, 0, 128);
const QColor Grey(128, 128, 128);
const QColor Black(0, 0, 0);

GroupRecord Record(std::initializer_list<std::uint8_t> bytes) {
  GroupRecord record{};
  std::copy(bytes.begin(), bytes.end(), record.begin());
  return record;
}

// Banks 0-10 with 100 channels, 11 and 49 with 50; banks 12-48 hold none.
CloneImage ImageWithBank49() {
  CloneImage image = StartupImage();
  image.banks.counts[11] = 50;
  image.banks.counts[49] = 50;
  return image;
}

class GroupWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.addView(&window);
    window.show();
  }

  QTableWidgetItem* cell(int group, int bank) const {
    return grid->item(GroupWindow::GroupRow(group), GroupWindow::BankColumn(bank));
  }
  QColor background(int group, int bank) const { return cell(group, bank)->background().color(); }
  void clickAt(int row, int column) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(row, column)).center());
  }
  void clickCell(int group, int bank) {
    clickAt(GroupWindow::GroupRow(group), GroupWindow::BankColumn(bank));
  }
  void click(const char* name) { window.findChild<QAbstractButton*>(name)->click(); }
  void setLinks(const BankLinkData& links) {
    host.mutableImage().bankLinks = links;
    host.showEverywhere();
  }
  const BankLinkData& links() const { return host.image().bankLinks; }

  testing::FakePageHost host{ImageWithBank49()};
  GroupWindow window{host};
  QTableWidget* grid = window.findChild<QTableWidget*>("MSFlexGrid1");
};

TEST_F(GroupWindowTest, GridNamesGroupsAndSeparatesBlocksOfTen) {
  EXPECT_EQ(host.lockable, std::vector<QWidget*>{&window});
  ASSERT_EQ(grid->columnCount(), 55);
  EXPECT_EQ(grid->item(9, 0)->text(), "Group9");
  EXPECT_EQ(grid->item(10, 0)->text(), "GroupB");
  const std::pair<int, QString> headers[] = {{1, "0"},  {10, "9"}, {11, ""}, {12, "0"},
                                             {37, "3"}, {38, "4"}, {44, ""}, {54, "9"}};
  for (const auto& [column, header] : headers) {
    EXPECT_EQ(grid->horizontalHeaderItem(column)->text(), header) << column;
  }
}

TEST_F(GroupWindowTest, CellsShowMembershipOfBanksWithChannels) {
  BankLinkData data = DefaultBankLinks();
  data[0] = Record({0x80});                           // 8000000000000000: bank 0
  data[3] = Record({0, 0, 0, 0, 0, 0, 0x40});         // 0000000000004000: bank 49
  data[7] = Record({0, 0x08, 0, 0, 0, 0, 0, 0x3F});   // bank 12 (no channels), tail bits
  data[10] = Record({0x40, 0, 0, 0, 0, 0, 0, 0x80});  // bank 1, with its tail
  setLinks(data);
  const struct {
    int group;
    int bank;
    QColor colour;
  } cases[] = {
      {0, 0, Blue},  {0, 1, Black}, {3, 49, Blue}, {3, 48, Grey},  {3, 11, Black},
      {7, 12, Grey}, {7, 13, Grey}, {10, 1, Blue}, {10, 0, Black}, {10, 49, Black},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(background(c.group, c.bank), c.colour) << "group " << c.group << " bank " << c.bank;
  }
}

TEST_F(GroupWindowTest, ClickingTogglesBanksWithChannelsOnly) {
  clickCell(2, 5);
  clickCell(2, 49);
  EXPECT_EQ(links()[2], Record({0x04, 0, 0, 0, 0, 0, 0x40}));
  EXPECT_EQ(background(2, 5), Blue);

  clickCell(2, 5);
  clickCell(2, 49);
  clickCell(2, 20);  // no channels
  clickAt(2, 0);     // the group name
  clickAt(2, 11);    // between two blocks
  EXPECT_EQ(links(), DefaultBankLinks());
  EXPECT_EQ(background(2, 5), Black);
  EXPECT_EQ(background(2, 20), Grey);
  EXPECT_EQ(host.edits, 4);
}

TEST_F(GroupWindowTest, OkCollectsWithFixedTailsAndCloses) {
  BankLinkData data{};                                  // record 10 lacks its tail
  data[0] = Record({0x80, 0, 0, 0, 0, 0, 0x3F, 0xFF});  // bank 0 and stray bits 50-63
  data[5] = Record({0, 0x08, 0, 0, 0, 0, 0x40, 0});     // bank 12 (no channels) and bank 49
  setLinks(data);

  click("Command2");

  BankLinkData expected{};
  expected[0] = Record({0x80});
  expected[5] = Record({0, 0, 0, 0, 0, 0, 0x40});
  expected[10] = Record({0, 0, 0, 0, 0, 0, 0, 0x80});
  EXPECT_EQ(links(), expected);
  EXPECT_FALSE(window.isVisible());
}

TEST_F(GroupWindowTest, ClearTakesEveryBankOut) {
  setLinks(BankLinkData{Record({0xFF, 0xFF})});
  click("Command1");
  EXPECT_EQ(links(), DefaultBankLinks());
  EXPECT_EQ(background(0, 3), Black);
}

TEST_F(GroupWindowTest, ReadShowsTheReceiversGroups) {
  host.simulator().feed("ZT~F00130W2000000000000000\r");  // group 6: bank 2
  click("GROUP_READ");
  EXPECT_TRUE(IsGroupMember(links()[6], 2));
  EXPECT_EQ(background(6, 2), Blue);
  EXPECT_EQ(host.recorded().messages.at(0), Notice("Complete", "Complete"));
}

TEST_F(GroupWindowTest, WriteCollectsThenWritesTheRecords) {
  BankLinkData data = DefaultBankLinks();
  data[9] = Record({0, 0x08});  // bank 12 holds no channels: dropped
  setLinks(data);
  clickCell(1, 0);
  clickCell(1, 49);

  click("GROUP_WRITE");

  QByteArray expected(88, '\0');
  expected[8] = char(0x80);
  expected[8 + 6] = char(0x40);
  expected[87] = char(0x80);
  EXPECT_EQ(host.simulator().memory().mid(0x100, 88).toHex(), expected.toHex());
  EXPECT_EQ(links()[9], GroupRecord{});
  EXPECT_EQ(host.recorded().messages.at(0), Notice("Complete", "Complete"));
}

}  // namespace
}  // namespace rqm27
