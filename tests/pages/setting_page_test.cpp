#include "pages/setting_page.h"

#include "pages/fake_page_host.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>

namespace rqm27 {
namespace {

// Types each character as a key press of its own, as a keyboard or input method delivers it.
void Type(QLineEdit* edit, const char* utf8) {
  for (const QChar c : QString::fromUtf8(utf8)) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(edit, &press);
  }
}

class SettingPageTest : public ::testing::Test {
 protected:
  SettingPageTest() { host.addView(&page); }

  void showTitle(const char* utf8) {
    host.change([&](CloneImage& image) { image.title = NameFromText(QString::fromUtf8(utf8)); });
    title->end(false);
  }
  void expectTitle(const char* utf8) {
    EXPECT_EQ(title->text(), QString::fromUtf8(utf8));
    EXPECT_EQ(NameToText(host.image().title), QString::fromUtf8(utf8));
  }

  testing::FakePageHost host;
  SettingPage page{host};
  QLineEdit* title = page.findChild<QLineEdit*>("TITLE_TEXT");
};

TEST_F(SettingPageTest, TypingStopsAtSixteenBytesOfTheOpeningMessage) {
  const struct {
    const char *shown, *typed, *expected;
  } cases[] = {
      {"", "ABCDEFGHIJKLMNOPQR", "ABCDEFGHIJKLMNOP"}, {"ABCDEFGHIJKLMNO", "あ", "ABCDEFGHIJKLMNO"},
      {"ABCDEFGHIJKLMNO", "あZ", "ABCDEFGHIJKLMNOZ"}, {"ABCDEFGHIJKLMN", "あ", "ABCDEFGHIJKLMNあ"},
      {"", "受信機ﾃｽﾄ12345678", "受信機ﾃｽﾄ1234567"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    showTitle(c.shown);
    Type(title, c.typed);
    expectTitle(c.expected);
  }
}

TEST_F(SettingPageTest, APasteKeepsWhatFitsAndACharacterInTheMiddleIsRefusedWhenFull) {
  showTitle("ABC");
  QApplication::clipboard()->setText(QString::fromUtf8("あいうえおかきくけ"));
  title->paste();
  expectTitle("ABCあいうえおか");

  showTitle("ABCDEFGHIJKLMNOP");
  title->setCursorPosition(4);
  Type(title, "x");
  expectTitle("ABCDEFGHIJKLMNOP");
}

TEST_F(SettingPageTest, ALongerMessageFromTheReceiverIsShownWholeAndCanOnlyShrink) {
  // 17 bytes: five double-byte characters and seven single-byte ones.
  showTitle("デモ受信機 RQ-M27");
  Type(title, "8");
  expectTitle("デモ受信機 RQ-M27");
  QTest::keyClick(title, Qt::Key_Backspace);
  Type(title, "9");
  expectTitle("デモ受信機 RQ-M2");
}

}  // namespace
}  // namespace rqm27
