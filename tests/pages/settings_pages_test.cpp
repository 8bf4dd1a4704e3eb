// The Set mode page and the Setting page, with its one-touch memories and opening message,
// over one host as the main window has them.
#include "pages/one_touch_frame.h"
#include "pages/set_mode_page.h"
#include "pages/setting_page.h"

#include "pages/fake_page_host.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace rqm27 {
namespace {

using L = SettingsList;
using testing::Banks;

// The arrays as the names of their lists and captions begin.
const std::array<QString, SettingsListCount> Arrays = {"recv", "display", "power",   "key", "scan",
                                                       "mem",  "sound",   "remocon", "misc"};

// The last entry of every list, in English, with one signal output on.
SettingsSelections LastEntries() {
  SettingsSelections s;
  for (int a = 0; a < SettingsListCount; ++a) {
    for (int i = 0; i < SettingsListSizes[std::size_t(a)]; ++i) {
      s.at(L(a), i) = SettingsChoiceCount(L(a), i) - 1;
    }
  }
  s.at(L::Display, 0) = s.at(L::Recv, 4) = 0;
  return s;
}

class SettingsPagesTest : public testing::PageTest<SettingPage> {
 protected:
  SettingsPagesTest() { host.addView(&setMode); }

  template <typename T>
  T* find(const QString& name, int i = -1) {
    T* found = testing::Find<T>(setMode, name, i);
    return found ? found : testing::Find<T>(page, name, i);
  }
  QComboBox* list(L a, int i) {
    return find<QComboBox>(Arrays[std::size_t(a)] + "SettingsList", i);
  }
  QLabel* caption(L a, int i) { return find<QLabel>(Arrays[std::size_t(a)] + "SettingsLabel", i); }
  void showSettings(const SettingsSelections& settings) {
    change([&](CloneImage& image) { image.settings = settings; });
  }
  QComboBox* bank(int i) { return find<QComboBox>("oneTouchBankList", i); }
  QComboBox* channel(int i) { return find<QComboBox>("oneTouchChannelList", i); }
  QCheckBox* notSet(int i) { return find<QCheckBox>("oneTouchNotSetCheckBox", i); }
  void showBanks(const BankTable& banks) {
    change([&](CloneImage& image) { image.banks = banks; });
  }
  void setMemory(int i, OneTouchMemory memory) {
    change([&](CloneImage& image) { image.oneTouch[std::size_t(i)] = memory; });
  }
  OneTouchMemory memory(int i) const { return image().oneTouch[std::size_t(i)]; }

  SetModePage setMode{host};
};

// Choosing "日本語" shows both pages in Japanese, every list keeping its selection, and back.
TEST_F(SettingsPagesTest, ChoosingALanguageShowsBothPagesInItAndResetReturnsToEnglish) {
  SettingsSelections expected = LastEntries();
  showSettings(expected);
  for (const Language language : {Language::Japanese, Language::English}) {
    const int index = language == Language::Japanese ? 1 : 0;
    list(L::Display, 0)->setCurrentIndex(index);
    expected.at(L::Display, 0) = index;
    ASSERT_EQ(image().settings, expected);
    for (int a = 0; a < SettingsListCount; ++a) {
      for (int i = 0; i < SettingsListSizes[std::size_t(a)]; ++i) {
        SCOPED_TRACE(list(L(a), i)->objectName().toStdString());
        EXPECT_EQ(caption(L(a), i)->text(), SettingsCaption(L(a), i, language));
        EXPECT_EQ(testing::Entries(*list(L(a), i)), SettingsChoices(L(a), i, language));
        EXPECT_EQ(list(L(a), i)->currentIndex(), expected.at(L(a), i));
      }
    }
    EXPECT_EQ(find<QLabel>("keyLabel")->text(), KeyLabelCaption(language));
  }
  const auto boxes = setMode.findChildren<QGroupBox*>();  // one ampersand on screen
  EXPECT_TRUE(std::any_of(boxes.begin(), boxes.end(),
                          [](auto* box) { return box->title() == "<POWER && BATTERY>"; }));

  // Reset, on either page, turns a Japanese page to English with the defaults.
  for (const char* reset : {"setModeResetButton", "settingResetButton"}) {
    list(L::Display, 0)->setCurrentIndex(1);
    change([](CloneImage& image) { image.title = NameFromText(u"OLD TITLE"); });
    find<QAbstractButton>(reset)->click();
    EXPECT_EQ(image().settings, DefaultSettings()) << reset;
    EXPECT_TRUE(image().title.isEmpty() && find<QLineEdit>("titleEdit")->text().isEmpty());
    EXPECT_EQ(caption(L::Recv, 3)->text(), SettingsCaption(L::Recv, 3, Language::English));
  }
}

TEST_F(SettingsPagesTest, OnlyOneOfTheTwoSignalOutputsCanBeTurnedOn) {
  // Both on (read from a receiver): both stay open so that either can be turned off.
  const int cases[][4] = {{0, 0, 1, 1}, {1, 0, 1, 0}, {0, 1, 0, 1}, {1, 1, 1, 1}};
  for (const auto& [detector, iq, detectorOpen, iqOpen] : cases) {
    SCOPED_TRACE(::testing::Message() << detector << iq);
    SettingsSelections settings = DefaultSettings();
    settings.at(L::Recv, 3) = detector;
    settings.at(L::Recv, 4) = iq;
    showSettings(settings);
    EXPECT_EQ(list(L::Recv, 3)->isEnabled(), bool(detectorOpen));
    EXPECT_EQ(list(L::Recv, 4)->isEnabled(), bool(iqOpen));
  }
}

// A one-touch memory offers the banks that hold channels and, from channel 0, the channels of
// the bank chosen; typing chooses nothing. A memory whose bank lost its channels shows the first
// bank's channel 0 without being edited; choosing a channel or marking it set takes what is
// shown. Reset marks every memory not set.
TEST_F(SettingsPagesTest, OneTouchMemoriesChooseAmongTheBanksThatHoldChannels) {
  showBanks(Banks({{0, 400}, {3, 500}, {5, 300}}));
  EXPECT_EQ(channel(0)->count(), 400);
  setMemory(2, {true, 0, 5});
  QTest::keyClicks(bank(2), "5");
  EXPECT_EQ(memory(2), (OneTouchMemory{true, 0, 5}));
  bank(2)->setCurrentIndex(2);
  EXPECT_EQ(memory(2), (OneTouchMemory{true, 5, 0}));
  EXPECT_EQ(channel(2)->count(), 300);
  EXPECT_EQ(channel(2)->currentText(), "0");
  channel(2)->setCurrentIndex(42);
  EXPECT_EQ(memory(2), (OneTouchMemory{true, 5, 42}));
  notSet(2)->click();
  EXPECT_EQ(memory(2), (OneTouchMemory{false, 5, 42}));
  EXPECT_EQ(channel(2)->currentText(), "42");

  setMemory(1, {true, 3, 12});
  setMemory(6, {false, 3, 4});
  const int edits = host.edits;
  showBanks(Banks({{0, 400}, {5, 300}, {7, 500}}));
  for (int i = 0; i < OneTouchCount; ++i) {
    EXPECT_EQ(testing::Entries(*bank(i)), (QStringList{"0", "5", "7"})) << i;
  }
  EXPECT_EQ(bank(1)->currentText(), "0");
  EXPECT_EQ(channel(1)->currentText(), "0");
  EXPECT_EQ(memory(1), (OneTouchMemory{true, 3, 12}));
  EXPECT_EQ(host.edits, edits);
  channel(1)->setCurrentIndex(9);
  EXPECT_EQ(memory(1), (OneTouchMemory{true, 0, 9}));
  notSet(6)->click();
  EXPECT_EQ(memory(6), (OneTouchMemory{true, 0, 0}));

  showBanks(Banks({{2, 600}, {9, 600}}));
  find<QAbstractButton>("resetOneTouchButton")->click();
  for (int i = 0; i < OneTouchCount; ++i) {
    EXPECT_EQ(memory(i), (OneTouchMemory{false, 2, 0})) << i;
    EXPECT_TRUE(notSet(i)->isChecked()) << i;
    EXPECT_EQ(bank(i)->currentText(), "2") << i;
  }
}

// Types each character as a key press of its own, as a keyboard or input method delivers it.
void Type(QLineEdit* edit, const char* utf8) {
  for (const char32_t c : QString::fromUtf8(utf8).toUcs4()) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUcs4(&c, 1));
    QApplication::sendEvent(edit, &press);
  }
}

// The receiver holds 16 characters, single- or double-byte alike; a character it cannot show
// is refused as it is typed or pasted rather than turned into "?".
TEST_F(SettingsPagesTest, TheOpeningMessageTakesSixteenCharactersTheReceiverCanShow) {
  QLineEdit* title = find<QLineEdit>("titleEdit");
  const auto showTitle = [&](const char* utf8) {
    change([&](CloneImage& image) { image.title = NameFromText(QString::fromUtf8(utf8)); });
    title->end(false);
  };
  const auto expectTitle = [&](const char* utf8) {
    EXPECT_EQ(title->text(), QString::fromUtf8(utf8));
    EXPECT_EQ(NameToText(image().title), QString::fromUtf8(utf8));
  };
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
