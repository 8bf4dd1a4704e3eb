// A stand-in receiver: the protocol logic without any I/O or clock. Transports (the in-process
// port, the pseudo-terminal) feed it what the client sends and schedule what it returns.
//
// It holds a 131072-byte memory, echoes every byte as it arrives and answers each command line
// (ended by CR) with CR LF payload CR LF:
//
//   command                        payload
//   ZT~RQ-M27 / -M27E / -M27T / -M27K
//                                  "OK" for its own variant (J, E, T, K), "NG" for another
//   ZT~F aaaaa R                   the 64 bytes at address aaaaa (five upper-case hex digits)
//                                  as 128 upper-case hex characters; bytes past the end read 00
//   ZT~F aaaaa W dd...             stores the bytes (an even, non-zero number of upper-case hex
//                                  digits that fit in memory) and answers "OK"
//   ZT~IM                          clears the channel area 01200-1BAFF, answers "OK" after the
//                                  configured delay
//   ZT~RESET                       no answer (the echo only)
//   anything else                  "NG"
//
// Fault options (SimulatorOptions), counted in command lines (1 = the first line received):
//   silentAfter N      lines after the Nth are neither echoed nor answered
//   refuseWritesAt A   a block write that covers address A answers "NG" and stores nothing
//   garbleReply N      the reply to the Nth line loses its closing LF, so it never completes
//   pieceBytes K,      the reply frame (not the echo) comes in pieces of K bytes with a pause
//   pieceDelayMs P     of P ms before each piece after the first
//   closeAfter N       after answering the Nth line the receiver closes the port: further
//                      bytes are ignored and transports close their end
//
// Pacing: with baud > 0 every output byte is a piece of its own, due 10 / baud seconds after
// the byte before it (ten bits a byte).
//
// Thread-safety: every member function locks the simulator, so a desktop session may feed it
// from a worker thread while another thread looks at its memory.
#pragma once

#include <QByteArray>
#include <QChar>

#include <chrono>
#include <mutex>
#include <vector>

namespace rqm27 {

struct SimulatorOptions {
  QChar variant = 'J';
  int baud = 0;  // 0: unpaced
  int imDelayMs = 0;
  int silentAfter = -1;
  int refuseWritesAt = -1;
  int garbleReply = -1;
  int pieceBytes = 0;  // 0: the reply in one piece
  int pieceDelayMs = 0;
  int closeAfter = -1;
};

// Output bytes and how long after the previous piece (or after the input that caused them,
// for the first piece) they are due.
struct OutputPiece {
  std::chrono::nanoseconds delay{0};
  QByteArray bytes;

  bool operator==(const OutputPiece&) const = default;
};

class ReceiverSimulator {
 public:
  // Memory that is not 131072 bytes long is cut or padded with zeros to that size.
  explicit ReceiverSimulator(QByteArray memory, SimulatorOptions options = {});

  // Takes bytes the client sent; returns what the receiver sends back, in order.
  std::vector<OutputPiece> feed(const QByteArray& input);

  QByteArray memory() const;
  SimulatorOptions options() const;
  // Command lines received so far (those ignored after falling silent included).
  int commandCount() const;
  // True once the receiver has closed the port (closeAfter).
  bool closed() const;

 private:
  QByteArray answer(const QByteArray& line, std::chrono::nanoseconds& delay);
  QByteArray blockRead(int address) const;
  QByteArray blockWrite(int address, const QByteArray& data);
  std::vector<OutputPiece> shape(const QByteArray& echo, const QByteArray& reply,
                                 std::chrono::nanoseconds replyDelay) const;

  mutable std::mutex mutex_;
  QByteArray memory_;
  const SimulatorOptions options_;
  QByteArray line_;
  bool lineTooLong_ = false;
  int commands_ = 0;
  bool closed_ = false;
};

}  // namespace rqm27
