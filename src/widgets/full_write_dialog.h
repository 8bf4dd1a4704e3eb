// The question before a full write: which receiver, what it replaces, how many channels, and
// the two choices that make it safe (a backup first, a read-back afterwards).
#pragma once

#include "widgets/user_dialogs.h"

#include <optional>

class QWidget;

namespace rqm27 {

// Shows the question modally; the choices as left when the user pressed Write, nothing for
// Cancel.
std::optional<FullWriteChoice> AskFullWrite(const FullWriteQuestion& question, QWidget* parent);

}  // namespace rqm27
