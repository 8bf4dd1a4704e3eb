// The simulator's output on a clock: pieces become due one after the other, each its delay
// after the piece before it, and never before the previous output has gone out. Both ends of
// the simulator (the in-process port and the pseudo-terminal) deliver through one of these.
#pragma once

#include "link/receiver_simulator.h"

#include <QByteArray>

#include <chrono>
#include <deque>
#include <optional>
#include <vector>

namespace rqm27 {

class OutputSchedule {
 public:
  using Clock = std::chrono::steady_clock;

  // Queues pieces produced by input that arrived at `now`.
  void add(const std::vector<OutputPiece>& pieces, Clock::time_point now);

  // Removes and returns the bytes due at `now`.
  QByteArray takeDue(Clock::time_point now);

  // When the next queued byte is due; nullopt when nothing is queued.
  std::optional<Clock::time_point> nextDue() const;

  bool empty() const { return queue_.empty(); }
  void clear();

 private:
  struct Due {
    Clock::time_point at;
    QByteArray bytes;
  };
  std::deque<Due> queue_;
  Clock::time_point last_{};
};

}  // namespace rqm27
