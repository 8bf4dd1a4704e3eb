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
  for (const char32_t c : QString::fromUtf8(utf8).toUcs4()) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUcs4(&c, 1));
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

// The receiver holds 16 characters, single- or double-byte alike; a character it cannot show
// is refused as it is typed or pasted rather than turned into "?".
TEST_F(SettingPageTest, TheOpeningMessageTakesSixteenCharactersTheReceiverCanShow) {
  const struct {
    const char *shown, *typed, *expected;
    int cursor = -1;
  } cases[] = {
      {"", "ABCDEFGHIJKLMNOPQR", "ABCDEFGHIJKLMNOP"},
      {"", "あいうえおかきくけこさしすせそたち", "あいうえおかきくけこさしすせそた"},
      {"", "デモ受信機 RQ-M27", "デモ受信機 RQ-M27"},
      {"ABCDEFGHIJKLMNO", "あZ", "ABCDEFGHIJKLMNOあ"},
      {"AB", "é😀€C", "ABC"},
      {"ABCDEFGHIJKLMNOP", "x", "ABCDEFGHIJKLMNOP", 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    showTitle(c.shown);
    if (c.cursor >= 0) title->setCursorPosition(c.cursor);
    Type(title, c.typed);
    expectTitle(c.expected);
  }

  showTitle("ABC");
  title->setCursorPosition(1);
  QApplication::clipboard()->setText(QString::fromUtf8("あいうé😀えおかきくけこさしすせそ"));
  title->paste();
  expectTitle("AあいうえおかきくけこさしすBC");
  EXPECT_EQ(title->cursorPosition(), 14);
}

}  // namespace
}  // namespace rqm27
