// Editing one channel, or one dual-watch pair, through the detail dialog, without the widgets:
// which row a request opens, what the dialog's controls show for it, how the dialog's input
// is checked and corrected when the user confirms, how the result goes back into the image,
// and which row the PREV and NEXT buttons open next.
//
// The exchange between the grid and the dialog is ChannelEditBuffer, a value the dialog
// returns and CommitEdit applies.
#pragma once

#include "model/clone_image.h"
#include "model/value_tables.h"

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace rqm27 {

// ---- Rows ------------------------------------------------------------------------------------

// The row the dialog edits for a request on `row`: nothing for the fixed presets (and for rows
// outside 1-1721); the MAIN row for the SUB row of a dual-watch pair; otherwise the row itself.
std::optional<int> EditableRow(int row);

// True for the rows of the dual-watch pairs, 1301-1500.
bool IsDualWatchRow(int row);

// The other row of a dual-watch pair: row + 1 for a MAIN (odd) row, row - 1 for a SUB row.
int DualWatchPartner(int row);

// ---- The dialog's controls as a value --------------------------------------------------------

// What one set of the dialog's controls holds. Option and list indexes are -1 when nothing is
// selected (the second set has no option for some of the first set's modes and steps).
struct DetailSetState {
  QString caption;             // the row label above the set
  QString frequencyMegahertz;  // up to 4 digits
  QString frequencyDigits;     // 5 digits after the point, units of 10 Hz
  int mode = 0;                // index of EditModeCodes
  int step = 0;                // index of StepNames
  int subtone = 0;             // the record's sub-tone code
  int shift = 0;               // 0 off, 1 plus, 2 minus
  QString offsetMegahertz;     // up to 3 digits
  QString offsetDigits;        // 5 digits (first set) or 3 (second set)
  int txTone = DefaultToneIndex;
  int rxTone = DefaultToneIndex;
  int dcs = 0;
  int carrier = StartupCarrierIndex;
  bool skip = false;
  QString name;

  bool operator==(const DetailSetState&) const = default;
};

struct DetailFormState {
  int row = 1;        // the row of the first set; for a pair its MAIN row
  bool pair = false;  // a dual-watch pair: the second set edits row + 1
  std::array<DetailSetState, 2> sets;

  bool operator==(const DetailFormState&) const = default;
};

// Option counts of the two sets.
inline constexpr std::array<int, 2> ModeOptionCount = {7, 4};
inline constexpr std::array<int, 2> StepOptionCount = {19, 16};
inline constexpr int SubtoneOptionCount = 6;
inline constexpr int ShiftOptionCount = 3;

// The controls filled from `row` (a SUB row is taken as its pair) and, for a dual-watch pair,
// the second set from the SUB row. The captions are the rows' labels as the bank table gives
// them; a caller that shows other labels may replace them.
DetailFormState FillDetailForm(const CloneImage& image, int row);

// What the "Clear" button of a set leaves in it; the caption stays.
DetailSetState ClearedSet(const DetailSetState& set);

// ---- The result of the dialog ----------------------------------------------------------------

// One channel as the dialog leaves it.
struct ChannelEdit {
  // The values confirmed; `used` says whether the channel holds a frequency in range.
  ChannelSlot channel;
  // The name as typed; a name left as the dialog showed it keeps the slot's codes.
  QString name;

  bool operator==(const ChannelEdit&) const = default;
};

// editResult: what CommitEdit writes.
inline constexpr int EditResultNothing = 0;     // cancelled, or a single channel left empty
inline constexpr int EditResultSecondOnly = 1;  // pair: empty the first row, write the second
inline constexpr int EditResultFirstOnly = 2;   // pair: write the first row, empty the second
inline constexpr int EditResultBoth = 3;        // pair: write both rows
inline constexpr int EditResultNeither = 5;     // pair: empty both rows
inline constexpr int EditResultSingle = 100;    // single channel: write it
// editNavigate: which channel the dialog asked for next.
inline constexpr int NavigateNone = 0;
inline constexpr int NavigateNext = 1;
inline constexpr int NavigateBack = 2;

struct ChannelEditBuffer {
  std::array<ChannelEdit, 2> channels;
  int editResult = EditResultNothing;
  int editNavigate = NavigateNone;
  int slotA = 0;  // row - 1 of the first channel
  int slotB = 0;  // row - 1 of the second channel of a pair
  // The dialog was closed by OK, PREV or NEXT (not by Cancel).
  bool confirmed = false;

  bool operator==(const ChannelEditBuffer&) const = default;
};

// The checks and corrections of the confirm buttons: cleans the frequency and offset fields,
// drops a frequency outside 50 kHz - 1299.99995 MHz, corrects the first set's step to one the
// frequency and offset fit, and sets the used flags and editResult.
ChannelEditBuffer ConfirmDetailForm(DetailFormState form);

// Puts a confirmed edit of `row` (for a pair, its MAIN row) into the image. A confirmed
// channel that holds no frequency leaves its row empty.
void CommitEdit(CloneImage& image, const ChannelEditBuffer& buffer, int row);

// The row the dialog opens after PREV or NEXT on `row`, or nothing (no navigation asked, or the
// target is a fixed preset).
std::optional<int> NavigationTarget(int row, int editNavigate);

// ---- Input rules of the dialog's fields ------------------------------------------------------

inline constexpr int FrequencyMegahertzLength = 4;
inline constexpr int FrequencyDigitsLength = 5;
inline constexpr int OffsetMegahertzLength = 3;
// The offset's digits after the point: 5 in the first set, 3 in the second.
inline constexpr std::array<int, 2> OffsetDigitsLength = {5, 3};
inline constexpr int NameByteLimit = 16;

// True when a digit field may hold `text`: digits only, at most maxLength of them.
bool IsDigitFieldText(QStringView text, int maxLength);

// Leaving an offset megahertz field: the decimal value of its digits, "0" when it has none.
QString NormaliseOffsetMegahertz(QStringView text);

// Leaving an offset digits field of a set whose digits are `width` long (5 or 3): digits only,
// capped at 999.99995 (999.995) MHz, padded with zeros.
QString NormaliseOffsetDigits(QStringView megahertz, QStringView digits, int width);

// Whether `character` may be typed into a name that holds `name`: the receiver can show it (it
// has a CP932 code) and the name stays within 16 bytes of CP932.
bool AcceptsNameCharacter(QStringView name, char32_t character);

// The longest start of `text` that fits the name's 16 bytes, characters the receiver cannot show
// left out.
QString CutNameToLimit(QStringView text);

}  // namespace rqm27
