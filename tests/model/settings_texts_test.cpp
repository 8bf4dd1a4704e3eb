#include "model/settings_texts.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

constexpr Language English = Language::English;
constexpr Language Japanese = Language::Japanese;

// Entries [skip, skip + count) of a list are format(first + step * k).
TEST(SettingsTexts, NumberSeriesFollowTheirFormat) {
  const struct {
    SettingsList list;
    int index;
    Language language;
    int skip, first, step, count;
    const char* format;
  } table[] = {
      {SettingsList::Misc, 1, English, 0, 0, 1, 31, " %d"},
      {SettingsList::Display, 3, Japanese, 0, 1, 1, 10, "%2d"},
      {SettingsList::Display, 6, English, 1, 10, 10, 20, "%3d ms."},
      {SettingsList::Scan, 1, Japanese, 0, 5, 5, 12, "%2d秒"},
      {SettingsList::Scan, 3, English, 1, 1, 1, 25, "%3d sec. Timer"},
      {SettingsList::Scan, 3, Japanese, 1, 1, 1, 25, "%2d秒(ﾀｲﾏｰｽｷｬﾝ)"},
  };
  for (const auto& s : table) {
    const QStringList choices = SettingsChoices(s.list, s.index, s.language);
    ASSERT_GE(choices.size(), s.skip + s.count) << s.format;
    for (int k = 0; k < s.count; ++k) {
      EXPECT_EQ(choices[s.skip + k], QString::asprintf(s.format, s.first + s.step * k)) << s.format;
    }
  }
}

TEST(SettingsTexts, TextsKeepTheirExactSpacing) {
  const struct {
    SettingsList list;
    int index;
    Language language;
    int entry;  // -1 for the caption
    const char* text;
  } table[] = {
      {SettingsList::Key, 5, English, 0, "FREQ: Upper / VOL: Lower "},
      {SettingsList::Key, 5, English, 3, " SQL: Lower / FREQ: Upper"},
      {SettingsList::Display, 6, English, 0, "  0 ms. (Normal)"},
      {SettingsList::Display, 1, Japanese, 1, " 5秒"},
      {SettingsList::Key, 9, English, 5, "Auto (  1 min.)"},
      {SettingsList::Key, 4, Japanese, 0, "左:ﾒｲﾝ  ｻﾌﾞ:右"},
      {SettingsList::Scan, 3, English, 26, "  1 sec. Lapse"},
      {SettingsList::Scan, 3, Japanese, 39, "  5分(時間指定)"},
      {SettingsList::Scan, 3, English, 35, "1.5 min. Lapse"},
      {SettingsList::Remocon, 0, Japanese, -1, "ﾘﾓｺﾝAﾎﾞﾀﾝ"},
      {SettingsList::Display, 2, Japanese, -1, "非操作側  表示サイズ"},
      {SettingsList::Misc, 16, English, -1, "Bug Sensitivity"},
  };
  for (const auto& e : table) {
    const QString text = e.entry < 0 ? SettingsCaption(e.list, e.index, e.language)
                                     : SettingsChoices(e.list, e.index, e.language).value(e.entry);
    EXPECT_EQ(text, QString::fromUtf8(e.text));
  }
  EXPECT_EQ(SettingsChoices(SettingsList::Scan, 3, Japanese).size(), 40);
  EXPECT_EQ(SectionCaption(2, English), "<POWER && BATTERY>");
  EXPECT_EQ(SectionCaption(3, Japanese), QString::fromUtf8("≪ｷｰ操作設定≫"));
  EXPECT_EQ(KeyLabelCaption(Japanese), QString::fromUtf8("キー"));
}

TEST(SettingsTexts, FourListsKeepTheirEnglishEntriesInJapanese) {
  const std::pair<SettingsList, int> kept[] = {{SettingsList::Recv, 0},
                                               {SettingsList::Recv, 1},
                                               {SettingsList::Display, 3},
                                               {SettingsList::Key, 5}};
  const std::pair<SettingsList, int> translated[] = {
      {SettingsList::Recv, 2}, {SettingsList::Key, 6}, {SettingsList::Remocon, 0}};
  for (const auto& [list, index] : kept) {
    EXPECT_EQ(SettingsChoices(list, index, English), SettingsChoices(list, index, Japanese));
  }
  for (const auto& [list, index] : translated) {
    EXPECT_NE(SettingsChoices(list, index, English), SettingsChoices(list, index, Japanese));
  }
}

}  // namespace
}  // namespace rqm27
