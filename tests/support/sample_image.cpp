#include "support/sample_image.h"

#include "codec/memory_image.h"
#include "codec/title_block.h"
#include "model/channel_text.h"
#include "model/value_tables.h"

#include <QFile>

#include <gtest/gtest.h>

#include <random>

namespace rqm27 {

void PrintTo(const ChannelSlot& slot, std::ostream* out) {
  *out << (slot.used ? "used" : "unused");
  for (int column = FrequencyColumn; column <= NameColumn; ++column) {
    ChannelSlot shown = slot;
    shown.used = true;
    *out << " | " << ChannelCellText(shown, column).toStdString();
  }
}

}  // namespace rqm27

namespace rqm27::testing {

ChannelSlot SampleChannel(std::int32_t frequency, const QString& name) {
  ChannelSlot slot;
  slot.used = true;
  slot.frequency = frequency;
  slot.name = NameFromText(name);
  return slot;
}

CloneImage SampleImage() {
  CloneImage image = StartupImage();
  image.slot(1) = SampleChannel(14500000, "CALL");
  ChannelSlot& tsq = image.slot(2) = SampleChannel(43350000, QString::fromUtf8("日本語ﾃｽﾄ"));
  tsq.mode = ChannelMode::AM;
  tsq.step = 4;
  tsq.subtone = SubtoneType::Tsq;
  tsq.rxTone = 0;
  tsq.txTone = 12;
  tsq.skip = true;
  ChannelSlot& dcs = image.slot(150) = SampleChannel(129512500, "DCS 754");
  dcs.mode = ChannelMode::WFM;
  dcs.subtone = SubtoneType::Dcs;
  dcs.dcs = 103;
  dcs.shift = ShiftDirection::Minus;
  dcs.offset = 500000;
  ChannelSlot& train = image.slot(1200) = SampleChannel(10000, "ABCDEFGHIJKLMNOP");
  train.mode = ChannelMode::CW;
  train.subtone = SubtoneType::Train;
  train.carrier = 5;
  train.step = 18;
  image.slot(1201) = SampleChannel(11800000, "LOW EDGE");
  image.slot(1202) = SampleChannel(13699000, "HIGH EDGE");
  ChannelSlot& main = image.slot(1301) = SampleChannel(14550000, "MAIN");
  main.mode = ChannelMode::LSB;
  ChannelSlot& sub = image.slot(1302) = SampleChannel(43500000, "SUB");
  sub.mode = ChannelMode::USB;
  sub.shift = ShiftDirection::Plus;
  image.slot(1500) = SampleChannel(16255000, "LAST SUB");
  image.slot(1550) = SampleChannel(12150000, "PRIO");
  image.slot(1700) = SampleChannel(129999500, "PASS");

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

QByteArray SampleMemory(unsigned seed) {
  QByteArray memory = EncodeMemoryImage(SampleImage(), RandomMemory(seed)).value();
  memory[MemoryProtectAddress] = 1;  // the sample image says 2
  return memory;
}

int UsedChannels(const QByteArray& memory) {
  const auto image = DecodeMemoryImage(memory);
  if (!image.ok()) return -1;
  int used = 0;
  for (int slot = 1; slot <= LastTransferredSlot; ++slot) used += image->slot(slot).used ? 1 : 0;
  return used;
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
