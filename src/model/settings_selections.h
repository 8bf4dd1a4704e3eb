// The receiver's settings as the selected entry (0-based) of each of the settings page's choice
// lists. The lists form nine arrays; an array's entries are addressed by their index.
#pragma once

#include <array>
#include <string_view>

namespace rqm27 {

enum class SettingsList : int { Recv, Display, Power, Key, Scan, Mem, Sound, Remocon, Misc };
inline constexpr int SettingsListCount = 9;

// How many lists each array has, and the array's name (the key of its lists in the clone file
// and the JSON image).
inline constexpr std::array<int, SettingsListCount> SettingsListSizes = {7, 7, 3, 11, 5,
                                                                         2, 3, 4, 17};
inline constexpr std::array<std::string_view, SettingsListCount> SettingsListNames = {
    "Set_Mode_Recv", "Set_Mode_Display", "Set_Mode_Power",   "Set_Mode_Key", "Set_Mode_Scan",
    "Set_Mode_Mem",  "Set_Mode_Sound",   "Set_Mode_Remocon", "Setting_misc"};
inline constexpr int MaxListsInArray = 17;

struct SettingsSelections {
  std::array<std::array<int, MaxListsInArray>, SettingsListCount> index{};

  int& at(SettingsList list, int i) { return index[static_cast<int>(list)][i]; }
  int at(SettingsList list, int i) const { return index[static_cast<int>(list)][i]; }

  bool operator==(const SettingsSelections&) const = default;
};

}  // namespace rqm27

namespace rqm27 {

// A selection other than 0 in the defaults.
struct DefaultSelection {
  SettingsList list;
  int index;
  int value;
};

inline constexpr std::array<DefaultSelection, 24> NonZeroDefaultSelections = {{
    {SettingsList::Recv, 0, 1},    {SettingsList::Recv, 5, 1},    {SettingsList::Display, 1, 1},
    {SettingsList::Display, 3, 5}, {SettingsList::Power, 1, 3},   {SettingsList::Key, 0, 4},
    {SettingsList::Key, 3, 2},     {SettingsList::Key, 6, 7},     {SettingsList::Key, 7, 8},
    {SettingsList::Remocon, 1, 1}, {SettingsList::Remocon, 2, 2}, {SettingsList::Remocon, 3, 3},
    {SettingsList::Scan, 0, 1},    {SettingsList::Scan, 4, 1},    {SettingsList::Mem, 0, 1},
    {SettingsList::Mem, 1, 1},     {SettingsList::Sound, 0, 1},   {SettingsList::Misc, 0, 2},
    {SettingsList::Misc, 1, 10},   {SettingsList::Misc, 2, 10},   {SettingsList::Misc, 3, 3},
    {SettingsList::Misc, 4, 3},    {SettingsList::Misc, 15, 1},   {SettingsList::Misc, 16, 1},
}};

// The selections after start-up and after the page's reset.
constexpr SettingsSelections DefaultSettings() {
  SettingsSelections s;
  for (const DefaultSelection& d : NonZeroDefaultSelections) {
    s.index[static_cast<int>(d.list)][d.index] = d.value;
  }
  return s;
}

}  // namespace rqm27
