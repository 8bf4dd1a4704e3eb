// What the Bank, Setting and Set mode pages and the side windows (bank-link groups, icon
// editor) need of the main window that hosts them. The window owns the one image; a page shows
// it, edits it through editImage (one undoable step each) and starts its transfers through
// startTransfer. After every change of the image the window calls showImage() on every page, so
// a page never keeps data of its own.
#pragma once

#include "model/clone_image.h"
#include "pages/transfer_job.h"
#include "widgets/user_dialogs.h"

#include <functional>

class QWidget;

namespace rqm27 {

class PageHost {
 public:
  virtual ~PageHost() = default;

  virtual const CloneImage& image() const = 0;
  // Applies an edit to the image as one undoable step named `text` ("Change bank 3"); a gesture
  // that repeats the same step (a slider dragged, a title typed) merges into one when
  // `continuing`. Every page shows the change.
  virtual void editImage(const QString& text, const std::function<void(CloneImage&)>& edit,
                         bool continuing = false) = 0;
  // Runs a transfer with the window locked and the progress bar moving, reports its outcome
  // with a message and, for a read that succeeded, applies it. Does nothing while another
  // transfer runs.
  virtual void startTransfer(TransferJob job) = 0;
  virtual bool isTransferRunning() const = 0;
  // Message boxes and file dialogs (the tests' scripted ones in tests).
  virtual UserDialogs& dialogs() = 0;
  // A side window that must be locked with the main window while a transfer runs.
  virtual void addLockableWindow(QWidget* window) = 0;
};

// A page or side window that shows part of the image.
class ImageView {
 public:
  virtual ~ImageView() = default;
  // Shows the host's image afresh.
  virtual void showImage() = 0;
};

}  // namespace rqm27
