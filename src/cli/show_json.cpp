#include "cli/show_json.h"

#include "codec/bank_links_area.h"
#include "model/channel_text.h"
#include "model/settings_texts.h"
#include "model/value_tables.h"

#include <QJsonArray>

namespace rqm27::cli {

namespace {

// The JSON key of each channel field and its grid column.
struct ChannelField {
  const char* key;
  int column;
};
constexpr ChannelField kChannelFields[] = {
    {"frequency", FrequencyColumn},
    {"mode", ModeColumn},
    {"step", StepColumn},
    {"carrier", CarrierColumn},
    {"subtone", SubtoneColumn},
    {"tsq", TsqColumn},
    {"dcs", DcsColumn},
    {"shift", ShiftColumn},
    {"shiftFrequency", ShiftFreqColumn},
    {"skip", SkipColumn},
    {"name", NameColumn},
};

QString Clean(QString text) {
  return text.remove(QChar(u'\0'));
}

QJsonArray Channels(const CloneImage& image, const QStringList& labels) {
  QJsonArray channels;
  for (int s = 1; s <= SlotCount; ++s) {
    const ChannelSlot& slot = image.slot(s);
    if (!slot.used) continue;
    QJsonObject channel{{"slot", s}, {"label", labels[s - 1]}};
    for (const ChannelField& f : kChannelFields) {
      channel.insert(QLatin1StringView(f.key), Clean(ChannelCellText(slot, f.column)));
    }
    channels.append(channel);
  }
  return channels;
}

QJsonArray OneTouch(const OneTouchMemories& memories) {
  QJsonArray list;
  for (const OneTouchMemory& m : memories) {
    list.append(m.set ? QJsonValue(QJsonObject{{"bank", m.bank}, {"channel", m.channel}})
                      : QJsonValue());
  }
  return list;
}

QJsonArray Groups(const BankLinks& links) {
  QJsonArray groups;
  for (int g = 0; g < GroupCount; ++g) {
    QJsonArray banks;
    for (int b = 0; b < BankCount; ++b) {
      if (IsGroupMember(links[g], b)) banks.append(b);
    }
    groups.append(banks);
  }
  return groups;
}

QJsonArray Settings(const SettingsSelections& settings) {
  QJsonArray list;
  for (int array = 0; array < SettingsListCount; ++array) {
    for (int i = 0; i < SettingsListSizes[array]; ++i) {
      const auto kind = static_cast<SettingsList>(array);
      const QStringList choices = SettingsChoices(kind, i, Language::English);
      const int index = settings.index[array][i];
      list.append(QJsonObject{
          {"caption", SettingsCaption(kind, i, Language::English)},
          {"index", index},
          {"value", index >= 0 && index < choices.size() ? choices[index].trimmed() : QString()},
      });
    }
  }
  return list;
}

QJsonArray IconPixelCounts(const IconPixels& icons) {
  QJsonArray counts;
  for (const auto& icon : icons) {
    int set = 0;
    for (const auto& row : icon) {
      for (auto pixel : row) set += pixel ? 1 : 0;
    }
    counts.append(set);
  }
  return counts;
}

}  // namespace

QJsonObject ImageSummaryJson(const CloneImage& image, const QStringList& rowLabels) {
  QJsonArray banks;
  for (int count : image.banks.counts) banks.append(count);
  return QJsonObject{
      {"channels", Channels(image, rowLabels)},
      {"banks", banks},
      {"bankTotal", image.banks.total()},
      {"oneTouch", OneTouch(image.oneTouch)},
      {"title", Clean(NameToText(image.title))},
      {"groups", Groups(image.bankLinks)},
      {"settings", Settings(image.settings)},
      {"iconPixels", IconPixelCounts(image.icons)},
      {"serialPort", QStringLiteral("COM%1").arg(image.comPort)},
  };
}

}  // namespace rqm27::cli
