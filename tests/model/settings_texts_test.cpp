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
