#include "pages/bank_page.h"

#include "codec/bank_links_area.h"
#include "pages/fake_page_host.h"
#include "pages/group_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTableWidget>

namespace rqm27 {
namespace {

using testing::Banks;
using testing::Find;

class BankPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.addView(&page);
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
  }

  QLineEdit* box(int bank) { return Find<QLineEdit>(page, "Text1", bank); }
  QSlider* slider(int bank) { return Find<QSlider>(page, "Slider1", bank); }
  QLineEdit* total() { return Find<QLineEdit>(page, "Total_Mem"); }
  void setTable(const BankTable& table) {
    host.change([&](CloneImage& image) { image.banks = table; });
  }
  const BankTable& table() const { return host.image().banks; }

  testing::FakePageHost host;
  BankPage page{host};
};

TEST_F(BankPageTest, TotalIsTheSumOfTheCountsAndGuardsTheWrite) {
  BankTable lowBank3 = BankTable::Defaults();
  lowBank3.counts[3] = 99;
  // Bank 0 beyond the sliders in the third.
  for (const auto& [table, sum, consistent] :
       {std::tuple{BankTable::Defaults(), "1200", true}, std::tuple{lowBank3, "1199", false},
        std::tuple{Banks({{0, 5000}, {3, 100}}), "5100", false},
        std::tuple{Banks({{49, 1200}}), "1200", true}}) {
    SCOPED_TRACE(sum);
    setTable(table);
    EXPECT_EQ(total()->text(), sum);
    EXPECT_EQ(total()->palette().color(QPalette::Text) == QColor(255, 0, 0), !consistent);
    for (int bank : {0, 3, 49}) {
      EXPECT_EQ(box(bank)->text(), QString::number(table.counts[bank])) << bank;
      EXPECT_EQ(slider(bank)->value(), std::min(table.counts[bank], 1200)) << bank;
    }
    host.transfers = 0;
    testing::Click(page, "WRITE_BANK");
    EXPECT_EQ(host.transfers, consistent ? 1 : 0);
  }
}

TEST_F(BankPageTest, BoxTakesDigitsAndAppliesOnEnterOrWhenLeft) {
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
    QLineEdit* edited = box(7);
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
  testing::Click(page, "BANK_UP_0");
  box(4)->setFocus();
  slider(4)->setFocus();  // leaving an unchanged box is no edit either
  box(5)->setFocus();
  EXPECT_EQ(host.edits, 0);
  EXPECT_EQ(page.selectedBank(), 4);

  slider(20)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(box(20)->text(), "1");
  slider(12)->setFocus();
  testing::Click(page, "BANK_UP_1");
  EXPECT_EQ(table().counts[12], 0) << "Down at 0";
  testing::Click(page, "BANK_UP_0");
  EXPECT_EQ(slider(12)->value(), 1);
  EXPECT_EQ(total()->text(), "1202");

  setTable(Banks({{30, 1200}}));
  slider(30)->setFocus();
  testing::Click(page, "BANK_UP_0");
  EXPECT_EQ(table().counts[30], 1200) << "Up at 1200";
  testing::Click(page, "BANK_UP_1");
  EXPECT_EQ(table().counts[30], 1199);

  testing::Click(page, "Bank_Clear");  // reset: twelve banks of a hundred
  for (int bank = 0; bank < 50; ++bank) EXPECT_EQ(table().counts[bank], bank < 12 ? 100 : 0);
  EXPECT_EQ(box(30)->text(), "0");
}

TEST_F(BankPageTest, ReadAndWriteTheReceiversTable) {
  // Bank 0 with all 1200 channels (B0 04), banks 1-11 with none.
  host.simulator().feed("ZT~F00200W" + QByteArray("B004") + QByteArray(44, '0') + "\r");
  testing::Click(page, "READ_BANK");
  EXPECT_EQ(table(), Banks({{0, 1200}}));
  EXPECT_EQ(box(1)->text(), "0");

  setTable(Banks({{1, 300}, {3, 900}}));
  testing::Click(page, "WRITE_BANK");
  QByteArray expected(100, '\0');
  expected.replace(2, 2, QByteArray::fromHex("2c01"));
  expected.replace(6, 2, QByteArray::fromHex("8403"));
  EXPECT_EQ(host.simulator().memory().mid(0x200, 100).toHex(), expected.toHex());
  EXPECT_EQ(host.messages, testing::Said(" Finish", "Success", 2));

  host.variant = Variant::E;  // the receiver refuses the identification
  testing::Click(page, "READ_BANK");
  EXPECT_EQ(table(), Banks({{1, 300}, {3, 900}}));
  EXPECT_EQ(host.messages.at(2).icon, MessageIcon::None) << "the bank page fails without an icon";
}

TEST_F(BankPageTest, BankLinkOpensTheGroupWindowOnlyForAConsistentTable) {
  setTable(Banks({{0, 1199}}));
  testing::Click(page, "GROUP_SET");
  EXPECT_EQ(Find<GroupWindow>(page, "Form5"), nullptr);

  setTable(BankTable::Defaults());
  testing::Click(page, "GROUP_SET");
  auto* window = Find<GroupWindow>(page, "Form5");
  ASSERT_TRUE(window && window->isVisible() && window->isModal());
  EXPECT_EQ(host.lockable, std::vector<QWidget*>{window});

  // A click shows at once; OK puts it into the image.
  auto* grid = Find<QTableWidget>(*window, "MSFlexGrid1");
  QTableWidgetItem* cell = grid->item(GroupWindow::GroupRow(4), GroupWindow::BankColumn(2));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(cell).center());
  EXPECT_EQ(cell->background().color(), QColor(0, 0, 128));
  testing::Click(*window, "Command2");
  EXPECT_TRUE(IsGroupMember(host.image().bankLinks[4], 2));
}

TEST(ConfirmBankTotalTest, AsksOnlyForAWrongTotalAndResetsOnOk) {
  const BankTable wrong = Banks({{0, 1199}}), right = Banks({{0, 1200}});
  // table, answer, asked, leave, table after
  for (const auto& [table, answer, asks, leave, after] :
       {std::tuple{right, false, false, true, right}, std::tuple{wrong, false, true, false, wrong},
        std::tuple{wrong, true, true, true, BankTable::Defaults()}}) {
    testing::FakePageHost host;
    host.mutableImage().banks = table;
    bool asked = false;
    EXPECT_EQ(ConfirmBankTotal(host, [&, answer = answer] { return asked = true, answer; }), leave);
    EXPECT_EQ(asked, asks);
    EXPECT_EQ(host.image().banks, after);
  }
}

}  // namespace
}  // namespace rqm27
