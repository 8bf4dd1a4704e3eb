#include "pages/set_mode_page.h"

#include "app/qstring_print.h"
#include "pages/fake_page_host.h"
#include "pages/setting_page.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

using testing::FakePageHost;

const std::array<const char*, SettingsListCount> CaptionArrays = {
    "Label60", "Label12", "Label13",      "Label25",   "Label23",
    "Label29", "Label14", "LabelRemocon", "Label_misc"};

QStringList Entries(const QComboBox& box) {
  QStringList entries;
  for (int i = 0; i < box.count(); ++i) entries << box.itemText(i);
  return entries;
}

const QStandardItem* FirstItem(const QComboBox& box) {
  return static_cast<const QStandardItemModel*>(box.model())->item(0);
}

// Both settings pages over one host, as the main window has them.
class SetModePageTest : public ::testing::Test {
 protected:
  explicit SetModePageTest(std::shared_ptr<ReceiverSimulator> simulator = nullptr)
      : host(StartupImage(), std::move(simulator)), setMode(host), setting(host) {
    host.addView(&setMode);
    host.addView(&setting);
  }

  template <typename T>
  T* find(const QString& name) {
    T* found = setMode.findChild<T*>(name);
    return found ? found : setting.findChild<T*>(name);
  }
  QComboBox* list(SettingsList array, int i) {
    const std::string_view name = SettingsListNames[static_cast<std::size_t>(array)];
    return find<QComboBox>(QStringLiteral("%1_%2").arg(name.data()).arg(i));
  }
  QLabel* caption(SettingsList array, int i) {
    return find<QLabel>(
        QStringLiteral("%1_%2").arg(CaptionArrays[static_cast<std::size_t>(array)]).arg(i));
  }
  bool hasSection(const QString& title) {
    for (const QGroupBox* box : setMode.findChildren<QGroupBox*>()) {
      if (box->title() == title) return true;
    }
    return false;
  }
  void click(const char* button) { find<QPushButton>(button)->click(); }
  void showSettings(const SettingsSelections& settings) {
    host.mutableImage().settings = settings;
    host.showEverywhere();
  }

  FakePageHost host;
  SetModePage setMode;
  SettingPage setting;
};

// The last entry of every list, in English, with one signal output on.
SettingsSelections LastEntries() {
  SettingsSelections s;
  for (int a = 0; a < SettingsListCount; ++a) {
    const auto array = static_cast<SettingsList>(a);
    for (int i = 0; i < SettingsListSizes[static_cast<std::size_t>(a)]; ++i) {
      s.at(array, i) = SettingsChoiceCount(array, i) - 1;
    }
  }
  s.at(SettingsList::Display, 0) = 0;
  s.at(SettingsList::Recv, 4) = 0;
  return s;
}

TEST_F(SetModePageTest, ChoosingJapaneseRebuildsBothPagesAndKeepsEverySelection) {
  showSettings(LastEntries());

  list(SettingsList::Display, 0)->setCurrentIndex(1);

  SettingsSelections expected = LastEntries();
  expected.at(SettingsList::Display, 0) = 1;
  ASSERT_EQ(host.image().settings, expected);
  for (int a = 0; a < SettingsListCount; ++a) {
    const auto array = static_cast<SettingsList>(a);
    for (int i = 0; i < SettingsListSizes[static_cast<std::size_t>(a)]; ++i) {
      SCOPED_TRACE(list(array, i)->objectName().toStdString());
      EXPECT_EQ(caption(array, i)->text(), SettingsCaption(array, i, Language::Japanese));
      EXPECT_EQ(Entries(*list(array, i)), SettingsChoices(array, i, Language::Japanese));
      EXPECT_EQ(list(array, i)->currentIndex(), expected.at(array, i));
    }
  }
  EXPECT_EQ(caption(SettingsList::Recv, 3)->text(), QString::fromUtf8("検波出力"));
  EXPECT_EQ(list(SettingsList::Key, 5)->currentText(), " SQL: Lower / FREQ: Upper");
  EXPECT_EQ(find<QLabel>("Label6")->text(), QString::fromUtf8("キー"));
  EXPECT_TRUE(hasSection(QString::fromUtf8("≪電源設定≫")));

  list(SettingsList::Display, 0)->setCurrentIndex(0);

  expected.at(SettingsList::Display, 0) = 0;
  EXPECT_EQ(host.image().settings, expected);
  EXPECT_EQ(list(SettingsList::Sound, 1)->currentText(), "MAIN + SUB Bands");
  EXPECT_EQ(find<QLabel>("Label6")->text(), "Key");
  EXPECT_TRUE(hasSection("<POWER && BATTERY>"));  // one ampersand on screen
}

TEST_F(SetModePageTest, OnlyAChangeOfLanguageRefillsListsAndOnlyThoseThatDiffer) {
  // Bar Antenna, Earphone Antenna, LCD Contrast and Dial Ring keep their entries.
  const QStringList names = {"Set_Mode_Recv_0", "Set_Mode_Recv_1", "Set_Mode_Display_3",
                             "Set_Mode_Key_5",  "Set_Mode_Recv_2", "Setting_misc_0"};
  const auto firstItems = [&] {
    std::vector<const QStandardItem*> items;
    for (const QString& name : names) items.push_back(FirstItem(*find<QComboBox>(name)));
    return items;
  };
  const std::vector<const QStandardItem*> english = firstItems();
  list(SettingsList::Display, 0)->setCurrentIndex(1);
  const std::vector<const QStandardItem*> japanese = firstItems();

  list(SettingsList::Display, 0)->setCurrentIndex(1);
  list(SettingsList::Sound, 1)->setCurrentIndex(2);
  setMode.showImage();

  EXPECT_EQ(firstItems(), japanese);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(japanese[i], english[i]) << i;
  for (std::size_t i = 4; i < 6; ++i) EXPECT_NE(japanese[i], english[i]) << i;
}

TEST_F(SetModePageTest, ResetTurnsAJapanesePageToEnglishWithTheDefaults) {
  for (const char* button : {"Set_Mode_Clear", "SETTING_RESET"}) {
    SCOPED_TRACE(button);
    host.mutableImage().title = NameFromText(u"OLD TITLE");
    SettingsSelections japanese = LastEntries();
    japanese.at(SettingsList::Display, 0) = 1;
    showSettings(japanese);

    click(button);

    EXPECT_EQ(host.image().settings, DefaultSettings());
    EXPECT_TRUE(host.image().title.isEmpty());
    EXPECT_EQ(caption(SettingsList::Recv, 3)->text(), "DET. Signal Output");
    EXPECT_EQ(list(SettingsList::Misc, 1)->currentText(), " 10");
    EXPECT_EQ(find<QLineEdit>("TITLE_TEXT")->text(), "");
  }
}

TEST_F(SetModePageTest, OnlyOneOfTheTwoSignalOutputsCanBeTurnedOn) {
  struct Case {
    int detector, iq;
    bool detectorOpen, iqOpen;
  };
  // Both on (read from a receiver): both stay open so that either can be turned off.
  const Case cases[] = {
      {0, 0, true, true}, {1, 0, true, false}, {0, 1, false, true}, {1, 1, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.detector << c.iq);
    SettingsSelections settings = DefaultSettings();
    settings.at(SettingsList::Recv, 3) = c.detector;
    settings.at(SettingsList::Recv, 4) = c.iq;
    showSettings(settings);
    EXPECT_EQ(list(SettingsList::Recv, 3)->isEnabled(), c.detectorOpen);
    EXPECT_EQ(list(SettingsList::Recv, 4)->isEnabled(), c.iqOpen);
  }
}

TEST_F(SetModePageTest, TypingIntoAListChangesNothingButTheArrowKeysChoose) {
  struct Case {
    SettingsList array;
    int index;
    const char* typed;  // would choose an entry by its first letters
  };
  const Case cases[] = {
      {SettingsList::Recv, 2, "U"}, {SettingsList::Key, 6, "Voice"}, {SettingsList::Misc, 9, "H"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    QComboBox* box = list(c.array, c.index);
    const int before = box->currentIndex();
    const int edits = host.edits;

    QTest::keyClicks(box, c.typed);
    EXPECT_EQ(box->currentIndex(), before);
    EXPECT_EQ(host.edits, edits);

    QTest::keyClick(box, before + 1 < box->count() ? Qt::Key_Down : Qt::Key_Up);
    EXPECT_NE(host.image().settings.at(c.array, c.index), before);
  }
}

TEST_F(SetModePageTest, WriteStoresTheChosenSettingsAndTitleInTheReceiver) {
  struct Case {
    const char* button;
    SettingsList array;
    int index, entry;
    int address, byte;
  };
  const Case cases[] = {{"Set_Mode_Write", SettingsList::Sound, 1, 2, 0x20, 2},   // Bell Notifier
                        {"SETTING_WRITE", SettingsList::Misc, 1, 17, 0x02, 17}};  // Volume (MAIN)
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    host.recorded().messages.clear();
    list(c.array, c.index)->setCurrentIndex(c.entry);
    find<QLineEdit>("TITLE_TEXT")->clear();
    QTest::keyClicks(find<QLineEdit>("TITLE_TEXT"), "HI");

    click(c.button);

    ASSERT_EQ(host.recorded().messages, (std::vector<Message>{Notice(" Finish", "Success")}));
    const QByteArray memory = host.simulator().memory();
    EXPECT_EQ(memory[c.address], c.byte);
    EXPECT_EQ(memory.mid(0x1A0, 6), QByteArray("H\0I\0\0\0", 6));
  }
}

// A receiver with other settings and title than the demo's.
std::shared_ptr<ReceiverSimulator> ChangedReceiver() {
  QByteArray memory = DemoMemory();
  memory[0x02] = 25;  // Volume (MAIN)
  memory[0x20] = 3;   // Bell Notifier: MAIN + SUB Bands
  memory[0x40] = 1;   // Language: Japanese
  memory.replace(0x1A0, 32, QByteArray("R\0X\0", 4) + QByteArray(28, '\0'));
  return std::make_shared<ReceiverSimulator>(memory);
}

class SetModePageReadTest : public SetModePageTest {
 protected:
  SetModePageReadTest() : SetModePageTest(ChangedReceiver()) {}
};

TEST_F(SetModePageReadTest, ReadShowsTheReceiversSettingsAndTitleInItsLanguage) {
  for (const char* button : {"Set_Mode_Read", "SETTING_READ"}) {
    SCOPED_TRACE(button);
    host.mutableImage() = StartupImage();
    host.showEverywhere();
    host.recorded().messages.clear();

    click(button);

    ASSERT_EQ(host.recorded().messages, (std::vector<Message>{Notice(" Finish", "Success")}));
    EXPECT_EQ(host.image().settingsImage.size(), 192);
    EXPECT_EQ(list(SettingsList::Sound, 1)->currentText(), QString::fromUtf8("どちらか受信時"));
    EXPECT_EQ(list(SettingsList::Misc, 1)->currentText(), " 25");
    EXPECT_EQ(caption(SettingsList::Misc, 1)->text(), QString::fromUtf8("音量(MAIN)"));
    EXPECT_EQ(find<QLineEdit>("TITLE_TEXT")->text(), "RX");
  }
}

}  // namespace
}  // namespace rqm27
