#include "link/receiver_simulator.h"

#include "codec/memory_image.h"
#include "link/demo_memory.h"
#include "model/hex_text.h"
#include "support/sample_image.h"

#include <QByteArrayList>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

using std::chrono::milliseconds;
using std::chrono::nanoseconds;

QByteArray Joined(const std::vector<OutputPiece>& pieces) {
  QByteArray all;
  for (const OutputPiece& piece : pieces) all += piece.bytes;
  return all;
}

QByteArray Exchange(ReceiverSimulator& simulator, const QByteArray& line) {
  return Joined(simulator.feed(line + "\r"));
}

QByteArray Framed(const QByteArray& line, const QByteArray& payload) {
  return line + "\r\r\n" + payload + "\r\n";
}

// Upper-case hexadecimal of a memory range, 00 beyond the end.
QByteArray HexOf(const QByteArray& memory, int address, int size) {
  QByteArray bytes = memory.mid(address, size);
  return (bytes + QByteArray(size - bytes.size(), '\0')).toHex().toUpper();
}

TEST(ReceiverSimulator, AnswersEachLineWithItsEchoAndAFramedPayload) {
  const QByteArray zeros(MemoryImageSize, '\0');
  ReceiverSimulator variantE(zeros, {.variant = 'E'});
  EXPECT_EQ(Exchange(variantE, "ZT~RQ-M27E"), Framed("ZT~RQ-M27E", "OK"));
  EXPECT_EQ(Exchange(variantE, "ZT~RESET"), "ZT~RESET\r");  // the echo only
  // Anything else is refused and changes nothing.
  QByteArrayList refused{
      "ZT~RQ-M27",   "ZT~RQ-M27EE", "",           "ZT~IMX",      "ZT~RESETX",    "ZT~F1200R",
      "ZT~F0120aR",  "ZT~F01200RX", "ZT~F01200W", "ZT~F01200W0", "ZT~F01200Wab", "ZT~F1FFFFW0000",
      "ZT~F20000W00"};
  refused << "ZT~F" + QByteArray(2000, 'A');
  for (const QByteArray& line : refused) {
    ReceiverSimulator simulator(zeros, {.variant = 'E'});
    EXPECT_EQ(Exchange(simulator, line), Framed(line, "NG")) << line.left(40).data();
    EXPECT_EQ(simulator.commandCount(), 1);
    EXPECT_EQ(simulator.memory(), zeros) << line.data();
  }

  // Bytes are echoed as they arrive; the answer comes at the carriage return.
  ReceiverSimulator simulator(QByteArray(MemoryImageSize, '\0'));
  EXPECT_EQ(Joined(simulator.feed("ZT~RQ")), "ZT~RQ");
  EXPECT_EQ(Joined(simulator.feed("-M27\rZT~RE")), "-M27\r\r\nOK\r\nZT~RE");
  EXPECT_EQ(simulator.commandCount(), 1);
}

TEST(ReceiverSimulator, ReadsAndWritesSixtyFourBytesAtATime) {
  const QByteArray original = testing::RandomMemory(8);
  for (int address : {0x00000, 0x1BAC0, 0x1FFE0, 0xFFFFF}) {
    ReceiverSimulator simulator(original);
    const QByteArray line = "ZT~F" + HexPad(address, 5).toLatin1() + "R";
    EXPECT_EQ(Exchange(simulator, line), Framed(line, HexOf(original, address, 64))) << line.data();
  }
  // The line, and where the memory then holds what bytes.
  const struct {
    QByteArray line;
    int address;
    QByteArray bytes;
  } cases[] = {{"ZT~F01200W0102030405060708", 0x1200, QByteArray::fromHex("0102030405060708")},
               {"ZT~F00000W" + QByteArray(128, 'F'), 0, QByteArray(64, '\xFF')},
               {"ZT~F1FFFEWCAFE", 0x1FFFE, QByteArray::fromHex("CAFE")}};
  for (const auto& c : cases) {
    ReceiverSimulator simulator(original);
    EXPECT_EQ(Exchange(simulator, c.line), Framed(c.line, "OK")) << c.line.data();
    QByteArray expected = original;
    expected.replace(c.address, c.bytes.size(), c.bytes);
    EXPECT_EQ(simulator.memory(), expected) << c.line.data();
  }
}

TEST(ReceiverSimulator, InitialisingClearsTheChannelAreaAndAnswersInPiecesAfterTheDelay) {
  const QByteArray original = testing::RandomMemory(10);
  ReceiverSimulator simulator(original, {.imDelayMs = 40, .pieceBytes = 4, .pieceDelayMs = 7});
  const std::vector<OutputPiece> expected{
      {nanoseconds(0), "ZT~IM\r"}, {milliseconds(40), "\r\nOK"}, {milliseconds(7), "\r\n"}};
  EXPECT_EQ(simulator.feed("ZT~IM\r"), expected);
  QByteArray cleared = original;
  cleared.replace(0x1200, 0x1BB00 - 0x1200, QByteArray(0x1BB00 - 0x1200, '\0'));
  EXPECT_EQ(simulator.memory(), cleared);
}

// The reply to the garbled line loses its closing LF; the lines before and after are whole.
TEST(ReceiverSimulator, GarblesOnlyTheGivenReply) {
  const QByteArray ok = Framed("ZT~RQ-M27", "OK");
  ReceiverSimulator simulator(QByteArray(MemoryImageSize, '\0'), {.garbleReply = 2});
  EXPECT_EQ(Joined(simulator.feed("ZT~RQ-M27\rZT~RQ-M27\rZT~RQ-M27\r")), ok + ok.chopped(1) + ok);
}

TEST(ReceiverSimulator, PacingMakesEveryByteAPieceOneCharacterTimeAfterTheLast) {
  for (int baud : {9600, 57600}) {
    ReceiverSimulator simulator(QByteArray(MemoryImageSize, '\0'), {.baud = baud, .imDelayMs = 5});
    const auto pieces = simulator.feed("ZT~IM\r");
    ASSERT_EQ(pieces.size(), 12u);
    nanoseconds total(0);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      EXPECT_EQ(pieces[i].bytes.size(), 1);
      const nanoseconds extra = i == 6 ? milliseconds(5) : nanoseconds(0);
      EXPECT_NEAR((pieces[i].delay - extra).count(), 1e10 / baud, 1.0) << baud << " " << i;
      total += pieces[i].delay;
    }
    // The running total does not drift: twelve characters of ten bits each, plus the delay.
    EXPECT_EQ(total, milliseconds(5) + nanoseconds(120'000'000'000LL / baud));
    EXPECT_EQ(Joined(pieces), Framed("ZT~IM", "OK"));
  }
}

TEST(DemoMemory, DecodesToTheDemoImageWithPresetsAndProtection) {
  const QByteArray memory = DemoMemory();
  const auto decoded = DecodeMemoryImage(memory);
  ASSERT_TRUE(decoded.ok()) << decoded.error().toStdString();
  const CloneImage demo = DemoImage();
  for (int slot = 1; slot <= LastTransferredSlot; ++slot)
    EXPECT_EQ(decoded->slot(slot), demo.slot(slot));
  EXPECT_TRUE(decoded->title == demo.title && decoded->icons == demo.icons);
  EXPECT_TRUE(decoded->banks == BankTable::Defaults() && decoded->settings == DefaultSettings());
  EXPECT_EQ(memory[0x1FE01], '\x01');
  // The fixed presets are in place although a full write never touches them.
  for (int slot = FirstPresetSlot; slot <= SlotCount; ++slot)
    EXPECT_EQ(memory[ChannelAddress(slot)], 1);
}

}  // namespace
}  // namespace rqm27
