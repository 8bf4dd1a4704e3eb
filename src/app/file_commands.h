// The File menu's commands: each asks for a file name, calls one operation of files/ and tells
// the user how it went. A failure leaves the document as it was.
#pragma once

#include "document/document.h"
#include "widgets/user_dialogs.h"

#include <QString>
#include <QStringList>

namespace rqm27 {

enum class CommandOutcome { Cancelled, Failed, Done };

// Before unsaved changes would be lost: asks whether to save them and saves when asked to.
// False when the user cancelled, or the save did not happen.
bool SaveChangesFirst(Document& document, UserDialogs& dialogs);

// Open(&O): a clone file replaces the whole image.
CommandOutcome OpenCloneFile(Document& document, UserDialogs& dialogs);
// Save(&S): the whole image as a clone file.
CommandOutcome SaveCloneFile(Document& document, UserDialogs& dialogs);
// Import(&I): a channel list replaces slots 1-1700.
CommandOutcome ImportChannelList(Document& document, UserDialogs& dialogs);
// Export(&E): the channels as a channel list, with the labels the grid shows (slot n at n - 1).
CommandOutcome ExportChannelList(Document& document, const QStringList& rowLabels,
                                 UserDialogs& dialogs);

}  // namespace rqm27
