#include "app/transfer_runner.h"

#include <QThread>

#include <memory>
#include <optional>
#include <utility>

namespace rqm27 {

TransferRunner::TransferRunner(QObject* parent) : QObject(parent) {}

TransferRunner::~TransferRunner() {
  if (!thread_) return;
  cancelRequested_ = true;
  thread_->wait();
  delete thread_;
}

bool TransferRunner::start(Job job, FinishedHandler finished) {
  if (thread_) return false;
  cancelRequested_ = false;

  // The hooks run on the worker thread; what they report is posted to this object, so it
  // arrives in order and is dropped if this object goes away first.
  TransferHooks hooks;
  hooks.progress = [this](int value, int maximum) {
    QMetaObject::invokeMethod(
        this, [this, value, maximum] { emit progressChanged(value, maximum); },
        Qt::QueuedConnection);
  };
  hooks.waitingForReceiver = [this](bool waiting) {
    QMetaObject::invokeMethod(
        this, [this, waiting] { emit waitingChanged(waiting); }, Qt::QueuedConnection);
  };
  hooks.cancelRequested = [this] { return cancelRequested_.load(); };

  auto result = std::make_shared<std::optional<TransferResult>>();
  thread_ = QThread::create([job = std::move(job), hooks = std::move(hooks), result]() mutable {
    *result = job(hooks);
    // What the job holds (the port above all) is let go on the thread that used it.
    job = nullptr;
  });
  connect(thread_, &QThread::finished, this, [this, result, finished = std::move(finished)] {
    thread_->deleteLater();
    thread_ = nullptr;
    finished(std::move(result->value()));
  });
  thread_->start();
  return true;
}

void TransferRunner::cancel() {
  cancelRequested_ = true;
}

}  // namespace rqm27
