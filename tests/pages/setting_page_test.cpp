#include "pages/setting_page.h"

#include "app/qstring_print.h"
#include "pages/fake_page_host.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

using testing::FakePageHost;

// Types each character as a key press of its own, as a keyboard or input method delivers it.
void Type(QLineEdit* edit, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(edit, &press);
  }
}

class SettingPageTest : public ::testing::Test {
 protected:
  SettingPageTest() : page(host), title(page.findChild<QLineEdit*>("TITLE_TEXT")) {
    host.addView(&page);
  }

  void showTitle(const QString& text) {
    host.mutableImage().title = NameFromText(text);
    host.showEverywhere();
    title->end(false);
  }

  FakePageHost host;
  SettingPage page;
  QLineEdit* title;
};

TEST_F(SettingPageTest, TypingStopsAtSixteenBytesOfTheOpeningMessage) {
  struct Case {
    const char* shown;
    const char* typed;
    const char* expected;
  };
  const Case cases[] = {
      {"", "ABCDEFGHIJKLMNOPQR", "ABCDEFGHIJKLMNOP"}, {"ABCDEFGHIJKLMNO", "あ", "ABCDEFGHIJKLMNO"},
      {"ABCDEFGHIJKLMNO", "あZ", "ABCDEFGHIJKLMNOZ"}, {"ABCDEFGHIJKLMN", "あ", "ABCDEFGHIJKLMNあ"},
      {"", "受信機ﾃｽﾄ12345678", "受信機ﾃｽﾄ1234567"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    showTitle(QString::fromUtf8(c.shown));

    Type(title, QString::fromUtf8(c.typed));

    EXPECT_EQ(title->text(), QString::fromUtf8(c.expected));
    EXPECT_EQ(NameToText(host.image().title), QString::fromUtf8(c.expected));
  }
}

TEST_F(SettingPageTest, APasteKeepsWhatFitsAndACharacterInTheMiddleIsRefusedWhenFull) {
  showTitle("ABC");
  QApplication::clipboard()->setText(QString::fromUtf8("あいうえおかきくけ"));
  title->paste();
  EXPECT_EQ(title->text(), QString::fromUtf8("ABCあいうえおか"));
  EXPECT_EQ(host.image().title, NameFromText(QString::fromUtf8("ABCあいうえおか")));

  showTitle("ABCDEFGHIJKLMNOP");
  title->setCursorPosition(4);
  Type(title, "x");
  EXPECT_EQ(title->text(), QStringLiteral("ABCDEFGHIJKLMNOP"));
}

TEST_F(SettingPageTest, ALongerMessageFromTheReceiverIsShownWholeAndCanOnlyShrink) {
  // 17 bytes: five double-byte characters and seven single-byte ones.
  const QString received = QString::fromUtf8("デモ受信機 RQ-M27");
  showTitle(received);
  EXPECT_EQ(title->text(), received);

  Type(title, "8");
  EXPECT_EQ(title->text(), received);

  QTest::keyClick(title, Qt::Key_Backspace);
  EXPECT_EQ(host.image().title, NameFromText(QString::fromUtf8("デモ受信機 RQ-M2")));
  Type(title, "9");
  EXPECT_EQ(title->text(), QString::fromUtf8("デモ受信機 RQ-M2"));
}

TEST_F(SettingPageTest, TheIconEditorButtonAsksForTheEditor) {
  QSignalSpy spy(&page, &SettingPage::iconEditorRequested);
  page.findChild<QPushButton*>("Command1")->click();
  EXPECT_EQ(spy.count(), 1);
}

}  // namespace
}  // namespace rqm27
