// The transfer procedures through the real serial port class, on a pseudo-terminal, against
// the simulated receiver.
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

// A memory as a receiver holds it after a full write of the sample image.
QByteArray SampleMemory() {
  auto memory = EncodeMemoryImage(testing::SampleImage(), testing::RandomMemory(5));
  (*memory)[0x1FE01] = 1;
  return *memory;
}

// A simulated receiver served on a pseudo-terminal, and the serial port a client opens on it.
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
  QByteArray memory() const { return simulator_->memory(); }

 private:
  std::shared_ptr<ReceiverSimulator> simulator_;
  std::unique_ptr<PtySimulator> pty_;
  std::unique_ptr<SerialPort> port_;
};

SimulatorOptions ForVariant(QChar variant) {
  SimulatorOptions options;
  options.variant = variant;
  return options;
}

class EveryVariant : public ::testing::TestWithParam<std::pair<char, Variant>> {};

TEST_P(EveryVariant, FullReadAndFullWriteGiveWhatTheMemoryImageCodecSays) {
  const auto [letter, variant] = GetParam();
  const QByteArray before = SampleMemory();
  Receiver receiver(before, ForVariant(QChar(letter)));

  const TransferResult read = ReadAll(receiver.port(), variant, StartupImage());
  ASSERT_TRUE(read.done()) << read.message.toStdString();
  const auto expected = DecodeMemoryImage(before);
  ASSERT_TRUE(expected.ok());
  EXPECT_TRUE(*read.image == *expected);
  EXPECT_FALSE(receiver.port().isOpen());

  CloneImage edited = *read.image;
  edited.slot(3) = testing::SampleChannel("433.92500MHz", "NEW");
  edited.slot(1).used = false;
  edited.banks.counts[0] = 99;
  edited.banks.counts[12] = 1;
  edited.title = NameFromText(u"CHANGED");
  edited.settings.at(SettingsList::Misc, 1) = 29;
  edited.icons[5][7][7] = 1;
  edited.bankLinks[2][0] = 0x40;
  int steps = 0;
  bool waited = false;
  TransferHooks hooks;
  hooks.progress = [&](int, int) { ++steps; };
  hooks.waitingForReceiver = [&](bool on) { waited = waited || on; };
  const TransferResult write = WriteAll(receiver.port(), variant, edited, hooks);
  ASSERT_TRUE(write.done()) << write.message.toStdString();
  EXPECT_TRUE(waited);
  EXPECT_GT(steps, 1700);
  const auto expectedMemory = EncodeMemoryImage(edited, before);
  ASSERT_TRUE(expectedMemory.ok());
  EXPECT_TRUE(receiver.memory() == *expectedMemory);
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

  struct ReadCase {
    const char* name;
    std::function<TransferResult()> run;
    std::function<bool(const CloneImage&)> check;
  };
  const ReadCase reads[] = {
      {"banks", [&] { return ReadBanks(port, Variant::J, start); },
       [&](const CloneImage& i) { return i.banks == sample.banks; }},
      {"one-touch", [&] { return ReadOneTouchMemories(port, Variant::J, sample); },
       [&](const CloneImage& i) { return i.oneTouch == sample.oneTouch; }},
      {"settings", [&] { return ReadSettings(port, Variant::J, start); },
       [&](const CloneImage& i) {
         return i.settings == sample.settings && i.title == sample.title;
       }},
      {"groups", [&] { return ReadGroups(port, Variant::J, start); },
       [&](const CloneImage& i) { return i.bankLinks == sample.bankLinks; }},
      {"icon 3", [&] { return ReadIcon(port, Variant::J, start, 3); },
       [&](const CloneImage& i) {
         return i.icons[3] == sample.icons[3] && i.icons[0] == start.icons[0];
       }},
      {"icons", [&] { return ReadAllIcons(port, Variant::J, start); },
       [&](const CloneImage& i) { return i.icons == sample.icons; }},
      {"rows 1302 down to 1299",
       [&] { return ReadSelectedRows(port, Variant::J, start, 1302, 1299); },
       [&](const CloneImage& i) {
         return i.slot(1301) == sample.slot(1301) && i.slot(1302) == sample.slot(1302) &&
                i.slot(1303) == start.slot(1303);
       }},
  };
  for (const ReadCase& c : reads) {
    const TransferResult result = c.run();
    ASSERT_TRUE(result.done()) << c.name << ": " << result.message.toStdString();
    EXPECT_TRUE(c.check(*result.image)) << c.name;
  }

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
  const std::function<TransferResult()> writes[] = {
      [&] { return WriteBanks(port, Variant::J, edited); },
      [&] { return WriteOneTouchMemories(port, Variant::J, edited); },
      [&] { return WriteSettings(port, Variant::J, edited); },
      [&] { return WriteGroups(port, Variant::J, edited); },
      [&] { return WriteIcon(port, Variant::J, edited, 2); },
      [&] { return WriteAllIcons(port, Variant::J, edited); },
      [&] { return WriteSelectedRows(port, Variant::J, edited, 1301, 1302); },
  };
  for (const auto& write : writes) {
    const TransferResult result = write();
    ASSERT_TRUE(result.done()) << result.message.toStdString();
  }
  // The receiver now holds what a full write of the edited image would leave, in every area
  // the partial writes cover.
  const QByteArray memory = receiver.memory();
  const QByteArray full = *EncodeMemoryImage(edited, before);
  for (auto [from, to] : {std::pair{0x000, 0x0C0},
                          {0x100, 0x158},
                          {0x180, 0x19B},
                          {0x1A0, 0x1C2},
                          {0x200, 0x280},
                          {0x1000, 0x1100}}) {
    EXPECT_EQ(memory.mid(from, to - from), full.mid(from, to - from)) << std::hex << from;
  }
  EXPECT_EQ(memory.mid(ChannelAddress(1302), 64), QByteArray(64, '\0'));
  EXPECT_EQ(memory.mid(ChannelAddress(1301), 64), full.mid(ChannelAddress(1301), 64));
}

TEST(Transfers, WrongVariantOrSilenceChangesNothing) {
  struct Case {
    SimulatorOptions options;
    const char* mentions;
  };
  SimulatorOptions silent;
  silent.silentAfter = 0;
  const Case cases[] = {{ForVariant('K'), "answered \"NG\""}, {silent, "no reply"}};
  for (const Case& c : cases) {
    Receiver receiver(SampleMemory(), c.options);
    const TransferResult result = ReadAll(receiver.port(), Variant::J, StartupImage());
    EXPECT_EQ(result.outcome, TransferResult::Outcome::Failed);
    EXPECT_FALSE(result.image.has_value());
    EXPECT_TRUE(result.message.contains(QLatin1StringView(c.mentions)))
        << result.message.toStdString();
    EXPECT_TRUE(result.message.contains("ZT~RQ-M27")) << result.message.toStdString();
    EXPECT_FALSE(receiver.port().isOpen());
  }
}

TEST(Transfers, ReadThatFailsHalfWayHandsBackNothingAndNamesTheSlot) {
  SimulatorOptions options;
  // Identification, 2 + 1 + 3 + 1 + 1 + 8 + 2 area blocks, then the slots: slot 800 is the
  // 819th command.
  options.silentAfter = 818;
  Receiver receiver(SampleMemory(), options);
  const TransferResult result = ReadAll(receiver.port(), Variant::J, StartupImage());
  ASSERT_EQ(result.outcome, TransferResult::Outcome::Failed);
  EXPECT_FALSE(result.image.has_value());
  EXPECT_TRUE(result.message.contains("channel slot 800")) << result.message.toStdString();
  EXPECT_TRUE(result.message.contains("0D9C0")) << result.message.toStdString();
}

TEST(Transfers, UndecodableRecordFailsTheReadNamingTheSlot) {
  QByteArray memory = SampleMemory();
  memory[ChannelAddress(1302) + 14] = 104;  // DCS index outside its table
  memory[ChannelAddress(1302)] = 2;
  Receiver receiver(memory);
  const TransferResult result = ReadAll(receiver.port(), Variant::J, StartupImage());
  ASSERT_EQ(result.outcome, TransferResult::Outcome::Failed);
  EXPECT_TRUE(result.message.contains("slot 1302")) << result.message.toStdString();
  EXPECT_TRUE(result.message.contains("DCS")) << result.message.toStdString();
}

TEST(Transfers, RefusedWriteStopsTheAreaThere) {
  struct Case {
    int refusedAt;
    std::function<TransferResult(Port&)> write;
    int writtenFrom;
    int writtenTo;
    int untouchedFrom;
    int untouchedTo;
  };
  CloneImage edited = testing::SampleImage();
  for (auto& record : edited.bankLinks) record.fill(0xFF);
  edited.banks.counts[0] = 1;
  edited.banks.counts[49] = 99;
  const Case cases[] = {
      {0x100 + 8 * 4, [&](Port& p) { return WriteGroups(p, Variant::J, edited); }, 0x100, 0x120,
       0x120, 0x158},
      {0x240, [&](Port& p) { return WriteBanks(p, Variant::J, edited); }, 0x200, 0x240, 0x240,
       0x280},
      {0x200, [&](Port& p) { return WriteBanks(p, Variant::J, edited); }, 0x200, 0x200, 0x200,
       0x280},
  };
  for (const Case& c : cases) {
    const QByteArray before = QByteArray(MemoryImageSize, '\x5A');
    SimulatorOptions options;
    options.refuseWritesAt = c.refusedAt;
    Receiver receiver(before, options);
    const TransferResult result = c.write(receiver.port());
    ASSERT_EQ(result.outcome, TransferResult::Outcome::Failed);
    const QString address = QString::number(c.refusedAt, 16).toUpper().rightJustified(5, '0');
    EXPECT_TRUE(result.message.contains(address)) << result.message.toStdString();
    const QByteArray after = receiver.memory();
    const QByteArray full = *EncodeMemoryImage(edited, before);
    EXPECT_EQ(after.mid(c.writtenFrom, c.writtenTo - c.writtenFrom),
              full.mid(c.writtenFrom, c.writtenTo - c.writtenFrom));
    EXPECT_EQ(after.mid(c.untouchedFrom, c.untouchedTo - c.untouchedFrom),
              before.mid(c.untouchedFrom, c.untouchedTo - c.untouchedFrom));
  }
}

TEST(Transfers, ReplyInPiecesIsAccepted) {
  SimulatorOptions options;
  options.pieceBytes = 5;
  options.pieceDelayMs = 3;
  Receiver receiver(SampleMemory(), options);
  const TransferResult result = ReadSettings(receiver.port(), Variant::J, StartupImage());
  ASSERT_TRUE(result.done()) << result.message.toStdString();
  EXPECT_EQ(result.image->title, testing::SampleImage().title);
}

TEST(Transfers, LateReplyIsDiscardedBeforeTheNextCommand) {
  SimulatorOptions options;
  options.pieceBytes = 100;     // a block read's reply comes in two pieces,
  options.pieceDelayMs = 1200;  // the second after the client has given up
  Receiver receiver(SampleMemory(), options);
  LinkSession link(receiver.port(), Variant::J);
  ASSERT_TRUE(link.start().ok());
  EXPECT_EQ(link.send(BlockReadCommand(0x200)), QByteArray());
  std::this_thread::sleep_for(milliseconds(400));  // the rest of that reply arrives now
  EXPECT_EQ(link.send(BlockWriteCommand(0x300, QByteArray(4, '\x11'))), "OK");
  link.end();
  EXPECT_EQ(receiver.memory().mid(0x300, 4), QByteArray(4, '\x11'));
}

TEST(Transfers, MemoryInitialisationMayTakeUpToTenSeconds) {
  SimulatorOptions options;
  options.imDelayMs = 2500;  // longer than any other command may take
  Receiver receiver(SampleMemory(), options);
  const TransferResult write = WriteAll(receiver.port(), Variant::J, testing::SampleImage());
  EXPECT_TRUE(write.done()) << write.message.toStdString();
}

TEST(Transfers, MemoryInitialisationAnsweredTooLateFails) {
  SimulatorOptions options;
  options.imDelayMs = 10600;
  Receiver receiver(SampleMemory(), options);
  LinkSession link(receiver.port(), Variant::J);
  ASSERT_TRUE(link.start().ok());
  const auto start = Clock::now();
  EXPECT_EQ(link.send("ZT~IM"), QByteArray());
  EXPECT_GE(Clock::now() - start, milliseconds(9900));
}

TEST(Transfers, CancelledReadChangesNothingAndCancelledWriteSaysHowFar) {
  Receiver receiver(SampleMemory());
  int asked = 0;
  TransferHooks hooks;
  hooks.cancelRequested = [&] { return ++asked > 40; };
  const TransferResult read = ReadAll(receiver.port(), Variant::J, StartupImage(), hooks);
  EXPECT_EQ(read.outcome, TransferResult::Outcome::Cancelled);
  EXPECT_FALSE(read.image.has_value());

  asked = 0;
  const TransferResult write =
      WriteSelectedRows(receiver.port(), Variant::J, testing::SampleImage(), 1, 100, hooks);
  EXPECT_EQ(write.outcome, TransferResult::Outcome::Cancelled);
  EXPECT_TRUE(write.message.contains("slots 1 to 40")) << write.message.toStdString();
  EXPECT_FALSE(receiver.port().isOpen());
}

TEST(Transfers, ResetIsSentWithoutWaitingAndClosesThePort) {
  const auto simulator = std::make_shared<ReceiverSimulator>(SampleMemory());
  auto pty = PtySimulator::Open(simulator);
  ASSERT_TRUE(pty.ok());
  (*pty)->start();
  SerialPort port((*pty)->devicePath());
  const auto start = Clock::now();
  ASSERT_TRUE(SendReset(port).ok());
  EXPECT_LT(Clock::now() - start, milliseconds(500));
  EXPECT_FALSE(port.isOpen());
  for (int i = 0; i < 100 && simulator->commandCount() == 0; ++i) {
    std::this_thread::sleep_for(milliseconds(10));
  }
  EXPECT_EQ(simulator->commandCount(), 1);
  (void)(*pty)->stop();
}

TEST(Transfers, PortThatCannotBeOpenedIsNamed) {
  SerialPort port("/dev/rqm27-no-such-port");
  const TransferResult result = ReadAll(port, Variant::J, StartupImage());
  EXPECT_EQ(result.outcome, TransferResult::Outcome::Failed);
  EXPECT_TRUE(result.message.contains("/dev/rqm27-no-such-port")) << result.message.toStdString();
  EXPECT_EQ(SerialDeviceName("COM1"), "/dev/ttyS0");
  EXPECT_EQ(SerialDeviceName("com16"), "/dev/ttyS15");
  EXPECT_EQ(SerialDeviceName("COM17"), "COM17");
}

}  // namespace
}  // namespace rqm27
