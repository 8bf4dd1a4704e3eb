#include "pages/one_touch_frame.h"

#include "pages/fake_page_host.h"

#include <QCheckBox>

namespace rqm27 {
namespace {

using testing::Banks;

class OneTouchFrameTest : public ::testing::Test {
 protected:
  OneTouchFrameTest() {
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
  void showBanks(const BankTable& banks) {
    host.change([&](CloneImage& image) { image.banks = banks; });
  }
  void setMemory(int i, OneTouchMemory memory) {
    host.change([&](CloneImage& image) { image.oneTouch[std::size_t(i)] = memory; });
  }
  OneTouchMemory memory(int i) const { return host.image().oneTouch[std::size_t(i)]; }

  testing::FakePageHost host;
  OneTouchFrame frame{host};
};

TEST_F(OneTouchFrameTest, ChoosingABankOffersItsChannelsFromChannelZero) {
  EXPECT_EQ(testing::Entries(*bank(8)), (QStringList{"0", "3", "5"}));
  EXPECT_EQ(channel(0)->count(), 400);
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

  notSet(2)->click();
  EXPECT_EQ(memory(2), (OneTouchMemory{false, 5, 42}));
  EXPECT_EQ(bank(2)->currentText(), "5");
  EXPECT_EQ(channel(2)->currentText(), "42");
}

TEST_F(OneTouchFrameTest, ListsFollowTheBankTableWithoutEditingTheMemories) {
  setMemory(1, {true, 3, 12});
  setMemory(6, {false, 3, 4});
  const int edits = host.edits;

  showBanks(Banks({{0, 400}, {5, 300}, {7, 500}}));

  for (int i = 0; i < OneTouchCount; ++i) {
    EXPECT_EQ(testing::Entries(*bank(i)), (QStringList{"0", "5", "7"})) << i;
  }
  // A memory whose bank lost its channels shows the first bank.
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
  testing::Click(frame, "COMMON_ONE_TOUCH_RESET");
  for (int i = 0; i < OneTouchCount; ++i) {
    EXPECT_EQ(memory(i), (OneTouchMemory{false, 2, 0})) << i;
    EXPECT_TRUE(notSet(i)->isChecked()) << i;
    EXPECT_EQ(bank(i)->currentText(), "2") << i;
  }
}

TEST_F(OneTouchFrameTest, ReadAndWriteTheReceiversMemories) {
  QByteArray receiver = DemoMemory();
  receiver.replace(0x180, 27,
                   QByteArray::fromHex("050A00FF0000032C01FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF000000"));
  host.setReceiverMemory(receiver);
  testing::Click(frame, "READ_ONE_TOUCH");
  EXPECT_EQ(memory(0), (OneTouchMemory{true, 5, 10}));
  EXPECT_FALSE(memory(1).set);
  EXPECT_EQ(memory(2), (OneTouchMemory{true, 3, 300}));
  EXPECT_EQ(channel(0)->currentText(), "10");
  EXPECT_TRUE(notSet(1)->isChecked());
  EXPECT_EQ(channel(2)->currentText(), "300");

  setMemory(1, {true, 3, 12});
  setMemory(4, {false, 3, 7});
  setMemory(8, {true, 5, 0x123});
  testing::Click(frame, "WRITE_ONE_TOUCH");
  EXPECT_EQ(host.messages, testing::Said(" Finish", "Success", 2));
  EXPECT_EQ(host.simulator().memory().mid(0x180, 27),
            QByteArray::fromHex("050A00030C00032C01FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF052301"));
}

}  // namespace
}  // namespace rqm27
