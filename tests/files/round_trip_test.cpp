// Every writer's file, read back, gives the image written, as far as the format keeps it; what
// it cannot keep is said, never changed silently. Run over random images of everything the
// program can hold: names with every kind of code a receiver can store, banks up to 1200,
// offsets up to the ceiling.
#include "codec/bank_links_area.h"
#include "codec/memory_image.h"
#include "files/clone_file.h"
#include "files/csv_file.h"
#include "files/icon_font_file.h"
#include "files/image_file.h"
#include "files/json_image.h"
#include "model/channel_rules.h"
#include "model/row_labels.h"
#include "model/settings_texts.h"
#include "support/random_images.h"
#include "support/sample_image.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <random>

namespace rqm27 {
namespace {

// A name as a text file leaves it: every code as its character (or "?"), and in the line-based
// clone file every control character as a space.
ChannelName ThroughText(const ChannelName& name, bool controlsAsSpaces) {
  QString text = NameToText(name);
  for (QChar& c : text) {
    if (controlsAsSpaces && (c.unicode() < 0x20 || c.unicode() == 0x7F)) c = u' ';
  }
  return NameFromText(text);
}

// What a clone file keeps: the one-touch and bank lines only with a consistent bank table,
// group flags only for banks with channels, neither the port nor the settings bytes.
CloneImage KeptByCloneFile(const CloneImage& image, bool& changed) {
  CloneImage kept = image;
  const CloneImage startup = StartupImage();
  for (ChannelSlot& slot : kept.channels) {
    if (!slot.used) {
      slot = ChannelSlot{};
      slot.clear();
      continue;
    }
    slot.name = ThroughText(slot.name, true);
  }
  for (int s = FirstPresetSlot; s <= SlotCount; ++s) kept.slot(s).name = image.slot(s).name;
  kept.title = ThroughText(image.title, true);
  changed = kept.channels != image.channels || kept.title != image.title;
  if (kept.title.isEmpty()) kept.title = startup.title;  // an empty title line is not read
  if (!image.banks.consistent()) {
    kept.banks = startup.banks;
    kept.oneTouch = startup.oneTouch;
  }
  for (BankLinkGroup& record : kept.bankLinks) {
    for (int b = 0; b < BankCount; ++b) {
      if (image.banks.counts[b] == 0) SetGroupMember(record, b, false);
    }
  }
  kept.comPort = startup.comPort;
  return kept;
}

// What a channel list keeps: the channels of slots 1-1700 without their transmit tone.
CloneImage KeptByChannelList(const CloneImage& image, bool& changed) {
  CloneImage kept = StartupImage();
  for (int s = 1; s <= LastTransferredSlot; ++s) {
    ChannelSlot& slot = kept.slot(s);
    slot.clear();
    if (!image.slot(s).used) continue;
    slot = image.slot(s);
    slot.txTone = DefaultToneIndex;
    slot.name = ThroughText(slot.name, false);
    changed = changed || slot.name != image.slot(s).name;
  }
  return kept;
}

// What a memory image keeps: all but the transmit tone, NFM (stored as FM) and the port.
CloneImage KeptByMemoryImage(const CloneImage& image, const CloneImage& read) {
  CloneImage kept = image;
  for (int s = 1; s <= LastTransferredSlot; ++s) {
    ChannelSlot& slot = kept.slot(s);
    if (!slot.used) {
      slot = read.slot(s);  // an empty record says nothing about the slot's kept indexes
      continue;
    }
    slot.txTone = DefaultToneIndex;
    if (slot.mode == ChannelMode::NFM) slot.mode = ChannelMode::FM;
  }
  kept.comPort = read.comPort;
  kept.settingsImage = read.settingsImage;
  return kept;
}

// Slot by slot first, so that a failure names the first slot that differs.
void ExpectKept(const CloneImage& read, const CloneImage& kept, int image) {
  for (int s = 1; s <= SlotCount; ++s) {
    ASSERT_EQ(read.slot(s), kept.slot(s)) << "image " << image << " slot " << s;
  }
  EXPECT_EQ(read, kept) << "image " << image;
}

constexpr int Images = 8;
const QDateTime kNow(QDate(2026, 1, 2), QTime(3, 4, 5));

TEST(RoundTrip, JsonKeepsEverything) {
  testing::RandomImages images(101);
  for (int i = 0; i < Images; ++i) {
    const CloneImage image = images.next();
    const auto read = ReadJsonImage(WriteJsonImage(image));
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    EXPECT_EQ(*read, image) << "image " << i;
  }
}

TEST(RoundTrip, CloneFileKeepsWhatItCanAndSaysWhatNot) {
  testing::RandomImages images(202);
  for (int i = 0; i < Images; ++i) {
    CloneImage image = images.next();
    if (i == 0) {  // one bank holding the whole memory, which the bank page allows
      image.banks.counts.fill(0);
      image.banks.counts[0] = MemoryChannelCount;
      image.oneTouch = {};
    }
    const auto written = WriteCloneFile(image, kNow);
    ASSERT_TRUE(written.ok()) << written.error().toStdString();
    const auto read = ReadCloneFile(written->value, StartupImage(), "r.M27");
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    bool changed = false;
    ExpectKept(read->value, KeptByCloneFile(image, changed), i);
    EXPECT_EQ(written->notes.empty(), !changed) << "image " << i;
    EXPECT_TRUE(read->notes.empty()) << NoteText(read->notes.front()).toStdString();
  }
}

TEST(RoundTrip, ChannelListKeepsTheChannelsAndSaysWhatNot) {
  testing::RandomImages images(303);
  for (int i = 0; i < Images; ++i) {
    const CloneImage image = images.next();
    const auto labels = ShowRowLabels(BankTable::Defaults()).value();
    const Noted<QByteArray> written = ExportCsv(image, labels);
    const auto read = ImportCsv(written.value, StartupImage(), "r.CSV");
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    bool changed = false;
    ExpectKept(read->value, KeptByChannelList(image, changed), i);
    EXPECT_EQ(written.notes.empty(), !changed) << "image " << i;
    EXPECT_TRUE(read->notes.empty()) << NoteText(read->notes.front()).toStdString();
  }
}

TEST(RoundTrip, MemoryImageKeepsWhatAReceiverKeeps) {
  testing::RandomImages images(404);
  for (int i = 0; i < Images; ++i) {
    CloneImage image = images.next();
    image.settings = DefaultSettings();  // the settings codec has its own tests
    const auto memory = EncodeMemoryImage(image, BlankMemoryFor(image));
    ASSERT_TRUE(memory.ok()) << memory.error().toStdString();
    const auto read = DecodeMemoryImage(*memory);
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    ExpectKept(*read, KeptByMemoryImage(image, *read), i);
  }
}

TEST(RoundTrip, IconFontFileKeepsTheIcons) {
  testing::RandomImages images(505);
  for (int i = 0; i < Images; ++i) {
    const IconPixels icons = images.next().icons;
    const auto read =
        ReadIconFontFile(WriteIconFontFile(icons, kNow), images.next().icons, "a.fk5");
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    EXPECT_EQ(*read, icons) << "image " << i;
  }
}

// The writers give, byte for byte, the files they have always given for the same image.
TEST(RoundTrip, WritersGiveTheirGoldenFiles) {
  const QString golden = QStringLiteral(RQM27_TEST_DATA "/golden/");
  const auto loaded = LoadImageFile(golden + "image.json");
  ASSERT_TRUE(loaded.ok()) << loaded.error().toStdString();
  const CloneImage& image = loaded->value;
  EXPECT_EQ(WriteJsonImage(image), testing::ReadFile(golden + "written.json"));
  const QByteArray clone = WriteCloneFile(image, kNow)->value;
  const QByteArray goldenClone = testing::ReadFile(golden + "written.M27");
  EXPECT_EQ(clone.mid(clone.indexOf('\n')), goldenClone.mid(goldenClone.indexOf('\n')));
  const auto labels = ShowRowLabels(image.banks).value();
  EXPECT_EQ(ExportCsv(image, labels).value, testing::ReadFile(golden + "written.CSV"));
  const auto memory = EncodeMemoryImage(image, BlankMemoryFor(image));
  ASSERT_TRUE(memory.ok());
  EXPECT_EQ(QCryptographicHash::hash(*memory, QCryptographicHash::Sha256).toHex(),
            "06ae50e935d3b0f4f2763db33f99d204054ffcac6b2b089ea47a2cc562281c09");
}

}  // namespace
}  // namespace rqm27
