#include "link/receiver_simulator.h"

#include "codec/memory_image.h"

#include <QByteArrayView>

#include <optional>

namespace rqm27 {

namespace {

using std::chrono::milliseconds;
using std::chrono::nanoseconds;

constexpr int BlockReadSize = 64;
constexpr int AddressDigits = 5;
// The longest line the protocol uses is a 64-byte write (138 characters); anything much longer
// is answered "NG" without being kept.
constexpr qsizetype MaxLineLength = 1024;

std::optional<int> UpperHexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return std::nullopt;
}

std::optional<int> ParseAddress(QByteArrayView digits) {
  if (digits.size() != AddressDigits) return std::nullopt;
  int address = 0;
  for (char c : digits) {
    const auto digit = UpperHexDigit(c);
    if (!digit) return std::nullopt;
    address = address * 16 + *digit;
  }
  return address;
}

std::optional<QByteArray> ParseData(QByteArrayView hex) {
  if (hex.isEmpty() || hex.size() % 2 != 0) return std::nullopt;
  QByteArray bytes;
  bytes.reserve(hex.size() / 2);
  for (qsizetype i = 0; i < hex.size(); i += 2) {
    const auto high = UpperHexDigit(hex[i]);
    const auto low = UpperHexDigit(hex[i + 1]);
    if (!high || !low) return std::nullopt;
    bytes.append(static_cast<char>(*high * 16 + *low));
  }
  return bytes;
}

QByteArray Frame(const QByteArray& payload) {
  return "\r\n" + payload + "\r\n";
}

// The variant an identification line names, or nullopt when it names none.
std::optional<QChar> IdentifiedVariant(QByteArrayView line) {
  static constexpr QByteArrayView Prefix = "ZT~RQ-M27";
  if (!line.startsWith(Prefix)) return std::nullopt;
  const QByteArrayView suffix = line.sliced(Prefix.size());
  if (suffix.isEmpty()) return QChar('J');
  if (suffix == "E" || suffix == "T" || suffix == "K") return QChar(suffix[0]);
  return std::nullopt;
}

// With pacing, every byte becomes a piece of its own, due one character time after the one
// before; the times are taken from the running total so that rounding does not add up.
std::vector<OutputPiece> Pace(const std::vector<OutputPiece>& pieces, int baud) {
  std::vector<OutputPiece> paced;
  std::int64_t index = 0;
  const auto byteTime = [&](std::int64_t k) { return nanoseconds(k * 10'000'000'000LL / baud); };
  for (const OutputPiece& piece : pieces) {
    nanoseconds extra = piece.delay;
    for (char c : piece.bytes) {
      paced.push_back({extra + byteTime(index + 1) - byteTime(index), QByteArray(1, c)});
      extra = nanoseconds(0);
      ++index;
    }
  }
  return paced;
}

// Joins pieces that follow each other without a pause.
void Merge(std::vector<OutputPiece>& pieces) {
  std::vector<OutputPiece> merged;
  for (OutputPiece& piece : pieces) {
    if (piece.bytes.isEmpty()) continue;
    if (!merged.empty() && piece.delay == nanoseconds(0)) {
      merged.back().bytes += piece.bytes;
    } else {
      merged.push_back(std::move(piece));
    }
  }
  pieces = std::move(merged);
}

}  // namespace

ReceiverSimulator::ReceiverSimulator(QByteArray memory, SimulatorOptions options)
    : memory_(std::move(memory)), options_(options) {
  memory_.resize(MemoryImageSize, '\0');
}

std::vector<OutputPiece> ReceiverSimulator::feed(const QByteArray& input) {
  std::lock_guard lock(mutex_);
  std::vector<OutputPiece> out;
  QByteArray echo;
  for (char c : input) {
    if (closed_) break;
    const bool silent = options_.silentAfter >= 0 && commands_ >= options_.silentAfter;
    if (!silent) echo.append(c);
    if (c != '\r') {
      if (line_.size() < MaxLineLength) {
        line_.append(c);
      } else {
        lineTooLong_ = true;
      }
      continue;
    }
    ++commands_;
    const QByteArray line = lineTooLong_ ? QByteArray("?") : line_;
    line_.clear();
    lineTooLong_ = false;
    if (silent) continue;

    nanoseconds delay(0);
    QByteArray reply = answer(line, delay);
    if (commands_ == options_.garbleReply && !reply.isEmpty()) reply.chop(1);
    for (OutputPiece& piece : shape(echo, reply, delay)) out.push_back(std::move(piece));
    echo.clear();
    if (options_.closeAfter >= 0 && commands_ >= options_.closeAfter) closed_ = true;
  }
  if (!echo.isEmpty()) out.push_back({nanoseconds(0), echo});
  if (options_.baud > 0) out = Pace(out, options_.baud);
  Merge(out);
  return out;
}

std::vector<OutputPiece> ReceiverSimulator::shape(const QByteArray& echo, const QByteArray& reply,
                                                  nanoseconds replyDelay) const {
  std::vector<OutputPiece> pieces{{nanoseconds(0), echo}};
  const qsizetype size = options_.pieceBytes > 0 ? options_.pieceBytes : reply.size();
  for (qsizetype at = 0; at < reply.size(); at += size) {
    const nanoseconds delay = at == 0 ? replyDelay : milliseconds(options_.pieceDelayMs);
    pieces.push_back({delay, reply.mid(at, size)});
  }
  return pieces;
}

QByteArray ReceiverSimulator::answer(const QByteArray& line, nanoseconds& delay) {
  if (line == "ZT~IM") {
    memory_.replace(ChannelAreaStart, ChannelAreaEnd - ChannelAreaStart,
                    QByteArray(ChannelAreaEnd - ChannelAreaStart, '\0'));
    delay = milliseconds(options_.imDelayMs);
    return Frame("OK");
  }
  if (line == "ZT~RESET") return {};
  if (const auto variant = IdentifiedVariant(line)) {
    return Frame(*variant == options_.variant.toUpper() ? "OK" : "NG");
  }
  const QByteArrayView view(line);
  if (view.startsWith("ZT~F") && view.size() >= 10) {
    const auto address = ParseAddress(view.sliced(4, AddressDigits));
    const char operation = view[9];
    if (address && operation == 'R' && view.size() == 10) return Frame(blockRead(*address));
    if (address && operation == 'W') {
      if (const auto data = ParseData(view.sliced(10))) return Frame(blockWrite(*address, *data));
    }
  }
  return Frame("NG");
}

QByteArray ReceiverSimulator::blockRead(int address) const {
  QByteArray block = memory_.mid(address, BlockReadSize);
  block.resize(BlockReadSize, '\0');
  return block.toHex().toUpper();
}

QByteArray ReceiverSimulator::blockWrite(int address, const QByteArray& data) {
  const qsizetype end = address + data.size();
  if (end > MemoryImageSize) return "NG";
  if (options_.refuseWritesAt >= address && options_.refuseWritesAt < end) return "NG";
  memory_.replace(address, data.size(), data);
  return "OK";
}

QByteArray ReceiverSimulator::memory() const {
  std::lock_guard lock(mutex_);
  return memory_;
}

SimulatorOptions ReceiverSimulator::options() const {
  return options_;
}

int ReceiverSimulator::commandCount() const {
  std::lock_guard lock(mutex_);
  return commands_;
}

bool ReceiverSimulator::closed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

}  // namespace rqm27
