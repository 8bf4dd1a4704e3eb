// The transfers of the COMM menu and the Memory page's row buttons as jobs for the window: which
// procedure each runs, what a read becomes in the document and how the outcome is reported.
#pragma once

#include "link/port.h"
#include "link/session.h"
#include "link/transfers.h"
#include "model/clone_image.h"
#include "pages/transfer_job.h"
#include "widgets/user_dialogs.h"

namespace rqm27 {

enum class TransferKind { ReadAll, WriteAll, ReadRows, WriteRows };

// How a full write runs: a backup read first, the image check, a read-back afterwards.
struct FullWriteOptions {
  // Where the receiver's memory is saved (as a .bin) before anything is written; empty for
  // no backup.
  QString backupPath;
  bool verify = false;
  ImageCheck check = ImageCheck::Refuse;
};

struct TransferRequest {
  TransferKind kind = TransferKind::ReadAll;
  // The selected rows, for the row transfers.
  int firstSlot = 1;
  int lastSlot = 1;
  FullWriteOptions fullWrite;
};

bool IsRead(TransferKind kind);

// Runs the request's procedure with the image over the port (on the calling thread).
TransferResult RunTransfer(Port& port, Variant variant, const CloneImage& image,
                           const TransferRequest& request, const TransferHooks& hooks);

// The message box that reports a finished transfer; a full write's says what the receiver holds
// when it stopped, and where the backup is.
Message TransferMessage(const TransferRequest& request, const TransferResult& result);

// The request as a job for the window: a read replaces the image as one step ("Read all",
// "Read 3 channels"); Cancel asks first during a full write.
TransferJob JobFor(const TransferRequest& request);

}  // namespace rqm27
