// A link session: the port opened, the receiver identified as the variant the user chose,
// then block transfers, then the port closed.
#pragma once

#include "link/command.h"
#include "link/port.h"
#include "model/result.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace rqm27 {

enum class Variant { J, E, T, K };

// "ZT~RQ-M27" for J, then the E, T and K variants' own suffixes.
QByteArray IdentificationCommand(Variant variant);

// The variant of a name as the user gives it: "J", "E", "E/EGR", "T", "K" (any case).
std::optional<Variant> VariantFromName(const QString& name);
QString VariantName(Variant variant);

class LinkSession {
 public:
  LinkSession(Port& port, Variant variant) : port_(port), variant_(variant) {}
  ~LinkSession() { end(); }
  LinkSession(const LinkSession&) = delete;
  LinkSession& operator=(const LinkSession&) = delete;

  // Opens the port and identifies the receiver; the error names the port or what the
  // receiver answered.
  Status start();
  // Closes the port (also when start failed).
  void end();

  // One command transaction (see SendCommand).
  QByteArray send(const QByteArray& command, qsizetype expectedPayload = 2);

  const LinkCounters& counters() const { return counters_; }

 private:
  Port& port_;
  Variant variant_;
  LinkCounters counters_;
};

// The reset command: "ZT~RESET" sent without waiting for anything; the port is opened for it
// when it is closed and closed afterwards.
Status SendReset(Port& port);

}  // namespace rqm27
