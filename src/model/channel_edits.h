// The editing commands of the channel list as plain functions on an image: moving memory
// channels inside their bank (up, down, an empty row inserted, rows deleted, a sort), one
// change applied to many channels, and frequencies filled in with an increment. Each changes
// the image it is given in place and says what it changed, so that the caller can make it one
// undoable step and name it ("Move 3 channels up", "Edit 12 channels"); a refused command
// leaves the image as it was and says why.
//
// The memory channels (slots 1-1200) belong to the banks in the order of the bank table, and a
// one-touch memory names its channel by bank and position in the bank: when a command moves
// channels inside a bank, the one-touch memories move with them. The other rows have fixed
// places and never move; the presets (1701-1721) are never changed.
#pragma once

#include "model/channel_slot.h"
#include "model/clone_image.h"
#include "model/file_notes.h"
#include "model/result.h"

#include <cstdint>
#include <optional>
#include <span>

namespace rqm27 {

// What a command changed.
struct EditedSlots {
  // The first and last slot whose channel may have changed; both 0 when none did.
  int first = 0;
  int last = 0;
  // How many channels the command acted on: the rows moved, edited, filled or pasted.
  int channels = 0;
  // The rows left as they were and why, by slot, and one-touch memories let go.
  FileNotes notes;
};

enum class MoveDirection { Up, Down };
enum class SortKey { Frequency, Name };

// Moves the channels of slots first..last (one bank's rows) one row up or down inside their
// bank; the channel they pass takes the other end of the selection. Refused at the bank's
// edge, for a selection that crosses banks or leaves slots 1-1200, and when the bank table
// does not add up to 1200 channels.
Result<EditedSlots> MoveChannels(CloneImage& image, int first, int last, MoveDirection direction);

// Puts an empty row at `slot`, the channels from there to the bank's end moving one row down.
// Refused when the bank's last row holds a channel (it would fall out of the bank).
Result<EditedSlots> InsertEmptyRow(CloneImage& image, int slot);

// Deletes the channels of slots first..last and closes the gap: in each bank the selection
// touches, the channels below it move up and empty rows fill the bank's end. A one-touch memory
// of a deleted channel is let go (noted).
Result<EditedSlots> DeleteChannels(CloneImage& image, int first, int last);

// Sorts the rows first..last of one bank by frequency, or by name in the order of the
// receiver's character codes (ASCII, then the half-width and the double-byte characters);
// rows that compare equal keep their order, empty rows go last.
Result<EditedSlots> SortChannels(CloneImage& image, int first, int last, SortKey key);

// A change of some fields of many channels at once; a field left unset keeps each channel's
// own value.
struct ChannelPatch {
  std::optional<ChannelMode> mode;
  std::optional<std::uint8_t> step;     // index into StepNames
  std::optional<std::uint8_t> carrier;  // index into CarrierNames
  std::optional<SubtoneType> subtone;
  std::optional<std::uint8_t> txTone;  // index into ToneNames
  std::optional<std::uint8_t> rxTone;  // index into ToneNames (the TSQ tone)
  std::optional<std::uint8_t> dcs;     // index into DcsNames
  std::optional<ShiftDirection> shift;
  std::optional<std::int32_t> offset;  // units of 10 Hz
  std::optional<bool> skip;
};

// Applies the patch to the used channels among `selection` (empty rows and presets are left
// alone). A channel the patch would give values outside the channel rules (ChannelFault), or,
// when the patch sets the step or the offset, a step its frequency or offset does not fit,
// is left as it was and noted.
EditedSlots PatchChannels(CloneImage& image, std::span<const int> selection,
                          const ChannelPatch& patch);

// Gives the selected rows, in the order given, the frequencies start, start + increment, ...
// (units of 10 Hz). An empty row becomes a channel with its own (default) values and the step
// of the increment when the increment is one of the steps, else the first step the frequency
// fits. A row whose frequency would leave the receivable range, or not fit the step a used
// channel has, is left as it was and noted; so are the presets.
EditedSlots FillFrequencies(CloneImage& image, std::span<const int> selection, std::int32_t start,
                            std::int32_t increment);

}  // namespace rqm27
