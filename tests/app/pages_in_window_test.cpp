// The pages inside the main window: the tab switch and its bank question, page transfers with
// the window locked, the icon editor, and a user's round trip through the simulated receiver.
#include "app/window_fixture.h"

#include "codec/bank_links_area.h"
#include "codec/settings_image.h"
#include "link/demo_memory.h"
#include "model/channel_text.h"
#include "widgets/channel_edit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

class PagesInWindow : public testing::WindowTest {
 protected:
  std::unique_ptr<MainWindow> simulatedWindow() {
    auto window = makeWindow(receiver);
    action(*window, "MenuSimulated")->trigger();
    return window;
  }

  static QTabWidget* tabs(const MainWindow& window) {
    return find<QTabWidget>(window, "TabStrip1");
  }

  // Types a bank count into its box and applies it with Enter.
  static void setBankCount(const MainWindow& window, int bank, int count) {
    auto* box =
        find<QLineEdit>(window, QStringLiteral("Text1_%1").arg(bank).toLatin1().constData());
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::number(count));
    QTest::keyClick(box, Qt::Key_Return);
  }

  std::shared_ptr<ReceiverSimulator> receiver = std::make_shared<ReceiverSimulator>(DemoMemory());
};

TEST_F(PagesInWindow, LeavingTheBankPageWithAWrongTotalAsksFirst) {
  const auto window = makeWindow();
  QTabWidget* strip = tabs(*window);
  strip->setCurrentIndex(1);
  setBankCount(*window, 4, 99);
  ASSERT_EQ(window->image().banks.total(), 1199);

  script->confirmAnswer = false;
  strip->setCurrentIndex(0);
  ASSERT_EQ(script->confirmations.size(), 1u);
  EXPECT_EQ(script->confirmations[0].text, "Bank Total Error. Init Data?");
  EXPECT_EQ(script->confirmations[0].title, "Caution");
  EXPECT_EQ(strip->currentIndex(), 1) << "Cancel stays on the bank page";
  EXPECT_EQ(window->image().banks.total(), 1199) << "and keeps the table";
  strip->setCurrentIndex(1);  // already shown: nothing happens
  EXPECT_EQ(window->image().banks.total(), 1199);

  script->confirmAnswer = true;
  strip->setCurrentIndex(0);
  EXPECT_EQ(strip->currentIndex(), 0);
  EXPECT_EQ(window->image().banks, BankTable::Defaults());
  EXPECT_EQ(cell(*window, 1200, 0), "Bank11-099");
}

TEST_F(PagesInWindow, RowLabelsFollowTheTableWhenTheMemoryPageIsShown) {
  const auto window = makeWindow();
  tabs(*window)->setCurrentIndex(1);
  setBankCount(*window, 0, 50);
  setBankCount(*window, 12, 50);
  EXPECT_EQ(cell(*window, 51, 0), "Bank00-050") << "labels wait for the Memory page";
  tabs(*window)->setCurrentIndex(0);
  EXPECT_TRUE(script->confirmations.empty());
  EXPECT_EQ(cell(*window, 51, 0), "Bank01-000");
  EXPECT_EQ(cell(*window, 1200, 0), "Bank12-049");
}

TEST_F(PagesInWindow, BankReadRelabelsTheRowsAtOnce) {
  QByteArray memory = DemoMemory();
  memory[0x200] = 50;           // bank 0: 50 channels
  memory[0x200 + 2 * 12] = 50;  // bank 12: 50 channels
  receiver = std::make_shared<ReceiverSimulator>(memory);
  const auto window = simulatedWindow();
  tabs(*window)->setCurrentIndex(1);
  ASSERT_TRUE(runTransfer(*window, [&] { find<QAbstractButton>(*window, "READ_BANK")->click(); }));
  EXPECT_EQ(cell(*window, 51, 0), "Bank01-000");
  EXPECT_EQ(cell(*window, 1200, 0), "Bank12-049");
}

TEST_F(PagesInWindow, OneTouchMemoriesFollowTheTableOnTheSettingPage) {
  const auto window = makeWindow();
  window->editImage("test edit", [](CloneImage& image) { image.oneTouch[2] = {true, 11, 99}; });
  tabs(*window)->setCurrentIndex(1);
  setBankCount(*window, 11, 0);
  setBankCount(*window, 20, 100);
  tabs(*window)->setCurrentIndex(2);
  EXPECT_EQ(window->image().oneTouch[2], (OneTouchMemory{true, 0, 0}));
  auto* banks = find<QComboBox>(*window, "COMMON_BANK_2");
  EXPECT_EQ(banks->itemText(banks->count() - 1), "20");
}

TEST_F(PagesInWindow, PageTransfersLockTheWindowAndApplyWhatTheyRead) {
  const auto window = simulatedWindow();
  tabs(*window)->setCurrentIndex(3);
  bool lockedDuring = false;
  script->onMessage = [&](const Message&) {
    lockedDuring = !find<QWidget>(*window, "TabStrip1")->isEnabled();
  };
  CloneImage expected = StartupImage();
  ASSERT_TRUE(
      runTransfer(*window, [&] { find<QAbstractButton>(*window, "Set_Mode_Read")->click(); }));
  EXPECT_TRUE(lockedDuring);
  EXPECT_TRUE(find<QWidget>(*window, "TabStrip1")->isEnabled());
  ASSERT_FALSE(script->messages.empty());
  EXPECT_EQ(script->messages.back().text, "Success");
  EXPECT_EQ(window->image().title, DemoImage().title);
  EXPECT_EQ(window->image().settingsImage, DemoMemory().left(SettingsAreaSize));

  // A failure (the receiver answers another variant) leaves the image and unlocks again.
  find<QAbstractButton>(*window, "optRegion_3")->click();
  const CloneImage before = window->image();
  ASSERT_TRUE(
      runTransfer(*window, [&] { find<QAbstractButton>(*window, "Set_Mode_Read")->click(); }));
  EXPECT_EQ(script->messages.back().text, "Error");
  EXPECT_TRUE(script->messages.back().detail.contains("ZT~RQ-M27K"));
  EXPECT_TRUE(window->image() == before);
  EXPECT_TRUE(find<QWidget>(*window, "TabStrip1")->isEnabled());
}

TEST_F(PagesInWindow, IconEditorOpensOnTheFirstIconAndIsLockedDuringTransfers) {
  const auto window = simulatedWindow();
  tabs(*window)->setCurrentIndex(2);
  find<QAbstractButton>(*window, "Command1")->click();
  QWidget* editor = window->findChild<QWidget*>("Form4");
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->isVisible());
  bool editorLocked = false;
  script->onMessage = [&](const Message&) { editorLocked = !editor->isEnabled(); };
  ASSERT_TRUE(runTransfer(*window, [&] { find<QAbstractButton>(*editor, "READ_ALL")->click(); }));
  EXPECT_TRUE(editorLocked);
  EXPECT_TRUE(editor->isEnabled());
  EXPECT_EQ(window->image().icons, DemoImage().icons);

  find<QAbstractButton>(*editor, "FONT_NEXT")->click();
  editor->close();
  find<QAbstractButton>(*find<QWidget>(*window, "A_FRAME_2"), "Command1")->click();
  EXPECT_EQ(find<QComboBox>(*editor, "FONT_LIST")->currentText(), "0");
}

// A user reads the receiver, changes a channel, a bank size, a setting, a group and an icon,
// writes everything back, reads again and finds the changes.
TEST_F(PagesInWindow, ChangesMadeOnEveryPageSurviveWriteAllAndReadAll) {
  const auto window = simulatedWindow();
  script->saveChoice = SaveChoice::Discard;
  ASSERT_TRUE(runTransfer(*window, [&] { action(*window, "ALL_READ")->trigger(); }));

  // A channel, through the detail dialog.
  script->edit = [](const DetailFormState& form, bool) {
    DetailFormState edited = form;
    edited.sets[0].frequencyMegahertz = "433";
    edited.sets[0].frequencyDigits = "92500";
    edited.sets[0].name = "CHANGED";
    return ConfirmDetailForm(edited);
  };
  grid(*window)->setCurrentIndex(grid(*window)->model()->index(4, 1));
  QTest::keyClick(grid(*window), Qt::Key_Return);
  ASSERT_EQ(cell(*window, 5, NameColumn), "CHANGED");

  // A bank size (moving one channel from bank 1 to bank 30).
  tabs(*window)->setCurrentIndex(1);
  setBankCount(*window, 1, 99);
  setBankCount(*window, 30, 1);
  // A setting on the Set mode page.
  tabs(*window)->setCurrentIndex(3);
  auto* bell = find<QComboBox>(*window, "Set_Mode_Sound_1");
  bell->setCurrentIndex(3);
  // A group, in the bank-link window.
  tabs(*window)->setCurrentIndex(1);
  window->editImage("test edit",
                    [](CloneImage& image) { SetGroupMember(image.bankLinks[4], 30, true); });
  // An icon.
  window->editImage("test edit", [](CloneImage& image) { image.icons[6][8][8] = 1; });

  ASSERT_TRUE(runTransfer(*window, [&] { action(*window, "ALL_WRITE")->trigger(); }));
  EXPECT_EQ(script->messages.back().text, "Success ALL DATA WRITE");
  const CloneImage written = window->image();

  window->replaceImage(StartupImage());
  ASSERT_TRUE(runTransfer(*window, [&] { action(*window, "ALL_READ")->trigger(); }));
  const CloneImage& read = window->image();
  EXPECT_EQ(NameToText(read.slot(5).name), "CHANGED");
  EXPECT_EQ(read.slot(5).frequency, 43392500);
  EXPECT_EQ(read.banks.counts[1], 99);
  EXPECT_EQ(read.banks.counts[30], 1);
  EXPECT_EQ(read.settings.at(SettingsList::Sound, 1), 3);
  EXPECT_TRUE(IsGroupMember(read.bankLinks[4], 30));
  EXPECT_EQ(read.icons[6][8][8], 1);
  EXPECT_EQ(read.banks, written.banks);
}

}  // namespace
}  // namespace rqm27
