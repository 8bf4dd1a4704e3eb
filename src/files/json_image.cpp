#include "files/json_image.h"

#include "codec/bank_links_area.h"
#include "codec/icon_glyph.h"
#include "codec/name_codec.h"
#include "model/channel_rules.h"
#include "model/channel_text.h"
#include "model/code_page.h"
#include "model/hex_text.h"
#include "model/row_labels.h"
#include "model/settings_texts.h"
#include "model/value_tables.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <cmath>
#include <span>

namespace rqm27 {

namespace {

// Channel fields that are cell texts, in column order, with their JSON keys.
struct CellField {
  const char* key;
  int column;
};
constexpr std::array<CellField, 11> kCellFields = {{{"frequency", FrequencyColumn},
                                                    {"mode", ModeColumn},
                                                    {"step", StepColumn},
                                                    {"carrier", CarrierColumn},
                                                    {"subtone", SubtoneColumn},
                                                    {"txTone", TxToneColumn},
                                                    {"tsq", TsqColumn},
                                                    {"dcs", DcsColumn},
                                                    {"shift", ShiftColumn},
                                                    {"shiftFreq", ShiftFreqColumn},
                                                    {"skip", SkipColumn}}};

QString Key(const char* key) {
  return QString::fromLatin1(key);
}

QJsonArray GroupsToJson(const BankLinks& links) {
  QJsonArray array;
  for (const BankLinkGroup& record : links) array.append(GroupRecordHex(record));
  return array;
}

void PutName(QJsonObject& object, const char* textKey, const char* codesKey,
             const ChannelName& name) {
  object.insert(Key(textKey), NameToText(name));
  if (!NameSurvivesText(name)) object.insert(Key(codesKey), BytesToHex(EncodeName(name)));
}

QJsonObject ChannelToJson(const ChannelSlot& slot, int number, const QString& label) {
  QJsonObject object;
  object.insert("slot", number);
  object.insert("label", label);
  for (const CellField& field : kCellFields) {
    object.insert(Key(field.key), ChannelCellText(slot, field.column));
  }
  PutName(object, "name", "nameCodes", slot.name);
  return object;
}

QJsonObject SettingsToJson(const SettingsSelections& settings) {
  QJsonObject object;
  for (int list = 0; list < SettingsListCount; ++list) {
    QJsonArray values;
    for (int i = 0; i < SettingsListSizes[list]; ++i) values.append(settings.index[list][i]);
    object.insert(Label(SettingsListNames[list]), values);
  }
  return object;
}

// Reads one JSON document into an image, stopping at the first bad value.
class JsonImageReader {
 public:
  Result<CloneImage> read(const QByteArray& json) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
      return Error{QStringLiteral("not valid JSON at offset %1: %2")
                       .arg(parseError.offset)
                       .arg(parseError.errorString())};
    }
    if (!document.isObject()) return Error{QStringLiteral("the image must be a JSON object")};
    CloneImage image = StartupImage();
    readTop(document.object(), image);
    if (!error_.isEmpty()) return Error{error_};
    return image;
  }

 private:
  bool fail(const QString& path, const QString& message) {
    if (error_.isEmpty()) error_ = path + QStringLiteral(": ") + message;
    return false;
  }
  bool failed() const { return !error_.isEmpty(); }

  bool onlyKeys(const QJsonObject& object, const QString& path, std::span<const char* const> keys) {
    for (const QString& key : object.keys()) {
      bool known = false;
      for (const char* k : keys) known = known || key == QLatin1StringView(k);
      if (!known) return fail(path.isEmpty() ? key : path + "." + key, "unknown field");
    }
    return true;
  }

  std::optional<QJsonValue> member(const QJsonObject& object, const QString& path,
                                   const char* key) {
    const QJsonValue value = object.value(Key(key));
    if (value.isUndefined()) {
      fail(path, QStringLiteral("missing \"%1\"").arg(Key(key)));
      return std::nullopt;
    }
    return value;
  }

  std::optional<QString> text(const QJsonValue& value, const QString& path) {
    if (!value.isString()) {
      fail(path, "must be a text");
      return std::nullopt;
    }
    return value.toString();
  }

  std::optional<int> integer(const QJsonValue& value, const QString& path, int low, int high) {
    const double number = value.toDouble(-1.0e300);
    // Checked as a double first: converting a number beyond the integer range is undefined.
    if (!value.isDouble() || number != std::trunc(number)) {
      fail(path, "must be a whole number");
      return std::nullopt;
    }
    if (number < low || number > high) {
      fail(path, QStringLiteral("%1 is outside %2-%3").arg(number).arg(low).arg(high));
      return std::nullopt;
    }
    return static_cast<int>(number);
  }

  std::optional<QJsonArray> array(const QJsonValue& value, const QString& path, int size) {
    if (!value.isArray()) {
      fail(path, "must be an array");
      return std::nullopt;
    }
    const QJsonArray items = value.toArray();
    if (size >= 0 && items.size() != size) {
      fail(path, QStringLiteral("must have %1 entries, has %2").arg(size).arg(items.size()));
      return std::nullopt;
    }
    return items;
  }

  void readTop(const QJsonObject& top, CloneImage& image) {
    static constexpr const char* kKeys[] = {"channels", "banks",      "oneTouch",
                                            "title",    "titleCodes", "bankLinks",
                                            "settings", "icons",      "comPort"};
    if (!onlyKeys(top, QString(), kKeys)) return;
    if (top.contains("banks")) readBanks(top.value("banks"), image.banks);
    if (!failed() && top.contains("channels")) readChannels(top.value("channels"), image);
    if (!failed() && top.contains("oneTouch")) readOneTouch(top.value("oneTouch"), image);
    if (!failed() && top.contains("title"))
      readName(top, QString(), "title", "titleCodes", image.title);
    if (!failed() && top.contains("bankLinks")) readBankLinks(top.value("bankLinks"), image);
    if (!failed() && top.contains("settings")) readSettings(top.value("settings"), image.settings);
    if (!failed() && top.contains("icons")) readIcons(top.value("icons"), image);
    if (!failed() && top.contains("comPort")) {
      if (const auto port = integer(top.value("comPort"), "comPort", 1, 16)) image.comPort = *port;
    }
  }

  void readBanks(const QJsonValue& value, BankTable& banks) {
    const auto items = array(value, "banks", BankCount);
    for (int b = 0; items && b < BankCount && !failed(); ++b) {
      if (const auto count =
              integer(items->at(b), QStringLiteral("banks[%1]").arg(b), 0, MaxStoredBankCount)) {
        banks.counts[b] = *count;
      }
    }
  }

  void readChannels(const QJsonValue& value, CloneImage& image) {
    const auto items = array(value, "channels", -1);
    QSet<int> seen;
    for (qsizetype i = 0; items && i < items->size() && !failed(); ++i) {
      const QString path = QStringLiteral("channels[%1]").arg(i);
      if (!items->at(i).isObject()) {
        fail(path, "must be an object");
        return;
      }
      const QJsonObject object = items->at(i).toObject();
      const auto slot = member(object, path, "slot");
      if (!slot) return;
      const auto number = integer(*slot, path + ".slot", 1, SlotCount);
      if (!number) return;
      if (seen.contains(*number)) {
        fail(path + ".slot", QStringLiteral("slot %1 is listed twice").arg(*number));
        return;
      }
      seen.insert(*number);
      ChannelSlot channel;
      if (readChannel(object, path, channel)) image.slot(*number) = channel;
    }
  }

  bool readChannel(const QJsonObject& object, const QString& path, ChannelSlot& channel) {
    static constexpr const char* kKeys[] = {
        "slot", "label", "frequency", "mode",      "step", "carrier", "subtone",  "txTone",
        "tsq",  "dcs",   "shift",     "shiftFreq", "skip", "name",    "nameCodes"};
    if (!onlyKeys(object, path, kKeys)) return false;
    channel.used = true;
    for (const CellField& field : kCellFields) {
      const QString fieldPath = path + "." + Key(field.key);
      const auto value = member(object, path, field.key);
      if (!value) return false;
      const auto cell = text(*value, fieldPath);
      if (!cell || !readCell(*cell, field.column, fieldPath, channel)) return false;
    }
    if (const auto fault = ChannelFault(channel)) return fail(path, *fault);
    return readName(object, path, "name", "nameCodes", channel.name);
  }

  template <std::size_t N>
  bool lookUp(const std::array<std::string_view, N>& table, const QString& cell,
              const QString& path, const char* what, std::uint8_t& index) {
    const auto found = IndexOfLabel(table, cell);
    if (!found) return fail(path, QStringLiteral("unknown %1 \"%2\"").arg(Key(what), cell));
    index = static_cast<std::uint8_t>(*found);
    return true;
  }

  // A label read by `ofLabel`; an empty one, where allowed, keeps the channel's value.
  template <typename T>
  bool label(std::optional<T> (*ofLabel)(QStringView), const QString& cell, const QString& path,
             const char* what, bool emptyAllowed, T& value) {
    if (cell.isEmpty() && emptyAllowed) return true;
    const auto found = ofLabel(cell);
    if (!found) return fail(path, QStringLiteral("unknown %1 \"%2\"").arg(Key(what), cell));
    value = *found;
    return true;
  }

  bool megahertz(const QString& cell, const QString& path, std::int32_t& value) {
    const auto tens = ParseMegahertz(cell);
    if (!tens) {
      return fail(path, QStringLiteral("\"%1\" is not a frequency like 145.00000MHz (up to 4 "
                                       "digits, a point and up to 5 decimals)")
                            .arg(cell));
    }
    value = *tens;
    return true;
  }

  bool readCell(const QString& cell, int column, const QString& path, ChannelSlot& channel) {
    switch (column) {
      case FrequencyColumn:
        return megahertz(cell, path, channel.frequency);
      case ShiftFreqColumn:
        return megahertz(cell, path, channel.offset);
      case ModeColumn:
        // A record's unknown mode code was once written as an empty mode; it is stored as FM.
        return label(ModeOfLabel, cell, path, "mode", true, channel.mode);
      case SubtoneColumn:
        return label(SubtoneOfLabel, cell, path, "sub-tone", true, channel.subtone);
      case ShiftColumn:
        return label(ShiftOfLabel, cell, path, "shift", false, channel.shift);
      case SkipColumn:
        return label(SkipOfLabel, cell, path, "skip mark", false, channel.skip);
      case StepColumn:
        return lookUp(StepNames, cell, path, "step", channel.step);
      case CarrierColumn:
        return lookUp(CarrierNames, cell, path, "carrier", channel.carrier);
      case TxToneColumn:
        return lookUp(ToneNames, cell, path, "tone", channel.txTone);
      case TsqColumn:
        return lookUp(ToneNames, cell, path, "tone", channel.rxTone);
      case DcsColumn:
        return lookUp(DcsNames, cell, path, "DCS code", channel.dcs);
      default:
        return true;
    }
  }

  bool readName(const QJsonObject& object, const QString& path, const char* textKey,
                const char* codesKey, ChannelName& name) {
    const QString textPath = path.isEmpty() ? Key(textKey) : path + "." + Key(textKey);
    const auto value = member(object, path.isEmpty() ? Key(textKey) : path, textKey);
    if (!value) return false;
    const auto nameText = text(*value, textPath);
    if (!nameText) return false;
    if (object.contains(Key(codesKey))) {
      const QString codesPath = path.isEmpty() ? Key(codesKey) : path + "." + Key(codesKey);
      const auto codes = text(object.value(Key(codesKey)), codesPath);
      if (!codes) return false;
      const auto bytes = HexToBytes(*codes, codesPath, NameBytes);
      if (!bytes) return fail(codesPath, bytes.error().section(": ", 1));
      name = DecodeName(*bytes);
      return true;
    }
    const QString& withoutTrail = *nameText;
    if (withoutTrail.toUcs4().size() > ChannelName::Length) {
      return fail(textPath, QStringLiteral("\"%1\" has more than 16 characters").arg(withoutTrail));
    }
    for (char32_t c : withoutTrail.toUcs4()) {
      if (!CharToCp932(c)) {
        return fail(textPath, QStringLiteral("\"%1\" cannot be stored in the receiver's code page")
                                  .arg(QString::fromUcs4(&c, 1)));
      }
    }
    name = NameFromText(withoutTrail);
    return true;
  }

  void readOneTouch(const QJsonValue& value, CloneImage& image) {
    const auto items = array(value, "oneTouch", OneTouchCount);
    for (int i = 0; items && i < OneTouchCount && !failed(); ++i) {
      const QString path = QStringLiteral("oneTouch[%1]").arg(i);
      if (!items->at(i).isObject()) {
        fail(path, "must be an object");
        return;
      }
      const QJsonObject object = items->at(i).toObject();
      static constexpr const char* kKeys[] = {"set", "bank", "channel"};
      if (!onlyKeys(object, path, kKeys)) return;
      const auto set = member(object, path, "set");
      if (!set) return;
      if (!set->isBool()) {
        fail(path + ".set", "must be true or false");
        return;
      }
      OneTouchMemory memory;
      memory.set = set->toBool();
      if (memory.set) {
        const auto bankValue = member(object, path, "bank");
        const auto bank =
            bankValue ? integer(*bankValue, path + ".bank", 0, BankCount - 1) : std::nullopt;
        if (!bank) return;
        const int count = image.banks.counts[*bank];
        if (count == 0) {
          fail(path + ".bank", QStringLiteral("bank %1 has no channels").arg(*bank));
          return;
        }
        const auto channelValue = member(object, path, "channel");
        const auto channel =
            channelValue ? integer(*channelValue, path + ".channel", 0, count - 1) : std::nullopt;
        if (!channel) return;
        memory.bank = *bank;
        memory.channel = *channel;
      }
      image.oneTouch[i] = memory;
    }
  }

  void readBankLinks(const QJsonValue& value, CloneImage& image) {
    const auto items = array(value, "bankLinks", GroupCount);
    for (int g = 0; items && g < GroupCount && !failed(); ++g) {
      const QString path = QStringLiteral("bankLinks[%1]").arg(g);
      const auto hex = text(items->at(g), path);
      if (!hex) return;
      const auto record = GroupRecordFromHex(*hex, path);
      if (!record) {
        fail(path, record.error().section(": ", 1));
        return;
      }
      image.bankLinks[g] = *record;
    }
  }

  void readSettings(const QJsonValue& value, SettingsSelections& settings) {
    if (!value.isObject()) {
      fail("settings", "must be an object");
      return;
    }
    const QJsonObject object = value.toObject();
    for (const QString& key : object.keys()) {
      if (!IndexOfLabel(SettingsListNames, key)) {
        fail("settings." + key, "unknown list");
        return;
      }
    }
    for (int list = 0; list < SettingsListCount && !failed(); ++list) {
      const QString name = Label(SettingsListNames[list]);
      if (!object.contains(name)) continue;
      const QString path = "settings." + name;
      const auto items = array(object.value(name), path, SettingsListSizes[list]);
      for (int i = 0; items && i < SettingsListSizes[list] && !failed(); ++i) {
        const int choices = SettingsChoiceCount(static_cast<SettingsList>(list), i);
        const auto index =
            integer(items->at(i), QStringLiteral("%1[%2]").arg(path).arg(i), 0, choices - 1);
        if (index) settings.index[list][i] = *index;
      }
    }
  }

  void readIcons(const QJsonValue& value, CloneImage& image) {
    const auto items = array(value, "icons", IconCount);
    for (int n = 0; items && n < IconCount && !failed(); ++n) {
      const QString path = QStringLiteral("icons[%1]").arg(n);
      const auto hex = text(items->at(n), path);
      if (!hex) return;
      const auto bytes = HexToBytes(*hex, path, IconBytes);
      if (!bytes) {
        fail(path, bytes.error().section(": ", 1));
        return;
      }
      image.icons[n] = DecodeIconGlyph(*bytes);
    }
  }

  QString error_;
};

}  // namespace

QByteArray WriteJsonImage(const CloneImage& image) {
  const QStringList labels =
      ShowRowLabels(image.banks).value_or(*ShowRowLabels(BankTable::Defaults()));
  QJsonArray channels;
  for (int slot = 1; slot <= SlotCount; ++slot) {
    if (image.slot(slot).used)
      channels.append(ChannelToJson(image.slot(slot), slot, labels[slot - 1]));
  }
  QJsonArray banks;
  for (int count : image.banks.counts) banks.append(count);
  QJsonArray oneTouch;
  for (const OneTouchMemory& memory : image.oneTouch) {
    QJsonObject object{{"set", memory.set}};
    if (memory.set) {
      object.insert("bank", memory.bank);
      object.insert("channel", memory.channel);
    }
    oneTouch.append(object);
  }
  QJsonArray icons;
  for (const IconGlyph& glyph : image.icons) icons.append(EncodeFontGlyph(glyph));

  QJsonObject top;
  top.insert("channels", channels);
  top.insert("banks", banks);
  top.insert("oneTouch", oneTouch);
  PutName(top, "title", "titleCodes", image.title);
  top.insert("bankLinks", GroupsToJson(image.bankLinks));
  top.insert("settings", SettingsToJson(image.settings));
  top.insert("icons", icons);
  top.insert("comPort", image.comPort);
  return QJsonDocument(top).toJson(QJsonDocument::Indented);
}

Result<CloneImage> ReadJsonImage(const QByteArray& json) {
  return JsonImageReader().read(json);
}

}  // namespace rqm27
