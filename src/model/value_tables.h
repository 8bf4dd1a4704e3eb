// The fixed tables behind every channel field that is picked from a list or stored as a code:
// tuning steps, CTCSS tones, DCS codes, carriers, and the label/code pairs of mode, sub-tone
// type, shift direction and skip. Labels are compared and written exactly, case included.
#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace rqm27 {

// Tuning steps; StepValues in units of 10 Hz (8.33 kHz, whose raster is 25/3 kHz, as 833).
inline constexpr std::array<std::string_view, 19> StepNames = {
    "5KHz",   "6.25KHz", "8.33KHz", "10KHz",  "12.5KHz", "15KHz",  "20KHz",
    "25KHz",  "30KHz",   "50KHz",   "100KHz", "125KHz",  "150KHz", "200KHz",
    "500KHz", "1MHz",    "50Hz",    "100Hz",  "1K"};
inline constexpr std::array<std::int32_t, 19> StepValues = {
    500,   625,   833,   1000,  1250,  1500,   2000, 2500, 3000, 5000,
    10000, 12500, 15000, 20000, 50000, 100000, 5,    10,   100};

// The 39 CTCSS tones; index 8 ("88.5Hz") is the default tone everywhere.
inline constexpr std::array<std::string_view, 39> ToneNames = {
    "67.0Hz",  "69.3Hz",  "71.9Hz",  "74.4Hz",  "77.0Hz",  "79.7Hz",  "82.5Hz",  "85.4Hz",
    "88.5Hz",  "91.5Hz",  "94.8Hz",  "97.4Hz",  "100.0Hz", "103.5Hz", "107.2Hz", "110.9Hz",
    "114.8Hz", "118.8Hz", "123.0Hz", "127.3Hz", "131.8Hz", "136.5Hz", "141.3Hz", "146.2Hz",
    "151.4Hz", "156.7Hz", "162.2Hz", "167.9Hz", "173.8Hz", "179.9Hz", "186.2Hz", "192.8Hz",
    "203.5Hz", "210.7Hz", "218.1Hz", "225.7Hz", "233.6Hz", "241.8Hz", "250.3Hz"};
inline constexpr int DefaultToneIndex = 8;

// The 104 DCS codes, three octal digits each.
inline constexpr std::array<std::string_view, 104> DcsNames = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
    "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
    "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
    "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
    "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
    "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
    "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
    "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

// Carriers of the "Train" sub-tone type: 300 Hz to 3000 Hz in 100 Hz steps, then "Jp.Rail".
inline constexpr std::array<std::string_view, 29> CarrierNames = {
    "300Hz",  "400Hz",  "500Hz",  "600Hz",  "700Hz",  "800Hz",  "900Hz",  "1000Hz",
    "1100Hz", "1200Hz", "1300Hz", "1400Hz", "1500Hz", "1600Hz", "1700Hz", "1800Hz",
    "1900Hz", "2000Hz", "2100Hz", "2200Hz", "2300Hz", "2400Hz", "2500Hz", "2600Hz",
    "2700Hz", "2800Hz", "2900Hz", "3000Hz", "Jp.Rail"};
inline constexpr int StartupCarrierIndex = 28;
inline constexpr int ResetCarrierIndex = 0;
inline constexpr int PresetCarrierIndex = 20;

// A word shown in the grid and the code it has in the channel record.
struct LabelCode {
  std::string_view label;
  int code;
};

// Modes as the channel record codes them; "NFM" has no record code of its own (written as FM).
inline constexpr std::array<LabelCode, 6> ModeCodes = {
    {{"FM", 0}, {"AM", 1}, {"WFM", 2}, {"LSB", 3}, {"USB", 4}, {"CW", 5}}};
// Modes as the detail dialog's edit buffer codes them (seven, "NFM" included).
inline constexpr std::array<LabelCode, 7> EditModeCodes = {
    {{"FM", 0}, {"AM", 1}, {"NFM", 2}, {"WFM", 3}, {"LSB", 4}, {"USB", 5}, {"CW", 6}}};
inline constexpr std::array<LabelCode, 5> SubtoneCodes = {
    {{"None", 0}, {"Train", 1}, {"TSQ", 3}, {"SQ", 4}, {"DCS", 5}}};
inline constexpr std::array<LabelCode, 3> ShiftCodes = {{{"Off", 0}, {"+", 1}, {"-", 2}}};
inline constexpr std::array<LabelCode, 2> SkipCodes = {{{"", 0}, {"*", 1}}};

// The grid's column headers, columns 0-12 (column 0 is the row label and has none).
inline constexpr std::array<std::string_view, 13> ColumnHeaders = {
    "",    "Frequency", "Mode",  "Step",       "Carrier", "Subtone", "---",
    "TSQ", "DCS",       "Shift", "Shift-Freq", "Skip",    "Name"};

// The fixed preset channels of slots 1701-1721, in units of 10 Hz.
inline constexpr std::array<std::int32_t, 21> PresetFrequencies = {
    39860500, 39945500, 13997000, 39903000, 40000000, 39725000, 14000000,
    39960500, 39864000, 13400000, 39925000, 39900000, 13490000, 13996000,
    13960000, 14900000, 36182500, 32023500, 32067500, 32113500, 13994000};

// Bank b's bit in a 16-digit group record: the 1-based digit and its weight in that digit.
constexpr int BankNibbleIndex(int bank) {
  return bank / 4 + 1;
}
constexpr int BankBitWeight(int bank) {
  return 8 >> (bank % 4);
}

// Label of a table entry as text.
inline QString Label(std::string_view label) {
  return QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
}

// Index of an exact label in a name table, or nullopt.
std::optional<int> IndexOfLabel(std::span<const std::string_view> table, QStringView label);

// Code of an exact label, or nullopt; label of a code, or nullopt.
std::optional<int> CodeOfLabel(std::span<const LabelCode> table, QStringView label);
std::optional<std::string_view> LabelOfCode(std::span<const LabelCode> table, int code);

}  // namespace rqm27
