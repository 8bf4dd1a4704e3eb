#include "app/window_fixture.h"
#include "codec/memory_image.h"

#include <QApplication>
#include <QDir>
#include <QProgressBar>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

class TransferTest : public testing::WindowTest {
 protected:
  std::unique_ptr<MainWindow> simulatedWindow(std::shared_ptr<ReceiverSimulator> receiver) {
    auto window = makeWindow(std::move(receiver));
    action(*window, "MenuSimulated")->trigger();
    return window;
  }

  static void expectLocked(const MainWindow& window, bool locked) {
    for (const char* name :
         {"TabStrip1", "MSFlexGrid1", "MEM_ONE_READ", "MEM_ONE_WRITE", "Clear_Botton", "ALL_Reset",
          "optRegion_0", "FILE", "MenuComPort", "MenuHelp", "Tusin_Botton"}) {
      EXPECT_EQ(find<QWidget>(window, name)->isEnabled(), !locked) << name;
    }
    EXPECT_EQ(action(window, "ALL_READ")->isEnabled(), !locked);
    EXPECT_EQ(find<QWidget>(window, "cmdCancel")->isEnabled(), locked);
  }
  static QString percentage(const MainWindow& window) {
    return find<QLineEdit>(window, "Progress")->text();
  }
  static void run(const MainWindow& window, const char* command) {
    QByteArray(command).startsWith("ALL") ? action(window, command)->trigger()
                                          : find<QAbstractButton>(window, command)->click();
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

TEST_F(TransferTest, ReadAllTakesTheReceiversMemoryAndAsksOverUnsavedEdits) {
  const auto window = simulatedWindow(demo);
  QString percentageAtMessage;
  bool gridLiveAtMessage = true;
  script->onMessage = [&](const Message&) {
    percentageAtMessage = percentage(*window);
    gridLiveAtMessage = grid(*window)->isEnabled();
  };
  transfer(*window, "ALL_READ");
  EXPECT_EQ(script->messages, std::vector{Notice(" Finish", "Success ALL DATA READ")});
  EXPECT_EQ(percentageAtMessage, "100%");
  EXPECT_FALSE(gridLiveAtMessage) << "unlocked once the message has been read";
  EXPECT_EQ(percentage(*window), "0%");
  EXPECT_EQ(cell(*window, 1302, 12), "SUB CALL");
  EXPECT_TRUE(window->isModified());

  // Read all over unsaved edits asks first.
  grid(*window)->selectRow(4);
  QTest::keyClick(grid(*window), Qt::Key_Delete);
  run(*window, "ALL_READ");  // Cancel
  EXPECT_EQ(script->questions, 1);
  EXPECT_FALSE(window->isTransferRunning());
  script->saveChoice = SaveChoice::Discard;
  ASSERT_TRUE(runTransfer(*window, [&] { run(*window, "ALL_READ"); }));
  EXPECT_EQ(script->questions, 2);
  EXPECT_EQ(cell(*window, 5, 1), "124.75000MHz");
}

TEST_F(TransferTest, SelectedRowsAreReadAndWrittenAlone) {
  const auto window = simulatedWindow(demo);
  QTableView* view = grid(*window);
  view->selectionModel()->setCurrentIndex(
      view->model()->index(2, 1), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  QTest::keyClick(view, Qt::Key_Up, Qt::ShiftModifier);
  QTest::keyClick(view, Qt::Key_Up, Qt::ShiftModifier);
  transfer(*window, "MEM_ONE_READ");
  EXPECT_EQ(script->messages.back(), Notice("Complete", "Complete"));
  EXPECT_EQ(cell(*window, 1, 12), "TOKYO TWR");
  EXPECT_EQ(cell(*window, 3, 1), "119.10000MHz");
  EXPECT_EQ(cell(*window, 4, 1), "") << "slot 4 was not selected";

  CloneImage image = window->image();
  image.slot(2) = image.slot(FirstPresetSlot);
  image.slot(3).clear();
  window->replaceImage(image);
  view->selectionModel()->setCurrentIndex(
      view->model()->index(1, 1), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  transfer(*window, "MEM_ONE_WRITE");
  const auto reader = simulatedWindow(demo);
  ASSERT_TRUE(runTransfer(*reader, [&] { run(*reader, "ALL_READ"); }));
  EXPECT_EQ(cell(*reader, 2, 1), "398.60500MHz");
  EXPECT_EQ(cell(*reader, 3, 1), "119.10000MHz") << "slot 3 was not selected";
}

TEST_F(TransferTest, FailedTransferSaysWhatFailedChangesNothingAndUnlocks) {
  // The variant, a PORTNAME (none: the simulated receiver), the command and the reason shown.
  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      {"optRegion_3", nullptr, "ALL_READ", "ZT~RQ-M27K"},
      {"optRegion_1", nullptr, "MEM_ONE_WRITE", "ZT~RQ-M27E"},
      {"optRegion_0", "/nonexistent/rqm27-tty", "ALL_WRITE", "/nonexistent/rqm27-tty"}};
  for (const auto& [variant, port, command, reason] : cases) {
    SCOPED_TRACE(reason);
    *script = {};
    if (port) writePreferences(QByteArray("Save\r\nCOMPORT01\r\nPORTNAME") + port + "\r\n");
    const auto window = port ? makeWindow(demo) : simulatedWindow(demo);
    find<QAbstractButton>(*window, variant)->click();
    const CloneImage before = window->image();
    const QByteArray memoryBefore = demo->memory();
    ASSERT_TRUE(runTransfer(*window, [&, command = command] { run(*window, command); }));
    expectLocked(*window, false);
    EXPECT_EQ(window->image(), before);
    EXPECT_EQ(demo->memory(), memoryBefore);
    ASSERT_EQ(script->messages.size(), 1u);
    EXPECT_EQ(script->messages[0].title, " Error");
    EXPECT_TRUE(script->messages[0].detail.contains(reason))
        << script->messages[0].detail.toStdString();
  }
}

// Locking the window for a transfer takes the keyboard focus away; unlocking gives it back to
// the control that had it, or to the shown page's first control when none had it.
TEST_F(TransferTest, KeyboardFocusComesBackAfterATransfer) {
  const std::tuple<int, const char*, const char*, const char*> cases[] = {
      {0, "MSFlexGrid1", "ALL_READ", "MSFlexGrid1"},
      {0, nullptr, "MEM_ONE_READ", "MSFlexGrid1"},
      {1, "READ_BANK", "READ_BANK", "READ_BANK"},
      {3, nullptr, "Set_Mode_Read", "Set_Mode_Recv_0"}};
  for (const auto& [tab, focused, command, expected] : cases) {
    SCOPED_TRACE(command);
    const auto window = simulatedWindow(demo);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    find<QTabWidget>(*window, "TabStrip1")->setCurrentIndex(tab);
    if (focused) {
      find<QWidget>(*window, focused)->setFocus();
    } else if (QWidget* widget = QApplication::focusWidget()) {
      widget->clearFocus();
    }
    ASSERT_TRUE(runTransfer(*window, [&, command = command] { run(*window, command); }));
    EXPECT_EQ(QApplication::focusWidget(), find<QWidget>(*window, expected));
  }
}

TEST_F(TransferTest, CancelStopsBetweenBlocks) {
  SimulatorOptions slow;
  slow.baud = 100000;
  const auto window = simulatedWindow(std::make_shared<ReceiverSimulator>(DemoMemory(), slow));
  const CloneImage before = window->image();
  auto* bar = find<QProgressBar>(*window, "ProgressBar1");
  ASSERT_TRUE(runTransfer(*window, [&] {
    run(*window, "ALL_READ");
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->maximum() == 1700 && bar->value() >= 17; }));
    EXPECT_EQ(percentage(*window), QStringLiteral("%1%").arg(bar->value() * 100 / 1700));
    EXPECT_FALSE(window->close()) << "the window stays while a transfer runs";
    find<QAbstractButton>(*window, "cmdCancel")->click();
  }));
  EXPECT_EQ(window->image(), before) << "a cancelled read changes nothing";
  EXPECT_EQ(script->messages.back().title, " Cancelled");
  EXPECT_TRUE(script->messages.back().detail.startsWith("Read all: cancelled"));
  expectLocked(*window, false);
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

// Write all asks first, naming the port and the channels, backs up the receiver when asked (the
// choice is remembered), reads back, and says where the backup is; restoring writes it back.
TEST_F(TransferTest, WriteAllAsksBacksUpVerifiesAndRestores) {
  const QByteArray original = demo->memory();
  auto window = simulatedWindow(demo);
  window->replaceImage(ImageWithChannels(1));

  script->fullWriteAnswer = std::nullopt;  // Cancel
  action(*window, "ALL_WRITE")->trigger();
  ASSERT_EQ(script->fullWriteQuestions.size(), 1u);
  EXPECT_EQ(script->fullWriteQuestions[0].port, "sim");
  EXPECT_EQ(script->fullWriteQuestions[0].channels, 1);
  EXPECT_EQ(script->fullWriteQuestions[0].choice, (FullWriteChoice{true, false}));
  EXPECT_FALSE(window->isTransferRunning());

  script->fullWriteAnswer = FullWriteChoice{true, true};
  transfer(*window, "ALL_WRITE");
  const Message done = script->messages.back();
  EXPECT_EQ(done.text, "Success ALL DATA WRITE");
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
  action(*window, "ALL_WRITE")->trigger();
  EXPECT_EQ(script->fullWriteQuestions.back().choice, (FullWriteChoice{true, true}));

  script->chosenBackup = backup;
  ASSERT_TRUE(runTransfer(*window, [&] { action(*window, "RestoreBackup")->trigger(); }));
  EXPECT_TRUE(script->confirmations.back().detail.startsWith("Restoring is writing that file"));
  EXPECT_EQ(script->messages.back().text, "Success ALL DATA WRITE");
  EXPECT_EQ(*DecodeMemoryImage(demo->memory()), *DecodeMemoryImage(original));
}

// A write that stops part-way says what the receiver holds and where the backup is; Cancel
// during a write asks first.
TEST_F(TransferTest, FailedOrCancelledWriteSaysWhatTheReceiverHolds) {
  SimulatorOptions refusing;
  refusing.refuseWritesAt = ChannelAddress(1302);
  auto receiver = std::make_shared<ReceiverSimulator>(DemoMemory(), refusing);
  const auto window = simulatedWindow(receiver);
  window->replaceImage(ImageWithChannels(1400));
  script->fullWriteAnswer = FullWriteChoice{true, false};
  ASSERT_TRUE(runTransfer(*window, [&] { run(*window, "ALL_WRITE"); }));
  const QString detail = script->messages.back().detail;
  EXPECT_TRUE(detail.contains("its channels were cleared and 1301 of 1400 were written"))
      << detail.toStdString();
  EXPECT_TRUE(detail.contains("restore the receiver's memory from the backup"));

  SimulatorOptions slow;
  slow.baud = 100000;
  const auto slowWindow = simulatedWindow(std::make_shared<ReceiverSimulator>(DemoMemory(), slow));
  slowWindow->replaceImage(ImageWithChannels(1200));
  script->fullWriteAnswer = FullWriteChoice{false, false};
  auto* bar = find<QProgressBar>(*slowWindow, "ProgressBar1");
  ASSERT_TRUE(runTransfer(*slowWindow, [&] {
    run(*slowWindow, "ALL_WRITE");
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->maximum() == 1700 && bar->value() >= 10; }));
    script->confirmAnswer = false;
    find<QAbstractButton>(*slowWindow, "cmdCancel")->click();
    EXPECT_TRUE(slowWindow->isTransferRunning()) << "not stopped without a yes";
    script->confirmAnswer = true;
    find<QAbstractButton>(*slowWindow, "cmdCancel")->click();
  }));
  EXPECT_EQ(script->confirmations.back().title, "Stop writing?");
  EXPECT_EQ(script->messages.back().title, " Cancelled");
  EXPECT_TRUE(script->messages.back().detail.contains("its channels were cleared and"));
}

TEST_F(TransferTest, WaitShowsWhileTheReceiverClearsItsChannels) {
  SimulatorOptions options;
  options.imDelayMs = 500;
  const auto window = simulatedWindow(std::make_shared<ReceiverSimulator>(DemoMemory(), options));
  auto* wait = find<QWidget>(*window, "cmdWaitButton");
  bool shown = false;
  ASSERT_TRUE(runTransfer(*window, [&] {
    run(*window, "ALL_WRITE");
    shown = QTest::qWaitFor([&] { return !wait->isHidden(); }, 20000);
  }));
  EXPECT_TRUE(shown);
  EXPECT_TRUE(wait->isHidden());
}

TEST_F(TransferTest, PressingTheProgressBarResetsTheReceiver) {
  const auto window = simulatedWindow(demo);
  QTest::mousePress(find<QWidget>(*window, "ProgressBar1"), Qt::LeftButton);
  EXPECT_EQ(demo->commandCount(), 1);
}

}  // namespace
}  // namespace rqm27
