#include "app/transfer_commands.h"

namespace rqm27 {

bool IsRead(TransferKind kind) {
  return kind == TransferKind::ReadAll || kind == TransferKind::ReadRows;
}

TransferResult RunTransfer(Port& port, const TransferRequest& request, const TransferHooks& hooks) {
  switch (request.kind) {
    case TransferKind::ReadAll:
      return ReadAll(port, request.variant, request.image, hooks);
    case TransferKind::WriteAll:
      return WriteAll(port, request.variant, request.image, hooks);
    case TransferKind::ReadRows:
      return ReadSelectedRows(port, request.variant, request.image, request.firstSlot,
                              request.lastSlot, hooks);
    case TransferKind::WriteRows:
      return WriteSelectedRows(port, request.variant, request.image, request.firstSlot,
                               request.lastSlot, hooks);
  }
  return {};
}

Message TransferMessage(TransferKind kind, const TransferResult& result) {
  switch (result.outcome) {
    case TransferResult::Outcome::Done:
      break;
    case TransferResult::Outcome::Failed:
      return {QStringLiteral(" Error"), QStringLiteral("Error"), result.message,
              MessageIcon::Critical};
    case TransferResult::Outcome::Cancelled:
      return {QStringLiteral(" Cancelled"), QStringLiteral("Cancelled"),
              IsRead(kind) ? result.message + QStringLiteral(". Nothing has been changed.")
                           : result.message + u'.',
              MessageIcon::Information};
  }
  switch (kind) {
    case TransferKind::ReadAll:
      return Notice(QStringLiteral(" Finish"), QStringLiteral("Success ALL DATA READ"));
    case TransferKind::WriteAll:
      return Notice(QStringLiteral(" Finish"), QStringLiteral("Success ALL DATA WRITE"));
    case TransferKind::ReadRows:
    case TransferKind::WriteRows:
      break;
  }
  return Notice(QStringLiteral("Complete"), QStringLiteral("Complete"));
}

}  // namespace rqm27
