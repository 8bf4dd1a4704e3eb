#include "codec/settings_image.h"

#include "model/settings_texts.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

namespace rqm27 {
namespace {

using Patch = std::vector<std::pair<int, int>>;  // byte offset, value

// The bytes the default selections give, worked out row by row.
const Patch DefaultBytes = {{0x02, 0x0A}, {0x03, 0x0A}, {0x04, 0x03}, {0x05, 0x03}, {0x25, 0x01},
                            {0x2E, 0x01}, {0x30, 0x03}, {0x31, 0x01}, {0x32, 0x02}, {0x37, 0x66},
                            {0x39, 0x01}, {0x3A, 0x01}, {0x41, 0x01}, {0x4A, 0x06}, {0x50, 0x18},
                            {0x51, 0x01}, {0x57, 0x02}, {0x5D, 0x01}, {0x5E, 0x01}, {0x61, 0x04},
                            {0x7A, 0x01}, {0x7F, 0x15}, {0x80, 0x0A}, {0x82, 0x01}, {0x86, 0x02},
                            {0x89, 0x01}};

// A zeroed area, or the defaults' bytes, with the patch applied.
QByteArray Patched(const Patch& patch, bool defaults = true) {
  QByteArray area(SettingsAreaSize, '\0');
  for (const Patch& p : {defaults ? DefaultBytes : Patch{}, patch}) {
    for (const auto& [offset, value] : p) area[offset] = static_cast<char>(value);
  }
  return area;
}

TEST(SettingsImage, DefaultsEncodeToTheirBytesAndBack) {
  const QByteArray expected = Patched({});
  EXPECT_EQ(EncodeSettingsImage(Patched({}, false), DefaultSettings()).toHex(' '),
            expected.toHex(' '));
  EXPECT_EQ(EncodeSettingsImage(QByteArray(), DefaultSettings()), expected);
  SettingsSelections decoded{};
  ASSERT_TRUE(DecodeSettingsImage(expected, decoded).ok());
  SettingsSelections wanted = DefaultSettings();
  wanted.at(SettingsList::Mem, 0) = 0;  // not in the area
  EXPECT_EQ(decoded, wanted);
}

// Each row: bytes, the entry they decode to, and the bytes the encode then writes (the same
// when none are listed; Operation Mode MAIN thus stays in the byte that held it).
TEST(SettingsImage, BytesDecodeToTheEntriesThePageShowsAndEncodeBack) {
  using enum SettingsList;
  const std::tuple<Patch, SettingsList, int, const char*, Patch> table[] = {
      {{{0x32, 0x03}}, Misc, 16, " 3", {}},  // index + 1
      {{{0x37, 0xCF}}, Key, 6, "Display Data", {}},
      {{{0x37, 0x99}}, Key, 6, "CW Mode Sideband", {{0x37, 0xB0}}},  // unknown: kept
      {{{0x7F, 0x00}}, Remocon, 0, "Freq. UP", {}},
      {{{0x80, 0x77}}, Remocon, 1, "Volume UP", {{0x80, 0x13}}},
      {{{0x06, 0x02}, {0x3D, 0x01}}, Misc, 12, "Memory", {}},
      {{{0x06, 0x05}, {0x3D, 0x01}}, Misc, 12, "Preset", {}},
      {{{0x06, 0x09}, {0x3D, 0x04}}, Misc, 12, "VFO", {{0x06, 0x09}, {0x3D, 0x00}}},
      {{{0x07, 0x02}}, Misc, 13, "Memory", {}},
      {{{0x07, 0x05}}, Misc, 13, "VFO", {{0x07, 0x00}}},
      {{{0x3F, 0x00}, {0x43, 0x00}}, Misc, 0, "Dual / MAIN", {}},
      {{{0x3F, 0x80}, {0x43, 0x05}}, Misc, 0, "Single / SUB", {{0x3F, 0x01}, {0x43, 0x01}}},
      {{{0x4D, 0x01}, {0x4F, 0x00}}, Key, 5, " SQL: Lower / FREQ: Upper", {}},
      {{{0x4D, 0x10}, {0x4F, 0xFF}}, Key, 5, " SQL: Upper / FREQ: Lower", {{0x4D, 1}, {0x4F, 1}}},
      {{{0x65, 0x02}}, Misc, 11, "Cut", {}},
      {{{0x65, 0x04}}, Misc, 10, "Cut", {{0x65, 0x01}}},  // above 03: both tones kept
      {{{0x39, 0x02}, {0x3A, 0x00}}, Scan, 4, "Fast", {{0x3A, 0x02}}},
      {{{0x2E, 0x03}, {0x41, 0x07}}, Display, 1, "ON (15 sec.)", {{0x41, 0x03}}}};
  SettingsSelections start = DefaultSettings();
  start.at(Misc, 10) = 1;    // High Tone cut, Low Tone normal
  start.at(Key, 6) = 3;      // CW Mode Sideband, code B0
  start.at(Remocon, 1) = 7;  // Volume UP, code 13
  for (const auto& [in, list, index, entry, out] : table) {
    SettingsSelections selections = start;
    ASSERT_TRUE(DecodeSettingsImage(Patched(in), selections).ok()) << entry;
    EXPECT_EQ(SettingsChoices(list, index, Language::English).value(selections.at(list, index)),
              QString::fromUtf8(entry));
    const QByteArray written = EncodeSettingsImage(Patched(in), selections);
    for (const auto& [offset, value] : out.empty() ? in : out) {
      EXPECT_EQ(static_cast<std::uint8_t>(written.at(offset)), value) << entry;
    }
  }
}

TEST(SettingsImage, UndecodableAreaFailsAndChangesNothing) {
  // Byte 02 differs from the selections too, so a partial decode would show.
  const std::pair<QByteArray, const char*> table[] = {
      {Patched({{0x02, 30}, {0x32, 0}}),
       "settings byte 0x32 (Bug Sensitivity): value 0 is outside the list (1-5)"},
      {Patched({{0x02, 30}, {0x8A, 0xFF}}),
       "settings byte 0x8A (S-Meter Decay): value 255 is outside the list (0-20)"},
      {QByteArray(191, '\0'), "settings area: expected 192 bytes, found 191"}};
  for (const auto& [image, message] : table) {
    SettingsSelections selections = DefaultSettings();
    const Status status = DecodeSettingsImage(image, selections);
    ASSERT_FALSE(status.ok()) << message;
    EXPECT_EQ(status.error(), QString::fromUtf8(message));
    EXPECT_EQ(selections, DefaultSettings()) << message;
  }
}

}  // namespace
}  // namespace rqm27
