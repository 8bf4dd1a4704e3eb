// Every transfer sends, byte for byte, the commands it has always sent: the receiver may depend
// on their order and form. The logs' digests were taken from the program before its model and
// transfers were rebuilt.
#include "link/transfers.h"

#include "codec/memory_image.h"
#include "link/demo_memory.h"
#include "link/simulated_port.h"

#include <QCryptographicHash>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace rqm27 {
namespace {

// A port that keeps a copy of everything sent through it.
class RecordingPort : public Port {
 public:
  explicit RecordingPort(Port& inner) : inner_(inner) {}
  QString name() const override { return inner_.name(); }
  Status open() override { return inner_.open(); }
  void close() override { inner_.close(); }
  bool isOpen() const override { return inner_.isOpen(); }
  Status write(const QByteArray& bytes) override {
    sent += bytes;
    return inner_.write(bytes);
  }
  QByteArray readAvailable() override { return inner_.readAvailable(); }
  bool waitForInput(Deadline deadline) override { return inner_.waitForInput(deadline); }

  QByteArray sent;

 private:
  Port& inner_;
};

// The first 16 hexadecimal digits of the SHA-256 of each transfer's command log.
constexpr const char* kDigests =
    "ReadAll f3b6c3b11cfe9551\n"
    "WriteAll a3306f40b43fda98\n"
    "ReadRows 8b31da0b2f8c506b\n"
    "WriteRows c512733c29548f34\n"
    "Banks 5672e98834678da4\n"
    "OneTouch 00a603cf9dbb9a6d\n"
    "Settings 0ae0d40645bc3606\n"
    "ReadSettings f9680aeffce94ac9\n"
    "Groups 001b95f57713f019\n"
    "Icons a43deaa3bd775c13\n"
    "ReadIcons 91bf76edbb204f36";

// The variant each procedure talks to, so that every identification is on the wire once.
Variant VariantOf(const char* name) {
  const QString procedure = QString::fromLatin1(name);
  if (procedure == "ReadRows") return Variant::E;
  if (procedure == "WriteRows") return Variant::T;
  if (procedure == "Banks") return Variant::K;
  return Variant::J;
}

using Procedure = std::function<TransferResult(Port&, const CloneImage&)>;

TEST(WireLog, EveryTransferSendsTheCommandsItAlwaysSent) {
  // The demo receiver's memory and what a read of it gives, with the first slots changed so
  // that the writes have something of every kind to send.
  const QByteArray memory = DemoMemory();
  CloneImage image = *DecodeMemoryImage(memory);
  image.slot(2) = image.slot(1303);
  image.slot(3).used = false;
  image.title = NameFromText(u"WIRE");
  const std::pair<const char*, Procedure> procedures[] = {
      {"ReadAll", [](Port& p, const CloneImage& i) { return ReadAll(p, Variant::J, i); }},
      {"WriteAll", [](Port& p, const CloneImage& i) { return WriteAll(p, Variant::J, i); }},
      {"ReadRows",
       [](Port& p, const CloneImage& i) { return ReadSelectedRows(p, Variant::E, i, 1721, 1290); }},
      {"WriteRows",
       [](Port& p, const CloneImage& i) { return WriteSelectedRows(p, Variant::T, i, 1, 1310); }},
      {"Banks", [](Port& p, const CloneImage& i) { return WriteBanks(p, Variant::K, i); }},
      {"OneTouch",
       [](Port& p, const CloneImage& i) { return WriteOneTouchMemories(p, Variant::J, i); }},
      {"Settings", [](Port& p, const CloneImage& i) { return WriteSettings(p, Variant::J, i); }},
      {"ReadSettings", [](Port& p, const CloneImage& i) { return ReadSettings(p, Variant::J, i); }},
      {"Groups", [](Port& p, const CloneImage& i) { return WriteGroups(p, Variant::J, i); }},
      {"Icons", [](Port& p, const CloneImage& i) { return WriteAllIcons(p, Variant::J, i); }},
      {"ReadIcons", [](Port& p, const CloneImage& i) { return ReadAllIcons(p, Variant::J, i); }},
  };
  QStringList digests;
  for (const auto& [name, procedure] : procedures) {
    const QChar letter = VariantName(VariantOf(name)).front();
    SimulatedPort simulated(
        std::make_shared<ReceiverSimulator>(memory, SimulatorOptions{.variant = letter}));
    RecordingPort port(simulated);
    const TransferResult result = procedure(port, image);
    EXPECT_TRUE(result.done()) << name << ": " << result.message.toStdString();
    digests << QString::fromLatin1(name) + u' ' +
                   QString::fromLatin1(
                       QCryptographicHash::hash(port.sent, QCryptographicHash::Sha256)
                           .toHex()
                           .left(16));
  }
  EXPECT_EQ(digests.join(u'\n').toStdString(), std::string(kDigests));
}

}  // namespace
}  // namespace rqm27
