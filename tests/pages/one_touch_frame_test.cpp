#include "pages/one_touch_frame.h"

#include "app/qstring_print.h"
#include "pages/fake_page_host.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

using testing::FakePageHost;

BankTable Banks(std::initializer_list<std::pair<int, int>> counts) {
  BankTable table;
  for (const auto& [bank, count] : counts) table.counts[static_cast<std::size_t>(bank)] = count;
  return table;
}

QStringList Entries(const QComboBox& box) {
  QStringList entries;
  for (int i = 0; i < box.count(); ++i) entries << box.itemText(i);
  return entries;
}

class OneTouchFrameTest : public ::testing::Test {
 protected:
  explicit OneTouchFrameTest(std::shared_ptr<ReceiverSimulator> simulator = nullptr)
      : host(StartupImage(), std::move(simulator)), frame(host) {
    host.addView(&frame);
    showBanks(Banks({{0, 400}, {3, 500}, {5, 300}}));
  }

  template <typename T>
  T* find(const char* array, int i) {
    return frame.findChild<T*>(QStringLiteral("%1_%2").arg(array).arg(i));
  }
  QComboBox* bank(int i) { return find<QComboBox>("COMMON_BANK", i); }
  QComboBox* channel(int i) { return find<QComboBox>("COMMON_CH", i); }
  QCheckBox* notSet(int i) { return find<QCheckBox>("NO_SET", i); }
  void click(const char* name) { frame.findChild<QPushButton*>(name)->click(); }
  void showBanks(const BankTable& banks) {
    host.mutableImage().banks = banks;
    host.showEverywhere();
  }
  void setMemory(int i, OneTouchMemory memory) {
    host.mutableImage().oneTouch[static_cast<std::size_t>(i)] = memory;
    host.showEverywhere();
  }
  OneTouchMemory memory(int i) const { return host.image().oneTouch[static_cast<std::size_t>(i)]; }

  FakePageHost host;
  OneTouchFrame frame;
};

TEST_F(OneTouchFrameTest, BankListsOfferTheBanksThatHoldChannelsNow) {
  EXPECT_EQ(Entries(*bank(8)), (QStringList{"0", "3", "5"}));
  EXPECT_EQ(channel(0)->count(), 400);

  showBanks(Banks({{0, 400}, {5, 300}, {7, 500}}));

  for (int i = 0; i < OneTouchCount; ++i) {
    EXPECT_EQ(Entries(*bank(i)), (QStringList{"0", "5", "7"})) << i;
  }
}

TEST_F(OneTouchFrameTest, ChoosingABankOffersItsChannelsFromChannelZero) {
  setMemory(2, {true, 0, 5});
  QTest::keyClicks(bank(2), "5");
  EXPECT_EQ(memory(2), (OneTouchMemory{true, 0, 5}));  // typing chooses nothing

  bank(2)->setCurrentIndex(2);

  EXPECT_EQ(memory(2), (OneTouchMemory{true, 5, 0}));
  EXPECT_EQ(channel(2)->count(), 300);
  EXPECT_EQ(channel(2)->itemText(299), "299");
  EXPECT_EQ(channel(2)->currentText(), "0");

  channel(2)->setCurrentIndex(42);

  EXPECT_EQ(memory(2), (OneTouchMemory{true, 5, 42}));
}

TEST_F(OneTouchFrameTest, NotSetKeepsTheBankAndChannel) {
  setMemory(4, {true, 3, 7});

  notSet(4)->click();

  EXPECT_EQ(memory(4), (OneTouchMemory{false, 3, 7}));
  EXPECT_TRUE(notSet(4)->isChecked());
  EXPECT_EQ(bank(4)->currentText(), "3");
  EXPECT_EQ(channel(4)->currentText(), "7");
}

TEST_F(OneTouchFrameTest, AMemoryWhoseBankLostItsChannelsShowsTheFirstBank) {
  setMemory(1, {true, 3, 12});
  setMemory(6, {false, 3, 4});
  const int edits = host.edits;

  showBanks(Banks({{0, 400}, {5, 300}, {7, 500}}));

  EXPECT_EQ(bank(1)->currentText(), "0");
  EXPECT_EQ(channel(1)->currentText(), "0");
  EXPECT_EQ(memory(1), (OneTouchMemory{true, 3, 12}));
  EXPECT_EQ(host.edits, edits);

  // Choosing a channel, or marking the memory set, takes the bank shown.
  channel(1)->setCurrentIndex(9);
  EXPECT_EQ(memory(1), (OneTouchMemory{true, 0, 9}));
  notSet(6)->click();
  EXPECT_EQ(memory(6), (OneTouchMemory{true, 0, 0}));
}

TEST_F(OneTouchFrameTest, ResetLeavesEveryMemoryNotSetAtTheFirstBank) {
  for (int i = 0; i < OneTouchCount; ++i) setMemory(i, {true, 9, i});
  showBanks(Banks({{2, 600}, {9, 600}}));

  click("COMMON_ONE_TOUCH_RESET");

  for (int i = 0; i < OneTouchCount; ++i) {
    EXPECT_EQ(memory(i), (OneTouchMemory{false, 2, 0})) << i;
    EXPECT_TRUE(notSet(i)->isChecked()) << i;
    EXPECT_EQ(bank(i)->currentText(), "2") << i;
  }
}

TEST_F(OneTouchFrameTest, WriteStoresTheMemoriesInTheReceiver) {
  setMemory(1, {true, 3, 12});
  setMemory(4, {false, 3, 7});
  setMemory(8, {true, 5, 0x123});

  click("WRITE_ONE_TOUCH");

  ASSERT_EQ(host.recorded().messages, (std::vector<Message>{Notice(" Finish", "Success")}));
  EXPECT_EQ(host.simulator().memory().mid(0x180, 27),
            QByteArray::fromHex("FFFFFF030C00FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF052301"));
}

class OneTouchFrameReadTest : public OneTouchFrameTest {
 protected:
  static std::shared_ptr<ReceiverSimulator> Receiver() {
    QByteArray memory = DemoMemory();
    memory.replace(0x180, 27,
                   QByteArray::fromHex("050A00FF0000032C01FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF000000"));
    return std::make_shared<ReceiverSimulator>(memory);
  }
  OneTouchFrameReadTest() : OneTouchFrameTest(Receiver()) {}
};

TEST_F(OneTouchFrameReadTest, ReadShowsTheReceiversMemories) {
  click("READ_ONE_TOUCH");

  ASSERT_EQ(host.recorded().messages, (std::vector<Message>{Notice(" Finish", "Success")}));
  EXPECT_EQ(memory(0), (OneTouchMemory{true, 5, 10}));
  EXPECT_FALSE(memory(1).set);
  EXPECT_EQ(memory(2), (OneTouchMemory{true, 3, 300}));
  EXPECT_EQ(bank(0)->currentText(), "5");
  EXPECT_EQ(channel(0)->currentText(), "10");
  EXPECT_FALSE(notSet(0)->isChecked());
  EXPECT_TRUE(notSet(1)->isChecked());
  EXPECT_EQ(channel(2)->currentText(), "300");
}

}  // namespace
}  // namespace rqm27
