#include "files/clone_file.h"

#include "files/text_lines.h"

#include "codec/bank_links_area.h"
#include "codec/icon_glyph.h"
#include "codec/one_touch_area.h"
#include "model/channel_rules.h"
#include "model/channel_text.h"
#include "model/code_page.h"
#include "model/lenient_number.h"
#include "model/settings_texts.h"
#include "model/value_tables.h"

#include <QStringList>

#include <algorithm>
#include <span>
#include <vector>

namespace rqm27 {
namespace {

// A fixed-position field: 1-based first character and width.
struct Field {
  int position;
  int width;
};

// The channel line, one entry a field; the writer pads to these widths, the reader cuts them.
namespace channel_field {
inline constexpr Field Slot{3, 4};
inline constexpr Field Frequency{7, 10};
inline constexpr Field Mode{17, 1};
inline constexpr Field Step{18, 2};
inline constexpr Field Carrier{20, 2};
inline constexpr Field Subtone{22, 1};
inline constexpr Field TxTone{23, 2};
inline constexpr Field RxTone{25, 2};
inline constexpr Field Dcs{27, 3};
inline constexpr Field Shift{30, 1};
inline constexpr Field ShiftFrequency{31, 9};
inline constexpr Field Skip{40, 1};
inline constexpr int NamePosition = 41;
}  // namespace channel_field

inline constexpr int MaxTextBytes = 32;
inline constexpr int MaxBankCount = MemoryChannelCount;
constexpr QStringView HeaderStart = u"Save Date and Time";
constexpr QStringView EndLine = u"File End";
inline constexpr int NotSetBank = 255;
inline constexpr int BankLineLength = 2 + 4 * BankCount;
inline constexpr int OneTouchLineMinLength = 13 + 3 * OneTouchCount;
inline constexpr int GroupLineLength = 5 + BankCount;
inline constexpr int FontLineLength = 5 + 2 * IconBytes;
inline constexpr int SettingsFieldWidth = 3;
inline constexpr int OneTouchFieldWidth = 3;
inline constexpr int BankFieldWidth = 4;

constexpr bool SettingsLinesMatchLists() {
  for (int k = 0; k < SettingsListCount; ++k) {
    if (static_cast<int>(SettingsLines[k].list) != k) return false;
    if (SettingsLines[k].entries != SettingsListSizes[k]) return false;
  }
  return true;
}
static_assert(SettingsLinesMatchLists());

// A non-negative number as decimal digits, "0"-padded to the width; never cut.
QString Digits(long long value, int width) {
  return QString::number(value).rightJustified(width, u'0');
}

QString Cut(const QString& line, Field field) {
  return line.mid(field.position - 1, field.width);
}

long long Number(const QString& line, Field field) {
  return LeadingInteger(Cut(line, field));
}

// A frequency without its unit, "0"-padded to the field: 0145.00000.
QString FrequencyDigits(std::int64_t tens, Field field) {
  return MegahertzText(tens).chopped(3).rightJustified(field.width, u'0');
}

// What a name or title becomes in a line: its text with every control character (a line break
// would split the line) written as a space. Says what changed, or nothing.
QString LineText(const ChannelName& name, const QString& what, FileNotes& notes,
                 const QString& place) {
  QString text = NameToText(name);
  bool control = false;
  for (QChar& c : text) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
      c = u' ';
      control = true;
    }
  }
  if (control) {
    notes.push_back(
        {place, QStringLiteral("%1 holds control characters; written as spaces").arg(what)});
  }
  NoteCodesWithoutText(name, what, place, notes);
  return text;
}

// ---- Writer -----------------------------------------------------------------------------

QString BankLine(const BankTable& banks) {
  QString line = QStringLiteral("BK");
  for (int count : banks.counts) line += Digits(count, BankFieldWidth);
  return line;
}

QString OneTouchBankLine(const OneTouchMemories& memories) {
  QString line = QStringLiteral("ONETOUCH_BANK");
  for (const OneTouchMemory& memory : memories) {
    line += Digits(memory.set ? memory.bank : NotSetBank, OneTouchFieldWidth);
  }
  return line;
}

QString OneTouchChannelLine(const OneTouchMemories& memories) {
  QString line = QStringLiteral("ONETOUCH_CHDA");
  for (const OneTouchMemory& memory : memories) line += Digits(memory.channel, OneTouchFieldWidth);
  return line;
}

QString GroupLine(int group, const BankLinkGroup& record, const BankTable& banks) {
  QString line = QStringLiteral("GRD") + Digits(group, 2);
  for (int b = 0; b < BankCount; ++b) {
    const bool member = banks.counts[b] > 0 && IsGroupMember(record, b);
    line += member ? u'1' : u'0';
  }
  return line;
}

QString EmptyBankLine(const BankTable& banks) {
  QString line = QStringLiteral("GRI");
  for (int count : banks.counts) line += count == 0 ? u'1' : u'0';
  return line;
}

QString SettingsLine(const SettingsLineLayout& layout, const SettingsSelections& settings) {
  QString line = Label(layout.tag);
  for (int j = 0; j < layout.entries; ++j) {
    line += Digits(settings.at(layout.list, j), SettingsFieldWidth);
  }
  return line;
}

QString FontLine(int icon, const IconGlyph& glyph) {
  return QStringLiteral("FONT") + QString::number(icon) + EncodeFontGlyph(glyph);
}

// ---- Reader -----------------------------------------------------------------------------

// The state of a read: the image being filled, what was noted, and where the reader is.
struct LineReader {
  CloneImage& image;
  FileNotes& notes;
  int lineNumber = 0;
  int slot = 0;  // the slot of the channel line being read; 0 on other lines

  void note(const QString& message) {
    const QString place = slot > 0 ? QStringLiteral("line %1, slot %2").arg(lineNumber).arg(slot)
                                   : QStringLiteral("line %1").arg(lineNumber);
    notes.push_back({place, message});
  }
};

// The value of a field that indexes a table of `count` entries.
Result<int> TableIndex(const QString& line, Field field, std::size_t count, const char* what) {
  const long long value = Number(line, field);
  if (value < 0 || value >= static_cast<long long>(count)) {
    return Error{
        QStringLiteral("%1 %2 is outside 0-%3").arg(QLatin1String(what)).arg(value).arg(count - 1)};
  }
  return static_cast<int>(value);
}

// A code field's value, or the fallback with a note when the code has no meaning.
template <typename T>
T CodeOr(std::optional<T> (*ofCode)(int), long long code, T fallback, QString (*label)(T),
         const char* what, LineReader& reader) {
  if (code >= 0 && code <= 0xFF) {
    if (const auto value = ofCode(static_cast<int>(code))) return *value;
  }
  reader.note(QStringLiteral("%1 code %2 is unknown; %3 taken")
                  .arg(QLatin1StringView(what))
                  .arg(code)
                  .arg(label(fallback)));
  return fallback;
}

// A name field: at most 32 bytes and 16 characters; a longer name leaves the line out.
std::optional<ChannelName> NameOfField(const QString& text, const char* what, LineReader& reader) {
  if (Cp932ByteLength(text) > MaxTextBytes || text.toUcs4().size() > ChannelName::Length) {
    reader.note(QStringLiteral("%1 \"%2\" is longer than the receiver holds (16 characters, 32 "
                               "bytes); left out")
                    .arg(QLatin1StringView(what), text));
    return std::nullopt;
  }
  return NameFromText(text);
}

Status ParseChannelLine(const QString& line, LineReader& reader) {
  namespace f = channel_field;
  if (line.size() < f::NamePosition - 1) {
    return Error{QStringLiteral("channel line of %1 characters, at least %2 expected")
                     .arg(line.size())
                     .arg(f::NamePosition - 1)};
  }
  const Result<int> index = TableIndex(line, f::Slot, SlotCount, "slot index");
  if (!index) return Error{index.error()};
  const Result<int> step = TableIndex(line, f::Step, StepNames.size(), "step index");
  if (!step) return Error{step.error()};
  const Result<int> carrier = TableIndex(line, f::Carrier, CarrierNames.size(), "carrier index");
  if (!carrier) return Error{carrier.error()};
  const Result<int> txTone = TableIndex(line, f::TxTone, ToneNames.size(), "tone index");
  if (!txTone) return Error{txTone.error()};
  const Result<int> rxTone = TableIndex(line, f::RxTone, ToneNames.size(), "TSQ tone index");
  if (!rxTone) return Error{rxTone.error()};
  const Result<int> dcs = TableIndex(line, f::Dcs, DcsNames.size(), "DCS index");
  if (!dcs) return Error{dcs.error()};
  reader.slot = *index + 1;

  const auto frequency = ParseMegahertz(Cut(line, f::Frequency));
  const auto offset = ParseMegahertz(Cut(line, f::ShiftFrequency));
  if (!frequency || !offset) {
    reader.note(QStringLiteral("\"%1\" is not a frequency; channel left out")
                    .arg(Cut(line, frequency ? f::ShiftFrequency : f::Frequency)));
    return Ok();
  }
  const auto name = NameOfField(line.mid(f::NamePosition - 1), "name", reader);
  if (!name) return Ok();

  ChannelSlot slot;
  slot.used = true;
  slot.frequency = *frequency;
  slot.offset = *offset;
  slot.mode = CodeOr(ModeOfCode, Number(line, f::Mode), ChannelMode::FM, ModeLabel, "mode", reader);
  slot.carrier = static_cast<std::uint8_t>(*carrier);
  slot.subtone = CodeOr(SubtoneOfCode, Number(line, f::Subtone), SubtoneType::None, SubtoneLabel,
                        "sub-tone", reader);
  slot.txTone = static_cast<std::uint8_t>(*txTone);
  slot.rxTone = static_cast<std::uint8_t>(*rxTone);
  slot.dcs = static_cast<std::uint8_t>(*dcs);
  slot.shift =
      CodeOr(ShiftOfCode, Number(line, f::Shift), ShiftDirection::Off, ShiftLabel, "shift", reader);
  slot.skip = Number(line, f::Skip) == 1;
  slot.name = *name;
  if (const auto fault = ChannelFault(slot)) {
    reader.note(*fault + QStringLiteral("; channel left out"));
    return Ok();
  }
  slot.step = static_cast<std::uint8_t>(FittingStep(*step, slot.frequency, slot.offset));
  if (slot.step != *step) reader.note(StepRefitText(*step, slot));
  reader.image.slot(*index + 1) = slot;
  return Ok();
}

Status ParseBankLine(const QString& line, LineReader& reader) {
  CloneImage& image = reader.image;
  for (int b = 0; b < BankCount; ++b) {
    const long long count = Number(line, Field{3 + BankFieldWidth * b, BankFieldWidth});
    if (count < 0 || count > MaxBankCount) {
      return Error{
          QStringLiteral("bank %1 count %2 is outside 0-%3").arg(b).arg(count).arg(MaxBankCount)};
    }
    image.banks.counts[b] = static_cast<int>(count);
  }
  return Ok();
}

Field OneTouchField(int memory) {
  return Field{14 + OneTouchFieldWidth * memory, OneTouchFieldWidth};
}

// A bank that no longer holds channels is replaced by the first that does, at its channel 0.
Status ParseOneTouchBankLine(const QString& line, LineReader& reader) {
  CloneImage& image = reader.image;
  const std::vector<int> offered = BanksWithChannels(image.banks);
  const int fallback = offered.empty() ? 0 : offered.front();
  for (int i = 0; i < OneTouchCount; ++i) {
    OneTouchMemory& memory = image.oneTouch[i];
    const long long bank = Number(line, OneTouchField(i));
    memory.set = bank != NotSetBank;
    if (memory.set && std::find(offered.begin(), offered.end(), bank) != offered.end()) {
      memory.bank = static_cast<int>(bank);
      if (memory.channel < 0 || memory.channel >= image.banks.counts[memory.bank]) {
        memory.channel = 0;
      }
    } else {
      memory.bank = fallback;
      memory.channel = 0;
    }
  }
  return Ok();
}

// A position is taken only when the memory's bank holds it.
Status ParseOneTouchChannelLine(const QString& line, LineReader& reader) {
  CloneImage& image = reader.image;
  for (int i = 0; i < OneTouchCount; ++i) {
    OneTouchMemory& memory = image.oneTouch[i];
    const long long channel = Number(line, OneTouchField(i));
    const bool inBank = memory.bank >= 0 && memory.bank < BankCount && channel >= 0 &&
                        channel < image.banks.counts[memory.bank];
    memory.channel = inBank ? static_cast<int>(channel) : 0;
  }
  return Ok();
}

// An empty title or one the receiver cannot hold keeps the title as it is.
Status ParseTitleLine(const QString& line, LineReader& reader) {
  CloneImage& image = reader.image;
  const QString title = line.mid(5);
  if (title.isEmpty()) return Ok();
  if (const auto name = NameOfField(title, "title", reader)) image.title = *name;
  return Ok();
}

Status ParseGroupLine(const QString& line, LineReader& reader) {
  CloneImage& image = reader.image;
  const long long group = Number(line, Field{4, 2});
  if (group < 0 || group >= GroupCount) {
    return Error{QStringLiteral("group number %1 is outside 0-%2").arg(group).arg(GroupCount - 1)};
  }
  // The bits after the 50 banks are the fixed tails, whatever the file held before.
  BankLinkGroup record = DefaultBankLinks()[static_cast<std::size_t>(group)];
  for (int b = 0; b < BankCount; ++b) {
    const QChar flag = line[5 + b];
    if (flag != u'0' && flag != u'1') {
      return Error{QStringLiteral("group %1 flag \"%2\" for bank %3 is not 0 or 1")
                       .arg(group)
                       .arg(flag)
                       .arg(b)};
    }
    SetGroupMember(record, b, flag == u'1');
  }
  image.bankLinks[static_cast<std::size_t>(group)] = record;
  return Ok();
}

// Settings lists 3 and 4 of the receiving array exclude each other; both on means both off.
void ApplyReceiveInterlock(SettingsSelections& settings) {
  int& first = settings.at(SettingsList::Recv, 3);
  int& second = settings.at(SettingsList::Recv, 4);
  if (first == 1 && second == 1) first = second = 0;
}

Status ParseSettingsLine(const QString& line, LineReader& reader) {
  CloneImage& image = reader.image;
  const long long k = Number(line, Field{3, 2});
  if (k < 0 || k >= SettingsListCount) return Ok();
  const SettingsLineLayout& layout = SettingsLines[static_cast<std::size_t>(k)];
  const QString arrayName = Label(SettingsListNames[static_cast<std::size_t>(k)]);
  const int needed = 4 + SettingsFieldWidth * layout.entries;
  if (line.size() < needed) {
    return Error{QStringLiteral("settings line of %1 characters, %2 expected for %3")
                     .arg(line.size())
                     .arg(needed)
                     .arg(arrayName)};
  }
  for (int j = 0; j < layout.entries; ++j) {
    const long long value = Number(line, Field{5 + SettingsFieldWidth * j, SettingsFieldWidth});
    const int choices = SettingsChoiceCount(layout.list, j);
    if (value < 0 || value >= choices) {
      return Error{QStringLiteral("%1 %2: selection %3 is outside 0-%4")
                       .arg(arrayName)
                       .arg(j)
                       .arg(value)
                       .arg(choices - 1)};
    }
    image.settings.at(layout.list, j) = static_cast<int>(value);
  }
  if (layout.list == SettingsList::Recv) ApplyReceiveInterlock(image.settings);
  return Ok();
}

Status ParseFontLine(const QString& line, LineReader& reader) {
  CloneImage& image = reader.image;
  const long long icon = Number(line, Field{5, 1});
  if (icon < 0 || icon >= IconCount) {
    return Error{QStringLiteral("icon number %1 is outside 0-%2").arg(icon).arg(IconCount - 1)};
  }
  const Result<IconGlyph> glyph = ExpandFontString(QStringView(line).mid(5));
  if (!glyph) return Error{QStringLiteral("icon %1: %2").arg(icon).arg(glyph.error())};
  image.icons[static_cast<std::size_t>(icon)] = *glyph;
  return Ok();
}

// Which lines the reader applies: the tag the line starts with, the length it must have and
// its parser. A line that matches no rule is skipped.
enum class Length { Any, Exactly, AtLeast };
struct LineRule {
  std::string_view tag;
  Length length;
  int characters;
  Status (*parse)(const QString&, LineReader&);
};

inline constexpr std::array<LineRule, 8> LineRules = {{
    {"CH", Length::Any, 0, ParseChannelLine},
    {"BK", Length::Exactly, BankLineLength, ParseBankLine},
    {"ONETOUCH_BANK", Length::AtLeast, OneTouchLineMinLength, ParseOneTouchBankLine},
    {"ONETOUCH_CHDA", Length::AtLeast, OneTouchLineMinLength, ParseOneTouchChannelLine},
    {"TI", Length::Any, 0, ParseTitleLine},
    {"GRD", Length::Exactly, GroupLineLength, ParseGroupLine},
    {"SD", Length::Any, 0, ParseSettingsLine},
    {"FONT", Length::Exactly, FontLineLength, ParseFontLine},
}};

const LineRule* RuleFor(const QString& line) {
  for (const LineRule& rule : LineRules) {
    if (!line.startsWith(Label(rule.tag))) continue;
    const bool lengthFits = rule.length == Length::Any ||
                            (rule.length == Length::Exactly && line.size() == rule.characters) ||
                            (rule.length == Length::AtLeast && line.size() >= rule.characters);
    return lengthFits ? &rule : nullptr;
  }
  return nullptr;
}

}  // namespace

QString FormatChannelLine(const ChannelSlot& slot, int slotNumber, FileNotes& notes) {
  namespace f = channel_field;
  QString line = QStringLiteral("CH");
  line += Digits(slotNumber - 1, f::Slot.width);
  line += FrequencyDigits(slot.frequency, f::Frequency);
  line += Digits(static_cast<int>(slot.mode), f::Mode.width);
  line += Digits(slot.step, f::Step.width);
  line += Digits(slot.carrier, f::Carrier.width);
  line += Digits(static_cast<int>(slot.subtone), f::Subtone.width);
  line += Digits(slot.txTone, f::TxTone.width);
  line += Digits(slot.rxTone, f::RxTone.width);
  line += Digits(slot.dcs, f::Dcs.width);
  line += Digits(static_cast<int>(slot.shift), f::Shift.width);
  line += FrequencyDigits(slot.offset, f::ShiftFrequency);
  line += slot.skip ? u'1' : u'0';
  line += LineText(slot.name, QStringLiteral("the name"), notes,
                   QStringLiteral("slot %1").arg(slotNumber));
  return line;
}

Result<Noted<QByteArray>> WriteCloneFile(const CloneImage& image, const QDateTime& now) {
  FileNotes notes;
  QStringList lines;
  lines << HeaderStart.toString() + u' ' + now.toString(u"yyyy/MM/dd HH:mm:ss");
  for (int s = 1; s <= SlotCount; ++s) {
    const ChannelSlot& slot = image.slot(s);
    if (!slot.used) continue;
    // A value wider than its field would shift every field after it.
    if (const auto fault = ChannelFault(slot)) {
      return Error{QStringLiteral("slot %1: %2; a clone file cannot hold it").arg(s).arg(*fault)};
    }
    lines << FormatChannelLine(slot, s, notes);
  }
  if (image.banks.total() == MemoryChannelCount) {
    lines << BankLine(image.banks) << OneTouchBankLine(image.oneTouch)
          << OneTouchChannelLine(image.oneTouch);
  }
  lines << QStringLiteral("TITLE") + LineText(image.title, QStringLiteral("the opening message"),
                                              notes, QStringLiteral("title"));
  for (int g = 0; g < GroupCount; ++g) {
    lines << GroupLine(g, image.bankLinks[static_cast<std::size_t>(g)], image.banks);
  }
  lines << EmptyBankLine(image.banks);
  for (const SettingsLineLayout& layout : SettingsLines) {
    lines << SettingsLine(layout, image.settings);
  }
  for (int i = 0; i < IconCount; ++i) {
    lines << FontLine(i, image.icons[static_cast<std::size_t>(i)]);
  }
  lines << QStringLiteral("COMPORT") + Digits(image.comPort, 2);
  lines << EndLine.toString();

  return Noted<QByteArray>{WriteTextLines(lines), std::move(notes)};
}

Result<Noted<CloneImage>> ReadCloneFile(const QByteArray& bytes, const CloneImage& current,
                                        const QString& fileName) {
  if (bytes.isEmpty()) {
    return Error{QStringLiteral("%1: the file is empty (no header line)").arg(fileName)};
  }
  const QStringList lines = ReadTextLines(bytes);
  if (!lines.first().startsWith(HeaderStart)) {
    return Error{QStringLiteral("%1: not a clone file: line 1 is not the header line "
                                "(\"%2 ...\")")
                     .arg(fileName, HeaderStart)};
  }
  const qsizetype end = lines.indexOf(EndLine.toString());
  if (end < 0) {
    return Error{QStringLiteral("%1: the file is cut short: its last line \"%2\" is missing")
                     .arg(fileName, EndLine)};
  }
  CloneImage image = current;
  FileNotes notes;
  ResetAllChannels(image);
  LineReader reader{image, notes};
  // Line 1 is the header and is not read; nothing after "File End" is.
  for (qsizetype i = 1; i < end; ++i) {
    const LineRule* rule = RuleFor(lines[i]);
    if (rule == nullptr) continue;
    reader.lineNumber = static_cast<int>(i + 1);
    reader.slot = 0;
    const Status applied = rule->parse(lines[i], reader);
    if (!applied) {
      return Error{QStringLiteral("%1 line %2: %3").arg(fileName).arg(i + 1).arg(applied.error())};
    }
  }
  return Noted<CloneImage>{std::move(image), std::move(notes)};
}

}  // namespace rqm27
