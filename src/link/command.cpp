#include "link/command.h"

#include <algorithm>
#include <thread>

namespace rqm27 {

namespace {

constexpr char kInitialiseCommand[] = "ZT~IM";
const QByteArray kFrame("\r\n");

// What has come in since the last look, counted as received.
QByteArray Take(Port& port, LinkCounters* counters) {
  QByteArray bytes = port.readAvailable();
  if (counters) counters->bytesReceived += bytes.size();
  return bytes;
}

// Sleeps while `missing` more bytes are on their way, until one byte time before the last of
// them can have arrived at the line's pace, so that the wait for input that follows takes the
// last byte as it arrives: sleeping to the very end would add the sleep's own lateness (timer
// slack, scheduling) to every command.
void SleepWhileArriving(qsizetype missing, Deadline deadline) {
  if (missing <= 1) return;
  const Deadline rest = std::chrono::steady_clock::now() + ByteTime * (missing - 1);
  std::this_thread::sleep_until(std::min(rest, deadline));
}

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
  Take(port, counters);  // stale input
  if (counters) ++counters->commands;
  if (!port.write(line)) return {};
  if (counters) counters->bytesSent += line.size();
  const Deadline deadline = std::chrono::steady_clock::now() + ReplyTimeout(command);

  QByteArray received;
  const qsizetype expectedSize = echoLength + 2 * kFrame.size() + expectedPayload;
  auto complete = [&] { return received.endsWith(kFrame) && received.size() > echoLength + 2; };
  while (!complete() && port.waitForInput(deadline)) {
    received += Take(port, counters);
    if (!complete()) SleepWhileArriving(expectedSize - received.size(), deadline);
  }
  // One last look: a reply that completed just at the deadline still counts.
  if (!complete()) received += Take(port, counters);
  return ReplyPayload(received, echoLength);
}

}  // namespace rqm27
