#include "link/command.h"

#include <algorithm>
#include <thread>

namespace rqm27 {

namespace {
constexpr char kInitialiseCommand[] = "ZT~IM";
const QByteArray kFrame("\r\n");
}  // namespace

std::chrono::milliseconds ReplyTimeout(const QByteArray& command) {
  return command == kInitialiseCommand ? std::chrono::milliseconds(10000)
                                       : std::chrono::milliseconds(1000);
}

QByteArray ReplyPayload(const QByteArray& received, qsizetype echoLength) {
  if (received.size() <= echoLength) return {};
  const QByteArray reply = received.mid(echoLength);
  // A lone CR LF opens and closes nothing: it is no reply.
  if (reply.size() < 4 || !reply.startsWith(kFrame) || !reply.endsWith(kFrame)) return {};
  return reply.mid(2, reply.size() - 4);
}

QByteArray SendCommand(Port& port, const QByteArray& command, LinkCounters* counters,
                       qsizetype expectedPayload) {
  const QByteArray line = command + '\r';
  const qsizetype echoLength = line.size();
  const QByteArray stale = port.readAvailable();
  if (counters) {
    counters->bytesReceived += stale.size();
    ++counters->commands;
  }
  if (!port.write(line)) return {};
  if (counters) counters->bytesSent += line.size();
  const Deadline deadline = std::chrono::steady_clock::now() + ReplyTimeout(command);

  QByteArray received;
  const qsizetype expectedSize = echoLength + 2 * kFrame.size() + expectedPayload;
  auto complete = [&] { return received.endsWith(kFrame) && received.size() > echoLength + 2; };
  while (!complete()) {
    if (!received.isEmpty() && received.size() < expectedSize) {
      const Deadline rest =
          std::chrono::steady_clock::now() + ByteTime * (expectedSize - received.size());
      std::this_thread::sleep_until(std::min(rest, deadline));
    }
    if (!port.waitForInput(deadline)) break;
    const QByteArray arrived = port.readAvailable();
    if (counters) counters->bytesReceived += arrived.size();
    received += arrived;
  }
  // One last look: a reply that completed just at the deadline still counts.
  if (!complete()) {
    const QByteArray late = port.readAvailable();
    if (counters) counters->bytesReceived += late.size();
    received += late;
  }
  return ReplyPayload(received, echoLength);
}

}  // namespace rqm27
