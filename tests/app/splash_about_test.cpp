#include "app/about_dialog.h"
#include "app/splash_window.h"

#include "app/window_fixture.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

TEST(SplashWindow, EndsOnAKeyOrByItself) {
  for (const bool key : {true, false}) {
    QPointer<SplashWindow> splash = new SplashWindow;
    EXPECT_EQ(splash->findChild<QLabel*>("lblVersion")->text(), "Version 3.11");
    QSignalSpy finished(splash.data(), &SplashWindow::finished);
    splash->show();
    if (key) QTest::keyClick(splash.data(), Qt::Key_Space);
    EXPECT_EQ(finished.size(), key ? 1 : 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.size() == 1; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); })) << "closed and deleted";
  }
}

class AboutTest : public testing::WindowTest {};

TEST_F(AboutTest, VersionItemOpensTheVersionWindowUntilOk) {
  const auto window = makeWindow();
  action(*window, "MenuVersion")->trigger();
  QPointer<QDialog> about = window->findChild<QDialog*>("Form3");
  ASSERT_FALSE(about.isNull());
  EXPECT_TRUE(about->isVisible());
  EXPECT_EQ(about->findChild<QLabel*>("lblVersion")->text(), "Version 3.11");
  about->findChild<QPushButton*>("cmdOK")->click();
  EXPECT_TRUE(QTest::qWaitFor([&] { return about.isNull(); }));
}

}  // namespace
}  // namespace rqm27
