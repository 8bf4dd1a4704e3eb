// The transfers of the COMM menu and the Memory page's row buttons: which procedure each runs
// and how its outcome is reported.
#pragma once

#include "app/user_dialogs.h"
#include "link/port.h"
#include "link/session.h"
#include "link/transfers.h"
#include "model/clone_image.h"

namespace rqm27 {

enum class TransferKind { ReadAll, WriteAll, ReadRows, WriteRows };

struct TransferRequest {
  TransferKind kind = TransferKind::ReadAll;
  Variant variant = Variant::J;
  CloneImage image;
  // The selected rows, for the row transfers.
  int firstSlot = 1;
  int lastSlot = 1;
};

bool IsRead(TransferKind kind);

// Runs the request's procedure over the port (on the calling thread).
TransferResult RunTransfer(Port& port, const TransferRequest& request, const TransferHooks& hooks);

// The message box that reports a finished transfer.
Message TransferMessage(TransferKind kind, const TransferResult& result);

}  // namespace rqm27
