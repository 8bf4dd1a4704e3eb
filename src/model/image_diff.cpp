#include "model/image_diff.h"

#include "model/channel_text.h"
#include "model/hex_text.h"
#include "model/row_labels.h"
#include "model/settings_texts.h"
#include "model/value_tables.h"

#include <QJsonObject>

#include <optional>
#include <utility>

namespace rqm27 {
namespace {

using ValuePair = std::pair<QString, QString>;

// A name or title in a line: quoted, so that an empty one and spaces show, with quotes,
// backslashes and control characters (a receiver's name can hold a line break) escaped.
QString Quoted(const QString& text) {
  QString quoted = QStringLiteral("\"");
  for (const QChar c : text) {
    if (c == u'"' || c == u'\\') {
      quoted += u'\\';
      quoted += c;
    } else if (c.unicode() < 0x20) {
      quoted += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'));
    } else {
      quoted += c;
    }
  }
  return quoted + u'"';
}

// A value in a line; an empty one (no skip mark) as "".
QString Shown(const QString& text) {
  return text.isEmpty() ? QStringLiteral("\"\"") : text;
}

QString NameCodesHex(const ChannelName& name) {
  QStringList codes;
  for (const std::uint16_t code : name.codes) codes << HexPad(code, 4);
  return codes.join(u' ');
}

// The texts of two names that differ; their codes when the texts are the same (codes that are
// not characters all show as U+FFFD).
std::optional<ValuePair> NameChange(const ChannelName& a, const ChannelName& b) {
  if (a == b) return std::nullopt;
  const QString before = NameToText(a);
  const QString after = NameToText(b);
  if (before != after) return ValuePair{before, after};
  return ValuePair{NameCodesHex(a), NameCodesHex(b)};
}

DiffEntry Changed(DiffArea area, int place, const QString& field, const ValuePair& values,
                  const QString& text) {
  return {area, DiffKind::Changed, place, field, values.first, values.second, text};
}

QString Arrow(const ValuePair& values) {
  return Shown(values.first) + QStringLiteral(" -> ") + Shown(values.second);
}

// The labels of the second image's bank table, else of the first's, else of the default table.
QStringList SlotLabels(const CloneImage& a, const CloneImage& b) {
  if (auto labels = ShowRowLabels(b.banks)) return *labels;
  if (auto labels = ShowRowLabels(a.banks)) return *labels;
  return *ShowRowLabels(BankTable::Defaults());
}

// The grid's header of a channel column; the hidden transmit-tone column is named as the detail
// dialog names it.
QString FieldName(int column) {
  return column == TxToneColumn ? QStringLiteral("Tx-Tone")
                                : Label(ColumnHeaders[static_cast<std::size_t>(column)]);
}

// An added or removed channel in a few words: "145.00000MHz FM "CALL"".
QString ChannelSummary(const ChannelSlot& channel) {
  QString summary =
      ChannelCellText(channel, FrequencyColumn) + u' ' + ChannelCellText(channel, ModeColumn);
  if (!channel.name.isEmpty()) summary += u' ' + Quoted(NameToText(channel.name));
  return summary;
}

void AddChannelFieldChanges(ImageDifferences& out, const ChannelSlot& a, const ChannelSlot& b,
                            int slot, const QString& where) {
  for (int column = FrequencyColumn; column < NameColumn; ++column) {
    const ValuePair values{ChannelCellText(a, column), ChannelCellText(b, column)};
    if (values.first == values.second) continue;
    const QString field = FieldName(column);
    out.push_back(
        Changed(DiffArea::Channel, slot, field, values, where + field + u' ' + Arrow(values)));
  }
  if (const auto names = NameChange(a.name, b.name)) {
    const QString field = FieldName(NameColumn);
    out.push_back(Changed(DiffArea::Channel, slot, field, *names,
                          where + field + u' ' + Quoted(names->first) + QStringLiteral(" -> ") +
                              Quoted(names->second)));
  }
}

// A channel used in one of the images only: "added 145.00000MHz FM "CALL"" or "removed ...".
DiffEntry UsedInOne(DiffKind kind, const ChannelSlot& channel, int slot, const QString& where) {
  const QString summary = ChannelSummary(channel);
  const bool added = kind == DiffKind::Added;
  DiffEntry entry;
  entry.kind = kind;
  entry.place = slot;
  (added ? entry.after : entry.before) = summary;
  entry.text = where + (added ? QStringLiteral("added ") : QStringLiteral("removed ")) + summary;
  return entry;
}

void AddChannelDifferences(ImageDifferences& out, const CloneImage& a, const CloneImage& b) {
  const QStringList labels = SlotLabels(a, b);
  for (int slot = 1; slot <= SlotCount; ++slot) {
    const ChannelSlot& before = a.slot(slot);
    const ChannelSlot& after = b.slot(slot);
    if (!before.used && !after.used) continue;
    const QString where =
        QStringLiteral("%1 (slot %2): ").arg(labels[slot - 1].trimmed()).arg(slot);
    if (before.used && after.used) {
      AddChannelFieldChanges(out, before, after, slot, where);
    } else {
      out.push_back(after.used ? UsedInOne(DiffKind::Added, after, slot, where)
                               : UsedInOne(DiffKind::Removed, before, slot, where));
    }
  }
}

QString BankName(int bank) {
  return QStringLiteral("Bank%1").arg(bank, 2, 10, QChar(u'0'));
}

void AddBankDifferences(ImageDifferences& out, const BankTable& a, const BankTable& b) {
  for (int bank = 0; bank < BankCount; ++bank) {
    if (a.counts[bank] == b.counts[bank]) continue;
    const ValuePair values{QString::number(a.counts[bank]), QString::number(b.counts[bank])};
    out.push_back(Changed(
        DiffArea::Bank, bank, {}, values,
        BankName(bank) + QStringLiteral(": ") + Arrow(values) + QStringLiteral(" channels")));
  }
}

QString OneTouchText(const OneTouchMemory& memory) {
  return memory.set
             ? BankName(memory.bank) + QStringLiteral("-%1").arg(memory.channel, 3, 10, QChar(u'0'))
             : QStringLiteral("not set");
}

void AddOneTouchDifferences(ImageDifferences& out, const OneTouchMemories& a,
                            const OneTouchMemories& b) {
  for (int i = 0; i < OneTouchCount; ++i) {
    if (a[i] == b[i]) continue;
    const ValuePair values{OneTouchText(a[i]), OneTouchText(b[i])};
    out.push_back(Changed(DiffArea::OneTouch, i, {}, values,
                          QStringLiteral("One-touch %1: ").arg(i) + Arrow(values)));
  }
}

void AddTitleDifference(ImageDifferences& out, const ChannelName& a, const ChannelName& b) {
  if (const auto titles = NameChange(a, b)) {
    out.push_back(Changed(DiffArea::Title, 0, {}, *titles,
                          QStringLiteral("Title: ") + Quoted(titles->first) +
                              QStringLiteral(" -> ") + Quoted(titles->second)));
  }
}

QString GroupName(int group) {
  return group == GroupCount - 1 ? QStringLiteral("GroupB") : QStringLiteral("Group%1").arg(group);
}

QString GroupRecordHex(const BankLinkGroup& record) {
  return BytesToHex(QByteArray(reinterpret_cast<const char*>(record.data()),
                               static_cast<qsizetype>(record.size())));
}

// The members of a group as the group window shows them: "banks 0, 3" or "no banks".
QString GroupMembersText(const BankLinkGroup& record) {
  const QString hex = GroupRecordHex(record);
  QStringList banks;
  for (int bank = 0; bank < BankCount; ++bank) {
    if (HexDigitValue(hex[BankNibbleIndex(bank) - 1]).value_or(0) & BankBitWeight(bank)) {
      banks << QString::number(bank);
    }
  }
  return banks.isEmpty() ? QStringLiteral("no banks") : QStringLiteral("banks ") + banks.join(", ");
}

// Groups whose members are the same differ in the bits after the banks: they show as records.
void AddGroupDifferences(ImageDifferences& out, const BankLinks& a, const BankLinks& b) {
  for (int group = 0; group < GroupCount; ++group) {
    if (a[group] == b[group]) continue;
    ValuePair values{GroupMembersText(a[group]), GroupMembersText(b[group])};
    if (values.first == values.second)
      values = {GroupRecordHex(a[group]), GroupRecordHex(b[group])};
    out.push_back(Changed(DiffArea::BankLink, group, {}, values,
                          GroupName(group) + QStringLiteral(": ") + Arrow(values)));
  }
}

QString ChoiceText(SettingsList list, int index, int selection) {
  const QStringList choices = SettingsChoices(list, index, Language::English);
  return selection >= 0 && selection < choices.size() ? choices[selection].trimmed()
                                                      : QString::number(selection);
}

void AddSettingDifferences(ImageDifferences& out, const SettingsSelections& a,
                           const SettingsSelections& b) {
  for (int array = 0; array < SettingsListCount; ++array) {
    const auto list = static_cast<SettingsList>(array);
    const QString arrayName = Label(SettingsListNames[static_cast<std::size_t>(array)]);
    for (int index = 0; index < SettingsListSizes[static_cast<std::size_t>(array)]; ++index) {
      if (a.at(list, index) == b.at(list, index)) continue;
      const QString caption = SettingsCaption(list, index, Language::English);
      const ValuePair values{ChoiceText(list, index, a.at(list, index)),
                             ChoiceText(list, index, b.at(list, index))};
      out.push_back(Changed(
          DiffArea::Setting, array * MaxListsInArray + index, caption, values,
          arrayName + QStringLiteral(", ") + caption + QStringLiteral(": ") + Arrow(values)));
    }
  }
}

int DifferentPixels(const IconGlyph& a, const IconGlyph& b) {
  int count = 0;
  for (int row = 0; row < IconSize; ++row) {
    for (int column = 0; column < IconSize; ++column) count += a[row][column] != b[row][column];
  }
  return count;
}

void AddIconDifferences(ImageDifferences& out, const IconPixels& a, const IconPixels& b) {
  for (int icon = 0; icon < IconCount; ++icon) {
    if (const int pixels = DifferentPixels(a[icon], b[icon])) {
      DiffEntry entry;
      entry.area = DiffArea::Icon;
      entry.place = icon;
      entry.text = QStringLiteral("Icon %1: %2 pixels differ").arg(icon).arg(pixels);
      out.push_back(entry);
    }
  }
}

QString AreaName(DiffArea area) {
  switch (area) {
    case DiffArea::Channel:
      return QStringLiteral("channel");
    case DiffArea::Bank:
      return QStringLiteral("bank");
    case DiffArea::OneTouch:
      return QStringLiteral("oneTouch");
    case DiffArea::Title:
      return QStringLiteral("title");
    case DiffArea::BankLink:
      return QStringLiteral("bankLink");
    case DiffArea::Setting:
      return QStringLiteral("setting");
    case DiffArea::Icon:
      return QStringLiteral("icon");
  }
  return {};
}

QString KindName(DiffKind kind) {
  switch (kind) {
    case DiffKind::Added:
      return QStringLiteral("added");
    case DiffKind::Removed:
      return QStringLiteral("removed");
    case DiffKind::Changed:
      return QStringLiteral("changed");
  }
  return {};
}

}  // namespace

ImageDifferences ImageDiff(const CloneImage& a, const CloneImage& b) {
  ImageDifferences out;
  AddChannelDifferences(out, a, b);
  AddBankDifferences(out, a.banks, b.banks);
  AddOneTouchDifferences(out, a.oneTouch, b.oneTouch);
  AddTitleDifference(out, a.title, b.title);
  AddGroupDifferences(out, a.bankLinks, b.bankLinks);
  AddSettingDifferences(out, a.settings, b.settings);
  AddIconDifferences(out, a.icons, b.icons);
  return out;
}

QJsonArray ImageDiffJson(const ImageDifferences& differences) {
  QJsonArray array;
  for (const DiffEntry& entry : differences) {
    QJsonObject object{{"area", AreaName(entry.area)},
                       {"kind", KindName(entry.kind)},
                       {"place", entry.place},
                       {"text", entry.text}};
    if (!entry.field.isEmpty()) object.insert("field", entry.field);
    if (entry.area != DiffArea::Icon && entry.kind != DiffKind::Added) {
      object.insert("old", entry.before);
    }
    if (entry.area != DiffArea::Icon && entry.kind != DiffKind::Removed) {
      object.insert("new", entry.after);
    }
    array.append(object);
  }
  return array;
}

}  // namespace rqm27
