#include "codec/memory_image.h"

#include "codec/channel_record.h"
#include "support/sample_image.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

using testing::RandomMemory;
using testing::SampleImage;

TEST(MemoryImage, WrongSizeOrBadRecordFails) {
  for (int size : {0, 131071, 131073}) {
    const auto decoded = DecodeMemoryImage(QByteArray(size, '\0'));
    ASSERT_FALSE(decoded.ok()) << size;
    EXPECT_TRUE(decoded.error().contains(QString::number(size))) << decoded.error().toStdString();
    EXPECT_FALSE(EncodeMemoryImage(StartupImage(), QByteArray(size, '\0')).ok());
  }
  auto memory = EncodeMemoryImage(SampleImage(), QByteArray(MemoryImageSize, '\0'));
  ASSERT_TRUE(memory.ok());
  (*memory)[ChannelAddress(1302) + 15] = 40;  // carrier outside its table
  const auto decoded = DecodeMemoryImage(*memory);
  ASSERT_FALSE(decoded.ok());
  EXPECT_TRUE(decoded.error().contains("slot 1302")) << decoded.error().toStdString();
  EXPECT_TRUE(decoded.error().contains("carrier")) << decoded.error().toStdString();
}

TEST(MemoryImage, FullWriteClearsTheChannelAreaAndWritesUsedSlotsAtTheirAddresses) {
  const QByteArray base = RandomMemory(7);
  const CloneImage image = SampleImage();
  const auto memory = EncodeMemoryImage(image, base);
  ASSERT_TRUE(memory.ok()) << memory.error().toStdString();
  ASSERT_EQ(memory->size(), MemoryImageSize);
  QByteArray expectedChannels(ChannelAreaEnd - ChannelAreaStart, '\0');
  for (int slot = 1; slot <= 1700; ++slot) {
    if (!image.slot(slot).used) continue;
    const auto record = EncodeChannelRecord(image.slot(slot), slot, true);
    ASSERT_TRUE(record.ok() && record->has_value());
    expectedChannels.replace(ChannelAddress(slot) - ChannelAreaStart, 64, **record);
  }
  EXPECT_EQ(memory->mid(ChannelAreaStart, ChannelAreaEnd - ChannelAreaStart), expectedChannels);
  // Dual-watch SUB of pair 0 lies at position 1401, not next to its MAIN.
  EXPECT_EQ(memory->at(0x17000), 2);
  EXPECT_EQ(memory->mid(0x15740, 64), QByteArray(64, '\0'));
  // Never written: the presets' records, the memory-protect byte, the gaps between areas.
  EXPECT_EQ(memory->mid(ChannelAreaEnd), base.mid(ChannelAreaEnd));
  EXPECT_EQ(memory->mid(0x158, 0x180 - 0x158), base.mid(0x158, 0x180 - 0x158));
  EXPECT_EQ(memory->mid(0x280, 0x1000 - 0x280), base.mid(0x280, 0x1000 - 0x280));
  EXPECT_EQ(memory->mid(0xC0, 0x40), base.mid(0xC0, 0x40));
}

}  // namespace
}  // namespace rqm27
