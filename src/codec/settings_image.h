// The settings area at 0x0000: 192 bytes (three blocks of 64) holding the receiver's set mode.
// Every setting is one byte except where noted; "index" is the selected entry of the list,
// "index+1" the entry's number for lists that show the stored number itself. Bytes not listed
// are the receiver's own and are written back as they were read. Offsets are hexadecimal.
//
//   offset     width  field                              values
//   02 / 03    1      Volume MAIN / SUB (misc 1, 2)      index 0-30
//   04 / 05    1      Squelch MAIN / SUB (misc 3, 4)     index 0-9
//   06         1      Operation Mode MAIN (misc 12)      index 0-2 while the byte holds 0-2;
//                                                        otherwise the mode is in 3D
//   07         1      Operation Mode SUB (misc 13)       00 VFO, 02 Memory (read: 02 is Memory,
//                                                        anything else VFO)
//   20         1      Bell Notifier (sound 1)            index
//   25 26 27   1 each Skip Function, Priority Duration,  index
//                     Priority Interval (scan 0, 2, 1)
//   28         1      Scan Mode (scan 3)                 index 0-39
//   29 2A 2B   1 each Band Transition, MONI Key Action,  index
//                     MONI Key Function (key 8, 2, 1)
//   2C         1      Attenuator (misc 9)                index
//   2D         1      Earphone Antenna (recv 1)          index
//   2E         1      Backlight (display 1)              index; copied to 41
//   2F 30      1 each Auto Power OFF, Battery Saver      index
//                     (power 0, 1)
//   31         1      Beep Notifier (sound 0)            index
//   32         1      Bug Sensitivity (misc 16)          index+1 (1-5)
//   36         1      Set Mode Exit (key 9)              index
//   37         1      WILD Key Assign (key 6)            KeyFunctionCodes[index]
//   39         1      Scan Speed (scan 4)                index; copied to 3A
//   3A         1      Scan Speed, second copy            written only
//   3B         1      Key Lock Status (misc 14)          index
//   3D         1      Operation Mode MAIN, other place   index 0-2, used while 06 holds 03 or more
//                                                        (03 or more here reads as VFO)
//   3F         1      Operation Status, low bit (misc 0) 01 for "SUB" (index 1, 3), else 00
//   40         1      Language (display 0)               index: 0 English, 1 Japanese
//   41         1      Backlight, second copy             written only
//   43         1      Operation Status, high bit         01 for "Single" (index 0, 1), else 00
//   47 / 48    1      Channel Scope MAIN / SUB (misc 5, 6) index
//   4A         1      LCD Contrast (display 3)           index+1 (1-10)
//   4D         1      Dial Ring, first bit (key 5)       01 for index 2, 3, else 00
//   4E         1      Dial Assign (key 4)                index
//   4F         1      Dial Ring, second bit              01 for index 1, 2, else 00
//   50         1      MONI Key Assign (key 7)            KeyFunctionCodes[index]
//   51         1      Bar Antenna (recv 0)               index
//   56         1      Battery Type (power 2)             index
//   57         1      MONI Key Usage (key 3)             index
//   5B         1      Preset Mode (recv 6)               index
//   5C         1      Voice Guide (sound 2)              index
//   5D / 5E    1      RF Gain MAIN / SUB (misc 7, 8)     index+1 (1-10)
//   5F         1      Font Style (display 4)             index
//   60         1      Font Size (display 2)              index
//   61         1      Key Lock Mode (key 0)              index
//   64         1      IQ Signal Output (recv 4)          index
//   65         1      Audio tones (misc 10, 11)          bit 0 High Tone cut, bit 1 Low Tone cut
//                                                        (00-03; other values are not read)
//   79         1      Remote COM Port (key 10)           index
//   7A         1      Bug Coupling (misc 15)             index
//   7B         1      DET. Signal Output (recv 3)        index
//   7E         1      CW Mode Sideband (recv 2)          index
//   7F-82      1 each RMT-40 A-D Button (remocon 0-3)    RemoteKeyCodes[index]
//   86         1      F Tuning Range (recv 5)            index+1 (1-3)
//   89         1      Display Data (mem 1)               index
//   8A         1      S-Meter Decay (display 6)          index 0-20
//
// Startup Message (display 5) and Memory Overwrite (mem 0) live outside this area
// (title_block.h).
#pragma once

#include "model/result.h"
#include "model/settings_selections.h"

#include <QByteArray>

#include <array>
#include <cstdint>

namespace rqm27 {

inline constexpr int SettingsAreaSize = 192;
inline constexpr int SettingsAreaAddress = 0x0000;

// The receiver's code of each entry of the WILD / MONI key function list (entry i is code i).
inline constexpr std::array<std::uint8_t, 41> KeyFunctionCodes = {
    0x09, 0x08, 0x94, 0xB0, 0xAD, 0xB8, 0x98, 0x66, 0x18, 0x7B, 0x8C, 0x8D, 0xAB, 0x1B,
    0x8B, 0x1C, 0x8E, 0x54, 0x2F, 0x6E, 0x6F, 0x5C, 0x5A, 0x8F, 0x16, 0x17, 0xA8, 0x52,
    0x5E, 0x53, 0x32, 0xA7, 0x1E, 0xCF, 0x1F, 0x20, 0x93, 0xA3, 0xA4, 0xA5, 0xA6};

// The receiver's code of each entry of the remote keypad's function list.
inline constexpr std::array<std::uint8_t, 23> RemoteKeyCodes = {
    0x15, 0x0A, 0x00, 0x01, 0x03, 0x09, 0x02, 0x13, 0x14, 0x16, 0x17, 0x0E,
    0x0F, 0x10, 0x0B, 0x18, 0x0D, 0x11, 0x12, 0x04, 0x05, 0x06, 0x07};

// How a row of the byte map turns a selection into bytes and back.
enum class SettingsRule {
  Index,              // the byte is the index
  IndexPlusOne,       // the byte is the index plus one
  KeyFunction,        // the byte is KeyFunctionCodes[index]; an unknown code keeps the selection
  RemoteKey,          // the byte is RemoteKeyCodes[index]; an unknown code keeps the selection
  SecondCopy,         // the index again, written but never read
  OperationModeMain,  // the index in `offset` while it holds 0-2, else in `pairedOffset`
  OperationModeSub,   // 00 for index 0, 02 for index 1
  OperationStatus,    // `offset` 01 for index 1 and 3; `pairedOffset` 01 for index 0 and 1
  DialRing,           // `offset` 01 for index 2 and 3; `pairedOffset` 01 for index 1 and 2
  AudioTones,         // bit 0: list `index` is not 0; bit 1: list `pairedIndex` is not 0
};

struct SettingsByte {
  int offset;
  SettingsList list;
  int index;
  SettingsRule rule;
  int pairedOffset = -1;  // the second byte of a two-byte rule
  int pairedIndex = -1;   // the second list of AudioTones
};

// The byte map, in ascending byte order. Decoding and encoding both walk it.
inline constexpr std::array<SettingsByte, 58> SettingsByteMap = {{
    {0x02, SettingsList::Misc, 1, SettingsRule::Index},
    {0x03, SettingsList::Misc, 2, SettingsRule::Index},
    {0x04, SettingsList::Misc, 3, SettingsRule::Index},
    {0x05, SettingsList::Misc, 4, SettingsRule::Index},
    {0x06, SettingsList::Misc, 12, SettingsRule::OperationModeMain, 0x3D},
    {0x07, SettingsList::Misc, 13, SettingsRule::OperationModeSub},
    {0x20, SettingsList::Sound, 1, SettingsRule::Index},
    {0x25, SettingsList::Scan, 0, SettingsRule::Index},
    {0x26, SettingsList::Scan, 2, SettingsRule::Index},
    {0x27, SettingsList::Scan, 1, SettingsRule::Index},
    {0x28, SettingsList::Scan, 3, SettingsRule::Index},
    {0x29, SettingsList::Key, 8, SettingsRule::Index},
    {0x2A, SettingsList::Key, 2, SettingsRule::Index},
    {0x2B, SettingsList::Key, 1, SettingsRule::Index},
    {0x2C, SettingsList::Misc, 9, SettingsRule::Index},
    {0x2D, SettingsList::Recv, 1, SettingsRule::Index},
    {0x2E, SettingsList::Display, 1, SettingsRule::Index},
    {0x2F, SettingsList::Power, 0, SettingsRule::Index},
    {0x30, SettingsList::Power, 1, SettingsRule::Index},
    {0x31, SettingsList::Sound, 0, SettingsRule::Index},
    {0x32, SettingsList::Misc, 16, SettingsRule::IndexPlusOne},
    {0x36, SettingsList::Key, 9, SettingsRule::Index},
    {0x37, SettingsList::Key, 6, SettingsRule::KeyFunction},
    {0x39, SettingsList::Scan, 4, SettingsRule::Index},
    {0x3A, SettingsList::Scan, 4, SettingsRule::SecondCopy},
    {0x3B, SettingsList::Misc, 14, SettingsRule::Index},
    {0x3F, SettingsList::Misc, 0, SettingsRule::OperationStatus, 0x43},
    {0x40, SettingsList::Display, 0, SettingsRule::Index},
    {0x41, SettingsList::Display, 1, SettingsRule::SecondCopy},
    {0x47, SettingsList::Misc, 5, SettingsRule::Index},
    {0x48, SettingsList::Misc, 6, SettingsRule::Index},
    {0x4A, SettingsList::Display, 3, SettingsRule::IndexPlusOne},
    {0x4D, SettingsList::Key, 5, SettingsRule::DialRing, 0x4F},
    {0x4E, SettingsList::Key, 4, SettingsRule::Index},
    {0x50, SettingsList::Key, 7, SettingsRule::KeyFunction},
    {0x51, SettingsList::Recv, 0, SettingsRule::Index},
    {0x56, SettingsList::Power, 2, SettingsRule::Index},
    {0x57, SettingsList::Key, 3, SettingsRule::Index},
    {0x5B, SettingsList::Recv, 6, SettingsRule::Index},
    {0x5C, SettingsList::Sound, 2, SettingsRule::Index},
    {0x5D, SettingsList::Misc, 7, SettingsRule::IndexPlusOne},
    {0x5E, SettingsList::Misc, 8, SettingsRule::IndexPlusOne},
    {0x5F, SettingsList::Display, 4, SettingsRule::Index},
    {0x60, SettingsList::Display, 2, SettingsRule::Index},
    {0x61, SettingsList::Key, 0, SettingsRule::Index},
    {0x64, SettingsList::Recv, 4, SettingsRule::Index},
    {0x65, SettingsList::Misc, 10, SettingsRule::AudioTones, -1, 11},
    {0x79, SettingsList::Key, 10, SettingsRule::Index},
    {0x7A, SettingsList::Misc, 15, SettingsRule::Index},
    {0x7B, SettingsList::Recv, 3, SettingsRule::Index},
    {0x7E, SettingsList::Recv, 2, SettingsRule::Index},
    {0x7F, SettingsList::Remocon, 0, SettingsRule::RemoteKey},
    {0x80, SettingsList::Remocon, 1, SettingsRule::RemoteKey},
    {0x81, SettingsList::Remocon, 2, SettingsRule::RemoteKey},
    {0x82, SettingsList::Remocon, 3, SettingsRule::RemoteKey},
    {0x86, SettingsList::Recv, 5, SettingsRule::IndexPlusOne},
    {0x89, SettingsList::Mem, 1, SettingsRule::Index},
    {0x8A, SettingsList::Display, 6, SettingsRule::Index},
}};

// Sets the selections from an area of exactly 192 bytes. A byte that names no entry of its list
// (a plain or index+1 row) is an error naming the byte and the setting, and then no selection
// changes. A code row with an unknown code, and an audio-tone byte above 03, keep the selections
// they would set.
Status DecodeSettingsImage(const QByteArray& area, SettingsSelections& selections);

// The area with the selections patched into a copy of `base` (the area as last read; cut or
// padded with zero bytes to 192). Bytes outside the map keep their value. A selection that
// names no entry of its list leaves its bytes as they are.
QByteArray EncodeSettingsImage(const QByteArray& base, const SettingsSelections& selections);

}  // namespace rqm27
