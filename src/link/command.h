// One command transaction with the receiver. The receiver echoes the command line with its
// CR, then answers CR LF payload CR LF:
//
//   sent:      Z T ~ F 0 0 0 0 0 R CR
//   received:  Z T ~ F 0 0 0 0 0 R CR  CR LF  <128 hexadecimal characters>  CR LF
//
// The payload is "OK" for an accepted write or identification and 128 hexadecimal
// characters for a block read. "ZT~IM" (memory initialisation) may take up to 10 s to be
// answered; every other command 1 s.
#pragma once

#include "link/port.h"

#include <QByteArray>

#include <chrono>

namespace rqm27 {

// Bytes that crossed the link, for statistics.
struct LinkCounters {
  qint64 bytesSent = 0;
  qint64 bytesReceived = 0;
  qint64 commands = 0;
};

// How long the receiver may take to answer a command.
std::chrono::milliseconds ReplyTimeout(const QByteArray& command);

// The time one byte takes on the line: ten bits at 57600 baud (173.6 us).
inline constexpr std::chrono::nanoseconds ByteTime(10'000'000'000LL / 57600);

// Sends one command line (without its CR) and returns the reply payload, or an empty text
// when no valid reply came in time: nothing beyond the echo, a reply not framed by CR LF on
// both sides, or a lone CR LF. Input that was waiting before the command is discarded.
// The thread sleeps while the receiver is silent. Whenever part of a reply has arrived, it
// sleeps until one byte time before the rest of the echo and a reply of the expected payload
// size can have arrived at the line's pace, then waits for the rest as it comes: it neither
// wakes for every byte nor sleeps past the end of the reply. The port must be open.
QByteArray SendCommand(Port& port, const QByteArray& command, LinkCounters* counters = nullptr,
                       qsizetype expectedPayload = 2);

// Judges what arrived after a command of echoLength characters (CR included): the payload,
// or an empty text.
QByteArray ReplyPayload(const QByteArray& received, qsizetype echoLength);

}  // namespace rqm27
