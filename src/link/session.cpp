#include "link/session.h"

#include <array>

namespace rqm27 {

namespace {

struct VariantEntry {
  Variant variant;
  const char* name;
  const char* identification;
};
constexpr std::array<VariantEntry, 4> kVariants = {{{Variant::J, "J", "ZT~RQ-M27"},
                                                    {Variant::E, "E", "ZT~RQ-M27E"},
                                                    {Variant::T, "T", "ZT~RQ-M27T"},
                                                    {Variant::K, "K", "ZT~RQ-M27K"}}};

const VariantEntry& EntryOf(Variant variant) {
  return kVariants[static_cast<std::size_t>(variant)];
}

}  // namespace

QByteArray IdentificationCommand(Variant variant) {
  return EntryOf(variant).identification;
}

QString VariantName(Variant variant) {
  return QString::fromLatin1(EntryOf(variant).name);
}

std::optional<Variant> VariantFromName(const QString& name) {
  const QString upper = name.trimmed().toUpper();
  if (upper == QLatin1StringView("E/EGR")) return Variant::E;
  for (const VariantEntry& entry : kVariants) {
    if (upper == QLatin1StringView(entry.name)) return entry.variant;
  }
  return std::nullopt;
}

Status LinkSession::start() {
  if (!port_.isOpen()) {
    if (Status opened = port_.open(); !opened) return opened;
  }
  const QByteArray command = IdentificationCommand(variant_);
  const QByteArray reply = send(command);
  if (reply == "OK") return Ok();
  if (reply.isEmpty()) {
    return Error{QStringLiteral("no reply from a receiver on port %1 to the identification %2")
                     .arg(port_.name(), QString::fromLatin1(command))};
  }
  return Error{QStringLiteral("the receiver on port %1 answered \"%2\" to the identification %3 "
                              "(is it the %4 variant?)")
                   .arg(port_.name(), QString::fromLatin1(reply.left(40)),
                        QString::fromLatin1(command), VariantName(variant_))};
}

void LinkSession::end() {
  if (port_.isOpen()) port_.close();
}

QByteArray LinkSession::send(const QByteArray& command, qsizetype expectedPayload) {
  return SendCommand(port_, command, &counters_, expectedPayload);
}

Status SendReset(Port& port) {
  const bool wasOpen = port.isOpen();
  if (!wasOpen) {
    if (Status opened = port.open(); !opened) return opened;
  }
  Status written = port.write(QByteArrayLiteral("ZT~RESET\r"));
  port.close();
  return written;
}

}  // namespace rqm27
