// A transfer as the window runs it, whoever asked for it (a COMM command, a row button, a
// page's Read or Write): the procedure, what a read changes in the image, and the message that
// reports the outcome. The window runs every job the same way: locked, the progress bar
// moving, a read put into the document as one undoable step.
#pragma once

#include "link/transfers.h"
#include "model/clone_image.h"
#include "widgets/user_dialogs.h"

#include <QString>

#include <functional>

namespace rqm27 {

using TransferProcedure =
    std::function<TransferResult(Port&, Variant, const CloneImage&, const TransferHooks&)>;

struct TransferJob {
  // Runs on a worker thread with a copy of the image.
  TransferProcedure procedure = {};
  // For a read: takes what was read from the transfer's image into the window's image, as the
  // undoable step `stepText`; it is called only when the transfer succeeded. Empty for a write.
  std::function<void(CloneImage& image, const CloneImage& read)> apply = {};
  QString stepText = QStringLiteral("Read from the receiver");
  // The message that reports the outcome.
  std::function<Message(const TransferResult&)> report = {};
  // Whether the grid's row labels follow the bank table at once when the read has been applied
  // (a read of the bank table); otherwise they follow it when the Memory page is next shown.
  bool relabelsRows = false;
  // Whether Cancel asks first (a full write, which would leave the receiver part-written).
  bool asksBeforeStopping = false;
};

enum class FailureIcon { Stop, None };

// The report of a page's transfer: `success` when done, the failure with the stop icon (or
// none, as the bank table's commands show), or the cancel.
std::function<Message(const TransferResult&)> PageReport(Message success,
                                                         FailureIcon icon = FailureIcon::Stop);

}  // namespace rqm27
