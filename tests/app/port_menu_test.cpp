#include "app/port_menu.h"

#include "app/window_fixture.h"

#include <QMenu>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

class PortMenuTest : public testing::WindowTest {
 protected:
  QByteArray preferences() const {
    QFile file(preferencesPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  // The port menu's items, and which of them are checked.
  static QStringList items(const MainWindow& window, bool checkedOnly) {
    QStringList names;
    for (QAction* item : find<QMenu>(window, "MenuComPort")->actions()) {
      if (!item->isSeparator() && (!checkedOnly || item->isChecked())) {
        names << (checkedOnly ? item->objectName() : item->text());
      }
    }
    return names;
  }
};

TEST_F(PortMenuTest, StartsOnThePortThePreferencesName) {
  // The preferences (nullptr: no file), the port and the item checked.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {nullptr, "COM1", "MenuSetCom_1"},
      {"Save\r\nCOMPORT07\r\nFile End\r\n", "COM7", "MenuSetCom_7"},
      {"Save\r\nCOMPORT7\r\nFile End\r\n", "COM1", "MenuSetCom_1"},
      {"Save\r\nCOMPORT03\r\nPORTNAMEsim\r\nFile End\r\n", "sim", "MenuSimulated"}};
  for (const auto& [file, port, item] : cases) {
    SCOPED_TRACE(file ? file : "no file");
    QFile::remove(preferencesPath());
    if (file) writePreferences(file);
    const auto window = makeWindow();
    EXPECT_EQ(window->portName(), port);
    EXPECT_EQ(items(*window, true), QStringList{item});
    const QStringList texts = items(*window, false);
    ASSERT_GE(texts.size(), 17);
    EXPECT_EQ(texts[15], "COM16");
    EXPECT_EQ(texts.back(), "Simulated receiver");
  }
}

TEST_F(PortMenuTest, AChosenPortIsCheckedAloneAndRemembered) {
  {
    const auto window = makeWindow();
    action(*window, "MenuSetCom_12")->trigger();
    EXPECT_EQ(items(*window, true), QStringList{"MenuSetCom_12"});
    EXPECT_EQ(window->portName(), "COM12");
    EXPECT_TRUE(preferences().endsWith("\r\nCOMPORT12\r\nFile End\r\n"));

    action(*window, "MenuSimulated")->trigger();
    EXPECT_EQ(items(*window, true), QStringList{"MenuSimulated"});
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
  const QStringList checked = items(*window, true);
  ASSERT_EQ(checked.size(), 1);
  EXPECT_TRUE(action(*window, checked[0].toLatin1())->text().startsWith("/dev/rqm27-unplugged"));
}

TEST_F(PortMenuTest, APreferencesFileThatCannotBeWrittenIsReported) {
  QFile blocker(folder.filePath("config"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  const auto window = makeWindow();
  action(*window, "MenuSetCom_3")->trigger();
  EXPECT_EQ(window->portName(), "COM3");
  ASSERT_EQ(script->messages.size(), 1u);
  EXPECT_TRUE(script->messages[0].detail.contains(preferencesPath()));
}

}  // namespace
}  // namespace rqm27
