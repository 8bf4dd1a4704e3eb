#include "app/about_dialog.h"
#include "app/splash_window.h"

#include "app/window_fixture.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

TEST(SplashWindow, ShowsTheVersionAndEndsOnAKey) {
  QPointer<SplashWindow> splash = new SplashWindow;
  EXPECT_EQ(splash->objectName(), "frmSplash");
  EXPECT_EQ(splash->findChild<QLabel*>("lblVersion")->text(), "Version 3.11");
  QSignalSpy finished(splash.data(), &SplashWindow::finished);
  splash->show();

  QTest::keyClick(splash.data(), Qt::Key_Space);

  EXPECT_EQ(finished.size(), 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); })) << "closed and deleted";
}

TEST(SplashWindow, EndsByItselfAfterHalfASecond) {
  QElapsedTimer clock;
  clock.start();
  QPointer<SplashWindow> splash = new SplashWindow;
  QSignalSpy finished(splash.data(), &SplashWindow::finished);
  splash->show();

  ASSERT_TRUE(QTest::qWaitFor([&] { return finished.size() == 1; }, 5000));
  EXPECT_GE(clock.elapsed(), SplashWindow::ShowMilliseconds);
  EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }));
}

class AboutTest : public testing::WindowTest {};

TEST_F(AboutTest, VersionItemOpensTheVersionWindowUntilOk) {
  const auto window = makeWindow();
  action(*window, "MenuVersion")->trigger();

  QPointer<QDialog> about = window->findChild<QDialog*>("Form3");
  ASSERT_FALSE(about.isNull());
  EXPECT_TRUE(about->isVisible());
  EXPECT_EQ(about->windowTitle(), "Version");
  EXPECT_EQ(about->findChild<QLabel*>("lblVersion")->text(), "Version 3.11");
  EXPECT_EQ(about->findChild<QLabel*>("lblDate")->text(), "2021/1");

  about->findChild<QPushButton*>("cmdOK")->click();
  EXPECT_TRUE(QTest::qWaitFor([&] { return about.isNull(); }));
}

}  // namespace
}  // namespace rqm27
