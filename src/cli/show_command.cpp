// rqm27-cli show FILE [--json]: a readable summary of an image file.
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/image_streams.h"
#include "cli/show_json.h"

#include "codec/bank_links_area.h"
#include "model/channel_text.h"
#include "model/row_labels.h"
#include "model/settings_texts.h"
#include "model/value_tables.h"

#include <QJsonDocument>
#include <QTextStream>

namespace rqm27::cli {

namespace {

constexpr CommandHelp kHelp = {
    "show", "FILE",
    "Print a readable summary of an image file (- for standard input, with --from): the\n"
    "used channels, the banks, the one-touch memories, the title, the groups, the settings\n"
    "and the icons. --json prints the same as one JSON object.",
    "rqm27-cli show image.M27 --json | jq '.channels[0]'"};

// Columns of the channel table: header, grid column, width.
struct TableColumn {
  const char* header;
  int column;
  int width;
};
constexpr TableColumn kChannelColumns[] = {
    {"Frequency", FrequencyColumn, 14},
    {"Mode", ModeColumn, 5},
    {"Step", StepColumn, 8},
    {"Carrier", CarrierColumn, 8},
    {"Subtone", SubtoneColumn, 8},
    {"TSQ", TsqColumn, 8},
    {"DCS", DcsColumn, 4},
    {"Shift", ShiftColumn, 6},
    {"Shift-Freq", ShiftFreqColumn, 12},
    {"Skip", SkipColumn, 5},
    {"Name", NameColumn, 0},
};

QString Cell(const QString& text, int width) {
  QString shown = text;
  shown.remove(QChar(u'\0'));
  return width > 0 ? shown.leftJustified(width) : shown;
}

void PrintChannels(QTextStream& out, const CloneImage& image, const QStringList& labels) {
  const int used = UsedChannelCount(image, 1, SlotCount);
  out << "Channels (" << used << " used)\n";
  out << Cell("Slot", 6) << Cell("Label", 14);
  for (const TableColumn& c : kChannelColumns) out << Cell(QString::fromLatin1(c.header), c.width);
  out << "\n";
  for (int s = 1; s <= SlotCount; ++s) {
    const ChannelSlot& slot = image.slot(s);
    if (!slot.used) continue;
    out << Cell(QString::number(s), 6) << Cell(labels[s - 1], 14);
    for (const TableColumn& c : kChannelColumns)
      out << Cell(ChannelCellText(slot, c.column), c.width);
    out << "\n";
  }
}

void PrintBanks(QTextStream& out, const BankTable& banks) {
  out << "\nBanks (total " << banks.total()
      << (banks.consistent() ? "" : ", not 1200: the table is inconsistent") << ")\n";
  for (int b = 0; b < BankCount; ++b) {
    out << QStringLiteral("  Bank%1 %2").arg(b, 2, 10, QChar(u'0')).arg(banks.counts[b], 4);
    if (b % 5 == 4) out << "\n";
  }
}

void PrintOneTouch(QTextStream& out, const OneTouchMemories& memories) {
  out << "\nOne-touch memories\n";
  for (int i = 0; i < OneTouchCount; ++i) {
    const OneTouchMemory& m = memories[i];
    out << "  " << i << ": "
        << (m.set ? QStringLiteral("Bank%1-%2")
                        .arg(m.bank, 2, 10, QChar(u'0'))
                        .arg(m.channel, 3, 10, QChar(u'0'))
                  : QStringLiteral("not set"))
        << "\n";
  }
}

void PrintGroups(QTextStream& out, const BankLinks& links) {
  out << "\nBank-link groups\n";
  for (int g = 0; g < GroupCount; ++g) {
    QStringList banks;
    for (int b = 0; b < BankCount; ++b) {
      if (IsGroupMember(links[g], b)) banks << QString::number(b);
    }
    out << "  "
        << (g < GroupCount - 1 ? QStringLiteral("Group%1").arg(g) : QStringLiteral("GroupB"))
        << ": " << (banks.isEmpty() ? QStringLiteral("no banks") : "banks " + banks.join(", "))
        << "\n";
  }
}

void PrintSettings(QTextStream& out, const SettingsSelections& settings) {
  out << "\nSettings\n";
  for (int list = 0; list < SettingsListCount; ++list) {
    const QString section = list < SectionCount ? SectionCaption(list, Language::English)
                                                : QStringLiteral("<OPERATING STATE>");
    out << "  " << QString(section).replace("&&", "&") << "\n";
    for (int i = 0; i < SettingsListSizes[list]; ++i) {
      const auto array = static_cast<SettingsList>(list);
      const QStringList choices = SettingsChoices(array, i, Language::English);
      const int index = settings.index[list][i];
      const QString choice =
          index >= 0 && index < choices.size() ? choices[index].trimmed() : QString::number(index);
      out << "    " << Cell(SettingsCaption(array, i, Language::English), 24) << choice << "\n";
    }
  }
}

void PrintIcons(QTextStream& out, const IconPixels& icons) {
  out << "\nIcons\n";
  for (int n = 0; n < IconCount; ++n) {
    int set = 0;
    for (const auto& row : icons[n]) {
      for (auto pixel : row) set += pixel ? 1 : 0;
    }
    out << "  " << n << ": " << (set ? QStringLiteral("%1 pixels set").arg(set) : "empty") << "\n";
  }
}

}  // namespace

int Show(const QStringList& args) {
  QCommandLineParser parser;
  parser.addOption({"json", "Print the summary as JSON."});
  parser.addOption(FromOption());
  parser.addPositionalArgument("FILE", "The image; - for standard input.");
  if (const auto stop = ParseCommand(parser, kHelp, args, 1)) return *stop;
  const auto from = FormatOption(parser, "from");
  if (!from) return FailUsage("show", from.error());
  const QString path = parser.positionalArguments().first();
  if (const auto usage = RequireStreamFormat("show", path, *from, "--from")) return *usage;
  const auto loaded = LoadImage(path, *from);
  if (!loaded) return Fail(loaded.error());
  PrintNotes(path, loaded->notes);
  const CloneImage& image = loaded->value;
  const QStringList labels =
      ShowRowLabels(image.banks).value_or(*ShowRowLabels(BankTable::Defaults()));
  if (parser.isSet("json")) {
    QTextStream(stdout) << QJsonDocument(ImageSummaryJson(image, labels)).toJson();
    return Success;
  }
  QTextStream out(stdout);
  PrintChannels(out, image, labels);
  PrintBanks(out, image.banks);
  PrintOneTouch(out, image.oneTouch);
  out << "\nTitle: " << Cell(NameToText(image.title), 0) << "\n";
  PrintGroups(out, image.bankLinks);
  PrintSettings(out, image.settings);
  PrintIcons(out, image.icons);
  out << "\nSerial port: COM" << image.comPort << "\n";
  return Success;
}

}  // namespace rqm27::cli
