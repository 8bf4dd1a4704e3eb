#include "support/sample_image.h"

#include "model/value_tables.h"

#include <QFile>

#include <gtest/gtest.h>

#include <random>

namespace rqm27::testing {

ChannelSlot SampleChannel(const QString& frequency, const QString& name) {
  ChannelSlot slot;
  slot.used = true;
  slot.setCell(FrequencyColumn, frequency);
  slot.setCell(ModeColumn, QStringLiteral("FM"));
  slot.setStep(0);
  slot.setCarrier(28);
  slot.setCell(SubtoneColumn, QStringLiteral("None"));
  slot.setTxTone(8);
  slot.setRxTone(8);
  slot.setDcs(0);
  slot.setCell(ShiftColumn, QStringLiteral("Off"));
  slot.setCell(ShiftFreqColumn, QStringLiteral("0.00000MHz"));
  slot.setCell(NameColumn, name);
  return slot;
}

CloneImage SampleImage() {
  CloneImage image = StartupImage();
  image.slot(1) = SampleChannel("145.00000MHz", "CALL");
  ChannelSlot& tsq = image.slot(2) = SampleChannel("433.50000MHz", QString::fromUtf8("日本語ﾃｽﾄ"));
  tsq.setCell(ModeColumn, "AM");
  tsq.setStep(4);
  tsq.setCell(SubtoneColumn, "TSQ");
  tsq.setRxTone(0);
  tsq.setTxTone(12);
  tsq.setCell(SkipColumn, "*");
  ChannelSlot& dcs = image.slot(150) = SampleChannel("1295.12500MHz", "DCS 754");
  dcs.setCell(ModeColumn, "WFM");
  dcs.setCell(SubtoneColumn, "DCS");
  dcs.setDcs(103);
  dcs.setCell(ShiftColumn, "-");
  dcs.setCell(ShiftFreqColumn, "5.00000MHz");
  ChannelSlot& train = image.slot(1200) = SampleChannel("0.10000MHz", "ABCDEFGHIJKLMNOP");
  train.setCell(ModeColumn, "CW");
  train.setCell(SubtoneColumn, "Train");
  train.setCarrier(5);
  train.setStep(18);
  image.slot(1201) = SampleChannel("118.00000MHz", "LOW EDGE");
  image.slot(1202) = SampleChannel("136.99000MHz", "HIGH EDGE");
  ChannelSlot& main = image.slot(1301) = SampleChannel("145.50000MHz", "MAIN");
  main.setCell(ModeColumn, "LSB");
  ChannelSlot& sub = image.slot(1302) = SampleChannel("435.00000MHz", "SUB");
  sub.setCell(ModeColumn, "USB");
  sub.setCell(ShiftColumn, "+");
  image.slot(1500) = SampleChannel("162.55000MHz", "LAST SUB");
  image.slot(1550) = SampleChannel("121.50000MHz", "PRIO");
  image.slot(1700) = SampleChannel("4000.00000MHz", "PASS");

  image.banks = BankTable::Defaults();
  image.banks.counts[11] = 0;
  image.banks.counts[20] = 50;
  image.banks.counts[49] = 50;
  image.oneTouch[0] = {true, 0, 5};
  image.oneTouch[3] = {true, 49, 49};
  image.oneTouch[8] = {true, 20, 0};
  image.title = NameFromText(QString::fromUtf8("ようこそ RQ"));
  image.settings.at(SettingsList::Display, 0) = 1;
  image.settings.at(SettingsList::Scan, 3) = 39;
  image.settings.at(SettingsList::Misc, 1) = 30;
  image.settings.at(SettingsList::Key, 6) = 40;
  image.settings.at(SettingsList::Display, 5) = 2;
  image.settings.at(SettingsList::Mem, 0) = 2;
  image.bankLinks[0][0] = 0x80;  // bank 0
  image.bankLinks[3][6] = 0x40;  // bank 49
  for (int row = 0; row < IconSize; ++row) {
    image.icons[0][row][row] = 1;
    image.icons[7][row][15 - row] = 1;
    image.icons[3][row][0] = 1;
  }
  return image;
}

QByteArray RandomMemory(unsigned seed) {
  std::mt19937 random(seed);
  QByteArray memory(131072, '\0');
  for (auto& b : memory) b = static_cast<char>(random() & 0xFF);
  return memory;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

}  // namespace rqm27::testing
