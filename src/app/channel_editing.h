// Editing channels through the detail dialog: the row a request opens, the dialog filled from
// the image, its result put back, and with navigation the channel before or after opened next.
#pragma once

#include "document/document.h"
#include "widgets/user_dialogs.h"

#include <QStringList>

#include <functional>

namespace rqm27 {

struct ChannelEditingViews {
  // The labels the grid shows, slot n at n - 1; the dialog's captions use them.
  QStringList rowLabels;
  // Before the dialog opens on a row (for a pair, its MAIN row).
  std::function<void(int row)> opening;
};

// Opens the dialog for a request on `slot`; nothing opens for the fixed presets. With
// `navigate` (a double-click) the dialog's PREV and NEXT open the neighbouring channel; with
// Enter they only confirm. Each confirmed dialog is one undoable step of the document. Returns
// whether the image changed.
bool EditChannels(Document& document, int slot, bool navigate, bool railwaysVisible,
                  UserDialogs& dialogs, const ChannelEditingViews& views);

}  // namespace rqm27
