// The Bank page and the bank-link window it opens.
#include "pages/bank_page.h"
#include "pages/group_window.h"

#include "codec/bank_links_area.h"
#include "pages/fake_page_host.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTableWidget>

#include <functional>

namespace rqm27 {
namespace {

using testing::Banks;

class BankPageTest : public testing::PageTest<BankPage> {
 protected:
  void SetUp() override { activate(); }

  QLineEdit* edit(int bank) { return find<QLineEdit>("bankCountEdit", bank); }
  QSlider* slider(int bank) { return find<QSlider>("bankCountSlider", bank); }
  QLineEdit* total() { return find<QLineEdit>("bankTotal"); }
  void setTable(const BankTable& table) {
    change([&](CloneImage& image) { image.banks = table; });
  }
  const BankTable& table() const { return image().banks; }
};

// While the counts do not add up to 1200 the total shows red, and Write and Bank-Link do nothing.
TEST_F(BankPageTest, TotalIsTheSumOfTheCountsAndGuardsWriteAndBankLink) {
  BankTable lowBank3 = BankTable::Defaults();
  lowBank3.counts[3] = 99;
  // Bank 0 beyond the sliders' reach in the third.
  for (const auto& [table, sum, consistent] :
       {std::tuple{BankTable::Defaults(), "1200", true}, std::tuple{lowBank3, "1199", false},
        std::tuple{Banks({{0, 5000}, {3, 100}}), "5100", false},
        std::tuple{Banks({{49, 1200}}), "1200", true}}) {
    SCOPED_TRACE(sum);
    setTable(table);
    EXPECT_EQ(total()->text(), sum);
    EXPECT_EQ(total()->palette().color(QPalette::Text) == QColor(255, 0, 0), !consistent);
    for (int bank : {0, 3, 49}) {
      EXPECT_EQ(edit(bank)->text(), QString::number(table.counts[bank])) << bank;
      EXPECT_EQ(slider(bank)->value(), std::min(table.counts[bank], 1200)) << bank;
    }
    const int commands = host.simulator().commandCount();
    click("writeTableButton");
    EXPECT_EQ(host.simulator().commandCount() > commands, consistent);
    click("groupWindowButton");
    auto* groups = find<GroupWindow>("groupWindow");
    EXPECT_EQ(groups && groups->isVisible() && groups->isModal(), consistent);
    if (groups) groups->close();
  }
}

TEST_F(BankPageTest, EditTakesDigitsAndAppliesOnEnterOrWhenLeft) {
  const struct {
    QString text;
    bool pasted, enter;
    int count;
  } cases[] = {
      {"7a5", false, true, 75},    {"1500", false, true, 1500},
      {"1500", false, false, 100}, {"1200", false, false, 1200},
      {"12x5", true, false, 125},  {"12x5", true, true, 12},
      {"", false, false, 0},       {"0099999999999", false, false, 100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    setTable(BankTable::Defaults());
    QLineEdit* edited = edit(7);
    edited->setFocus();
    edited->selectAll();
    QTest::keyClick(edited, Qt::Key_Backspace);
    QGuiApplication::clipboard()->setText(c.text);
    c.pasted ? QTest::keySequence(edited, QKeySequence::Paste) : QTest::keyClicks(edited, c.text);
    EXPECT_EQ(table().counts[7], 100) << "nothing applies while typing";
    c.enter ? QTest::keyClick(edited, Qt::Key_Return) : slider(0)->setFocus();
    EXPECT_EQ(edited->text(), QString::number(c.count));
    EXPECT_EQ(table().counts[7], c.count);
    EXPECT_EQ(total()->text(), QString::number(1100 + c.count));
    slider(0)->setFocus();
  }
}

TEST_F(BankPageTest, SliderAndUpDownEditTheBankWhoseSliderHadTheFocus) {
  click("stepUpButton");
  edit(4)->setFocus();
  slider(4)->setFocus();  // leaving an unchanged edit is no edit either
  edit(5)->setFocus();
  EXPECT_EQ(host.edits, 0);
  EXPECT_EQ(page.selectedBank(), 4);

  slider(20)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(edit(20)->text(), "1");
  slider(12)->setFocus();
  click("stepDownButton");
  EXPECT_EQ(table().counts[12], 0) << "Down at 0";
  click("stepUpButton");
  EXPECT_EQ(slider(12)->value(), 1);
  EXPECT_EQ(total()->text(), "1202");

  setTable(Banks({{30, 1200}}));
  slider(30)->setFocus();
  click("stepUpButton");
  EXPECT_EQ(table().counts[30], 1200) << "Up at 1200";
  click("stepDownButton");
  EXPECT_EQ(table().counts[30], 1199);

  click("resetTableButton");  // twelve banks of a hundred
  for (int bank = 0; bank < 50; ++bank) EXPECT_EQ(table().counts[bank], bank < 12 ? 100 : 0);
  EXPECT_EQ(edit(30)->text(), "0");
}

const QColor Blue(0, 0, 128), Grey(128, 128, 128), Black(0, 0, 0);

BankLinkGroup Record(std::initializer_list<std::uint8_t> bytes) {
  BankLinkGroup record{};
  std::copy(bytes.begin(), bytes.end(), record.begin());
  return record;
}

class GroupWindowTest : public testing::PageTest<GroupWindow> {
 protected:
  // Banks 0-10 with 100 channels, 11 and 49 with 50; banks 12-48 hold none.
  GroupWindowTest() {
    change([](CloneImage& image) { image.banks.counts[11] = image.banks.counts[49] = 50; });
    page.show();
  }

  QTableWidgetItem* cell(int group, int bank) const {
    return grid->item(GroupWindow::GroupRow(group), GroupWindow::BankColumn(bank));
  }
  QColor background(int group, int bank) const { return cell(group, bank)->background().color(); }
  void clickAt(QTableWidgetItem* item) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(item).center());
  }
  void setLinks(const BankLinks& links) {
    change([&](CloneImage& image) { image.bankLinks = links; });
  }
  const BankLinks& links() const { return image().bankLinks; }

  QTableWidget* grid = find<QTableWidget>("groupGrid");
};

// A cell is blue for a member, black for a bank that is not, grey for a bank without channels.
// What OK and Write keep, CollectGroups makes of the copy.
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
  click("writeGroupsButton");  // keeps the copy, as OK does, before writing it
  EXPECT_EQ(links()[2], Record({0, 0, 0, 0, 0, 0, 0x40}));

  click("clearGroupsButton");
  EXPECT_EQ(background(2, 49), Black);
  click("okButton");
  EXPECT_EQ(links(), DefaultBankLinks());
  EXPECT_FALSE(page.isVisible());
}

// Cancel, Esc and the close box drop what was clicked and cleared; a Read replaces it.
TEST_F(GroupWindowTest, EditsAreDroppedUnlessKept) {
  BankLinks data = DefaultBankLinks();
  data[4] = Record({0x10});  // bank 3
  setLinks(data);
  const std::function<void()> drops[] = {[&] { click("cancelButton"); },
                                         [&] { QTest::keyClick(&page, Qt::Key_Escape); },
                                         [&] { page.close(); }};
  for (const auto& drop : drops) {
    page.show();
    clickAt(cell(0, 0));
    click("clearGroupsButton");
    drop();
    EXPECT_FALSE(page.isVisible());
    EXPECT_EQ(links(), data);
    page.show();
    EXPECT_EQ(background(4, 3), Blue);
    EXPECT_EQ(background(0, 0), Black);
  }
  EXPECT_EQ(host.edits, 0);

  QByteArray memory = host.simulator().memory();
  host.setReceiverMemory(memory.replace(0x100, 88, EncodeBankLinks(data)));
  clickAt(cell(4, 3));
  click("readGroupsButton");
  EXPECT_EQ(background(4, 3), Blue) << "the receiver's groups, as the image held them already";
}

}  // namespace
}  // namespace rqm27
