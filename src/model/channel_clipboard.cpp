// The bytes of ChannelsMimeType, as QDataStream (Qt 6.0, big-endian) writes them:
//
//   field     type     value
//   magic     quint32  0x52514D43 ("RQMC")
//   version   quint8   1
//   count     quint32  rows that follow, at most 1721
//   a row: used bool, frequency qint32, offset qint32, mode quint8 (the detail dialog's code,
//   NFM included), step quint8, carrier quint8, sub-tone quint8 (the record's code), transmit
//   tone quint8, TSQ tone quint8, DCS quint8, shift quint8, skip bool, 16 name codes quint16.
#include "model/channel_clipboard.h"

#include "model/channel_rules.h"
#include "model/channel_text.h"
#include "model/lenient_number.h"
#include "model/value_tables.h"

#include <QDataStream>
#include <QIODevice>
#include <QStringList>

#include <array>

namespace rqm27 {

namespace {

constexpr quint32 Magic = 0x52514D43;
constexpr quint8 Version = 1;
constexpr QDataStream::Version StreamVersion = QDataStream::Qt_6_0;

// The grid's columns the text carries, in the order written.
constexpr std::array<int, 11> TextColumns = {FrequencyColumn, ModeColumn, StepColumn, CarrierColumn,
                                             SubtoneColumn,   TsqColumn,  DcsColumn,  ShiftColumn,
                                             ShiftFreqColumn, SkipColumn, NameColumn};

// ---- Bytes ----------------------------------------------------------------------------------

void WriteChannel(QDataStream& out, const ChannelSlot& channel) {
  out << channel.used << channel.frequency << channel.offset << static_cast<quint8>(channel.mode)
      << channel.step << channel.carrier << static_cast<quint8>(channel.subtone) << channel.txTone
      << channel.rxTone << channel.dcs << static_cast<quint8>(channel.shift) << channel.skip;
  for (std::uint16_t code : channel.name.codes) out << code;
}

// Reads one row into `channel`; says why it is not a channel the receiver can hold.
std::optional<QString> ReadChannel(QDataStream& in, ChannelSlot& channel) {
  quint8 mode = 0;
  quint8 subtone = 0;
  quint8 shift = 0;
  in >> channel.used >> channel.frequency >> channel.offset >> mode >> channel.step >>
      channel.carrier >> subtone >> channel.txTone >> channel.rxTone >> channel.dcs >> shift >>
      channel.skip;
  for (std::uint16_t& code : channel.name.codes) in >> code;
  const auto modeValue = ModeOfCode(mode);
  const auto subtoneValue = SubtoneOfCode(subtone);
  const auto shiftValue = ShiftOfCode(shift);
  if (!modeValue || !subtoneValue || !shiftValue) {
    return QStringLiteral("mode %1, sub-tone %2 or shift %3 is not a code the receiver has")
        .arg(mode)
        .arg(subtone)
        .arg(shift);
  }
  channel.mode = *modeValue;
  channel.subtone = *subtoneValue;
  channel.shift = *shiftValue;
  return channel.used ? ChannelFault(channel) : std::nullopt;
}

// ---- Text -----------------------------------------------------------------------------------

// A cell as the grid shows it, kept on one line and in one cell.
QString CellText(const ChannelSlot& channel, int column) {
  QString text = ChannelCellText(channel, column).remove(QChar(u'\0'));
  for (QChar& c : text) {
    if (c == u'\t' || c == u'\r' || c == u'\n') c = u' ';
  }
  return text;
}

QString Caption(int column) {
  return Label(ColumnHeaders[static_cast<std::size_t>(column)]);
}

// The column of each cell of a line: by the captions of a header line, else in the order
// written. -1 for a cell of no column.
std::vector<int> ColumnsOfCells(const QStringList& firstLine, bool& header) {
  header = firstLine.contains(Caption(FrequencyColumn));
  if (!header) return {TextColumns.begin(), TextColumns.end()};
  std::vector<int> columns;
  for (const QString& cell : firstLine) {
    int column = -1;
    for (int c = FrequencyColumn; c < ColumnCount; ++c) {
      if (cell == Caption(c)) column = c;
    }
    columns.push_back(column);
  }
  return columns;
}

template <std::size_t N>
auto TableReader(const std::array<std::string_view, N>& table) {
  return [&table](QStringView cell) { return IndexOfLabel(table, cell); };
}

// The cells of one line by column; a column the line does not have is empty.
using Cells = std::array<QString, ColumnCount>;

// Reads a non-empty cell into `target`; the first cell that is not a value sets `fault`.
template <typename T, typename Read>
void ReadCell(const Cells& cells, int column, Read read, T& target, QString& fault) {
  const QString& cell = cells[static_cast<std::size_t>(column)];
  if (cell.trimmed().isEmpty()) return;
  if (const auto value = read(cell)) {
    target = static_cast<T>(*value);
  } else if (fault.isEmpty()) {
    fault = QStringLiteral("%1 \"%2\" is not one the receiver has").arg(Caption(column), cell);
  }
}

// The channel of a line's cells, or why they are not one; a replaced step or a cut name is
// noted.
Result<ChannelSlot> ChannelOfCells(const Cells& cells, FileNotes& notes, const QString& place) {
  ChannelSlot channel;
  channel.used = true;
  QString fault;
  ReadCell(cells, FrequencyColumn, ParseMegahertz, channel.frequency, fault);
  ReadCell(cells, ModeColumn, ModeOfLabel, channel.mode, fault);
  ReadCell(cells, StepColumn, TableReader(StepNames), channel.step, fault);
  ReadCell(cells, CarrierColumn, TableReader(CarrierNames), channel.carrier, fault);
  ReadCell(cells, SubtoneColumn, SubtoneOfLabel, channel.subtone, fault);
  ReadCell(cells, TxToneColumn, TableReader(ToneNames), channel.txTone, fault);
  ReadCell(cells, TsqColumn, TableReader(ToneNames), channel.rxTone, fault);
  ReadCell(cells, DcsColumn, DcsIndexOfNumber, channel.dcs, fault);
  ReadCell(cells, ShiftColumn, ShiftOfLabel, channel.shift, fault);
  ReadCell(cells, ShiftFreqColumn, ParseMegahertz, channel.offset, fault);
  ReadCell(cells, SkipColumn, SkipOfLabel, channel.skip, fault);
  if (!fault.isEmpty()) return Error{fault};
  const QString& name = cells[NameColumn];
  channel.name = NameFromText(name);
  if (name.toUcs4().size() > ChannelName::Length) {
    notes.push_back({place, QStringLiteral("name \"%1\" cut to 16 characters").arg(name)});
  }
  if (auto rangeFault = ChannelFault(channel)) return Error{*rangeFault};
  const int step = channel.step;
  channel.step = static_cast<std::uint8_t>(FittingStep(step, channel.frequency, channel.offset));
  if (channel.step != step) notes.push_back({place, StepRefitText(step, channel)});
  return channel;
}

// The row of one line: an empty row when it has no frequency.
std::optional<ChannelSlot> RowOfLine(const QStringList& line, const std::vector<int>& columns,
                                     FileNotes& notes, const QString& place) {
  Cells cells;
  for (std::size_t k = 0; k < columns.size() && k < static_cast<std::size_t>(line.size()); ++k) {
    if (columns[k] >= 0) cells[static_cast<std::size_t>(columns[k])] = line[k];
  }
  if (cells[FrequencyColumn].trimmed().isEmpty()) {
    ChannelSlot empty;
    empty.clear();
    return empty;
  }
  const Result<ChannelSlot> channel = ChannelOfCells(cells, notes, place);
  if (channel) return *channel;
  notes.push_back({place, channel.error() + QStringLiteral("; row not taken")});
  return std::nullopt;
}

bool IsSubRow(int slot) {
  return slot >= FirstDualWatchSlot && slot <= LastDualWatchSlot &&
         (slot - FirstDualWatchSlot) % 2 == 1;
}

}  // namespace

QByteArray EncodeClipboardBytes(const CloneImage& image, std::span<const int> selection) {
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out.setVersion(StreamVersion);
  out << Magic << Version << static_cast<quint32>(selection.size());
  for (int slot : selection) WriteChannel(out, image.slot(slot));
  return bytes;
}

QString EncodeClipboardText(const CloneImage& image, std::span<const int> selection) {
  QStringList cells;
  for (int column : TextColumns) cells << Caption(column);
  QString text = cells.join(u'\t') + u'\n';
  for (int slot : selection) {
    cells.clear();
    for (int column : TextColumns) cells << CellText(image.slot(slot), column);
    text += cells.join(u'\t') + u'\n';
  }
  return text;
}

Result<Noted<ClipboardRows>> DecodeClipboardBytes(const QByteArray& bytes) {
  QDataStream in(bytes);
  in.setVersion(StreamVersion);
  quint32 magic = 0;
  quint8 version = 0;
  quint32 count = 0;
  in >> magic >> version >> count;
  if (in.status() != QDataStream::Ok || magic != Magic || version != Version ||
      count > static_cast<quint32>(SlotCount)) {
    return Error{QStringLiteral("the clipboard does not hold channels of this program")};
  }
  Noted<ClipboardRows> rows;
  for (quint32 row = 1; row <= count; ++row) {
    ChannelSlot channel;
    const std::optional<QString> fault = ReadChannel(in, channel);
    if (fault) rows.notes.push_back({QStringLiteral("row %1").arg(row), *fault});
    rows.value.push_back(fault ? std::nullopt : std::optional(channel));
  }
  if (in.status() != QDataStream::Ok || !in.atEnd()) {
    return Error{QStringLiteral("the channels on the clipboard are damaged")};
  }
  return rows;
}

Noted<ClipboardRows> DecodeClipboardText(QStringView text) {
  QStringList lines = text.toString().split(u'\n');
  for (QString& line : lines) {
    if (line.endsWith(u'\r')) line.chop(1);
  }
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  Noted<ClipboardRows> rows;
  if (lines.isEmpty()) return rows;
  bool header = false;
  const std::vector<int> columns = ColumnsOfCells(lines.front().split(u'\t'), header);
  for (qsizetype k = header ? 1 : 0; k < lines.size(); ++k) {
    rows.value.push_back(RowOfLine(lines[k].split(u'\t'), columns, rows.notes,
                                   QStringLiteral("line %1").arg(k + 1)));
  }
  return rows;
}

Result<EditedSlots> PasteChannels(CloneImage& image, int start, const ClipboardRows& rows) {
  if (start < 1 || start > SlotCount)
    return Error{QStringLiteral("there is no slot %1").arg(start)};
  if (start >= FirstPresetSlot) {
    return Error{QStringLiteral("the preset channels are fixed; channels paste into slots 1-1700")};
  }
  if (IsSubRow(start)) {
    return Error{QStringLiteral("slot %1 is the SUB row of a dual-watch pair; a paste onto the "
                                "pair starts at its MAIN row, slot %2")
                     .arg(start)
                     .arg(start - 1)};
  }
  if (rows.empty()) return Error{QStringLiteral("the clipboard holds no channels")};
  EditedSlots edited;
  const int room = LastTransferredSlot - start + 1;
  for (int k = 0; k < static_cast<int>(rows.size()) && k < room; ++k) {
    const std::optional<ChannelSlot>& row = rows[static_cast<std::size_t>(k)];
    if (!row) continue;
    image.slot(start + k) = *row;
    edited.first = edited.first == 0 ? start + k : edited.first;
    edited.last = start + k;
    ++edited.channels;
  }
  if (static_cast<int>(rows.size()) > room) {
    edited.notes.push_back({QString(), QStringLiteral("rows past slot 1700 not taken: %1")
                                           .arg(static_cast<int>(rows.size()) - room)});
  }
  return edited;
}

}  // namespace rqm27
