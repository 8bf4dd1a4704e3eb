#include "app/port_menu.h"

#include "app/window_fixture.h"
#include "files/preferences.h"

#include <QActionGroup>
#include <QDir>
#include <QMenu>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

class PortMenuTest : public testing::WindowTest {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.isValid()); }

  QByteArray preferences() const {
    QFile file(preferencesPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void writePreferences(const QByteArray& bytes) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(preferencesPath()).absolutePath()));
    QFile file(preferencesPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  // The names of the checked items of the port menu.
  static QStringList checkedItems(const MainWindow& window) {
    QStringList names;
    for (QAction* item : find<QMenu>(window, "MenuComPort")->actions()) {
      if (item->isChecked()) names << item->objectName();
    }
    return names;
  }
};

TEST_F(PortMenuTest, ListsTheNumberedPortsThenTheSimulatedReceiver) {
  const auto window = makeWindow();
  const QList<QAction*> items = find<QMenu>(*window, "MenuComPort")->actions();
  QStringList texts;
  for (QAction* item : items) {
    if (!item->isSeparator()) texts << item->text();
  }
  ASSERT_GE(texts.size(), 17);
  for (int port = 1; port <= 16; ++port) {
    EXPECT_EQ(texts[port - 1], QStringLiteral("COM%1").arg(port));
    QAction* item = action(*window, QByteArray("MenuSetCom_" + QByteArray::number(port)));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isCheckable());
  }
  EXPECT_EQ(texts.back(), "Simulated receiver");
  EXPECT_EQ(items.back()->objectName(), "MenuSimulated");
}

TEST_F(PortMenuTest, StartsOnThePortThePreferencesName) {
  const struct {
    const char* file;  // nullptr: no preferences file
    const char* port;
    const char* item;
  } cases[] = {
      {nullptr, "COM1", "MenuSetCom_1"},
      {"Save\r\nCOMPORT07\r\nFile End\r\n", "COM7", "MenuSetCom_7"},
      {"Save\r\nCOMPORT7\r\nFile End\r\n", "COM1", "MenuSetCom_1"},
      {"Save\r\nCOMPORT03\r\nPORTNAMEsim\r\nFile End\r\n", "sim", "MenuSimulated"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file ? c.file : "no file");
    QFile::remove(preferencesPath());
    if (c.file) writePreferences(c.file);
    const auto window = makeWindow();
    EXPECT_EQ(window->portName(), c.port);
    EXPECT_EQ(checkedItems(*window), QStringList{c.item});
  }
}

TEST_F(PortMenuTest, AChosenPortIsCheckedAloneAndRemembered) {
  {
    const auto window = makeWindow();
    action(*window, "MenuSetCom_12")->trigger();
    EXPECT_EQ(checkedItems(*window), QStringList{"MenuSetCom_12"});
    EXPECT_EQ(window->portName(), "COM12");
    EXPECT_EQ(window->image().comPort, 12);
    const QByteArray saved = preferences();
    EXPECT_TRUE(saved.contains("\r\nCOMPORT12\r\nFile End\r\n")) << saved.right(40).constData();
    EXPECT_FALSE(saved.contains("PORTNAME"));

    action(*window, "MenuSimulated")->trigger();
    EXPECT_EQ(checkedItems(*window), QStringList{"MenuSimulated"});
    EXPECT_TRUE(preferences().endsWith("\r\nCOMPORT12\r\nPORTNAMEsim\r\nFile End\r\n"));
    EXPECT_TRUE(script->messages.empty());
  }
  const auto reopened = makeWindow();
  EXPECT_EQ(reopened->portName(), "sim");
  EXPECT_EQ(reopened->image().comPort, 12);
}

TEST_F(PortMenuTest, APortNotFoundNowStillShowsChecked) {
  writePreferences("Save\r\nCOMPORT01\r\nPORTNAME/dev/rqm27-unplugged\r\nFile End\r\n");
  const auto window = makeWindow();
  EXPECT_EQ(window->portName(), "/dev/rqm27-unplugged");
  const QStringList checked = checkedItems(*window);
  ASSERT_EQ(checked.size(), 1);
  EXPECT_TRUE(action(*window, checked[0].toLatin1())->text().startsWith("/dev/rqm27-unplugged"));
}

TEST_F(PortMenuTest, APreferencesFileThatCannotBeWrittenIsReported) {
  {
    QFile blocker(folder.filePath("config"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  }
  const auto window = makeWindow();
  action(*window, "MenuSetCom_3")->trigger();
  EXPECT_EQ(window->portName(), "COM3");
  ASSERT_EQ(script->messages.size(), 1u);
  EXPECT_EQ(script->messages[0].title, "Error");
  EXPECT_TRUE(script->messages[0].detail.contains(preferencesPath()))
      << script->messages[0].detail.toStdString();
}

}  // namespace
}  // namespace rqm27
