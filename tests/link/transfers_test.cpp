// The transfer procedures and the serial port under them, on a pseudo-terminal against the
// simulator.
#include "link/transfers.h"

#include "codec/memory_image.h"
#include "link/command.h"
#include "link/pty_simulator.h"
#include "link/serial_port.h"
#include "support/sample_image.h"

#include <gtest/gtest.h>

#include <thread>

namespace rqm27 {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using testing::SampleChannel;
using testing::SampleImage;
using testing::SampleMemory;

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
  ~Receiver() { EXPECT_TRUE(pty_->stop().ok()); }
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

// A change in every area a write sends; the bank table still holds the 1200 channels.
CloneImage EditedEverywhere(CloneImage image) {
  image.slot(3) = SampleChannel(43392500, "NEW");
  image.slot(1).used = false;
  image.slot(1302).used = false;  // written singly as zeros
  image.banks.counts[0] -= 50;
  image.banks.counts[30] += 50;
  image.oneTouch[1] = {true, 30, 49};
  image.settings.at(SettingsList::Sound, 1) = 3;
  image.settings.at(SettingsList::Misc, 1) = 29;
  image.title = NameFromText(u"CHANGED");
  image.bankLinks[7][1] = 0x01;
  image.icons[2][0][0] = 1;
  image.icons[6][15][15] = 1;
  return image;
}

class EveryVariant : public ::testing::TestWithParam<std::pair<char, Variant>> {};

// Memory initialisation takes longer here than any other command may take (1 s).
TEST_P(EveryVariant, FullReadAndFullWriteGiveWhatTheMemoryImageCodecSays) {
  const auto [letter, variant] = GetParam();
  const QByteArray before = SampleMemory(5);
  Receiver receiver(before, {.variant = letter, .imDelayMs = 1500});

  const TransferResult read = ReadAll(receiver.port(), variant, StartupImage());
  ASSERT_TRUE(read.done()) << Text(read);
  EXPECT_TRUE(*read.image == *DecodeMemoryImage(before));
  EXPECT_FALSE(receiver.port().isOpen());

  const CloneImage edited = EditedEverywhere(*read.image);
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

// The replies come in pieces, as a slow line may deliver them.
TEST(Transfers, EveryPartialTransferMovesItsArea) {
  const QByteArray before = SampleMemory(5);
  Receiver receiver(before, {.pieceBytes = 64, .pieceDelayMs = 1});
  Port& port = receiver.port();
  const CloneImage start = StartupImage();
  const CloneImage sample = *DecodeMemoryImage(before);

  // Each read starts from what the reads before it left and moves its own area only.
  CloneImage got = start;
  const auto read = [&](const TransferResult& result) {
    ASSERT_TRUE(result.done()) << Text(result);
    got = *result.image;
  };
  read(ReadIcon(port, Variant::J, got, 3));
  EXPECT_TRUE(got.icons[3] == sample.icons[3] && got.icons[0] == start.icons[0]);
  read(ReadSelectedRows(port, Variant::J, got, 1302, 1299));
  for (auto* area :
       {&ReadBanks, &ReadOneTouchMemories, &ReadSettings, &ReadGroups, &ReadAllIcons}) {
    read(area(port, Variant::J, got, {}));
  }
  CloneImage expected = sample;
  for (int s = 1; s <= SlotCount; ++s) {
    if (s < 1299 || s > 1302) expected.slot(s) = start.slot(s);
  }
  EXPECT_EQ(got, expected);

  const CloneImage edited = EditedEverywhere(sample);
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
  QByteArray badRecord = SampleMemory(5);
  badRecord[ChannelAddress(1302) + 14] = 104;  // DCS index outside its table
  badRecord[ChannelAddress(1302)] = 2;
  const struct {
    QByteArray memory;
    SimulatorOptions options;
    std::vector<const char*> mentions;
  } cases[] = {
      {SampleMemory(5), {.variant = 'K'}, {"answered \"NG\"", "ZT~RQ-M27"}},
      {SampleMemory(5), {.silentAfter = 0}, {"no reply", "ZT~RQ-M27"}},
      // Identification and 18 area blocks come before the slots: slot 800 is the 819th command.
      {SampleMemory(5), {.silentAfter = 818}, {"channel slot 800", "0D9C0"}},
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

// A refused block stops its area there: the blocks before it are written, the rest left alone.
TEST(Transfers, RefusedWriteStopsTheAreaThere) {
  CloneImage edited = SampleImage();
  for (auto& record : edited.bankLinks) record.fill(0xFF);
  edited.banks.counts[0] = 1;
  edited.banks.counts[49] = 99;
  // The refused address, the write, and its area.
  const std::tuple<int, decltype(&WriteBanks), int, int> cases[] = {
      {0x120, &WriteGroups, 0x100, 0x158},
      {0x240, &WriteBanks, 0x200, 0x280},
      {0x200, &WriteBanks, 0x200, 0x280}};
  for (const auto& [refusedAt, write, from, to] : cases) {
    const QByteArray before(MemoryImageSize, '\x5A');
    Receiver receiver(before, {.refuseWritesAt = refusedAt});
    const TransferResult result = write(receiver.port(), Variant::J, edited, {});
    ASSERT_EQ(result.outcome, TransferResult::Outcome::Failed);
    EXPECT_TRUE(result.message.contains(QString::number(refusedAt, 16).rightJustified(5, '0')))
        << Text(result);
    QByteArray expected = before;
    const int written = refusedAt - from;
    expected.replace(from, written, EncodeMemoryImage(edited, before)->mid(from, written));
    EXPECT_EQ(receiver.memory().mid(from, to - from), expected.mid(from, to - from)) << refusedAt;
  }
}

// Each way a full write can stop part-way says what the receiver now holds, and the receiver's
// memory agrees: the channel count it names is the one the receiver has. The receiver may
// still clear its channels after the 10 s the program waits: the write then says they may be
// gone.
TEST(Transfers, FullWriteThatStopsSaysWhatTheReceiverHolds) {
  const CloneImage image = SampleImage();  // 11 used channels in slots 1-1700
  struct Case {
    const char* what;
    SimulatorOptions options;
    int cancelAfterQuestions;  // -1: never
    int channels;  // in the receiver afterwards; -1: the old ones; -2: as many as it says
    const char* state;
  };
  // clang-format off
  const Case cases[] = {
      {"refused bank table", {.refuseWritesAt = 0x200}, -1, -1,
       "The receiver now holds its old areas, and the bank table may be partly written; its "
       "channels are the old ones; its groups are the old ones."},
      {"refused icon 3", {.refuseWritesAt = 0x1060}, -1, -1,
       "The receiver now holds the new bank table, one-touch memories, settings area and "
       "opening title, and the icons may be partly written; its channels are the old ones"},
      {"refused slot 150", {.refuseWritesAt = ChannelAddress(150)}, -1, 2,
       "its channels were cleared and 2 of 11 were written; its groups are the old ones."},
      {"refused groups", {.refuseWritesAt = 0x100}, -1, 11,
       "and the bank-link groups may be partly written; its channels were cleared and 11 of 11 were "
       "written."},
      {"garbled reply", {.garbleReply = 30}, -1, 10,
       "cleared and 9 of 11 were written (one more may be too: its write was not answered)"},
      {"clearing not confirmed in 10 s", {.imDelayMs = 10600}, -1, 0,
       "title and icons; it did not confirm clearing its channels, so they may be gone; its "
       "groups are the old ones."},
      {"cancelled before anything", {}, 0, -1, "Nothing was written"},
      {"cancelled before the icons", {}, 4, -1,
       "settings area and opening title; its channels are the old ones"},
      {"cancelled among the channels", {}, 200, -2, "its channels were cleared and "}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QByteArray before = SampleMemory(5);
    Receiver receiver(before, c.options);
    int asked = 0;
    TransferHooks hooks;
    if (c.cancelAfterQuestions >= 0) {
      hooks.cancelRequested = [&] { return asked++ >= c.cancelAfterQuestions; };
    }
    const auto start = Clock::now();
    const TransferResult write = WriteAll(receiver.port(), Variant::J, image, hooks);
    ASSERT_FALSE(write.done());
    if (c.options.imDelayMs > 0) {
      EXPECT_GE(Clock::now() - start, milliseconds(9900));
    }
    EXPECT_TRUE(write.receiverState.contains(QString::fromUtf8(c.state)))
        << write.receiverState.toStdString();
    const int used = testing::UsedChannels(receiver.memory());
    if (c.channels == -2) {  // the count said is the count held
      EXPECT_TRUE(write.receiverState.contains(QStringLiteral("cleared and %1 of 11").arg(used)))
          << write.receiverState.toStdString() << " holds " << used;
    } else {
      EXPECT_EQ(used, c.channels == -1 ? testing::UsedChannels(before) : c.channels);
    }
  }
}

// (An image whose bank table does not hold 1200 channels is tried through the command line.)
TEST(Transfers, FullWriteRefusesAFaultyImageBeforeSendingAnything) {
  CloneImage image = SampleImage();
  image.slot(7) = SampleChannel(400000000, "FAR");
  Receiver receiver(SampleMemory(5));
  const TransferResult write = WriteAll(receiver.port(), Variant::J, image);
  EXPECT_TRUE(write.message.contains("slot 7: frequency 4000.00000MHz")) << Text(write);
  EXPECT_EQ(receiver.simulator().commandCount(), 0);
  EXPECT_TRUE(write.receiverState.startsWith("Nothing was written"));
}

// Verify reads back and names the first place where the receiver differs from the image.
TEST(Transfers, VerifyNamesTheFirstDifference) {
  Receiver receiver(SampleMemory(5));
  const CloneImage image = SampleImage();
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
  other.slot(9) = SampleChannel(14500000, "EXTRA");  // not written: only Full sees it
  EXPECT_TRUE(VerifyWrite(receiver.port(), Variant::J, other, VerifyScope::Full)
                  .message.contains("channel slot 9 (address 01400)"));
}

// (A cancelled read is tried through the command line: CtrlCDuringReadLeavesNoFile.)
TEST(Transfers, CancelledWriteSaysHowFarItGot) {
  Receiver receiver(SampleMemory(5));
  int asked = 0;
  const TransferHooks hooks{
      .progress = {}, .cancelRequested = [&] { return ++asked > 40; }, .waitingForReceiver = {}};
  const TransferResult write =
      WriteSelectedRows(receiver.port(), Variant::J, SampleImage(), 1, 100, hooks);
  EXPECT_EQ(write.outcome, TransferResult::Outcome::Cancelled);
  EXPECT_TRUE(write.message.contains("slots 1 to 40")) << Text(write);
  EXPECT_FALSE(receiver.port().isOpen());
}

TEST(Transfers, ResetIsSentWithoutWaitingAndClosesThePort) {
  Receiver receiver(SampleMemory(5));
  const auto start = Clock::now();
  ASSERT_TRUE(SendReset(receiver.port()).ok());
  EXPECT_LT(Clock::now() - start, milliseconds(500));
  EXPECT_FALSE(receiver.port().isOpen());
  for (int i = 0; i < 100 && receiver.simulator().commandCount() == 0; ++i) {
    std::this_thread::sleep_for(milliseconds(10));
  }
  EXPECT_EQ(receiver.simulator().commandCount(), 1);
}

// A line that has hung up reports itself readable for ever, with nothing to read: waiting on
// it must say there is no input, or a command would spin until its time-out.
TEST(SerialPortOnPty, WaitingOnALineThatHungUpFindsNoInput) {
  Receiver receiver(QByteArray(MemoryImageSize, '\0'), {.closeAfter = 1});
  Port& port = receiver.port();
  ASSERT_TRUE(port.open().ok());
  EXPECT_EQ(SendCommand(port, "ZT~RQ-M27"), "OK");  // the receiver hangs up after this reply
  EXPECT_FALSE(port.waitForInput(Clock::now() + std::chrono::seconds(5)));
  EXPECT_EQ(port.readAvailable(), "");
  EXPECT_FALSE(port.write("ZT~RQ-M27\r").ok());
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
