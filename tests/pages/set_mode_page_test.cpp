#include "pages/set_mode_page.h"

#include "pages/fake_page_host.h"
#include "pages/setting_page.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>

namespace rqm27 {
namespace {

using L = SettingsList;

const std::array<const char*, SettingsListCount> CaptionArrays = {
    "Label60", "Label12", "Label13",      "Label25",   "Label23",
    "Label29", "Label14", "LabelRemocon", "Label_misc"};

template <typename F>
void ForEachList(F f) {
  for (int a = 0; a < SettingsListCount; ++a) {
    for (int i = 0; i < SettingsListSizes[std::size_t(a)]; ++i) f(static_cast<L>(a), i);
  }
}

// The last entry of every list, in English, with one signal output on.
SettingsSelections LastEntries() {
  SettingsSelections s;
  ForEachList([&](L list, int i) { s.at(list, i) = SettingsChoiceCount(list, i) - 1; });
  s.at(L::Display, 0) = 0;
  s.at(L::Recv, 4) = 0;
  return s;
}

// Both settings pages over one host, as the main window has them.
class SetModePageTest : public ::testing::Test {
 protected:
  SetModePageTest() {
    host.addView(&setMode);
    host.addView(&setting);
  }

  template <typename T>
  T* find(const QString& name, int i = -1) {
    T* found = testing::Find<T>(setMode, name, i);
    return found ? found : testing::Find<T>(setting, name, i);
  }
  QComboBox* list(L a, int i) {
    return find<QComboBox>(SettingsListNames[std::size_t(a)].data(), i);
  }
  QLabel* caption(L a, int i) { return find<QLabel>(CaptionArrays[std::size_t(a)], i); }
  void click(const char* button) { find<QAbstractButton>(button)->click(); }
  void showSettings(const SettingsSelections& settings) {
    host.change([&](CloneImage& image) { image.settings = settings; });
  }

  testing::FakePageHost host;
  SetModePage setMode{host};
  SettingPage setting{host};
};

TEST_F(SetModePageTest, ChoosingJapaneseRebuildsBothPagesAndKeepsEverySelection) {
  showSettings(LastEntries());
  SettingsSelections expected = LastEntries();
  for (const Language language : {Language::Japanese, Language::English}) {
    const int index = language == Language::Japanese ? 1 : 0;
    list(L::Display, 0)->setCurrentIndex(index);
    expected.at(L::Display, 0) = index;
    ASSERT_EQ(host.image().settings, expected);
    ForEachList([&](L array, int i) {
      SCOPED_TRACE(list(array, i)->objectName().toStdString());
      EXPECT_EQ(caption(array, i)->text(), SettingsCaption(array, i, language));
      EXPECT_EQ(testing::Entries(*list(array, i)), SettingsChoices(array, i, language));
      EXPECT_EQ(list(array, i)->currentIndex(), expected.at(array, i));
    });
  }
  EXPECT_EQ(list(L::Sound, 1)->currentText(), "MAIN + SUB Bands");
  EXPECT_EQ(find<QLabel>("Label6")->text(), "Key");
  const auto boxes = setMode.findChildren<QGroupBox*>();  // one ampersand on screen
  EXPECT_TRUE(std::any_of(boxes.begin(), boxes.end(),
                          [](auto* box) { return box->title() == "<POWER && BATTERY>"; }));
}

TEST_F(SetModePageTest, OnlyAChangeOfLanguageRefillsListsAndOnlyThoseThatDiffer) {
  // Bar Antenna, Earphone Antenna, LCD Contrast and Dial Ring keep their entries.
  const QStringList names = {"Set_Mode_Recv_0", "Set_Mode_Recv_1", "Set_Mode_Display_3",
                             "Set_Mode_Key_5",  "Set_Mode_Recv_2", "Setting_misc_0"};
  const auto firstItems = [&] {
    std::vector<const QStandardItem*> items;
    for (const QString& name : names)
      items.push_back(static_cast<QStandardItemModel*>(find<QComboBox>(name)->model())->item(0));
    return items;
  };
  const auto english = firstItems();
  list(L::Display, 0)->setCurrentIndex(1);
  const auto japanese = firstItems();
  list(L::Display, 0)->setCurrentIndex(1);
  list(L::Sound, 1)->setCurrentIndex(2);
  setMode.showImage();
  EXPECT_EQ(firstItems(), japanese);
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(japanese[i] == english[i], i < 4) << i;
}

TEST_F(SetModePageTest, ResetTurnsAJapanesePageToEnglishWithTheDefaults) {
  for (const char* button : {"Set_Mode_Clear", "SETTING_RESET"}) {
    SCOPED_TRACE(button);
    host.mutableImage().title = NameFromText(u"OLD TITLE");
    SettingsSelections japanese = LastEntries();
    japanese.at(L::Display, 0) = 1;
    showSettings(japanese);
    click(button);
    EXPECT_EQ(host.image().settings, DefaultSettings());
    EXPECT_TRUE(host.image().title.isEmpty());
    EXPECT_EQ(caption(L::Recv, 3)->text(), "DET. Signal Output");
    EXPECT_EQ(list(L::Misc, 1)->currentText(), " 10");
    EXPECT_EQ(find<QLineEdit>("TITLE_TEXT")->text(), "");
  }
}

TEST_F(SetModePageTest, OnlyOneOfTheTwoSignalOutputsCanBeTurnedOn) {
  // Both on (read from a receiver): both stay open so that either can be turned off.
  const int cases[][4] = {{0, 0, 1, 1}, {1, 0, 1, 0}, {0, 1, 0, 1}, {1, 1, 1, 1}};
  for (const auto& [detector, iq, detectorOpen, iqOpen] : cases) {
    SCOPED_TRACE(::testing::Message() << detector << iq);
    host.change([detector = detector, iq = iq](CloneImage& image) {
      image.settings = DefaultSettings();
      image.settings.at(L::Recv, 3) = detector;
      image.settings.at(L::Recv, 4) = iq;
    });
    EXPECT_EQ(list(L::Recv, 3)->isEnabled(), bool(detectorOpen));
    EXPECT_EQ(list(L::Recv, 4)->isEnabled(), bool(iqOpen));
  }
}

TEST_F(SetModePageTest, WriteStoresTheSettingsAndTitleAndReadShowsThemInTheirLanguage) {
  // Bell Notifier and Volume (MAIN), one on each page.
  for (const auto& [write, read, array, entry, address] :
       {std::tuple{"Set_Mode_Write", "Set_Mode_Read", L::Sound, 2, 0x20},
        std::tuple{"SETTING_WRITE", "SETTING_READ", L::Misc, 17, 0x02}}) {
    SCOPED_TRACE(write);
    host.messages.clear();
    host.setReceiverMemory(DemoMemory());
    list(array, 1)->setCurrentIndex(entry);
    find<QLineEdit>("TITLE_TEXT")->clear();
    QTest::keyClicks(find<QLineEdit>("TITLE_TEXT"), "HI");
    click(write);
    EXPECT_EQ(host.simulator().memory()[address], entry);
    EXPECT_EQ(host.simulator().memory().mid(0x1A0, 6), QByteArray("H\0I\0\0\0", 6));

    QByteArray changed = DemoMemory();
    changed[0x02] = 25;  // Volume (MAIN)
    changed[0x20] = 3;   // Bell Notifier: MAIN + SUB Bands
    changed[0x40] = 1;   // Language: Japanese
    changed.replace(0x1A0, 32, QByteArray("R\0X\0", 4) + QByteArray(28, '\0'));
    host.setReceiverMemory(changed);
    host.change([](CloneImage& image) { image = StartupImage(); });
    click(read);
    EXPECT_EQ(host.messages, testing::Said(" Finish", "Success", 2));
    EXPECT_EQ(host.image().settingsImage.size(), 192);
    EXPECT_EQ(list(L::Sound, 1)->currentText(), QString::fromUtf8("どちらか受信時"));
    EXPECT_EQ(list(L::Misc, 1)->currentText(), " 25");
    EXPECT_EQ(caption(L::Misc, 1)->text(), QString::fromUtf8("音量(MAIN)"));
    EXPECT_EQ(find<QLabel>("Label6")->text(), QString::fromUtf8("キー"));
    EXPECT_EQ(find<QLineEdit>("TITLE_TEXT")->text(), "RX");
    host.change([](CloneImage& image) { image = StartupImage(); });
  }
}

}  // namespace
}  // namespace rqm27
