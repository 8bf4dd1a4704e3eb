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

// A message from the receiver longer than 16 bytes is shown whole and can only shrink.
TEST_F(SettingPageTest, TypingStopsAtSixteenBytesOfTheOpeningMessage) {
  const struct {
    const char *shown, *typed, *expected;
    int cursor = -1;
  } cases[] = {
      {"", "ABCDEFGHIJKLMNOPQR", "ABCDEFGHIJKLMNOP"},
      {"ABCDEFGHIJKLMNO", "あ", "ABCDEFGHIJKLMNO"},
      {"ABCDEFGHIJKLMNO", "あZ", "ABCDEFGHIJKLMNOZ"},
      {"ABCDEFGHIJKLMN", "あ", "ABCDEFGHIJKLMNあ"},
      {"", "受信機ﾃｽﾄ12345678", "受信機ﾃｽﾄ1234567"},
      {"ABCDEFGHIJKLMNOP", "x", "ABCDEFGHIJKLMNOP", 4},
      {"デモ受信機 RQ-M27", "8", "デモ受信機 RQ-M27"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    showTitle(c.shown);
    if (c.cursor >= 0) title->setCursorPosition(c.cursor);
    Type(title, c.typed);
    expectTitle(c.expected);
  }
  QTest::keyClick(title, Qt::Key_Backspace);
  Type(title, "9");
  expectTitle("デモ受信機 RQ-M2");

  showTitle("ABC");
  QApplication::clipboard()->setText(QString::fromUtf8("あいうえおかきくけ"));
  title->paste();
  expectTitle("ABCあいうえおか");
}

}  // namespace
}  // namespace rqm27
