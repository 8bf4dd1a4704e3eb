#include "app/window_fixture.h"

#include "link/receiver_simulator.h"

#include <QAbstractButton>
#include <QDir>
#include <QMenu>
#include <QRadioButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

// The controls a transfer locks, and those that stay live for it.
const char* const kLockedWidgets[] = {
    "TabStrip1",    "MSFlexGrid1",   "A_FRAME_0",    "A_FRAME_1", "A_FRAME_2",  "A_FRAME_3",
    "MEM_ONE_READ", "MEM_ONE_WRITE", "Clear_Botton", "ALL_Reset", "optRegion_0"};
const char* const kLockedMenus[] = {"FILE", "MenuComPort", "MenuHelp", "Tusin_Botton"};
const char* const kLockedItems[] = {"ReadFile", "ALL_READ", "ALL_WRITE", "MenuVersion"};

class TransferTest : public testing::WindowTest {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.isValid()); }

  // A window on the simulated receiver.
  std::unique_ptr<MainWindow> simulatedWindow(std::shared_ptr<ReceiverSimulator> receiver) {
    auto window = makeWindow(std::move(receiver));
    action(*window, "MenuSimulated")->trigger();
    return window;
  }

  static void expectLocked(const MainWindow& window, bool locked) {
    for (const char* name : kLockedWidgets) {
      EXPECT_EQ(find<QWidget>(window, name)->isEnabled(), !locked) << name;
    }
    for (const char* name : kLockedMenus) {
      EXPECT_EQ(find<QMenu>(window, name)->isEnabled(), !locked) << name;
    }
    for (const char* name : kLockedItems) {
      EXPECT_EQ(action(window, name)->isEnabled(), !locked) << name;
    }
    EXPECT_EQ(find<QWidget>(window, "cmdCancel")->isEnabled(), locked);
    EXPECT_TRUE(find<QWidget>(window, "ProgressBar1")->isEnabled());
  }

  static QString percentage(const MainWindow& window) {
    return find<QLineEdit>(window, "Progress")->text();
  }

  static void click(const MainWindow& window, const char* button) {
    find<QAbstractButton>(window, button)->click();
  }

  std::shared_ptr<ReceiverSimulator> demo = std::make_shared<ReceiverSimulator>(DemoMemory());
};

TEST_F(TransferTest, ReadAllLocksTheWindowAndTakesTheReceiversMemory) {
  const auto window = simulatedWindow(demo);
  QString percentageAtMessage;
  bool gridLiveAtMessage = true;
  bool cancelLiveAtMessage = true;
  script->onMessage = [&](const Message&) {
    percentageAtMessage = percentage(*window);
    gridLiveAtMessage = grid(*window)->isEnabled();
    cancelLiveAtMessage = find<QWidget>(*window, "cmdCancel")->isEnabled();
  };

  const bool finished = runTransfer(*window, [&] {
    action(*window, "ALL_READ")->trigger();
    expectLocked(*window, true);
  });

  ASSERT_TRUE(finished);
  expectLocked(*window, false);
  ASSERT_EQ(script->messages.size(), 1u);
  EXPECT_EQ(script->messages[0], Notice(" Finish", "Success ALL DATA READ"));
  EXPECT_EQ(percentageAtMessage, "100%");
  EXPECT_FALSE(gridLiveAtMessage) << "the window is unlocked once the message has been read";
  EXPECT_FALSE(cancelLiveAtMessage) << "nothing is left to cancel";
  EXPECT_EQ(percentage(*window), "0%");
  const struct {
    int slot, column;
    const char* text;
  } cells[] = {{1, 1, "118.10000MHz"}, {1, 12, "TOKYO TWR"}, {101, 1, "145.00000MHz"},
               {1302, 12, "SUB CALL"}, {9, 1, ""},           {1701, 1, "398.60500MHz"}};
  for (const auto& c : cells) EXPECT_EQ(cell(*window, c.slot, c.column), c.text) << c.slot;
  EXPECT_TRUE(window->isModified());
}

TEST_F(TransferTest, WriteAllIsFoundByTheNextRead) {
  const auto window = simulatedWindow(demo);
  CloneImage image = window->image();
  image.slot(9) = image.slot(FirstPresetSlot);
  window->replaceImage(image);
  QString percentageAtMessage;
  script->onMessage = [&](const Message&) { percentageAtMessage = percentage(*window); };

  ASSERT_TRUE(runTransfer(*window, [&] {
    action(*window, "ALL_WRITE")->trigger();
    expectLocked(*window, true);
  }));
  expectLocked(*window, false);
  EXPECT_EQ(script->messages.back(), Notice(" Finish", "Success ALL DATA WRITE"));
  EXPECT_EQ(percentageAtMessage, "100%");

  const auto reader = simulatedWindow(demo);
  ASSERT_TRUE(runTransfer(*reader, [&] { action(*reader, "ALL_READ")->trigger(); }));
  EXPECT_EQ(cell(*reader, 9, 1), "398.60500MHz");
  EXPECT_EQ(cell(*reader, 1, 1), "") << "the receiver's old channels are gone";
}

TEST_F(TransferTest, SelectedRowsAreReadAndWrittenAlone) {
  const auto window = simulatedWindow(demo);
  QTableView* view = grid(*window);
  view->selectionModel()->setCurrentIndex(
      view->model()->index(2, 1), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  QTest::keyClick(view, Qt::Key_Up, Qt::ShiftModifier);
  QTest::keyClick(view, Qt::Key_Up, Qt::ShiftModifier);

  ASSERT_TRUE(runTransfer(*window, [&] {
    click(*window, "MEM_ONE_READ");
    expectLocked(*window, true);
  }));
  expectLocked(*window, false);
  EXPECT_EQ(script->messages.back(), Notice("Complete", "Complete"));
  EXPECT_EQ(cell(*window, 1, 12), "TOKYO TWR");
  EXPECT_EQ(cell(*window, 3, 1), "119.10000MHz");
  EXPECT_EQ(cell(*window, 4, 1), "") << "slot 4 was not selected";
  EXPECT_TRUE(window->isModified());

  CloneImage image = window->image();
  image.slot(2) = image.slot(FirstPresetSlot);
  image.slot(3).clear();
  window->replaceImage(image);
  view->selectRow(1);
  ASSERT_TRUE(runTransfer(*window, [&] { click(*window, "MEM_ONE_WRITE"); }));
  EXPECT_EQ(script->messages.back(), Notice("Complete", "Complete"));

  const auto reader = simulatedWindow(demo);
  ASSERT_TRUE(runTransfer(*reader, [&] { action(*reader, "ALL_READ")->trigger(); }));
  EXPECT_EQ(cell(*reader, 1, 1), "118.10000MHz");
  EXPECT_EQ(cell(*reader, 2, 1), "398.60500MHz");
  EXPECT_EQ(cell(*reader, 3, 1), "119.10000MHz") << "slot 3 was not selected";
}

TEST_F(TransferTest, FailedTransferSaysWhatFailedChangesNothingAndUnlocks) {
  const struct {
    const char* what;
    const char* variant;
    const char* preferences;  // a PORTNAME line, or none for the simulated receiver
    const char* command;
    const char* reason;
  } cases[] = {
      {"K against a J receiver", "optRegion_3", nullptr, "ALL_READ", "ZT~RQ-M27K"},
      {"E against a J receiver", "optRegion_1", nullptr, "MEM_ONE_WRITE", "ZT~RQ-M27E"},
      {"a port that is not there", "optRegion_0", "/nonexistent/rqm27-tty", "ALL_WRITE",
       "/nonexistent/rqm27-tty"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    *script = {};
    QFile::remove(preferencesPath());
    std::unique_ptr<MainWindow> window;
    if (c.preferences) {
      ASSERT_TRUE(QDir().mkpath(QFileInfo(preferencesPath()).absolutePath()));
      QFile file(preferencesPath());
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(QByteArray("Save\r\nCOMPORT01\r\nPORTNAME") + c.preferences + "\r\n");
      file.close();
      window = makeWindow(demo);
    } else {
      window = simulatedWindow(demo);
    }
    click(*window, c.variant);
    const CloneImage before = window->image();
    const QByteArray memoryBefore = demo->memory();

    ASSERT_TRUE(runTransfer(*window, [&] {
      if (QString(c.command).startsWith("ALL")) {
        action(*window, c.command)->trigger();
      } else {
        click(*window, c.command);
      }
    }));

    expectLocked(*window, false);
    EXPECT_EQ(window->image(), before);
    EXPECT_EQ(demo->memory(), memoryBefore);
    ASSERT_EQ(script->messages.size(), 1u);
    EXPECT_EQ(script->messages[0].title, " Error");
    EXPECT_EQ(script->messages[0].text, "Error");
    EXPECT_TRUE(script->messages[0].detail.contains(c.reason))
        << script->messages[0].detail.toStdString();
  }
}

TEST_F(TransferTest, CancelStopsBetweenBlocks) {
  SimulatorOptions slow;
  slow.baud = 100000;
  const auto receiver = std::make_shared<ReceiverSimulator>(DemoMemory(), slow);

  const auto window = simulatedWindow(receiver);
  const CloneImage before = window->image();
  auto* bar = find<QProgressBar>(*window, "ProgressBar1");
  ASSERT_TRUE(runTransfer(*window, [&] {
    action(*window, "ALL_READ")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->maximum() == 1700 && bar->value() >= 17; }));
    EXPECT_EQ(percentage(*window), QStringLiteral("%1%").arg(bar->value() * 100 / 1700));
    EXPECT_FALSE(window->close()) << "the window stays while a transfer runs";
    EXPECT_EQ(script->messages.back().text, "A transfer with the receiver is running.");
    click(*window, "cmdCancel");
  }));
  EXPECT_EQ(window->image(), before) << "a cancelled read changes nothing";
  EXPECT_EQ(script->messages.back().title, " Cancelled");
  EXPECT_TRUE(script->messages.back().detail.startsWith("Read all: cancelled"));
  expectLocked(*window, false);

  ASSERT_TRUE(runTransfer(*window, [&] {
    action(*window, "ALL_WRITE")->trigger();
    click(*window, "cmdCancel");
  }));
  EXPECT_TRUE(script->messages.back().detail.startsWith("Write all: cancelled"))
      << script->messages.back().detail.toStdString();
  expectLocked(*window, false);
}

TEST_F(TransferTest, WaitShowsWhileTheReceiverClearsItsChannels) {
  SimulatorOptions options;
  options.imDelayMs = 500;
  const auto window = simulatedWindow(std::make_shared<ReceiverSimulator>(DemoMemory(), options));
  auto* wait = find<QWidget>(*window, "cmdWaitButton");
  bool shown = false;
  ASSERT_TRUE(runTransfer(*window, [&] {
    action(*window, "ALL_WRITE")->trigger();
    shown = QTest::qWaitFor([&] { return !wait->isHidden(); }, 20000);
  }));
  EXPECT_TRUE(shown);
  EXPECT_TRUE(wait->isHidden());
}

TEST_F(TransferTest, ReadAllOverUnsavedEditsAsksFirst) {
  const auto window = simulatedWindow(demo);
  CloneImage image = window->image();
  image.slot(5) = image.slot(FirstPresetSlot);
  window->replaceImage(image);
  grid(*window)->selectRow(4);
  QTest::keyClick(grid(*window), Qt::Key_Delete);
  ASSERT_TRUE(window->isModified());

  script->saveChoice = SaveChoice::Cancel;
  action(*window, "ALL_READ")->trigger();
  EXPECT_EQ(script->questions, 1);
  EXPECT_FALSE(window->isTransferRunning());

  script->saveChoice = SaveChoice::Discard;
  ASSERT_TRUE(runTransfer(*window, [&] { action(*window, "ALL_READ")->trigger(); }));
  EXPECT_EQ(script->questions, 2);
  EXPECT_EQ(cell(*window, 5, 1), "124.75000MHz");
}

TEST_F(TransferTest, PressingTheProgressBarResetsTheReceiver) {
  const auto window = simulatedWindow(demo);
  const QByteArray memory = demo->memory();
  QTest::mousePress(find<QWidget>(*window, "ProgressBar1"), Qt::LeftButton);
  EXPECT_EQ(demo->commandCount(), 1);
  EXPECT_EQ(demo->memory(), memory);
  EXPECT_TRUE(script->messages.empty());
}

}  // namespace
}  // namespace rqm27
