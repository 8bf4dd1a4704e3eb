// The transfer procedures through the real serial port on a pseudo-terminal, against the simulator.
#include "link/transfers.h"

#include "codec/memory_image.h"
#include "link/blocks.h"
#include "link/pty_simulator.h"
#include "link/receiver_simulator.h"
#include "link/serial_port.h"
#include "support/sample_image.h"

#include <gtest/gtest.h>

#include <thread>

namespace rqm27 {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

QByteArray SampleMemory() {
  auto memory = EncodeMemoryImage(testing::SampleImage(), testing::RandomMemory(5));
  (*memory)[0x1FE01] = 1;
  return *memory;
}

// A simulated receiver served on a pseudo-terminal, and a serial port on it.
class Receiver {
 public:
  explicit Receiver(QByteArray memory, SimulatorOptions options = {})
      : simulator_(std::make_shared<ReceiverSimulator>(std::move(memory), options)) {
    auto pty = PtySimulator::Open(simulator_);
    EXPECT_TRUE(pty.ok()) << pty.error().toStdString();
    pty_ = std::move(*pty);
    pty_->start();
    port_ = std::make_unique<SerialPort>(pty_->devicePath());
  }
  ~Receiver() { (void)pty_->stop(); }
  Port& port() { return *port_; }
  ReceiverSimulator& simulator() { return *simulator_; }
  QByteArray memory() const { return simulator_->memory(); }

 private:
  std::shared_ptr<ReceiverSimulator> simulator_;
  std::unique_ptr<PtySimulator> pty_;
  std::unique_ptr<SerialPort> port_;
};

std::string Text(const TransferResult& result) {
  return result.message.toStdString();
}

class EveryVariant : public ::testing::TestWithParam<std::pair<char, Variant>> {};

// Memory initialisation takes longer here than any other command may take (1 s).
TEST_P(EveryVariant, FullReadAndFullWriteGiveWhatTheMemoryImageCodecSays) {
  const auto [letter, variant] = GetParam();
  const QByteArray before = SampleMemory();
  Receiver receiver(before, {.variant = letter, .imDelayMs = 1500});

  const TransferResult read = ReadAll(receiver.port(), variant, StartupImage());
  ASSERT_TRUE(read.done()) << Text(read);
  EXPECT_TRUE(*read.image == *DecodeMemoryImage(before));
  EXPECT_FALSE(receiver.port().isOpen());

  CloneImage edited = *read.image;
  edited.slot(3) = testing::SampleChannel(43392500, "NEW");
  edited.slot(1).used = false;
  edited.banks.counts[0] -= 1;
  edited.banks.counts[12] += 1;
  edited.title = NameFromText(u"CHANGED");
  edited.settings.at(SettingsList::Misc, 1) = 29;
  edited.icons[5][7][7] = 1;
  edited.bankLinks[2][0] = 0x40;
  int steps = 0;
  bool waited = false;
  const TransferHooks hooks{.progress = [&](int, int) { ++steps; },
                            .cancelRequested = {},
                            .waitingForReceiver = [&](bool on) { waited = waited || on; }};
  const TransferResult write = WriteAll(receiver.port(), variant, edited, hooks);
  ASSERT_TRUE(write.done()) << Text(write);
  EXPECT_TRUE(waited);
  EXPECT_GT(steps, 1700);
  EXPECT_TRUE(receiver.memory() == *EncodeMemoryImage(edited, before));
}

INSTANTIATE_TEST_SUITE_P(Variants, EveryVariant,
                         ::testing::Values(std::pair{'J', Variant::J}, std::pair{'E', Variant::E},
                                           std::pair{'T', Variant::T}, std::pair{'K', Variant::K}));

TEST(Transfers, EveryPartialTransferMovesItsArea) {
  const QByteArray before = SampleMemory();
  Receiver receiver(before);
  Port& port = receiver.port();
  const CloneImage start = StartupImage();
  const CloneImage sample = *DecodeMemoryImage(before);

  // Each read starts from what the reads before it left.
  CloneImage got = start;
  const auto read = [&](const TransferResult& result) {
    ASSERT_TRUE(result.done()) << Text(result);
    got = *result.image;
  };
  read(ReadIcon(port, Variant::J, got, 3));
  EXPECT_TRUE(got.icons[3] == sample.icons[3] && got.icons[0] == start.icons[0]);
  read(ReadSelectedRows(port, Variant::J, got, 1302, 1299));
  EXPECT_TRUE(got.slot(1301) == sample.slot(1301) && got.slot(1302) == sample.slot(1302));
  EXPECT_TRUE(got.slot(1303) == start.slot(1303));
  read(ReadBanks(port, Variant::J, got));
  EXPECT_TRUE(got.banks == sample.banks);
  read(ReadOneTouchMemories(port, Variant::J, got));
  read(ReadSettings(port, Variant::J, got));
  read(ReadGroups(port, Variant::J, got));
  read(ReadAllIcons(port, Variant::J, got));
  EXPECT_TRUE(got.oneTouch == sample.oneTouch && got.bankLinks == sample.bankLinks);
  EXPECT_TRUE(got.settings == sample.settings && got.title == sample.title);
  EXPECT_TRUE(got.icons == sample.icons);

  CloneImage edited = sample;
  edited.banks.counts[0] = 50;
  edited.banks.counts[30] = 50;
  edited.oneTouch[1] = {true, 30, 49};
  edited.settings.at(SettingsList::Sound, 1) = 3;
  edited.title = NameFromText(u"NEW TITLE");
  edited.bankLinks[7][1] = 0x01;
  edited.icons[2][0][0] = 1;
  edited.icons[6][15][15] = 1;
  edited.slot(1302).used = false;  // written singly as zeros
  for (const TransferResult& result :
       {WriteBanks(port, Variant::J, edited), WriteOneTouchMemories(port, Variant::J, edited),
        WriteSettings(port, Variant::J, edited), WriteGroups(port, Variant::J, edited),
        WriteIcon(port, Variant::J, edited, 2), WriteAllIcons(port, Variant::J, edited),
        WriteSelectedRows(port, Variant::J, edited, 1301, 1302)}) {
    EXPECT_TRUE(result.done()) << Text(result);
  }
  // Each area the partial writes cover now holds what a full write would leave.
  const QByteArray memory = receiver.memory();
  const QByteArray full = *EncodeMemoryImage(edited, before);
  const std::pair<int, int> areas[] = {{0x000, 0x0C0}, {0x100, 0x158}, {0x180, 0x19B},
                                       {0x1A0, 0x1C2}, {0x200, 0x280}, {0x1000, 0x1100}};
  for (auto [from, to] : areas) {
    EXPECT_EQ(memory.mid(from, to - from), full.mid(from, to - from)) << std::hex << from;
  }
  EXPECT_EQ(memory.mid(ChannelAddress(1302), 64), QByteArray(64, '\0'));
  EXPECT_EQ(memory.mid(ChannelAddress(1301), 64), full.mid(ChannelAddress(1301), 64));
}

// A failed read hands back no image; its message names what failed.
TEST(Transfers, FailedReadHandsBackNothing) {
  QByteArray badRecord = SampleMemory();
  badRecord[ChannelAddress(1302) + 14] = 104;  // DCS index outside its table
  badRecord[ChannelAddress(1302)] = 2;
  const struct {
    QByteArray memory;
    SimulatorOptions options;
    std::vector<const char*> mentions;
  } cases[] = {
      {SampleMemory(), {.variant = 'K'}, {"answered \"NG\"", "ZT~RQ-M27"}},
      {SampleMemory(), {.silentAfter = 0}, {"no reply", "ZT~RQ-M27"}},
      // Identification and 18 area blocks come before the slots: slot 800 is the 819th command.
      {SampleMemory(), {.silentAfter = 818}, {"channel slot 800", "0D9C0"}},
      {badRecord, {}, {"slot 1302", "DCS"}},
  };
  for (const auto& c : cases) {
    Receiver receiver(c.memory, c.options);
    const TransferResult result = ReadAll(receiver.port(), Variant::J, StartupImage());
    EXPECT_EQ(result.outcome, TransferResult::Outcome::Failed);
    EXPECT_FALSE(result.image.has_value());
    for (const char* text : c.mentions) {
      EXPECT_TRUE(result.message.contains(QLatin1StringView(text))) << Text(result);
    }
    EXPECT_FALSE(receiver.port().isOpen());
  }
}

TEST(Transfers, RefusedWriteStopsTheAreaThere) {
  CloneImage edited = testing::SampleImage();
  for (auto& record : edited.bankLinks) record.fill(0xFF);
  edited.banks.counts[0] = 1;
  edited.banks.counts[49] = 99;
  const struct {
    int refusedAt;
    decltype(&WriteBanks) write;
    int writtenFrom, refusedFrom, areaEnd;
  } cases[] = {{0x100 + 8 * 4, &WriteGroups, 0x100, 0x120, 0x158},
               {0x240, &WriteBanks, 0x200, 0x240, 0x280},
               {0x200, &WriteBanks, 0x200, 0x200, 0x280}};
  for (const auto& c : cases) {
    const QByteArray before = QByteArray(MemoryImageSize, '\x5A');
    Receiver receiver(before, {.refuseWritesAt = c.refusedAt});
    const TransferResult result = c.write(receiver.port(), Variant::J, edited, {});
    ASSERT_EQ(result.outcome, TransferResult::Outcome::Failed);
    const QString address = QString::number(c.refusedAt, 16).toUpper().rightJustified(5, '0');
    EXPECT_TRUE(result.message.contains(address)) << Text(result);
    const QByteArray after = receiver.memory();
    const int written = c.refusedFrom - c.writtenFrom, rest = c.areaEnd - c.refusedFrom;
    EXPECT_EQ(after.mid(c.writtenFrom, written),
              EncodeMemoryImage(edited, before)->mid(c.writtenFrom, written));
    EXPECT_EQ(after.mid(c.refusedFrom, rest), before.mid(c.refusedFrom, rest));
  }
}

TEST(Transfers, ReplyInPiecesIsAccepted) {
  Receiver receiver(SampleMemory(), {.pieceBytes = 5, .pieceDelayMs = 3});
  const TransferResult result = ReadSettings(receiver.port(), Variant::J, StartupImage());
  ASSERT_TRUE(result.done()) << Text(result);
  EXPECT_EQ(result.image->title, testing::SampleImage().title);
}

TEST(Transfers, LateReplyIsDiscardedBeforeTheNextCommand) {
  // A block read's reply comes in two pieces, the second after the client has given up.
  Receiver receiver(SampleMemory(), {.pieceBytes = 100, .pieceDelayMs = 1200});
  LinkSession link(receiver.port(), Variant::J);
  ASSERT_TRUE(link.start().ok());
  EXPECT_EQ(link.send(BlockReadCommand(0x200)), QByteArray());
  std::this_thread::sleep_for(milliseconds(400));  // the rest of that reply arrives now
  EXPECT_EQ(link.send(BlockWriteCommand(0x300, QByteArray(4, '\x11'))), "OK");
  link.end();
  EXPECT_EQ(receiver.memory().mid(0x300, 4), QByteArray(4, '\x11'));
}

// The receiver may still clear its channels after the 10 s the program waits: a full write
// that stops there says they may be gone.
TEST(Transfers, MemoryInitialisationAnsweredAfterTenSecondsFails) {
  Receiver receiver(SampleMemory(), {.imDelayMs = 10600});
  const auto start = Clock::now();
  const TransferResult write = WriteAll(receiver.port(), Variant::J, testing::SampleImage());
  EXPECT_GE(Clock::now() - start, milliseconds(9900));
  EXPECT_TRUE(write.message.contains("did not confirm clearing")) << Text(write);
  EXPECT_TRUE(
      write.receiverState.contains("title and icons; it did not confirm clearing its "
                                   "channels, so they may be gone; its groups are the "
                                   "old ones."))
      << write.receiverState.toStdString();
}

int UsedChannels(const QByteArray& memory) {
  const auto image = DecodeMemoryImage(memory);
  EXPECT_TRUE(image.ok()) << image.error().toStdString();
  int used = 0;
  for (int slot = 1; image.ok() && slot <= LastTransferredSlot; ++slot) {
    used += image->slot(slot).used ? 1 : 0;
  }
  return used;
}

// Each way a full write can stop part-way says what the receiver now holds, and the receiver's
// memory agrees: the channel count it names is the one the receiver has.
TEST(Transfers, FullWriteThatStopsSaysWhatTheReceiverHolds) {
  const CloneImage image = testing::SampleImage();  // 11 used channels in slots 1-1700
  struct Case {
    const char* what;
    SimulatorOptions options;
    int cancelAfterQuestions;  // -1: never
    const char* state;
    int channels;  // in the receiver afterwards; -1: the old ones
  };
  const Case cases[] = {
      {"refused bank table",
       {.refuseWritesAt = 0x200},
       -1,
       "The receiver now holds its old areas, and the bank table may be partly written; its "
       "channels are the old ones; its groups are the old ones.",
       -1},
      {"refused icon 3",
       {.refuseWritesAt = 0x1060},
       -1,
       "The receiver now holds the new bank table, one-touch memories, settings and title, and "
       "the icons may be partly written; its channels are the old ones",
       -1},
      {"refused slot 150",
       {.refuseWritesAt = ChannelAddress(150)},
       -1,
       "its channels were cleared and 2 of 11 were written; its groups are the old ones.",
       2},
      {"refused groups",
       {.refuseWritesAt = 0x100},
       -1,
       "and the groups may be partly written; its channels were cleared and 11 of 11 were "
       "written.",
       11},
      {"garbled reply",
       {.garbleReply = 30},
       -1,
       "cleared and 9 of 11 were written (one more may be too: its write was not answered)",
       10},
      {"cancelled before anything", {}, 0, "Nothing was written", -1},
      {"cancelled before the icons",
       {},
       4,
       "settings and title; its channels are the old ones",
       -1},
      {"cancelled among the channels", {}, 200, "its channels were cleared and ", -2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QByteArray before = SampleMemory();
    Receiver receiver(before, c.options);
    int asked = 0;
    TransferHooks hooks;
    if (c.cancelAfterQuestions >= 0) {
      hooks.cancelRequested = [&] { return asked++ >= c.cancelAfterQuestions; };
    }
    const TransferResult write = WriteAll(receiver.port(), Variant::J, image, hooks);
    ASSERT_FALSE(write.done());
    EXPECT_TRUE(write.receiverState.contains(QString::fromUtf8(c.state)))
        << write.receiverState.toStdString();
    const int used = UsedChannels(receiver.memory());
    EXPECT_EQ(used, c.channels == -1 ? UsedChannels(before) : c.channels >= 0 ? c.channels : used);
    if (c.channels == -2) {  // the count said is the count held
      EXPECT_TRUE(write.receiverState.contains(QStringLiteral("cleared and %1 of 11").arg(used)))
          << write.receiverState.toStdString() << " holds " << used;
    }
  }
}

TEST(Transfers, FullWriteRefusesAFaultyImageBeforeSendingAnything) {
  CloneImage inconsistent = testing::SampleImage();
  inconsistent.banks.counts[0] = 0;
  CloneImage outOfRange = testing::SampleImage();
  outOfRange.slot(7) = testing::SampleChannel(400000000, "FAR");
  for (const auto& [image, fault] : {std::pair{inconsistent, "the bank table holds 1100"},
                                     std::pair{outOfRange, "slot 7: frequency 4000.00000MHz"}}) {
    Receiver receiver(SampleMemory());
    const TransferResult write = WriteAll(receiver.port(), Variant::J, image);
    EXPECT_TRUE(write.message.contains(fault)) << Text(write);
    EXPECT_EQ(receiver.simulator().commandCount(), 0);
    EXPECT_TRUE(write.receiverState.startsWith("Nothing was written"));
  }
}

// Verify reads back and names the first place where the receiver differs from the image.
TEST(Transfers, VerifyNamesTheFirstDifference) {
  Receiver receiver(SampleMemory());
  const CloneImage image = testing::SampleImage();
  const TransferResult write = WriteAll(receiver.port(), Variant::J, image);
  ASSERT_TRUE(write.done()) << Text(write);
  for (const VerifyScope scope : {VerifyScope::Written, VerifyScope::Full}) {
    EXPECT_TRUE(VerifyWrite(receiver.port(), Variant::J, *write.image, scope).done());
  }
  CloneImage other = *write.image;
  other.slot(150).name = NameFromText(u"OTHER");
  other.title = NameFromText(u"X");
  const TransferResult differs =
      VerifyWrite(receiver.port(), Variant::J, other, VerifyScope::Written);
  EXPECT_FALSE(differs.done());
  EXPECT_TRUE(differs.message.contains("the opening title (address 001A")) << Text(differs);
  other.title = write.image->title;
  other.slot(9) = testing::SampleChannel(14500000, "EXTRA");  // not written: only Full sees it
  EXPECT_TRUE(VerifyWrite(receiver.port(), Variant::J, other, VerifyScope::Full)
                  .message.contains("channel slot 9 (address 01400)"));
}

TEST(Transfers, CancelledReadChangesNothingAndCancelledWriteSaysHowFar) {
  Receiver receiver(SampleMemory());
  int asked = 0;
  const TransferHooks hooks{
      .progress = {}, .cancelRequested = [&] { return ++asked > 40; }, .waitingForReceiver = {}};
  const TransferResult read = ReadAll(receiver.port(), Variant::J, StartupImage(), hooks);
  EXPECT_EQ(read.outcome, TransferResult::Outcome::Cancelled);
  EXPECT_FALSE(read.image.has_value());

  asked = 0;
  const TransferResult write =
      WriteSelectedRows(receiver.port(), Variant::J, testing::SampleImage(), 1, 100, hooks);
  EXPECT_EQ(write.outcome, TransferResult::Outcome::Cancelled);
  EXPECT_TRUE(write.message.contains("slots 1 to 40")) << Text(write);
  EXPECT_FALSE(receiver.port().isOpen());
}

TEST(Transfers, ResetIsSentWithoutWaitingAndClosesThePort) {
  Receiver receiver(SampleMemory());
  const auto start = Clock::now();
  ASSERT_TRUE(SendReset(receiver.port()).ok());
  EXPECT_LT(Clock::now() - start, milliseconds(500));
  EXPECT_FALSE(receiver.port().isOpen());
  for (int i = 0; i < 100 && receiver.simulator().commandCount() == 0; ++i) {
    std::this_thread::sleep_for(milliseconds(10));
  }
  EXPECT_EQ(receiver.simulator().commandCount(), 1);
}

TEST(Transfers, PortThatCannotBeOpenedIsNamed) {
  SerialPort port("/dev/rqm27-no-such-port");
  const TransferResult result = ReadAll(port, Variant::J, StartupImage());
  EXPECT_EQ(result.outcome, TransferResult::Outcome::Failed);
  EXPECT_TRUE(result.message.contains("/dev/rqm27-no-such-port")) << Text(result);
  EXPECT_EQ(SerialDeviceName("com16"), "/dev/ttyS15");
  EXPECT_EQ(SerialDeviceName("COM17"), "COM17");
}

}  // namespace
}  // namespace rqm27
