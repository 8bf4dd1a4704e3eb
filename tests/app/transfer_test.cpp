#include "app/window_fixture.h"
#include "codec/memory_image.h"

#include <QApplication>
#include <QDir>
#include <QProgressBar>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

class TransferTest : public testing::WindowTest {
 protected:
  static void expectLocked(const MainWindow& window, bool locked) {
    for (const char* name :
         {"pageTabs", "channelGrid", "readRowsButton", "writeRowsButton", "clearRowsButton",
          "resetAllButton", "variantOption_J", "fileMenu", "portMenu", "helpMenu", "commMenu"}) {
      EXPECT_EQ(find<QWidget>(window, name)->isEnabled(), !locked) << name;
    }
    EXPECT_EQ(action(window, "readAllItem")->isEnabled(), !locked);
    EXPECT_EQ(find<QWidget>(window, "cancelTransferButton")->isEnabled(), locked);
  }
  static QString percentage(const MainWindow& window) {
    return find<QLineEdit>(window, "progressPercentage")->text();
  }
  // Triggers a menu item ("...Item") or clicks a button.
  static void run(const MainWindow& window, const char* command) {
    QByteArray(command).endsWith("Item") ? trigger(window, command) : click(window, command);
  }
  // Runs the command with the window locked, and sees it unlocked after.
  static void transfer(MainWindow& window, const char* command) {
    ASSERT_TRUE(runTransfer(window, [&] {
      run(window, command);
      expectLocked(window, true);
    }));
    expectLocked(window, false);
  }

  std::shared_ptr<ReceiverSimulator> demo = std::make_shared<ReceiverSimulator>(DemoMemory());
};

// The row buttons read and write the selected rows alone; Read all takes the receiver's whole
// memory, asking first over unsaved edits. The window stays locked until the message is read.
TEST_F(TransferTest, TheRowButtonsAndReadAllTakeAndSendWhatTheySay) {
  const auto window = simulatedWindow(demo);
  selectSlots(*window, 3, 1);
  transfer(*window, "readRowsButton");
  EXPECT_EQ(cell(*window, 1, 12), "TOKYO TWR");
  EXPECT_EQ(cell(*window, 3, 1), "119.10000MHz");
  EXPECT_EQ(cell(*window, 4, 1), "") << "slot 4 was not selected";

  CloneImage image = window->image();
  image.slot(2) = image.slot(FirstPresetSlot);
  image.slot(3).clear();
  window->replaceImage(image);
  selectSlots(*window, 2, 2);
  transfer(*window, "writeRowsButton");
  QTest::keyClick(grid(*window), Qt::Key_Delete);  // an unsaved edit
  run(*window, "readAllItem");                     // Cancel
  EXPECT_EQ(script->questions, 1);
  EXPECT_FALSE(window->isTransferRunning());
  QString percentageAtMessage;
  bool gridLiveAtMessage = true;
  script->onMessage = [&](const Message&) {
    percentageAtMessage = percentage(*window);
    gridLiveAtMessage = grid(*window)->isEnabled();
  };
  script->saveChoice = SaveChoice::Discard;
  transfer(*window, "readAllItem");
  EXPECT_EQ(script->questions, 2);
  EXPECT_EQ(percentageAtMessage, "100%");
  EXPECT_FALSE(gridLiveAtMessage) << "unlocked once the message has been read";
  EXPECT_EQ(percentage(*window), "0%");
  EXPECT_EQ(cell(*window, 2, 1), "398.60500MHz") << "slot 2 was written";
  EXPECT_EQ(cell(*window, 3, 1), "119.10000MHz") << "slot 3 was not selected";
  EXPECT_EQ(cell(*window, 1302, 12), "SUB CALL");
}

// Locking the window for a transfer takes the keyboard focus away; unlocking gives it back to
// the control that had it, or to the shown page's first control when none had it.
TEST_F(TransferTest, KeyboardFocusComesBackAfterATransfer) {
  const std::tuple<int, const char*, const char*, const char*> cases[] = {
      {0, "channelGrid", "readAllItem", "channelGrid"},
      {1, "readTableButton", "readTableButton", "readTableButton"},
      {3, nullptr, "setModeReadButton", "recvSettingsList_0"}};
  const auto window = simulatedWindow(demo);
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  for (const auto& [tab, focused, command, expected] : cases) {
    SCOPED_TRACE(command);
    tabs(*window)->setCurrentIndex(tab);
    if (focused) {
      find<QWidget>(*window, focused)->setFocus();
    } else if (QWidget* widget = QApplication::focusWidget()) {
      widget->clearFocus();
    }
    ASSERT_TRUE(runTransfer(*window, [&, command = command] { run(*window, command); }));
    EXPECT_EQ(QApplication::focusWidget(), find<QWidget>(*window, expected));
  }
}

// A start-up image whose first `count` slots hold a channel.
CloneImage ImageWithChannels(int count) {
  CloneImage image = StartupImage();
  for (int slot = 1; slot <= count; ++slot) {
    image.slot(slot).used = true;
    image.slot(slot).frequency = 14500000 + 500 * slot;
  }
  return image;
}

// Cancel stops a transfer between two blocks. During a full write, which leaves the receiver
// part-written, it asks first, and the message says what the receiver then holds.
TEST_F(TransferTest, CancelStopsAWriteBetweenBlocksAfterAsking) {
  SimulatorOptions slow;
  slow.baud = 100000;
  const auto window = simulatedWindow(std::make_shared<ReceiverSimulator>(DemoMemory(), slow));
  window->replaceImage(ImageWithChannels(1200));
  const CloneImage before = window->image();
  auto* bar = find<QProgressBar>(*window, "transferProgress");
  auto* cancel = find<QAbstractButton>(*window, "cancelTransferButton");
  ASSERT_TRUE(runTransfer(*window, [&] {
    run(*window, "writeAllItem");
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->maximum() == 1700 && bar->value() >= 17; }));
    EXPECT_EQ(percentage(*window), QStringLiteral("%1%").arg(bar->value() * 100 / 1700));
    EXPECT_FALSE(window->close()) << "the window stays while a transfer runs";
    script->confirmAnswer = false;
    const int reached = bar->value();
    cancel->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->value() >= reached + 10; }))
        << "the write goes on without a yes";
    script->confirmAnswer = true;
    cancel->click();
  }));
  EXPECT_EQ(script->confirmations.size(), 2u);
  EXPECT_EQ(window->image(), before);
  EXPECT_EQ(script->messages.back().title, " Cancelled");
  EXPECT_TRUE(script->messages.back().detail.contains("its channels were cleared and"));
  expectLocked(*window, false);
}

// Write all asks first, naming the port and the channels, backs up the receiver when asked (the
// choice is remembered), reads back, and says where the backup is; restoring writes it back.
TEST_F(TransferTest, WriteAllAsksBacksUpVerifiesAndRestores) {
  const QByteArray original = demo->memory();
  auto window = simulatedWindow(demo);
  window->replaceImage(ImageWithChannels(1));

  script->fullWriteAnswer = std::nullopt;  // Cancel
  trigger(*window, "writeAllItem");
  ASSERT_EQ(script->fullWriteQuestions.size(), 1u);
  EXPECT_EQ(script->fullWriteQuestions[0].port, "sim");
  EXPECT_EQ(script->fullWriteQuestions[0].channels, 1);
  EXPECT_EQ(script->fullWriteQuestions[0].choice, (FullWriteChoice{true, false}));
  EXPECT_FALSE(window->isTransferRunning());

  script->fullWriteAnswer = FullWriteChoice{true, true};
  transfer(*window, "writeAllItem");
  const Message done = script->messages.back();
  EXPECT_TRUE(done.detail.contains("Read back: the receiver holds what was written"));
  const QStringList backups = QDir(path("backups")).entryList({"*.bin"}, QDir::Files);
  ASSERT_EQ(backups.size(), 1);
  EXPECT_TRUE(done.detail.contains(backups[0])) << done.detail.toStdString();
  const QString backup = path("backups/" + backups[0]);
  QFile backupFile(backup);
  ASSERT_TRUE(backupFile.open(QIODevice::ReadOnly));
  EXPECT_EQ(*DecodeMemoryImage(backupFile.readAll()), *DecodeMemoryImage(original));
  EXPECT_NE(*DecodeMemoryImage(demo->memory()), *DecodeMemoryImage(original));

  window = simulatedWindow(demo);  // the choice is remembered
  script->fullWriteAnswer = std::nullopt;
  trigger(*window, "writeAllItem");
  EXPECT_EQ(script->fullWriteQuestions.back().choice, (FullWriteChoice{true, true}));

  script->chosenBackup = backup;
  ASSERT_TRUE(runTransfer(*window, [&] { trigger(*window, "restoreBackupItem"); }));
  EXPECT_TRUE(script->confirmations.back().detail.startsWith("Restoring is writing that file"));
  EXPECT_EQ(*DecodeMemoryImage(demo->memory()), *DecodeMemoryImage(original));
}

// A transfer that fails says why (a write stopped part-way also what the receiver holds and
// where the backup is), changes nothing in the image and unlocks the window.
TEST_F(TransferTest, FailedTransferSaysWhatFailedChangesNothingAndUnlocks) {
  // The variant, a PORTNAME (none: the simulated receiver), whether the receiver refuses writes
  // from slot 1302 on, the command and what the message says.
  const std::tuple<const char*, const char*, bool, const char*, const char*> cases[] = {
      {"variantOption_K", nullptr, false, "readAllItem", "ZT~RQ-M27K"},
      {"variantOption_E", nullptr, false, "writeRowsButton", "ZT~RQ-M27E"},
      {"variantOption_J", "/nonexistent/rqm27-tty", false, "writeAllItem",
       "/nonexistent/rqm27-tty"},
      {"variantOption_J", nullptr, true, "writeAllItem",
       "cleared and 1301 of 1400 were written.*restore the receiver's memory from the backup"}};
  for (const auto& [variant, port, refusing, command, saying] : cases) {
    SCOPED_TRACE(saying);
    *script = {};
    script->fullWriteAnswer = FullWriteChoice{true, false};
    SimulatorOptions options;
    if (refusing) options.refuseWritesAt = ChannelAddress(1302);
    const auto receiver = std::make_shared<ReceiverSimulator>(DemoMemory(), options);
    if (port) writePreferences(QByteArray("Save\r\nCOMPORT01\r\nPORTNAME") + port + "\r\n");
    const auto window = port ? makeWindow(receiver) : simulatedWindow(receiver);
    click(*window, variant);
    window->replaceImage(ImageWithChannels(1400));
    const CloneImage before = window->image();
    const QByteArray memoryBefore = receiver->memory();
    ASSERT_TRUE(runTransfer(*window, [&, command = command] { run(*window, command); }));
    expectLocked(*window, false);
    EXPECT_EQ(window->image(), before);
    EXPECT_EQ(receiver->memory() == memoryBefore, !refusing);
    ASSERT_EQ(script->messages.size(), 1u);
    EXPECT_EQ(script->messages[0].title, " Error");
    EXPECT_TRUE(script->messages[0].detail.contains(QRegularExpression(saying)))
        << script->messages[0].detail.toStdString();
  }
}

}  // namespace
}  // namespace rqm27
