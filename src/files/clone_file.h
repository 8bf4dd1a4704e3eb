// The clone file (.M27): the whole image as CP932 text, one fixed-position record a line, each
// line ended by CR LF. Positions are 1-based characters; numbers are decimal, zero-padded to
// their width. Records in the order written:
//
//   record          count  layout
//   header          1      "Save Date and Time " + date and time; never read
//   CH              0-1721 one per used slot, ascending:
//                            1   2  "CH"
//                            3   4  slot number - 1, 0000-1720
//                            7  10  frequency without "MHz", "0"-padded left: 0145.00000
//                            17  1  mode: 0 FM, 1 AM, 2 NFM, 3 WFM, 4 LSB, 5 USB, 6 CW
//                            18  2  step index 00-18
//                            20  2  carrier index 00-28
//                            22  1  sub-tone type: 0 None, 1 Train, 3 TSQ, 4 SQ, 5 DCS
//                            23  2  transmit tone index 00-38
//                            25  2  tone-squelch tone index 00-38
//                            27  3  DCS index 000-103
//                            30  1  shift: 0 Off, 1 "+", 2 "-"
//                            31  9  shift frequency without "MHz", "0"-padded left: 000.60000
//                            40  1  skip: 1 when skipped, else 0
//                            41  -  name (at most 16 characters, 32 bytes); nothing when
//                                   empty; a control character is written as a space
//   BK              0/1    "BK" + 50 bank counts of 4 digits; 202 characters
//   ONETOUCH_BANK   0/1    tag + nine 3-digit banks, 255 for a memory not set; 40 characters
//   ONETOUCH_CHDA   0/1    tag + nine 3-digit channel positions in their banks; 40 characters
//                          (the three lines above only when the bank counts add up to 1200)
//   TITLE           1      "TITLE" + the opening title (at most 32 bytes)
//   GRD             11     "GRD" + group 00-10 + 50 flags "0"/"1", bank 0 first; an empty bank
//                          is always "0"; 55 characters
//   GRI             1      "GRI" + 50 flags, "1" for an empty bank; 53 characters; not read
//   SD00-SD08       9      "SD" + list array 00-08 + the 3-digit selection of each list of the
//                          array in index order (see SettingsLines)
//   FONT            8      "FONT" + icon 0-7 + the icon's 32 bytes as 64 hexadecimal digits;
//                          69 characters
//   COMPORT         1      "COMPORT" + port 01-16; 9 characters; not read by the clone reader
//   File End        1      "File End"
//
// The reader needs the header line and the "File End" line, and dispatches on the first
// characters: "CH", "BK" (202 characters), "ON" (at least
// 40, "ONETOUCH_BANK" or "ONETOUCH_CHDA"), "TI", "GRD" (55), "SD", "FONT" (69). Every other line
// is skipped, and so is a settings line for an array other than 00-08.
#pragma once

#include "model/channel_slot.h"
#include "model/clone_image.h"
#include "model/file_notes.h"
#include "model/result.h"
#include "model/settings_selections.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <string_view>

namespace rqm27 {

// One settings line: its tag, the list array it holds and how many selections it carries.
struct SettingsLineLayout {
  std::string_view tag;
  SettingsList list;
  int entries;
};

inline constexpr std::array<SettingsLineLayout, SettingsListCount> SettingsLines = {{
    {"SD00", SettingsList::Recv, 7},
    {"SD01", SettingsList::Display, 7},
    {"SD02", SettingsList::Power, 3},
    {"SD03", SettingsList::Key, 11},
    {"SD04", SettingsList::Scan, 5},
    {"SD05", SettingsList::Mem, 2},
    {"SD06", SettingsList::Sound, 3},
    {"SD07", SettingsList::Remocon, 4},
    {"SD08", SettingsList::Misc, 17},
}};

// The channel line of a slot (1-1721) as the file holds it; what the line cannot keep of the
// name is noted.
QString FormatChannelLine(const ChannelSlot& slot, int slotNumber, FileNotes& notes);

// The whole file of an image, every line ended by CR LF, in CP932, with what it could not keep
// (control characters in names are written as spaces, codes that are not characters as "?").
// Refused, naming the slot, when a channel's frequency or offset is outside the receiver's range
// (it would not fit its field).
Result<Noted<QByteArray>> WriteCloneFile(const CloneImage& image, const QDateTime& now);

// Reads a clone file into a copy of `current`: slots 1-1700 are emptied first, then each record
// up to "File End" is applied in file order; areas without a record keep their values. A file
// without its header line or its "File End" line is refused, and so is one with a line that
// cannot be applied (the error names the file and the line); nothing of it is returned then.
// A channel line whose values break the channel rules is left out, a step the frequency does
// not fit is replaced, and both are noted. `fileName` names the file (or "standard input") in
// messages.
Result<Noted<CloneImage>> ReadCloneFile(const QByteArray& bytes, const CloneImage& current,
                                        const QString& fileName);

}  // namespace rqm27
