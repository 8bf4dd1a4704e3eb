#include "codec/settings_image.h"

#include "model/settings_texts.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <span>
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

int ByteAt(const QByteArray& area, int offset) {
  return static_cast<std::uint8_t>(area[offset]);
}

// A function's code sits at the position of its name in the list the page offers.
TEST(SettingsImage, FunctionCodesLineUpWithTheirNames) {
  EXPECT_EQ(std::set<int>(KeyFunctionCodes.begin(), KeyFunctionCodes.end()).size(), 41u);
  EXPECT_EQ(std::set<int>(RemoteKeyCodes.begin(), RemoteKeyCodes.end()).size(), 23u);
  const std::tuple<bool, const char*, int> table[] = {{true, "Bar Antenna", 0x09},
                                                      {true, "Display Data", 0xCF},
                                                      {true, "RMT-40 D Button", 0xA6},
                                                      {false, "Freq. UP", 0x00},
                                                      {false, "Carrier Cancel", 0x07}};
  for (const auto& [key, function, code] : table) {
    const SettingsList list = key ? SettingsList::Key : SettingsList::Remocon;
    const auto index = SettingsChoices(list, key ? 6 : 0, Language::English).indexOf(function);
    ASSERT_GE(index, 0) << function;
    const std::span<const std::uint8_t> codes =
        key ? std::span<const std::uint8_t>(KeyFunctionCodes) : RemoteKeyCodes;
    EXPECT_EQ(codes[static_cast<std::size_t>(index)], code) << function;
  }
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

// Random bytes, but each map byte holds a value of its list in the form the encoder writes.
QByteArray RandomCanonicalImage(std::mt19937& random) {
  auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  QByteArray area(SettingsAreaSize, '\0');
  for (char& byte : area) byte = static_cast<char>(pick(256));
  for (const SettingsByte& row : SettingsByteMap) {
    int value = pick(SettingsChoiceCount(row.list, row.index));
    const SettingsRule rule = row.rule;
    if (rule == SettingsRule::IndexPlusOne) value += 1;
    if (rule == SettingsRule::KeyFunction) value = KeyFunctionCodes[value];
    if (rule == SettingsRule::RemoteKey) value = RemoteKeyCodes[value];
    if (rule == SettingsRule::OperationModeSub) value *= 2;
    if (rule == SettingsRule::AudioTones) value = pick(4);
    if (rule == SettingsRule::OperationStatus || rule == SettingsRule::DialRing) {
      value = pick(2);
      area[row.pairedOffset] = static_cast<char>(pick(2));
    }
    if (rule == SettingsRule::OperationModeMain && pick(2)) {
      area[row.pairedOffset] = static_cast<char>(value);
      value = 3 + pick(253);
    }
    if (rule == SettingsRule::SecondCopy) value = ByteAt(area, row.offset == 0x3A ? 0x39 : 0x2E);
    area[row.offset] = static_cast<char>(value);
  }
  return area;
}

TEST(SettingsImage, DecodeThenEncodeReproducesAValidImage) {
  std::mt19937 random(27);
  for (int round = 0; round < 40; ++round) {
    const QByteArray image = RandomCanonicalImage(random);
    SettingsSelections selections = DefaultSettings();
    ASSERT_TRUE(DecodeSettingsImage(image, selections).ok()) << round;
    EXPECT_EQ(EncodeSettingsImage(image, selections).toHex(' '), image.toHex(' ')) << round;
  }
}

// Bytes that a decode and encode do not give back as they were.
TEST(SettingsImage, DecodeThenEncodeNormalisesTheseBytes) {
  const std::tuple<const char*, Patch, Patch> table[] = {
      {"sub mode", {{0x07, 0x05}}, {{0x07, 0x00}}},
      {"sub mode memory", {{0x07, 0x02}}, {{0x07, 0x02}}},
      {"scan speed copy", {{0x39, 0x02}, {0x3A, 0x00}}, {{0x3A, 0x02}}},
      {"backlight copy", {{0x2E, 0x03}, {0x41, 0x07}}, {{0x41, 0x03}}},
      {"status bits", {{0x3F, 0x80}, {0x43, 0x05}}, {{0x3F, 0x01}, {0x43, 0x01}}},
      {"dial ring bits", {{0x4D, 0x10}, {0x4F, 0xFF}}, {{0x4D, 0x01}, {0x4F, 0x01}}},
      {"audio tones above 3 keep the tones", {{0x65, 0x04}}, {{0x65, 0x03}}},
      {"unknown WILD code keeps the function", {{0x37, 0x99}}, {{0x37, 0xB0}}},
      {"unknown remote code keeps the function", {{0x80, 0x77}}, {{0x80, 0x13}}},
      {"main mode out of range", {{0x06, 0x09}, {0x3D, 0x04}}, {{0x06, 0x09}, {0x3D, 0x00}}}};
  SettingsSelections start = DefaultSettings();
  start.at(SettingsList::Misc, 10) = 1;
  start.at(SettingsList::Misc, 11) = 1;
  start.at(SettingsList::Key, 6) = 3;      // CW Mode Sideband, code B0
  start.at(SettingsList::Remocon, 1) = 7;  // Volume UP, code 13
  for (const auto& [what, in, out] : table) {
    SettingsSelections selections = start;
    ASSERT_TRUE(DecodeSettingsImage(Patched(in), selections).ok()) << what;
    const QByteArray written = EncodeSettingsImage(Patched(in), selections);
    for (const auto& [offset, value] : out) EXPECT_EQ(ByteAt(written, offset), value) << what;
  }
}

TEST(SettingsImage, SingleByteDecodes) {
  using enum SettingsList;
  const std::tuple<Patch, SettingsList, int, int> table[] = {
      {{{0x32, 0x03}}, Misc, 16, 2},
      {{{0x37, 0x66}}, Key, 6, 7},
      {{{0x7F, 0x00}}, Remocon, 0, 2},
      {{{0x06, 0x05}, {0x3D, 0x01}}, Misc, 12, 1},
      {{{0x06, 0x02}, {0x3D, 0x01}}, Misc, 12, 2},
      {{{0x43, 0x00}, {0x3F, 0x00}}, Misc, 0, 2},
      {{{0x4D, 0x01}, {0x4F, 0x00}}, Key, 5, 3},
      {{{0x65, 0x02}}, Misc, 11, 1}};
  for (const auto& [bytes, list, index, expected] : table) {
    SettingsSelections selections = DefaultSettings();
    ASSERT_TRUE(DecodeSettingsImage(Patched(bytes), selections).ok());
    EXPECT_EQ(selections.at(list, index), expected) << "from byte " << bytes[0].first;
  }
}

TEST(SettingsImage, EncodeKeepsWhatTheMapDoesNotCover) {
  // The main operation mode goes where the base keeps it.
  SettingsSelections selections = DefaultSettings();
  selections.at(SettingsList::Misc, 12) = 2;
  const QByteArray moved = EncodeSettingsImage(Patched({{0x06, 0x05}, {0x3D, 0x01}}), selections);
  EXPECT_EQ(ByteAt(moved, 0x06), 0x05);
  EXPECT_EQ(ByteAt(moved, 0x3D), 0x02);
  const QByteArray first = EncodeSettingsImage(Patched({{0x06, 0x01}, {0x3D, 0x77}}), selections);
  EXPECT_EQ(ByteAt(first, 0x06), 0x02);
  EXPECT_EQ(ByteAt(first, 0x3D), 0x77);
}

TEST(SettingsImage, ByteOutsideItsListFailsAndChangesNothing) {
  const std::pair<Patch, const char*> table[] = {
      {{{0x32, 0}}, "settings byte 0x32 (Bug Sensitivity): value 0 is outside the list (1-5)"},
      {{{0x8A, 0xFF}}, "settings byte 0x8A (S-Meter Decay): value 255 is outside the list (0-20)"}};
  // Earlier bytes differ from the selections too, so a partial decode would show.
  SettingsSelections other = DefaultSettings();
  other.at(SettingsList::Misc, 1) = 30;
  other.at(SettingsList::Key, 6) = 0;
  const QByteArray base = EncodeSettingsImage(QByteArray(), other);
  for (const auto& [patch, message] : table) {
    QByteArray image = base;
    image[patch[0].first] = static_cast<char>(patch[0].second);
    SettingsSelections selections = DefaultSettings();
    const Status status = DecodeSettingsImage(image, selections);
    ASSERT_FALSE(status.ok()) << message;
    EXPECT_EQ(status.error(), QString::fromUtf8(message));
    EXPECT_EQ(selections, DefaultSettings()) << message;
  }
  SettingsSelections selections = DefaultSettings();
  EXPECT_FALSE(DecodeSettingsImage(QByteArray(191, '\0'), selections).ok());
  EXPECT_EQ(selections, DefaultSettings());
}

}  // namespace
}  // namespace rqm27
