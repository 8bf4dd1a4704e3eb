#include "pages/bank_page.h"

#include "codec/bank_links.h"
#include "pages/fake_page_host.h"
#include "pages/group_window.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

const QColor Red(255, 0, 0);

BankTable TableOf(std::initializer_list<std::pair<int, int>> counts) {
  BankTable table;
  for (const auto& [bank, count] : counts) table.counts[bank] = count;
  return table;
}

class BankPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.addView(&page);
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
  }

  template <class Widget = QWidget>
  Widget* find(const QString& name) {
    return page.findChild<Widget*>(name);
  }
  QLineEdit* box(int bank) { return find<QLineEdit>(QStringLiteral("Text1_%1").arg(bank)); }
  QSlider* slider(int bank) { return find<QSlider>(QStringLiteral("Slider1_%1").arg(bank)); }
  QLineEdit* total() { return find<QLineEdit>(QStringLiteral("Total_Mem")); }
  bool totalIsRed() { return total()->palette().color(QPalette::Text) == Red; }
  void click(const char* name) { find<QAbstractButton>(QString::fromLatin1(name))->click(); }

  void setTable(const BankTable& table) {
    host.mutableImage().banks = table;
    host.showEverywhere();
  }
  const BankTable& table() const { return host.image().banks; }

  testing::FakePageHost host;
  BankPage page{host};
};

TEST_F(BankPageTest, TotalIsTheSumOfTheCountsAndGuardsTheWrite) {
  BankTable lowBank3 = BankTable::Defaults();
  lowBank3.counts[3] = 99;
  const struct {
    const char* name;
    BankTable table;
    QString total;
    bool consistent;
  } cases[] = {
      {"defaults", BankTable::Defaults(), "1200", true},
      {"one bank at 99", lowBank3, "1199", false},
      {"a count beyond the sliders", TableOf({{0, 5000}, {3, 100}}), "5100", false},
      {"all in bank 49", TableOf({{49, 1200}}), "1200", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    setTable(c.table);
    EXPECT_EQ(total()->text(), c.total);
    EXPECT_EQ(totalIsRed(), !c.consistent);
    EXPECT_EQ(find("WRITE_BANK")->isEnabled(), c.consistent);
    for (int bank : {0, 3, 49}) {
      EXPECT_EQ(box(bank)->text(), QString::number(c.table.counts[bank])) << bank;
      EXPECT_EQ(slider(bank)->value(), std::min(c.table.counts[bank], 1200)) << bank;
    }
    click("WRITE_BANK");
    EXPECT_EQ(host.transfers, c.consistent ? 1 : 0);
    host.transfers = 0;
  }
}

TEST_F(BankPageTest, MovingASliderEditsTheCount) {
  slider(20)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(table().counts[20], 1);
  EXPECT_EQ(box(20)->text(), "1");
  EXPECT_EQ(total()->text(), "1201");
  EXPECT_TRUE(totalIsRed());
}

TEST_F(BankPageTest, BoxTakesDigitsAndAppliesOnEnterOrWhenLeft) {
  enum Entry { Typed, Pasted };
  enum Finish { Enter, Leave };
  const struct {
    QString text;
    Entry entry;
    Finish finish;
    int count;
  } cases[] = {
      {"7a5", Typed, Enter, 75},    {"0042", Typed, Enter, 42},
      {"1500", Typed, Enter, 1500}, {"1500", Typed, Leave, 100},
      {"1200", Typed, Leave, 1200}, {"12x5", Pasted, Leave, 125},
      {"12x5", Pasted, Enter, 12},  {"x", Pasted, Leave, 0},
      {"", Typed, Leave, 0},        {"0099999999999", Typed, Leave, 100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    setTable(BankTable::Defaults());
    QLineEdit* edited = box(7);
    edited->setFocus();
    edited->selectAll();
    QTest::keyClick(edited, Qt::Key_Backspace);
    if (c.entry == Typed) {
      QTest::keyClicks(edited, c.text);
    } else {
      QGuiApplication::clipboard()->setText(c.text);
      QTest::keySequence(edited, QKeySequence::Paste);
    }
    EXPECT_EQ(table().counts[7], 100) << "nothing applies while typing";
    if (c.finish == Enter) {
      QTest::keyClick(edited, Qt::Key_Return);
    } else {
      slider(0)->setFocus();
    }
    EXPECT_EQ(edited->text(), QString::number(c.count));
    EXPECT_EQ(table().counts[7], c.count);
    EXPECT_EQ(total()->text(), QString::number(1100 + c.count));
    slider(0)->setFocus();
  }
}

TEST_F(BankPageTest, UpAndDownActOnTheBankWhoseSliderHadTheFocus) {
  click("BANK_UP_0");
  click("BANK_UP_1");
  box(4)->setFocus();
  slider(4)->setFocus();  // leaving an unchanged box is no edit either
  box(5)->setFocus();
  EXPECT_EQ(host.edits, 0);

  EXPECT_EQ(page.selectedBank(), 4);
  slider(12)->setFocus();
  click("BANK_UP_1");
  EXPECT_EQ(table().counts[12], 0) << "Down at 0";
  click("BANK_UP_0");
  EXPECT_EQ(table().counts[12], 1);
  EXPECT_EQ(slider(12)->value(), 1);
  EXPECT_EQ(total()->text(), "1201");

  setTable(TableOf({{5, 1200}}));
  slider(5)->setFocus();
  click("BANK_UP_0");
  EXPECT_EQ(table().counts[5], 1200) << "Up at 1200";
  click("BANK_UP_1");
  EXPECT_EQ(table().counts[5], 1199);
}

TEST_F(BankPageTest, ResetGivesTheDefaultTable) {
  setTable(TableOf({{0, 7}, {30, 900}}));
  click("Bank_Clear");
  EXPECT_EQ(table(), TableOf({{0, 100},
                              {1, 100},
                              {2, 100},
                              {3, 100},
                              {4, 100},
                              {5, 100},
                              {6, 100},
                              {7, 100},
                              {8, 100},
                              {9, 100},
                              {10, 100},
                              {11, 100}}));
  EXPECT_EQ(box(30)->text(), "0");
}

TEST_F(BankPageTest, ReadTakesTheReceiversTableAndFailsWithoutIcon) {
  // Bank 0 with all 1200 channels (B0 04), banks 1-11 with none.
  host.simulator().feed("ZT~F00200W" + QByteArray("B004") + QByteArray(44, '0') + "\r");
  click("READ_BANK");
  EXPECT_EQ(table(), TableOf({{0, 1200}}));
  EXPECT_EQ(box(0)->text(), "1200");
  EXPECT_EQ(box(1)->text(), "0");

  host.variant = Variant::E;  // the receiver refuses the identification
  setTable(BankTable::Defaults());
  click("READ_BANK");
  EXPECT_EQ(table(), BankTable::Defaults());

  const auto& messages = host.recorded().messages;
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], Notice(" Finish", "Success"));
  EXPECT_EQ(messages[1].title, " Error");
  EXPECT_EQ(messages[1].icon, MessageIcon::None);
}

TEST_F(BankPageTest, WritePutsTheCountsAtTheBankTable) {
  setTable(TableOf({{1, 300}, {3, 900}}));
  click("WRITE_BANK");
  QByteArray expected(100, '\0');
  expected.replace(2, 2, QByteArray::fromHex("2c01"));
  expected.replace(6, 2, QByteArray::fromHex("8403"));
  EXPECT_EQ(host.simulator().memory().mid(0x200, 100).toHex(), expected.toHex());
  EXPECT_EQ(host.recorded().messages.at(0), Notice(" Finish", "Success"));
}

TEST_F(BankPageTest, BankLinkOpensTheGroupWindowOnlyForAConsistentTable) {
  setTable(TableOf({{0, 1199}}));
  click("GROUP_SET");
  EXPECT_EQ(page.findChild<GroupWindow*>("Form5"), nullptr);

  setTable(BankTable::Defaults());
  click("GROUP_SET");
  auto* window = page.findChild<GroupWindow*>("Form5");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isModal());
  EXPECT_EQ(host.lockable, std::vector<QWidget*>{window});

  // The page keeps the open window up to date: a click shows at once.
  auto* grid = window->findChild<QTableWidget*>("MSFlexGrid1");
  QTableWidgetItem* cell = grid->item(GroupWindow::GroupRow(4), GroupWindow::BankColumn(2));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(cell).center());
  EXPECT_TRUE(IsGroupMember(host.image().bankLinks[4], 2));
  EXPECT_EQ(cell->background().color(), QColor(0, 0, 128));
  window->close();
}

TEST(ConfirmBankTotalTest, AsksOnlyForAWrongTotalAndResetsOnOk) {
  const BankTable wrong = TableOf({{0, 1199}});
  const BankTable right = TableOf({{0, 1200}});
  const struct {
    const char* name;
    BankTable table;
    bool answer;
    bool asked;
    bool leave;
    BankTable after;
  } cases[] = {
      {"consistent", right, false, false, true, right},
      {"cancel", wrong, false, true, false, wrong},
      {"ok", wrong, true, true, true, BankTable::Defaults()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CloneImage image = StartupImage();
    image.banks = c.table;
    testing::FakePageHost host(image);
    bool asked = false;
    const bool leave = ConfirmBankTotal(host, [&] { return asked = true, c.answer; });
    EXPECT_EQ(asked, c.asked);
    EXPECT_EQ(leave, c.leave);
    EXPECT_EQ(host.image().banks, c.after);
  }
}

}  // namespace
}  // namespace rqm27
