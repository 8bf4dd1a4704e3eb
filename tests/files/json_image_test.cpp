#include "files/json_image.h"

#include "support/sample_image.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <tuple>

namespace rqm27 {
namespace {

using testing::SampleImage;

// The sample image's JSON with one value set (arrayName nullptr: in the top object; key
// nullptr: the array entry itself; an undefined value: the key removed).
QByteArray WithValue(const char* arrayName, int index, const char* key, const QJsonValue& value) {
  QJsonObject top = QJsonDocument::fromJson(WriteJsonImage(SampleImage())).object();
  if (arrayName == nullptr) {
    top[key] = value;
    return QJsonDocument(top).toJson();
  }
  QJsonArray array = top[arrayName].toArray();
  QJsonObject entry = array[index].toObject();
  if (QString(arrayName) == "oneTouch") entry = {{"set", true}, {"bank", 0}, {"channel", 0}};
  if (key != nullptr) value.isUndefined() ? entry.remove(key) : void(entry[key] = value);
  array[index] = key == nullptr ? value : QJsonValue(entry);
  top[arrayName] = array;
  return QJsonDocument(top).toJson();
}

// One bad value in a valid image, and the path the error must start with.
TEST(JsonImage, FirstBadValueIsNamedByItsPath) {
  const std::tuple<const char*, int, const char*, QJsonValue, const char*> cases[] = {
      {"channels", 3, "step", "7KHz", "channels[3].step: unknown step \"7KHz\""},
      {"channels", 0, "frequency", "4294.967296MHz", "channels[0].frequency"},
      {"channels", 0, "slot", 2, "channels[1].slot: slot 2 is listed twice"},
      {"channels", 0, "name", "ABCDEFGHIJKLMNOPQ", "channels[0].name"},
      {"channels", 0, "step", QJsonValue::Undefined, "channels[0]: missing \"step\""},
      {"channels", 0, "colour", "red", "channels[0].colour: unknown field"},
      {"banks", 7, nullptr, 70000, "banks[7]: 70000 is outside 0-65535"},
      {"oneTouch", 2, "bank", 11, "oneTouch[2].bank: bank 11 has no channels"},
      {"icons", 6, nullptr, "00", "icons[6]"},
      {nullptr, 0, "banks", QJsonArray{1, 2}, "banks: must have 50 entries"},
      {nullptr, 0, "comPort", 17, "comPort: 17 is outside 1-16"},
      {nullptr, 0, "comPort", 1e20, "comPort: 1e+20 is outside 1-16"},
      {"channels", 0, "frequency", "145.123456MHz", "channels[0].frequency: \"145.123456MHz\""},
      {"channels", 0, "frequency", "4000MHz", "channels[0]: frequency 4000.00000MHz is outside"},
      {"channels", 0, "frequency", "0.04MHz", "channels[0]: frequency 0.04000MHz is outside"},
      {"channels", 0, "shiftFreq", "1000MHz", "channels[0]: shift offset 1000.00000MHz"}};
  for (const auto& [arrayName, index, key, value, expected] : cases) {
    const auto read = ReadJsonImage(WithValue(arrayName, index, key, value));
    ASSERT_FALSE(read.ok()) << expected;
    EXPECT_TRUE(read.error().startsWith(QString::fromUtf8(expected)))
        << read.error().toStdString() << "\n  expected: " << expected;
  }
  EXPECT_FALSE(ReadJsonImage("{\"channels\": [").ok());
  EXPECT_FALSE(ReadJsonImage("[]").ok());
}

// Frequencies are read as the numbers they are, whatever their decimals.
TEST(JsonImage, FrequenciesAreReadAsNumbers) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"5.600MHz", 560000}, {"145MHz", 14500000}, {"145.5MHz", 14550000}, {"0.6", 60000}};
  for (const auto& [text, tens] : cases) {
    const auto read = ReadJsonImage(WithValue("channels", 0, "shiftFreq", text));
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    EXPECT_EQ(read->slot(1).offset, tens) << text;
  }
}

}  // namespace
}  // namespace rqm27
