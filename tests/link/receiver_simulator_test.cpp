#include "link/receiver_simulator.h"

#include "codec/memory_image.h"
#include "link/demo_memory.h"
#include "model/hex_text.h"
#include "support/sample_image.h"

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

// What the receiver sends back for one command line.
QByteArray Exchange(ReceiverSimulator& simulator, const QByteArray& line) {
  return Joined(simulator.feed(line + "\r"));
}

QByteArray Framed(const QByteArray& line, const QByteArray& payload) {
  return line + "\r\r\n" + payload + "\r\n";
}

// Upper-case hexadecimal of a memory range, byte by byte, 00 beyond the end.
QByteArray HexOf(const QByteArray& memory, int address, int size) {
  QByteArray hex;
  for (int a = address; a < address + size; ++a) {
    const int byte = a < memory.size() ? static_cast<unsigned char>(memory[a]) : 0;
    hex += QByteArray::number(byte, 16).toUpper().rightJustified(2, '0');
  }
  return hex;
}

TEST(ReceiverSimulator, AnswersEachLineWithItsEchoAndAFramedPayload) {
  struct Case {
    char variant;
    QByteArray line;
    QByteArray reply;  // empty: the echo only
  };
  const Case cases[] = {
      {'J', "ZT~RQ-M27", "OK"},
      {'J', "ZT~RQ-M27E", "NG"},
      {'E', "ZT~RQ-M27E", "OK"},
      {'E', "ZT~RQ-M27", "NG"},
      {'T', "ZT~RQ-M27T", "OK"},
      {'K', "ZT~RQ-M27K", "OK"},
      {'J', "ZT~RQ-M27EE", "NG"},
      {'J', "ZT~RESET", ""},
      {'J', "", "NG"},
      {'J', "HELLO", "NG"},
      {'J', "ZT~IMX", "NG"},
      {'J', "ZT~RESETX", "NG"},
      {'J', "ZT~F1200R", "NG"},
      {'J', "ZT~F0120aR", "NG"},
      {'J', "ZT~F01200r", "NG"},
      {'J', "ZT~F01200RX", "NG"},
      {'J', "ZT~F01200W", "NG"},
      {'J', "ZT~F01200W0", "NG"},
      {'J', "ZT~F01200Wab", "NG"},
      {'J', "ZT~F01200W00\n", "NG"},
      {'J', "ZT~F1FFFFW0000", "NG"},
      {'J', "ZT~F" + QByteArray(2000, 'A'), "NG"},
  };
  for (const Case& c : cases) {
    ReceiverSimulator simulator(QByteArray(MemoryImageSize, '\0'), {.variant = c.variant});
    const QByteArray expected = c.reply.isEmpty() ? c.line + "\r" : Framed(c.line, c.reply);
    EXPECT_EQ(Exchange(simulator, c.line), expected) << c.variant << " " << c.line.left(40).data();
    EXPECT_EQ(simulator.commandCount(), 1);
    EXPECT_EQ(simulator.memory(), QByteArray(MemoryImageSize, '\0')) << c.line.data();
  }
}

TEST(ReceiverSimulator, EchoesBytesAsTheyArriveAndAnswersAtTheCarriageReturn) {
  ReceiverSimulator simulator(QByteArray(MemoryImageSize, '\0'));
  EXPECT_EQ(Joined(simulator.feed("ZT~RQ")), "ZT~RQ");
  EXPECT_EQ(simulator.commandCount(), 0);
  EXPECT_EQ(Joined(simulator.feed("-M27\rZT~RE")), "-M27\r\r\nOK\r\nZT~RE");
  EXPECT_EQ(Joined(simulator.feed("SET\rX\r")), "SET\rX\r\r\nNG\r\n");
  EXPECT_EQ(simulator.commandCount(), 3);
}

TEST(ReceiverSimulator, ReadsSixtyFourBytesWithZerosPastTheEnd) {
  QByteArray memory = testing::RandomMemory(7);
  memory.replace(0x1FFC0, 64, QByteArray(64, '\0'));
  memory[0x1FFFF] = static_cast<char>(0xAB);
  ReceiverSimulator simulator(memory);
  for (int address : {0x00000, 0x00040, 0x01200, 0x1BAC0, 0x1FFC0, 0x1FFE0, 0x20000, 0xFFFFF}) {
    const QByteArray line = "ZT~F" + HexPad(address, 5).toLatin1() + "R";
    EXPECT_EQ(Exchange(simulator, line), Framed(line, HexOf(memory, address, 64))) << line.data();
  }
  EXPECT_EQ(Exchange(simulator, "ZT~F1FFE0R"),
            Framed("ZT~F1FFE0R", QByteArray(62, '0') + "AB" + QByteArray(64, '0')));
}

TEST(ReceiverSimulator, WritesTheBytesThatFitAndRefusesTheRest) {
  const QByteArray original = testing::RandomMemory(8);
  struct Case {
    QByteArray line;
    QByteArray reply;
    int address;
    QByteArray bytes;  // what the memory holds there afterwards
  };
  const Case cases[] = {
      {"ZT~F01200W0102030405060708", "OK", 0x1200, QByteArray::fromHex("0102030405060708")},
      {"ZT~F00000W" + QByteArray(128, 'F'), "OK", 0, QByteArray(64, '\xFF')},
      {"ZT~F1FFFEWCAFE", "OK", 0x1FFFE, QByteArray::fromHex("CAFE")},
      {"ZT~F1FFFFWAB", "OK", 0x1FFFF, QByteArray::fromHex("AB")},
      {"ZT~F1FFFEWCAFE00", "NG", 0x1FFFE, original.mid(0x1FFFE)},
      {"ZT~F20000W00", "NG", 0x1FFFF, original.mid(0x1FFFF)},
  };
  for (const Case& c : cases) {
    ReceiverSimulator simulator(original);
    EXPECT_EQ(Exchange(simulator, c.line), Framed(c.line, c.reply)) << c.line.data();
    QByteArray expected = original;
    expected.replace(c.address, c.bytes.size(), c.bytes);
    EXPECT_EQ(simulator.memory(), expected) << c.line.data();
  }

  // What was written reads back.
  ReceiverSimulator simulator(original);
  const QByteArray record = HexOf(testing::RandomMemory(9), 0, 64);
  ASSERT_EQ(Exchange(simulator, "ZT~F15700W" + record), Framed("ZT~F15700W" + record, "OK"));
  EXPECT_EQ(Exchange(simulator, "ZT~F15700R"), Framed("ZT~F15700R", record));
}

TEST(ReceiverSimulator, InitialisingClearsExactlyTheChannelAreaAndAnswersAfterTheDelay) {
  const QByteArray original = testing::RandomMemory(10);
  ReceiverSimulator simulator(original, {.imDelayMs = 250});
  const auto pieces = simulator.feed("ZT~IM\r");
  const std::vector<OutputPiece> expected{{nanoseconds(0), "ZT~IM\r"},
                                          {milliseconds(250), "\r\nOK\r\n"}};
  EXPECT_EQ(pieces, expected);
  QByteArray cleared = original;
  cleared.replace(0x1200, 0x1BB00 - 0x1200, QByteArray(0x1BB00 - 0x1200, '\0'));
  EXPECT_EQ(simulator.memory(), cleared);
}

TEST(ReceiverSimulator, RefusesWritesThatCoverTheGivenAddress) {
  const QByteArray zeros(MemoryImageSize, '\0');
  struct Case {
    QByteArray line;
    QByteArray reply;
  };
  const Case cases[] = {
      {"ZT~F01200W" + QByteArray(128, '1'), "NG"},  // 01200-0123F covers 01210
      {"ZT~F01210W11", "NG"},
      {"ZT~F01240W" + QByteArray(128, '1'), "OK"},
      {"ZT~F011F0W" + QByteArray(64, '1'), "OK"},  // 011F0-0120F
      {"ZT~F011F0W" + QByteArray(66, '1'), "NG"},  // 011F0-01210
      {"ZT~F01210R", HexOf(zeros, 0x1210, 64)},
  };
  for (const Case& c : cases) {
    ReceiverSimulator simulator(zeros, {.refuseWritesAt = 0x1210});
    EXPECT_EQ(Exchange(simulator, c.line), Framed(c.line, c.reply)) << c.line.data();
    EXPECT_EQ(simulator.memory()[0x1210], '\0') << c.line.data();
    if (c.reply == "NG") {
      EXPECT_EQ(simulator.memory(), zeros) << c.line.data();
    }
  }
}

TEST(ReceiverSimulator, SilenceGarblingAndClosingStartAtTheirCommand) {
  const QByteArray id = "ZT~RQ-M27\r";
  const QByteArray ok = Framed("ZT~RQ-M27", "OK");
  const QByteArray written = Framed("ZT~F00000W01", "OK");
  struct Case {
    const char* name;
    SimulatorOptions options;
    QByteArray output;
    int commands;
    bool closed;
  };
  const Case cases[] = {
      {"silent after 2", {.silentAfter = 2}, ok + ok, 5, false},
      {"garble reply 2", {.garbleReply = 2}, ok + ok.chopped(1) + ok + ok + written, 5, false},
      {"close after 3", {.closeAfter = 3}, ok + ok + ok, 3, true},
  };
  for (const Case& c : cases) {
    ReceiverSimulator simulator(QByteArray(MemoryImageSize, '\0'), c.options);
    const QByteArray first = Joined(simulator.feed(id + id + id));
    EXPECT_EQ(first + Joined(simulator.feed(id + "ZT~F00000W01\r")), c.output) << c.name;
    EXPECT_EQ(simulator.closed(), c.closed) << c.name;
    EXPECT_EQ(simulator.commandCount(), c.commands) << c.name;
    // The write lands only when it is answered.
    EXPECT_EQ(simulator.memory()[0], c.output.endsWith(written) ? '\x01' : '\0') << c.name;
  }
}

TEST(ReceiverSimulator, DeliversTheReplyInPiecesWithPauses) {
  ReceiverSimulator simulator(QByteArray(MemoryImageSize, '\0'),
                              {.imDelayMs = 40, .pieceBytes = 4, .pieceDelayMs = 7});
  const std::vector<OutputPiece> identification{{nanoseconds(0), "ZT~RQ-M27\r\r\nOK"},
                                                {milliseconds(7), "\r\n"}};
  EXPECT_EQ(simulator.feed("ZT~RQ-M27\r"), identification);
  const std::vector<OutputPiece> initialise{
      {nanoseconds(0), "ZT~IM\r"}, {milliseconds(40), "\r\nOK"}, {milliseconds(7), "\r\n"}};
  EXPECT_EQ(simulator.feed("ZT~IM\r"), initialise);
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
  ASSERT_EQ(memory.size(), MemoryImageSize);
  const auto decoded = DecodeMemoryImage(memory);
  ASSERT_TRUE(decoded.ok()) << decoded.error().toStdString();
  const CloneImage demo = DemoImage();
  for (int slot = 1; slot <= LastTransferredSlot; ++slot) {
    EXPECT_EQ(decoded->slot(slot), demo.slot(slot)) << "slot " << slot;
  }
  EXPECT_EQ(decoded->title, demo.title);
  EXPECT_EQ(decoded->icons, demo.icons);
  EXPECT_EQ(decoded->banks, BankTable::Defaults());
  EXPECT_EQ(decoded->settings, DefaultSettings());
  EXPECT_EQ(memory[0x1FE01], '\x01');

  EXPECT_EQ(decoded->slot(2).cell(NameColumn), QString::fromUtf8("羽田タワー"));

  // The fixed presets are in place although a full write never touches them.
  for (int slot = FirstPresetSlot; slot <= SlotCount; ++slot) {
    EXPECT_EQ(memory[ChannelAddress(slot)], '\x01') << slot;
  }
}

}  // namespace
}  // namespace rqm27
