#include "pages/group_window.h"

#include "codec/bank_links_area.h"
#include "pages/fake_page_host.h"

#include <QTableWidget>

#include <functional>

namespace rqm27 {
namespace {

const QColor Blue(0, 0, 128), Grey(128, 128, 128), Black(0, 0, 0);

BankLinkGroup Record(std::initializer_list<std::uint8_t> bytes) {
  BankLinkGroup record{};
  std::copy(bytes.begin(), bytes.end(), record.begin());
  return record;
}

class GroupWindowTest : public ::testing::Test {
 protected:
  // Banks 0-10 with 100 channels, 11 and 49 with 50; banks 12-48 hold none.
  GroupWindowTest() {
    host.addView(&window);
    host.change([](CloneImage& image) { image.banks.counts[11] = image.banks.counts[49] = 50; });
    window.show();
  }

  QTableWidgetItem* cell(int group, int bank) const {
    return grid->item(GroupWindow::GroupRow(group), GroupWindow::BankColumn(bank));
  }
  QColor background(int group, int bank) const { return cell(group, bank)->background().color(); }
  void clickAt(QTableWidgetItem* item) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(item).center());
  }
  void setLinks(const BankLinks& links) {
    host.change([&](CloneImage& image) { image.bankLinks = links; });
  }
  const BankLinks& links() const { return host.image().bankLinks; }

  testing::FakePageHost host;
  GroupWindow window{host};
  QTableWidget* grid = testing::Find<QTableWidget>(window, "MSFlexGrid1");
};

TEST_F(GroupWindowTest, CellsShowMembershipOfBanksWithChannels) {
  EXPECT_EQ(host.lockable, std::vector<QWidget*>{&window});
  EXPECT_EQ(grid->item(10, 0)->text(), "GroupB");
  for (const auto& [column, header] : {std::pair(11, ""), std::pair(12, "0"), std::pair(54, "9")}) {
    EXPECT_EQ(grid->horizontalHeaderItem(column)->text(), header) << column;
  }
  BankLinks data = DefaultBankLinks();
  data[3] = Record({0, 0, 0, 0, 0, 0, 0x40});         // 0000000000004000: bank 49
  data[7] = Record({0, 0x08, 0, 0, 0, 0, 0, 0x3F});   // bank 12 (no channels), tail bits
  data[10] = Record({0x40, 0, 0, 0, 0, 0, 0, 0x80});  // bank 1, with its tail
  setLinks(data);
  const struct {
    int group, bank;
    QColor colour;
  } cases[] = {{3, 49, Blue}, {3, 48, Grey},  {3, 11, Black}, {7, 12, Grey},
               {10, 1, Blue}, {10, 0, Black}, {10, 49, Black}};
  for (const auto& c : cases) {
    EXPECT_EQ(background(c.group, c.bank), c.colour) << "group " << c.group << " bank " << c.bank;
  }
}

TEST_F(GroupWindowTest, ClickingTogglesBanksWithChannelsOnlyAndClearTakesAllOut) {
  clickAt(cell(2, 5));
  clickAt(cell(2, 49));
  EXPECT_EQ(background(2, 5), Blue);
  clickAt(cell(2, 5));
  clickAt(cell(2, 20));                        // no channels
  clickAt(grid->item(cell(2, 0)->row(), 0));   // the group name
  clickAt(grid->item(cell(2, 0)->row(), 11));  // between two blocks
  EXPECT_EQ(background(2, 5), Black);
  EXPECT_EQ(background(2, 20), Grey);
  EXPECT_EQ(host.edits, 0) << "the window edits a copy until OK";
  testing::Click(window, "Command2");
  EXPECT_EQ(links()[2], Record({0, 0, 0, 0, 0, 0, 0x40}));

  window.show();
  testing::Click(window, "Command1");
  EXPECT_EQ(background(2, 49), Black);
  testing::Click(window, "Command2");
  EXPECT_EQ(links(), DefaultBankLinks());
}

// Cancel, Esc and the close box drop what was clicked and cleared; a Read replaces it.
TEST_F(GroupWindowTest, EditsAreDroppedUnlessKept) {
  auto* cancel = testing::Find<QAbstractButton>(window, "GROUP_CANCEL");
  ASSERT_NE(cancel, nullptr);
  BankLinks data = DefaultBankLinks();
  data[4] = Record({0x10});  // bank 3
  setLinks(data);
  const std::function<void()> drops[] = {[&] { cancel->click(); },
                                         [&] { QTest::keyClick(&window, Qt::Key_Escape); },
                                         [&] { window.close(); }};
  for (const auto& drop : drops) {
    window.show();
    clickAt(cell(0, 0));
    testing::Click(window, "Command1");
    drop();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(links(), data);
    window.show();
    EXPECT_EQ(background(4, 3), Blue);
    EXPECT_EQ(background(0, 0), Black);
  }
  EXPECT_EQ(host.edits, 0);

  host.setReceiverMemory([&] {
    QByteArray memory = host.simulator().memory();
    memory.replace(0x100, 88, EncodeBankLinks(data));
    return memory;
  }());
  clickAt(cell(4, 3));
  testing::Click(window, "GROUP_READ");
  EXPECT_EQ(background(4, 3), Blue) << "the receiver's groups, as the image held them already";
}

TEST_F(GroupWindowTest, OkCollectsWithFixedTailsAndCloses) {
  BankLinks data{};                                     // record 10 lacks its tail
  data[0] = Record({0x80, 0, 0, 0, 0, 0, 0x3F, 0xFF});  // bank 0 and stray bits 50-63
  data[5] = Record({0, 0x08, 0, 0, 0, 0, 0x40, 0});     // bank 12 (no channels) and bank 49
  setLinks(data);
  testing::Click(window, "Command2");
  BankLinks expected{};
  expected[0] = Record({0x80});
  expected[5] = Record({0, 0, 0, 0, 0, 0, 0x40});
  expected[10] = Record({0, 0, 0, 0, 0, 0, 0, 0x80});
  EXPECT_EQ(links(), expected);
  EXPECT_FALSE(window.isVisible());
}

TEST_F(GroupWindowTest, ReadShowsAndWriteCollectsTheReceiversGroups) {
  host.simulator().feed("ZT~F00130W2000000000000000\r");  // group 6: bank 2
  testing::Click(window, "GROUP_READ");
  EXPECT_EQ(background(6, 2), Blue);

  BankLinks data = DefaultBankLinks();
  data[9] = Record({0, 0x08});  // bank 12 holds no channels: dropped
  setLinks(data);
  clickAt(cell(1, 0));
  clickAt(cell(1, 49));
  testing::Click(window, "GROUP_WRITE");
  QByteArray expected(88, '\0');
  expected[8] = char(0x80);
  expected[8 + 6] = char(0x40);
  expected[87] = char(0x80);
  EXPECT_EQ(host.simulator().memory().mid(0x100, 88).toHex(), expected.toHex());
  EXPECT_EQ(links()[9], BankLinkGroup{});
  EXPECT_EQ(host.messages, testing::Said("Complete", "Complete", 2));
}

}  // namespace
}  // namespace rqm27
