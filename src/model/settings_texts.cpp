#include "model/settings_texts.h"

#include <array>
#include <span>
#include <string_view>

namespace rqm27 {
namespace {

using Choices = std::span<const std::string_view>;

// One list of the page: its caption and its entries, English first, then Japanese. Lists whose
// entries do not change with the language point both at the same array.
struct ListTexts {
  std::string_view english;
  std::string_view japanese;
  Choices englishChoices;
  Choices japaneseChoices;
};

// The operating-state numbers: the number after one space (" 0" to " 30"); the shorter runs
// are slices of the longest.
constexpr std::array<std::string_view, 31> Numbers0To30 = {
    " 0",  " 1",  " 2",  " 3",  " 4",  " 5",  " 6",  " 7",  " 8",  " 9",  " 10",
    " 11", " 12", " 13", " 14", " 15", " 16", " 17", " 18", " 19", " 20", " 21",
    " 22", " 23", " 24", " 25", " 26", " 27", " 28", " 29", " 30"};
constexpr Choices Numbers0To9 = Choices(Numbers0To30).subspan(0, 10);
constexpr Choices Numbers1To10 = Choices(Numbers0To30).subspan(1, 10);
constexpr Choices Numbers1To5 = Choices(Numbers0To30).subspan(1, 5);

// LCD contrast 1-10, right-aligned in two characters.
constexpr std::array<std::string_view, 10> ContrastSteps = {" 1", " 2", " 3", " 4", " 5",
                                                            " 6", " 7", " 8", " 9", "10"};

// S-meter decay: 0 ms, then 10-200 ms right-aligned in three characters.
constexpr std::array<std::string_view, 21> DecayTimes = {
    "  0 ms. (Normal)", " 10 ms.", " 20 ms.", " 30 ms.", " 40 ms.", " 50 ms.", " 60 ms.",
    " 70 ms.",          " 80 ms.", " 90 ms.", "100 ms.", "110 ms.", "120 ms.", "130 ms.",
    "140 ms.",          "150 ms.", "160 ms.", "170 ms.", "180 ms.", "190 ms.", "200 ms."};

constexpr std::array<std::string_view, 21> DecayTimesJa = {
    "通常",   " 10ms.", " 20ms.", " 30ms.", " 40ms.", " 50ms.", " 60ms.",
    " 70ms.", " 80ms.", " 90ms.", "100ms.", "110ms.", "120ms.", "130ms.",
    "140ms.", "150ms.", "160ms.", "170ms.", "180ms.", "190ms.", "200ms."};

// Priority interval: 5-60 seconds in steps of 5.
constexpr std::array<std::string_view, 12> PriorityIntervals = {
    " 5 sec.", "10 sec.", "15 sec.", "20 sec.", "25 sec.", "30 sec.",
    "35 sec.", "40 sec.", "45 sec.", "50 sec.", "55 sec.", "60 sec."};

constexpr std::array<std::string_view, 12> PriorityIntervalsJa = {
    " 5秒", "10秒", "15秒", "20秒", "25秒", "30秒", "35秒", "40秒", "45秒", "50秒", "55秒", "60秒"};

// Priority duration: until the signal ends, or 1-25 seconds.
constexpr std::array<std::string_view, 26> PriorityDurations = {
    "Busy",    " 1 sec.", " 2 sec.", " 3 sec.", " 4 sec.", " 5 sec.", " 6 sec.",
    " 7 sec.", " 8 sec.", " 9 sec.", "10 sec.", "11 sec.", "12 sec.", "13 sec.",
    "14 sec.", "15 sec.", "16 sec.", "17 sec.", "18 sec.", "19 sec.", "20 sec.",
    "21 sec.", "22 sec.", "23 sec.", "24 sec.", "25 sec."};

constexpr std::array<std::string_view, 26> PriorityDurationsJa = {
    "ﾋﾞｼﾞｰ", " 1秒", " 2秒", " 3秒", " 4秒", " 5秒", " 6秒", " 7秒", " 8秒",
    " 9秒",  "10秒", "11秒", "12秒", "13秒", "14秒", "15秒", "16秒", "17秒",
    "18秒",  "19秒", "20秒", "21秒", "22秒", "23秒", "24秒", "25秒"};

// Scan modes: busy scan, timer scans of 1-25 seconds, then fourteen lapse times.
constexpr std::array<std::string_view, 40> ScanModes = {
    "Busy Scan",      "  1 sec. Timer", "  2 sec. Timer", "  3 sec. Timer", "  4 sec. Timer",
    "  5 sec. Timer", "  6 sec. Timer", "  7 sec. Timer", "  8 sec. Timer", "  9 sec. Timer",
    " 10 sec. Timer", " 11 sec. Timer", " 12 sec. Timer", " 13 sec. Timer", " 14 sec. Timer",
    " 15 sec. Timer", " 16 sec. Timer", " 17 sec. Timer", " 18 sec. Timer", " 19 sec. Timer",
    " 20 sec. Timer", " 21 sec. Timer", " 22 sec. Timer", " 23 sec. Timer", " 24 sec. Timer",
    " 25 sec. Timer", "  1 sec. Lapse", "  2 sec. Lapse", "  3 sec. Lapse", "  4 sec. Lapse",
    "  5 sec. Lapse", " 10 sec. Lapse", " 15 sec. Lapse", " 30 sec. Lapse", "  1 min. Lapse",
    "1.5 min. Lapse", "  2 min. Lapse", "  3 min. Lapse", "  4 min. Lapse", "  5 min. Lapse"};

constexpr std::array<std::string_view, 40> ScanModesJa = {
    "ﾋﾞｼﾞｰｽｷｬﾝ",       " 1秒(ﾀｲﾏｰｽｷｬﾝ)",  " 2秒(ﾀｲﾏｰｽｷｬﾝ)",  " 3秒(ﾀｲﾏｰｽｷｬﾝ)",  " 4秒(ﾀｲﾏｰｽｷｬﾝ)",
    " 5秒(ﾀｲﾏｰｽｷｬﾝ)",  " 6秒(ﾀｲﾏｰｽｷｬﾝ)",  " 7秒(ﾀｲﾏｰｽｷｬﾝ)",  " 8秒(ﾀｲﾏｰｽｷｬﾝ)",  " 9秒(ﾀｲﾏｰｽｷｬﾝ)",
    "10秒(ﾀｲﾏｰｽｷｬﾝ)",  "11秒(ﾀｲﾏｰｽｷｬﾝ)",  "12秒(ﾀｲﾏｰｽｷｬﾝ)",  "13秒(ﾀｲﾏｰｽｷｬﾝ)",  "14秒(ﾀｲﾏｰｽｷｬﾝ)",
    "15秒(ﾀｲﾏｰｽｷｬﾝ)",  "16秒(ﾀｲﾏｰｽｷｬﾝ)",  "17秒(ﾀｲﾏｰｽｷｬﾝ)",  "18秒(ﾀｲﾏｰｽｷｬﾝ)",  "19秒(ﾀｲﾏｰｽｷｬﾝ)",
    "20秒(ﾀｲﾏｰｽｷｬﾝ)",  "21秒(ﾀｲﾏｰｽｷｬﾝ)",  "22秒(ﾀｲﾏｰｽｷｬﾝ)",  "23秒(ﾀｲﾏｰｽｷｬﾝ)",  "24秒(ﾀｲﾏｰｽｷｬﾝ)",
    "25秒(ﾀｲﾏｰｽｷｬﾝ)",  "  1秒(時間指定)", "  2秒(時間指定)", "  3秒(時間指定)", "  4秒(時間指定)",
    "  5秒(時間指定)", " 10秒(時間指定)", " 15秒(時間指定)", " 30秒(時間指定)", "  1分(時間指定)",
    "1.5分(時間指定)", "  2分(時間指定)", "  3分(時間指定)", "  4分(時間指定)", "  5分(時間指定)"};

// The functions a WILD or MONI key can call up, in the order of their codes in the receiver.
constexpr std::array<std::string_view, 41> KeyFunctions = {
    "Bar Antenna",      "Earphone Antenna", "Preset Mode",      "CW Mode Sideband",
    "DET. Sig. Output", "F Tuning Range",   "IQ Signal Output", "Language",
    "Backlight",        "LCD Contrast",     "Font Size",        "Font Style",
    "Startup Message",  "Auto Power Off",   "Battery Type",     "Batt. Saver",
    "Key Lock Mode",    "Set Mode Exit",    "Band Transition",  "Dial Assignment",
    "Dial Ring",        "WILD Key Assign",  "MONI Key Assign",  "MONI Key Usage",
    "MONI Key Action",  "MONI Key Func.",   "Remote COM Port",  "Scan Mode",
    "Prio. Interval",   "Prio. Duration",   "Skip Function",    "Scan Speed",
    "Memory Overwrite", "Display Data",     "Beep Notifier",    "Bell Notifier",
    "Voice Guide",      "RMT-40 A Button",  "RMT-40 B Button",  "RMT-40 C Button",
    "RMT-40 D Button"};
constexpr std::array<std::string_view, 41> KeyFunctionsJa = {
    "ﾊﾞｰｱﾝﾃﾅ",          "ｲﾔﾎﾝｱﾝﾃﾅ",         "ﾌﾟﾘｾｯﾄﾓｰﾄﾞ",       "CW",
    "検波出力",         "ﾁｭｰﾝ設定",         "IQ信号出力",       "Language／言語",
    "照明設定",         "ｺﾝﾄﾗｽﾄ設定",       "非操作側表示ｻｲｽﾞ", "ﾌｫﾝﾄ設定",
    "ｵｰﾌﾟﾆﾝｸﾞ",         "ｵｰﾄﾊﾟﾜｰｵﾌ",        "電池の設定",       "ﾊﾞｯﾃﾘｰｾｰﾌﾞ",
    "ｷｰﾛｯｸﾓｰﾄﾞ",        "ｾｯﾄﾓｰﾄﾞ復帰時間",  "バンド移動",       "ﾀﾞｲﾔﾙ左右",
    "ﾀﾞｲﾔﾙ上下",        "WILDｷｰ割当",       "MONIｷｰ割当",       "MONIキー操作対象",
    "MONIキー動作",     "MONIキー設定",     "ﾘﾓｰﾄ通信ﾎﾟｰﾄ",     "ｽｷｬﾝﾀｲﾌﾟ",
    "ﾌﾟﾗｲｵﾘﾃｨ待受時間", "ﾌﾟﾗｲｵﾘﾃｨ停止時間", "ｽｷｯﾌﾟ設定",        "ｽｷｬﾝｽﾋﾟｰﾄﾞ",
    "ﾗｲﾄﾌﾟﾛﾃｸﾄ",        "ﾒﾓﾘｰﾈｰﾑ",          "操作音設定",       "ベル機能設定",
    "音声ｶﾞｲﾄﾞ",        "ﾘﾓｺﾝ A ﾎﾞﾀﾝ",      "ﾘﾓｺﾝ B ﾎﾞﾀﾝ",      "ﾘﾓｺﾝ C ﾎﾞﾀﾝ",
    "ﾘﾓｺﾝ D ﾎﾞﾀﾝ"};

// The functions a button of the remote keypad can call up, in the order of their codes.
constexpr std::array<std::string_view, 23> RemoteKeyFunctions = {
    "Active Band",    "Band Change", "Freq. UP",         "Freq. DOWN",    "Input Select",
    "MONI Key",       "V/P/M Key",   "Volume UP",        "Volume DOWN",   "SQL Level UP",
    "SQL Level DOWN", "Attenuator",  "Earphone Antenna", "Bar Antenna",   "Priority Monitor",
    "RF Gain",        "Audio Tone",  "Beep Notifier",    "Bell Notifier", "CTCSS",
    "CTCSS Reverse",  "DCS",         "Carrier Cancel"};
constexpr std::array<std::string_view, 23> RemoteKeyFunctionsJa = {
    "操作ﾊﾞﾝﾄﾞの変更", "ﾊﾞﾝﾄﾞの切替", "周波数ｱｯﾌﾟ",    "周波数ﾀﾞｳﾝ", "入力音声の選択",
    "MONIｷｰ",          "V/P/Mｷｰ",     "音量ｱｯﾌﾟ",      "音量ﾀﾞｳﾝ",   "ｽｹﾙﾁﾚﾍﾞﾙｱｯﾌﾟ",
    "ｽｹﾙﾁﾚﾍﾞﾙﾀﾞｳﾝ",    "ｱｯﾃﾈｰﾀｰ",     "ｱﾝﾃﾅの切替",    "ﾊﾞｰｱﾝﾃﾅ",    "ﾌﾟﾗｲｵﾘﾃｨ",
    "受信感度",        "AFﾄｰﾝ",       "操作音",        "ﾍﾞﾙ",        "ﾄｰﾝｽｹﾙﾁ",
    "逆ﾄｰﾝｽｹﾙﾁ",       "DCS",         "空線信号ｷｬﾝｾﾗｰ"};

// Entries of the other lists.
constexpr std::array<std::string_view, 2> OffOn = {"OFF", "ON"};
constexpr std::array<std::string_view, 2> DisableEnable = {"Disable", "Enable"};
constexpr std::array<std::string_view, 2> DisableEnableJa = {"無効", "有効"};
constexpr std::array<std::string_view, 2> CwSidebands = {"Lower (CWL)", "Upper (CWU)"};
constexpr std::array<std::string_view, 2> CwSidebandsJa = {"CWL", "CWU"};
constexpr std::array<std::string_view, 3> TuningRanges = {"1", "2", "3"};
constexpr std::array<std::string_view, 2> PresetModes = {"Enable", "Disable"};
constexpr std::array<std::string_view, 2> PresetModesJa = {"表示する", "表示しない"};
constexpr std::array<std::string_view, 2> Languages = {"English", "日本語"};
constexpr std::array<std::string_view, 9> Backlights = {
    "RX Lamps Only", "ON ( 5 sec.)", "ON (10 sec.)", "ON (15 sec.)", "ON (20 sec.)",
    "ON (25 sec.)",  "ON (30 sec.)", "Always ON",    "OFF"};
constexpr std::array<std::string_view, 9> BacklightsJa = {"消灯", " 5秒", "10秒", "15秒",    "20秒",
                                                          "25秒", "30秒", "常灯", "全て消灯"};
constexpr std::array<std::string_view, 2> FontSizes = {"Small", "Large"};
constexpr std::array<std::string_view, 2> FontSizesJa = {"小", "大"};
constexpr std::array<std::string_view, 4> FontStyles = {"ALL Bold", "Op. Band Bold",
                                                        "Op. Band Thin", "ALL Thin"};
constexpr std::array<std::string_view, 4> FontStylesJa = {"太字", "操作ﾊﾞﾝﾄﾞ太字", "操作ﾊﾞﾝﾄﾞ細字",
                                                          "細字"};
constexpr std::array<std::string_view, 3> StartupMessages = {"Stationary", "Scrolling", "Disable"};
constexpr std::array<std::string_view, 3> StartupMessagesJa = {"静止", "ｽﾗｲﾄﾞ", "無効"};
constexpr std::array<std::string_view, 7> PowerOffTimes = {
    "Disable", "30 minutes", "1 hour", "2 hours", "3 hours", "5 hours", "8 hours"};
constexpr std::array<std::string_view, 7> PowerOffTimesJa = {"解除",  "30分",  "1時間", "2時間",
                                                             "3時間", "5時間", "8時間"};
constexpr std::array<std::string_view, 6> SaverRatios = {
    "OFF",           "ON (1:1 ratio)", "ON (1:2 ratio)", "ON (1:4 ratio)", "ON (1:6 ratio)",
    "ON (1:9 ratio)"};
constexpr std::array<std::string_view, 6> SaverRatiosJa = {
    "OFF", "0.2秒:0.2秒", "0.2秒:0.4秒", "0.2秒:0.8秒", "0.2秒:1.2秒", "0.2秒:1.8秒"};
constexpr std::array<std::string_view, 2> BatteryTypes = {"Li-Ion Pack", "Dry AA Pack"};
constexpr std::array<std::string_view, 2> BatteryTypesJa = {"ﾊﾞｯﾃﾘｰﾊﾟｯｸ", "乾電池"};
constexpr std::array<std::string_view, 5> KeyLockModes = {
    "Keypad (16 Keys)", "Dials Only", "Keypad (17 Keys)", "16 Keys + Dials", "ALL Keys + Dials"};
constexpr std::array<std::string_view, 5> KeyLockModesJa = {
    "ｷｰﾎﾞｰﾄﾞ(除･SCAN)", "ﾀﾞｲﾔﾙのみ", "ｷｰﾎﾞｰﾄﾞ(含･SCAN)", "KB(除･SCAN)+DIAL", "全て"};
constexpr std::array<std::string_view, 2> MoniFunctions = {"Monitor", "Mute"};
constexpr std::array<std::string_view, 2> MoniFunctionsJa = {"ﾓﾆﾀｰ", "ﾐｭｰﾄ"};
constexpr std::array<std::string_view, 2> MoniActions = {"Momentary", "Toggle"};
constexpr std::array<std::string_view, 2> MoniActionsJa = {"ﾌﾟｯｼｭ", "ﾎｰﾙﾄﾞ"};
constexpr std::array<std::string_view, 4> MoniTargets = {"MAIN Band only", "SUB Band only",
                                                         "Operating Band", "MAIN + SUB Bands"};
constexpr std::array<std::string_view, 4> MoniTargetsJa = {"ﾒｲﾝﾊﾞﾝﾄﾞ", "ｻﾌﾞﾊﾞﾝﾄﾞ", "操作ﾊﾞﾝﾄﾞ",
                                                           "両ﾊﾞﾝﾄﾞ"};
constexpr std::array<std::string_view, 2> DialAssignments = {"Left: MAIN / Right: SUB",
                                                             "Left: SUB / Right: MAIN"};
constexpr std::array<std::string_view, 2> DialAssignmentsJa = {"左:ﾒｲﾝ  ｻﾌﾞ:右", "左:ｻﾌﾞ  ﾒｲﾝ:右"};
constexpr std::array<std::string_view, 4> DialRings = {
    "FREQ: Upper / VOL: Lower ", "FREQ: Lower / VOL: Upper ", " SQL: Upper / FREQ: Lower",
    " SQL: Lower / FREQ: Upper"};
constexpr std::array<std::string_view, 2> BandTransitions = {"Prohibit", "Allow"};
constexpr std::array<std::string_view, 2> BandTransitionsJa = {"移動しない", "移動する"};
constexpr std::array<std::string_view, 11> SetModeExitTimes = {
    "Manual",          "Auto ( 5 sec.)",  "Auto (10 sec.)",  "Auto (15 sec.)",
    "Auto (30 sec.)",  "Auto (  1 min.)", "Auto (1.5 min.)", "Auto (  2 min.)",
    "Auto (  3 min.)", "Auto (  4 min.)", "Auto (  5 min.)"};
constexpr std::array<std::string_view, 11> SetModeExitTimesJa = {
    "手動", "5秒", "10秒", "15秒", "30秒", "1分", "1.5分", "2分", "3分", "4分", "5分"};
constexpr std::array<std::string_view, 2> SkipFunctionsJa = {" 無効", " 有効"};
constexpr std::array<std::string_view, 3> ScanSpeeds = {"Slow", "Normal", "Fast"};
constexpr std::array<std::string_view, 3> ScanSpeedsJa = {"ゆっくり", "普通", "速い"};
constexpr std::array<std::string_view, 3> OverwriteModes = {"Prohibit", "Allow", "Fail-Safe"};
constexpr std::array<std::string_view, 3> OverwriteModesJa = {"無効", "有効", "一時解除"};
constexpr std::array<std::string_view, 3> DisplayData = {"Frequency", "Memory Name",
                                                         "Freq. + Memory"};
constexpr std::array<std::string_view, 3> DisplayDataJa = {"周波数表示", "ﾒﾓﾘｰﾈｰﾑ表示",
                                                           "周波数･ﾒﾓﾘ名併記"};
constexpr std::array<std::string_view, 4> BellModes = {"Disable", "MAIN Band Only", "SUB Band Only",
                                                       "MAIN + SUB Bands"};
constexpr std::array<std::string_view, 4> BellModesJa = {"無効", "ﾒｲﾝ受信時", "ｻﾌﾞ受信時",
                                                         "どちらか受信時"};
constexpr std::array<std::string_view, 4> VoiceGuides = {"Disable", "Keypad Operation",
                                                         "Bugging Mode", "Keypad + Bugging"};
constexpr std::array<std::string_view, 4> VoiceGuidesJa = {"無効", "ｷｰ操作時", "盗聴器発見連結時",
                                                           "両方"};
constexpr std::array<std::string_view, 4> OperationStatuses = {"Single / MAIN", "Single / SUB",
                                                               "Dual / MAIN", "Dual / SUB"};
constexpr std::array<std::string_view, 4> OperationStatusesJa = {"ｼﾝｸﾞﾙ/MAIN", "ｼﾝｸﾞﾙ/SUB",
                                                                 "ﾃﾞｭｱﾙ/MAIN", "ﾃﾞｭｱﾙ/SUB"};
constexpr std::array<std::string_view, 3> Attenuations = {"OFF", "Low", "High"};
constexpr std::array<std::string_view, 3> AttenuationsJa = {"無効", "弱", "強"};
constexpr std::array<std::string_view, 2> ToneCuts = {"Normal", "Cut"};
constexpr std::array<std::string_view, 2> ToneCutsJa = {"Off", "On"};
constexpr std::array<std::string_view, 3> MainModes = {"VFO", "Preset", "Memory"};
constexpr std::array<std::string_view, 3> MainModesJa = {"VFO", "ﾌﾟﾘｾｯﾄ", "ﾒﾓﾘｰ"};
constexpr std::array<std::string_view, 2> SubModes = {"VFO", "Memory"};
constexpr std::array<std::string_view, 2> SubModesJa = {"VFO", "ﾒﾓﾘｰ"};
constexpr std::array<std::string_view, 3> KeyLockStates = {"OFF", "Quick", "Normal"};
constexpr std::array<std::string_view, 3> KeyLockStatesJa = {"ロック無し", "ロック1", "ロック2"};
constexpr std::array<std::string_view, 3> BugCouplings = {"OFF", "ON", "ON (Continue)"};
constexpr std::array<std::string_view, 3> BugCouplingsJa = {"OFF", "ON", "ON 継続"};

// The lists of each array by index: caption in English and Japanese, then the entries. Bar
// Antenna, Earphone Antenna, LCD Contrast and Dial Ring keep their English entries in Japanese.
constexpr std::array<ListTexts, 7> RecvTexts = {{
    {"Bar Antenna", "ﾊﾞｰｱﾝﾃﾅ", OffOn, OffOn},
    {"Earphone Antenna", "ｲﾔﾎﾝｱﾝﾃﾅ", OffOn, OffOn},
    {"CW Mode Sideband", "CW", CwSidebands, CwSidebandsJa},
    {"DET. Signal Output", "検波出力", DisableEnable, DisableEnableJa},
    {"IQ Signal Output", "IQ信号出力", DisableEnable, DisableEnableJa},
    {"F Tuning Range", "ﾁｭｰﾝ設定", TuningRanges, TuningRanges},
    {"Preset Mode", "ﾌﾟﾘｾｯﾄﾓｰﾄﾞ", PresetModes, PresetModesJa},
}};

constexpr std::array<ListTexts, 7> DisplayTexts = {{
    {"Language／言語", "Language／言語", Languages, Languages},
    {"Backlight", "照明設定", Backlights, BacklightsJa},
    {"Font Size", "非操作側  表示サイズ", FontSizes, FontSizesJa},
    {"LCD Contrast", "ｺﾝﾄﾗｽﾄ設定", ContrastSteps, ContrastSteps},
    {"Font Style", "フォント設定", FontStyles, FontStylesJa},
    {"Startup Message", "ｵｰﾌﾟﾆﾝｸﾞ", StartupMessages, StartupMessagesJa},
    {"S-Meter Decay", "Sﾒｰﾀ表示設定", DecayTimes, DecayTimesJa},
}};

constexpr std::array<ListTexts, 3> PowerTexts = {{
    {"Auto Power OFF", "ｵｰﾄﾊﾟﾜｰｵﾌ", PowerOffTimes, PowerOffTimesJa},
    {"Battery Saver", "ﾊﾞｯﾃﾘｰｾｰﾌﾞ", SaverRatios, SaverRatiosJa},
    {"Battery Type", "電池の設定", BatteryTypes, BatteryTypesJa},
}};

constexpr std::array<ListTexts, 11> KeyTexts = {{
    {"Key Lock Mode", "ｷｰﾛｯｸﾓｰﾄﾞ", KeyLockModes, KeyLockModesJa},
    {"MONI Key Function", "MONIキー設定", MoniFunctions, MoniFunctionsJa},
    {"MONI Key Action", "MONIキー動作", MoniActions, MoniActionsJa},
    {"MONI Key Usage", "MONIキー操作対象", MoniTargets, MoniTargetsJa},
    {"Dial Assign", "ﾀﾞｲﾔﾙ左右", DialAssignments, DialAssignmentsJa},
    {"Dial Ring", "ﾀﾞｲﾔﾙ上下", DialRings, DialRings},
    {"WILD Key Assign", "WILDｷｰ割当", KeyFunctions, KeyFunctionsJa},
    {"MONI Key Assign", "MONIｷｰ割当", KeyFunctions, KeyFunctionsJa},
    {"Band Transition", "ﾊﾞﾝﾄﾞ移動", BandTransitions, BandTransitionsJa},
    {"Set Mode Exit", "ｾｯﾄﾓｰﾄﾞ復帰時間", SetModeExitTimes, SetModeExitTimesJa},
    {"Remote COM Port", "ﾘﾓｰﾄ通信ﾎﾟｰﾄ", DisableEnable, DisableEnableJa},
}};

constexpr std::array<ListTexts, 5> ScanTexts = {{
    {"Skip Function", "ｽｷｯﾌﾟ設定", DisableEnable, SkipFunctionsJa},
    {"Priority Interval", "ﾌﾟﾗｲｵﾘﾃｨ待受時間", PriorityIntervals, PriorityIntervalsJa},
    {"Priority Duration", "ﾌﾟﾗｲｵﾘﾃｨ停止時間", PriorityDurations, PriorityDurationsJa},
    {"Scan Mode", "ｽｷｬﾝﾀｲﾌﾟ", ScanModes, ScanModesJa},
    {"Scan Speed", "ｽｷｬﾝｽﾋﾟｰﾄﾞ", ScanSpeeds, ScanSpeedsJa},
}};

constexpr std::array<ListTexts, 2> MemTexts = {{
    {"Memory Overwrite", "ﾗｲﾄﾌﾟﾛﾃｸﾄ", OverwriteModes, OverwriteModesJa},
    {"Display Data", "ﾒﾓﾘｰﾈｰﾑ", DisplayData, DisplayDataJa},
}};

constexpr std::array<ListTexts, 3> SoundTexts = {{
    {"Beep Notifier", "操作音設定", DisableEnable, DisableEnableJa},
    {"Bell Notifier", "ベル機能設定", BellModes, BellModesJa},
    {"Voice Guide", "音声ｶﾞｲﾄﾞ", VoiceGuides, VoiceGuidesJa},
}};

constexpr std::array<ListTexts, 4> RemoconTexts = {{
    {"RMT-40 A Button", "ﾘﾓｺﾝAﾎﾞﾀﾝ", RemoteKeyFunctions, RemoteKeyFunctionsJa},
    {"RMT-40 B Button", "ﾘﾓｺﾝBﾎﾞﾀﾝ", RemoteKeyFunctions, RemoteKeyFunctionsJa},
    {"RMT-40 C Button", "ﾘﾓｺﾝCﾎﾞﾀﾝ", RemoteKeyFunctions, RemoteKeyFunctionsJa},
    {"RMT-40 D Button", "ﾘﾓｺﾝDﾎﾞﾀﾝ", RemoteKeyFunctions, RemoteKeyFunctionsJa},
}};

constexpr std::array<ListTexts, 17> MiscTexts = {{
    {"Operation Status", "運用状態", OperationStatuses, OperationStatusesJa},
    {"Volume (MAIN)", "音量(MAIN)", Numbers0To30, Numbers0To30},
    {"Volume (SUB)", "音量(SUB)", Numbers0To30, Numbers0To30},
    {"Squelch (MAIN)", "ｽｹﾙﾁ(MAIN)", Numbers0To9, Numbers0To9},
    {"Squelch (SUB)", "ｽｹﾙﾁ(SUB)", Numbers0To9, Numbers0To9},
    {"Channel Scope (MAIN)", "ﾁｬﾝﾈﾙｽｺｰﾌﾟ(MAIN)", OffOn, OffOn},
    {"Channel Scope (SUB)", "ﾁｬﾝﾈﾙｽｺｰﾌﾟ(SUB)", OffOn, OffOn},
    {"MAIN Band RF Gain", "受信感度(MAIN)", Numbers1To10, Numbers1To10},
    {"SUB Band RF Gain", "受信感度(SUB)", Numbers1To10, Numbers1To10},
    {"Attenuator", "ｱｯﾃﾈｰﾀｰ", Attenuations, AttenuationsJa},
    {"Audio High Tone", "高域ｶｯﾄ", ToneCuts, ToneCutsJa},
    {"Audio Low Tone", "低域ｶｯﾄ", ToneCuts, ToneCutsJa},
    {"Operation Mode (MAIN)", "運用ﾓｰﾄﾞ(MAIN)", MainModes, MainModesJa},
    {"Operation Mode (SUB)", "運用ﾓｰﾄﾞ(SUB)", SubModes, SubModesJa},
    {"Key Lock Status", "ｷｰﾛｯｸ状態", KeyLockStates, KeyLockStatesJa},
    {"Bug Coupling", "BUGﾓｰﾄﾞの連結", BugCouplings, BugCouplingsJa},
    {"Bug Sensitivity", "BUGﾓｰﾄﾞの感度", Numbers1To5, Numbers1To5},
}};

// The arrays in the order of SettingsList.
constexpr std::array<std::span<const ListTexts>, SettingsListCount> AllLists = {
    RecvTexts, DisplayTexts, PowerTexts,   KeyTexts, ScanTexts,
    MemTexts,  SoundTexts,   RemoconTexts, MiscTexts};

// Every array has as many lists as the selections hold, and each list as many entries in
// Japanese as in English (a selection is an index into either).
static_assert([] {
  for (int a = 0; a < SettingsListCount; ++a) {
    if (static_cast<int>(AllLists[a].size()) != SettingsListSizes[a]) return false;
    for (const ListTexts& texts : AllLists[a]) {
      if (texts.englishChoices.size() != texts.japaneseChoices.size()) return false;
      if (texts.englishChoices.empty()) return false;
    }
  }
  return true;
}());

// Section frames: English, Japanese.
constexpr std::array<std::array<std::string_view, 2>, SectionCount> SectionCaptions = {{
    {"<RECEIVER>", "≪受信設定≫"},
    {"<DISPLAY>", "≪表示設定≫"},
    {"<POWER && BATTERY>", "≪電源設定≫"},
    {"<KEY ASSIGNMENT>", "≪ｷｰ操作設定≫"},
    {"<SCANNING>", "≪ｽｷｬﾝ設定≫"},
    {"<MEMORY>", "≪ﾒﾓﾘｰ設定≫"},
    {"<SOUNDS>", "≪音設定≫"},
    {"<RMT-40 KEYS>", "≪ﾘﾓｺﾝ設定≫"},
}};

constexpr std::array<std::string_view, 2> KeyLabel = {"Key", "キー"};

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const ListTexts* Find(SettingsList list, int index) {
  const int array = static_cast<int>(list);
  if (array < 0 || array >= SettingsListCount) return nullptr;
  const std::span<const ListTexts> lists = AllLists[array];
  if (index < 0 || index >= static_cast<int>(lists.size())) return nullptr;
  return &lists[static_cast<std::size_t>(index)];
}

}  // namespace

QString SettingsCaption(SettingsList list, int index, Language language) {
  const ListTexts* texts = Find(list, index);
  if (!texts) return {};
  return Text(language == Language::Japanese ? texts->japanese : texts->english);
}

QStringList SettingsChoices(SettingsList list, int index, Language language) {
  const ListTexts* texts = Find(list, index);
  if (!texts) return {};
  QStringList choices;
  for (std::string_view choice :
       language == Language::Japanese ? texts->japaneseChoices : texts->englishChoices) {
    choices.append(Text(choice));
  }
  return choices;
}

int SettingsChoiceCount(SettingsList list, int index) {
  const ListTexts* texts = Find(list, index);
  return texts ? static_cast<int>(texts->englishChoices.size()) : 0;
}

QString SectionCaption(int section, Language language) {
  if (section < 0 || section >= SectionCount) return {};
  return Text(
      SectionCaptions[static_cast<std::size_t>(section)][language == Language::Japanese ? 1 : 0]);
}

QString KeyLabelCaption(Language language) {
  return Text(KeyLabel[language == Language::Japanese ? 1 : 0]);
}

}  // namespace rqm27
