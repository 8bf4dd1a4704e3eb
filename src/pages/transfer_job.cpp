#include "pages/transfer_job.h"

namespace rqm27 {

std::function<Message(const TransferResult&)> PageReport(Message success, FailureIcon icon) {
  return [success = std::move(success), icon](const TransferResult& result) {
    switch (result.outcome) {
      case TransferResult::Outcome::Done:
        break;
      case TransferResult::Outcome::Failed:
        return Message{QStringLiteral(" Error"), QStringLiteral("Error"), result.message,
                       icon == FailureIcon::Stop ? MessageIcon::Critical : MessageIcon::None};
      case TransferResult::Outcome::Cancelled:
        return Message{QStringLiteral(" Cancelled"), QStringLiteral("Cancelled"),
                       result.message + u'.', MessageIcon::Information};
    }
    return success;
  };
}

}  // namespace rqm27
