#include "link/output_schedule.h"

#include <algorithm>

namespace rqm27 {

void OutputSchedule::add(const std::vector<OutputPiece>& pieces, Clock::time_point now) {
  Clock::time_point at = std::max(now, last_);
  for (const OutputPiece& piece : pieces) {
    at += std::chrono::duration_cast<Clock::duration>(piece.delay);
    queue_.push_back({at, piece.bytes});
  }
  last_ = at;
}

QByteArray OutputSchedule::takeDue(Clock::time_point now) {
  QByteArray bytes;
  while (!queue_.empty() && queue_.front().at <= now) {
    bytes += queue_.front().bytes;
    queue_.pop_front();
  }
  return bytes;
}

std::optional<OutputSchedule::Clock::time_point> OutputSchedule::nextDue() const {
  if (queue_.empty()) return std::nullopt;
  return queue_.front().at;
}

void OutputSchedule::clear() {
  queue_.clear();
  last_ = {};
}

}  // namespace rqm27
