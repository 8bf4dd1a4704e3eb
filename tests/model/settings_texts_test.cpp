#include "model/settings_texts.h"

#include <gtest/gtest.h>

#include <vector>

namespace rqm27 {
namespace {

constexpr Language English = Language::English;
constexpr Language Japanese = Language::Japanese;

TEST(SettingsTexts, EveryListHasItsEntryCountInBothLanguages) {
  const std::vector<std::vector<int>> counts = {
      {2, 2, 2, 2, 2, 3, 2},
      {2, 9, 2, 10, 4, 3, 21},
      {7, 6, 2},
      {5, 2, 2, 4, 2, 4, 41, 41, 2, 11, 2},
      {2, 12, 26, 40, 3},
      {3, 3},
      {2, 4, 4},
      {23, 23, 23, 23},
      {4, 31, 31, 10, 10, 2, 2, 10, 10, 3, 2, 2, 3, 2, 3, 3, 5},
  };
  for (int a = 0; a < SettingsListCount; ++a) {
    const auto list = static_cast<SettingsList>(a);
    const std::vector<int>& expected = counts[static_cast<std::size_t>(a)];
    for (int i = 0; i < SettingsListSizes[a]; ++i) {
      const int count = expected.at(static_cast<std::size_t>(i));
      EXPECT_EQ(SettingsChoiceCount(list, i), count) << a << "/" << i;
      EXPECT_EQ(SettingsChoices(list, i, English).size(), count) << a << "/" << i;
      EXPECT_EQ(SettingsChoices(list, i, Japanese).size(), count) << a << "/" << i;
    }
    EXPECT_EQ(SettingsChoiceCount(list, SettingsListSizes[a]), 0);
    EXPECT_TRUE(SettingsCaption(list, -1, Japanese).isEmpty());
  }
}

// Entries [skip, skip + count) of a list are format(first + step * k).
TEST(SettingsTexts, NumberSeriesFollowTheirFormat) {
  struct Series {
    SettingsList list;
    int index;
    Language language;
    int skip, first, step, count;
    const char* format;
  };
  const Series table[] = {
      {SettingsList::Misc, 1, English, 0, 0, 1, 31, " %d"},
      {SettingsList::Misc, 3, Japanese, 0, 0, 1, 10, " %d"},
      {SettingsList::Misc, 7, English, 0, 1, 1, 10, " %d"},
      {SettingsList::Misc, 16, Japanese, 0, 1, 1, 5, " %d"},
      {SettingsList::Display, 3, Japanese, 0, 1, 1, 10, "%2d"},
      {SettingsList::Display, 6, English, 1, 10, 10, 20, "%3d ms."},
      {SettingsList::Display, 6, Japanese, 1, 10, 10, 20, "%3dms."},
      {SettingsList::Scan, 1, English, 0, 5, 5, 12, "%2d sec."},
      {SettingsList::Scan, 1, Japanese, 0, 5, 5, 12, "%2d秒"},
      {SettingsList::Scan, 2, English, 1, 1, 1, 25, "%2d sec."},
      {SettingsList::Scan, 2, Japanese, 1, 1, 1, 25, "%2d秒"},
      {SettingsList::Scan, 3, English, 1, 1, 1, 25, "%3d sec. Timer"},
      {SettingsList::Scan, 3, Japanese, 1, 1, 1, 25, "%2d秒(ﾀｲﾏｰｽｷｬﾝ)"},
  };
  for (const Series& s : table) {
    const QStringList choices = SettingsChoices(s.list, s.index, s.language);
    ASSERT_GE(choices.size(), s.skip + s.count) << s.format;
    for (int k = 0; k < s.count; ++k) {
      EXPECT_EQ(choices[s.skip + k], QString::asprintf(s.format, s.first + s.step * k)) << s.format;
    }
  }

  // Scan Mode 26-39: lapse times, the number right-aligned in three characters.
  QStringList english;
  QStringList japanese;
  for (const char* n : {"1", "2", "3", "4", "5", "10", "15", "30"}) {
    english << QStringLiteral("%1 sec. Lapse").arg(QLatin1String(n), 3);
    japanese << QStringLiteral("%1秒(時間指定)").arg(QLatin1String(n), 3);
  }
  for (const char* n : {"1", "1.5", "2", "3", "4", "5"}) {
    english << QStringLiteral("%1 min. Lapse").arg(QLatin1String(n), 3);
    japanese << QStringLiteral("%1分(時間指定)").arg(QLatin1String(n), 3);
  }
  EXPECT_EQ(SettingsChoices(SettingsList::Scan, 3, English).mid(26), english);
  EXPECT_EQ(SettingsChoices(SettingsList::Scan, 3, Japanese).mid(26), japanese);
}

TEST(SettingsTexts, TextsKeepTheirExactSpacing) {
  struct Entry {
    SettingsList list;
    int index;
    Language language;
    int entry;  // -1 for the caption
    const char* text;
  };
  const Entry table[] = {
      {SettingsList::Key, 5, English, 0, "FREQ: Upper / VOL: Lower "},
      {SettingsList::Key, 5, English, 3, " SQL: Lower / FREQ: Upper"},
      {SettingsList::Display, 6, English, 0, "  0 ms. (Normal)"},
      {SettingsList::Display, 1, Japanese, 1, " 5秒"},
      {SettingsList::Scan, 0, Japanese, 1, " 有効"},
      {SettingsList::Key, 9, English, 5, "Auto (  1 min.)"},
      {SettingsList::Key, 4, Japanese, 0, "左:ﾒｲﾝ  ｻﾌﾞ:右"},
      {SettingsList::Key, 7, Japanese, 7, "Language／言語"},
      {SettingsList::Key, 6, Japanese, 37, "ﾘﾓｺﾝ A ﾎﾞﾀﾝ"},
      {SettingsList::Remocon, 0, Japanese, -1, "ﾘﾓｺﾝAﾎﾞﾀﾝ"},
      {SettingsList::Display, 2, Japanese, -1, "非操作側  表示サイズ"},
      {SettingsList::Misc, 16, English, -1, "Bug Sensitivity"},
  };
  for (const Entry& e : table) {
    const QString text = e.entry < 0 ? SettingsCaption(e.list, e.index, e.language)
                                     : SettingsChoices(e.list, e.index, e.language).value(e.entry);
    EXPECT_EQ(text, QString::fromUtf8(e.text));
  }
}

TEST(SettingsTexts, FourListsKeepTheirEnglishEntriesInJapanese) {
  struct Case {
    SettingsList list;
    int index;
    bool translated;
  };
  const Case table[] = {
      {SettingsList::Recv, 0, false},    {SettingsList::Recv, 1, false},
      {SettingsList::Display, 3, false}, {SettingsList::Key, 5, false},
      {SettingsList::Recv, 2, true},     {SettingsList::Key, 6, true},
      {SettingsList::Scan, 0, true},     {SettingsList::Remocon, 0, true},
  };
  for (const Case& c : table) {
    EXPECT_EQ(
        SettingsChoices(c.list, c.index, English) != SettingsChoices(c.list, c.index, Japanese),
        c.translated)
        << static_cast<int>(c.list) << "/" << c.index;
  }
}

TEST(SettingsTexts, SectionCaptionsAndKeyLabel) {
  EXPECT_EQ(SectionCaption(0, English), "<RECEIVER>");
  EXPECT_EQ(SectionCaption(2, English), "<POWER && BATTERY>");
  EXPECT_EQ(SectionCaption(7, English), "<RMT-40 KEYS>");
  EXPECT_EQ(SectionCaption(3, Japanese), QString::fromUtf8("≪ｷｰ操作設定≫"));
  EXPECT_TRUE(SectionCaption(SectionCount, English).isEmpty());
  EXPECT_EQ(KeyLabelCaption(English), "Key");
  EXPECT_EQ(KeyLabelCaption(Japanese), QString::fromUtf8("キー"));
}

}  // namespace
}  // namespace rqm27
