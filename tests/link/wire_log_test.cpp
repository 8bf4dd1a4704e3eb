// Every transfer sends, byte for byte, the commands it has always sent: the receiver may depend
// on their order and form. The logs' digests were taken from the program before its model and
// transfers were rebuilt.
#include "link/transfers.h"

#include "codec/memory_image.h"
#include "link/demo_memory.h"
#include "link/simulated_port.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace rqm27 {
namespace {

// The simulated receiver, keeping a copy of everything sent to it.
class RecordingPort : public SimulatedPort {
 public:
  using SimulatedPort::SimulatedPort;
  Status write(const QByteArray& bytes) override {
    sent += bytes;
    return SimulatedPort::write(bytes);
  }
  QByteArray sent;
};

// A procedure on a whole area, run without hooks.
template <auto Procedure>
TransferResult Whole(Port& port, Variant variant, const CloneImage& image) {
  return Procedure(port, variant, image, {});
}

TEST(WireLog, EveryTransferSendsTheCommandsItAlwaysSent) {
  // The demo receiver's memory and what a read of it gives, with the first slots changed so
  // that the writes have something of every kind to send.
  const QByteArray memory = DemoMemory();
  CloneImage image = *DecodeMemoryImage(memory);
  image.slot(2) = image.slot(1303);
  image.slot(3).used = false;
  image.title = NameFromText(u"WIRE");
  // Each procedure talks to a receiver of its own variant, so that every identification is on
  // the wire once.
  const struct {
    const char* name;
    const char* digest;  // the first 16 hexadecimal digits of the SHA-256 of the command log
    Variant variant;
    std::function<TransferResult(Port&, Variant, const CloneImage&)> run;
  } procedures[] = {
      {"ReadAll", "f3b6c3b11cfe9551", Variant::J, Whole<ReadAll>},
      {"WriteAll", "a3306f40b43fda98", Variant::J,
       [](Port& p, Variant v, const CloneImage& i) { return WriteAll(p, v, i); }},
      {"ReadRows", "8b31da0b2f8c506b", Variant::E,
       [](Port& p, Variant v, const CloneImage& i) {
         return ReadSelectedRows(p, v, i, 1721, 1290);
       }},
      {"WriteRows", "c512733c29548f34", Variant::T,
       [](Port& p, Variant v, const CloneImage& i) { return WriteSelectedRows(p, v, i, 1, 1310); }},
      {"Banks", "5672e98834678da4", Variant::K, Whole<WriteBanks>},
      {"OneTouch", "00a603cf9dbb9a6d", Variant::J, Whole<WriteOneTouchMemories>},
      {"Settings", "0ae0d40645bc3606", Variant::J, Whole<WriteSettings>},
      {"ReadSettings", "f9680aeffce94ac9", Variant::J, Whole<ReadSettings>},
      {"Groups", "001b95f57713f019", Variant::J, Whole<WriteGroups>},
      {"Icons", "a43deaa3bd775c13", Variant::J, Whole<WriteAllIcons>},
      {"ReadIcons", "91bf76edbb204f36", Variant::J, Whole<ReadAllIcons>},
  };
  for (const auto& [name, digest, variant, procedure] : procedures) {
    RecordingPort port(std::make_shared<ReceiverSimulator>(
        memory, SimulatorOptions{.variant = VariantName(variant).front()}));
    const TransferResult result = procedure(port, variant, image);
    EXPECT_TRUE(result.done()) << name << ": " << result.message.toStdString();
    EXPECT_EQ(QCryptographicHash::hash(port.sent, QCryptographicHash::Sha256).toHex().left(16),
              digest)
        << name;
  }
}

}  // namespace
}  // namespace rqm27
