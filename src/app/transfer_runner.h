// Runs one transfer procedure at a time on a worker thread. Progress and the receiver's
// waiting state come back to this object's thread as queued calls, and so does the result.
// Cancelling asks the procedure to stop at its next block.
#pragma once

#include "link/transfers.h"

#include <QObject>

#include <atomic>
#include <functional>

class QThread;

namespace rqm27 {

class TransferRunner : public QObject {
  Q_OBJECT

 public:
  using Job = std::function<TransferResult(const TransferHooks& hooks)>;
  using FinishedHandler = std::function<void(TransferResult result)>;

  explicit TransferRunner(QObject* parent = nullptr);
  // Cancels a transfer still running and waits for its thread.
  ~TransferRunner() override;

  bool isRunning() const { return thread_ != nullptr; }

  // Starts the job unless one is running; `finished` is called on this object's thread with
  // the job's result, after every progress report.
  bool start(Job job, FinishedHandler finished);
  void cancel();

 signals:
  void progressChanged(int value, int maximum);
  void waitingChanged(bool waiting);

 private:
  QThread* thread_ = nullptr;
  std::atomic<bool> cancelRequested_{false};
};

}  // namespace rqm27
