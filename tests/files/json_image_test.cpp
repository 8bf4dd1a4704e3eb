#include "files/json_image.h"

#include "support/sample_image.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <functional>

namespace rqm27 {
namespace {

using testing::SampleImage;

QJsonObject ToObject(const CloneImage& image) {
  return QJsonDocument::fromJson(WriteJsonImage(image)).object();
}

TEST(JsonImage, WritesEachUsedSlotAsTheGridShowsIt) {
  const QJsonObject top = ToObject(SampleImage());
  const QJsonArray channels = top["channels"].toArray();
  const QJsonObject first = channels.at(0).toObject();
  EXPECT_EQ(first["slot"].toInt(), 1);
  EXPECT_EQ(first["label"].toString(), "Bank00-000");
  EXPECT_EQ(first["frequency"].toString(), "145.00000MHz");
  EXPECT_EQ(first["carrier"].toString(), "Jp.Rail");
  EXPECT_EQ(first["name"].toString(), "CALL");
  EXPECT_FALSE(first.contains("nameCodes"));
  EXPECT_EQ(channels.at(1).toObject()["name"].toString(), QString::fromUtf8("日本語ﾃｽﾄ"));
  // 11 used sample slots and the 21 presets.
  EXPECT_EQ(channels.size(), 11 + 21);
  EXPECT_EQ(channels.last().toObject()["label"].toString(), "BUG - 20");
  EXPECT_EQ(top["banks"].toArray().size(), 50);
  EXPECT_EQ(top["oneTouch"].toArray().at(1).toObject(), QJsonObject({{"set", false}}));
  EXPECT_EQ(top["bankLinks"].toArray().at(10).toString(), "0000000000000080");
  EXPECT_EQ(top["settings"].toObject()["Setting_misc"].toArray().size(), 17);
  EXPECT_EQ(top["icons"].toArray().at(0).toString().size(), 64);
}

TEST(JsonImage, ReadingWhatWasWrittenGivesTheImageBack) {
  CloneImage image = SampleImage();
  image.comPort = 12;
  image.slot(9) = testing::SampleChannel("7.00000MHz", "");
  image.slot(9).name.codes = {0x4100, 0x0082, 0x41};  // not characters: kept as codes
  const auto read = ReadJsonImage(WriteJsonImage(image));
  ASSERT_TRUE(read.ok()) << read.error().toStdString();
  EXPECT_EQ(*read, image);
  EXPECT_TRUE(ToObject(image)["channels"].toArray().at(2).toObject().contains("nameCodes"));
}

// Each case edits a valid JSON image and names the path the error must start with.
TEST(JsonImage, FirstBadValueIsNamedByItsPath) {
  using Edit = std::function<void(QJsonObject&)>;
  auto channel = [](int i, const char* key, QJsonValue value) -> Edit {
    return [=](QJsonObject& top) {
      QJsonArray channels = top["channels"].toArray();
      QJsonObject c = channels[i].toObject();
      if (value.isUndefined()) {
        c.remove(key);
      } else {
        c[key] = value;
      }
      channels[i] = c;
      top["channels"] = channels;
    };
  };
  struct Case {
    Edit edit;
    const char* expected;
  };
  const Case cases[] = {
      {channel(3, "step", "7KHz"), "channels[3].step: unknown step \"7KHz\""},
      {channel(0, "mode", "XM"), "channels[0].mode: unknown mode"},
      {channel(1, "tsq", "88.4Hz"), "channels[1].tsq: unknown tone"},
      {channel(1, "dcs", "024"), "channels[1].dcs: unknown DCS code"},
      {channel(1, "carrier", "299Hz"), "channels[1].carrier"},
      {channel(2, "skip", "x"), "channels[2].skip"},
      {channel(2, "shift", ""), "channels[2].shift"},
      {channel(0, "frequency", "145.0"), "channels[0].frequency"},
      {channel(0, "frequency", "4294.967296MHz"), "channels[0].frequency"},
      {channel(0, "slot", 1722), "channels[0].slot: 1722 is outside 1-1721"},
      {channel(0, "slot", 2), "channels[1].slot: slot 2 is listed twice"},
      {channel(0, "name", "ABCDEFGHIJKLMNOPQ"), "channels[0].name"},
      {channel(0, "name", QString::fromUtf8("€")), "channels[0].name"},
      {channel(0, "nameCodes", "00ZZ"), "channels[0].nameCodes"},
      {channel(0, "step", QJsonValue(QJsonValue::Undefined)), "channels[0]: missing \"step\""},
      {channel(0, "colour", "red"), "channels[0].colour: unknown field"},
      {[](QJsonObject& top) {
         top["banks"] = QJsonArray{1, 2};
       },
       "banks: must have 50 entries"},
      {[](QJsonObject& top) {
         QJsonArray banks = top["banks"].toArray();
         banks[7] = 70000;
         top["banks"] = banks;
       },
       "banks[7]: 70000 is outside 0-65535"},
      {[](QJsonObject& top) {
         QJsonArray links = top["bankLinks"].toArray();
         links[4] = "00000000000000G0";
         top["bankLinks"] = links;
       },
       "bankLinks[4]"},
      {[](QJsonObject& top) {
         QJsonObject settings = top["settings"].toObject();
         QJsonArray scan = settings["Set_Mode_Scan"].toArray();
         scan[3] = 40;
         settings["Set_Mode_Scan"] = scan;
         top["settings"] = settings;
       },
       "settings.Set_Mode_Scan[3]: 40 is outside 0-39"},
      {[](QJsonObject& top) {
         QJsonArray touch = top["oneTouch"].toArray();
         touch[2] = QJsonObject{{"set", true}, {"bank", 11}, {"channel", 0}};
         top["oneTouch"] = touch;
       },
       "oneTouch[2].bank: bank 11 has no channels"},
      {[](QJsonObject& top) {
         QJsonArray touch = top["oneTouch"].toArray();
         touch[2] = QJsonObject{{"set", true}, {"bank", 0}, {"channel", 100}};
         top["oneTouch"] = touch;
       },
       "oneTouch[2].channel: 100 is outside 0-99"},
      {[](QJsonObject& top) {
         QJsonArray icons = top["icons"].toArray();
         icons[6] = "00";
         top["icons"] = icons;
       },
       "icons[6]"},
      {[](QJsonObject& top) { top["comPort"] = 17; }, "comPort: 17 is outside 1-16"},
      {[](QJsonObject& top) { top["title"] = 5; }, "title: must be a text"},
  };
  for (const Case& c : cases) {
    QJsonObject top = ToObject(SampleImage());
    c.edit(top);
    const auto read = ReadJsonImage(QJsonDocument(top).toJson());
    ASSERT_FALSE(read.ok()) << c.expected;
    EXPECT_TRUE(read.error().startsWith(QString::fromUtf8(c.expected)))
        << read.error().toStdString() << "\n  expected: " << c.expected;
  }
  EXPECT_FALSE(ReadJsonImage("{\"channels\": [").ok());
  EXPECT_FALSE(ReadJsonImage("[]").ok());
}

}  // namespace
}  // namespace rqm27
