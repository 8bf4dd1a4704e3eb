// What the Bank, Setting and Set mode pages and the side windows (bank-link groups, icon
// editor) need of the main window that hosts them. The window owns the one image; a page shows
// it, edits it through editImage (one undoable step each) and starts its transfers through
// startTransfer. After every change of the image the window calls showImage() on every page, so
// a page never keeps data of its own.
#pragma once

#include "link/transfers.h"
#include "model/clone_image.h"
#include "widgets/user_dialogs.h"

#include <functional>

class QWidget;

namespace rqm27 {

using TransferProcedure =
    std::function<TransferResult(Port&, Variant, const CloneImage&, const TransferHooks&)>;

struct PageTransfer {
  // Runs on a worker thread with a copy of the image.
  TransferProcedure procedure;
  // For a read: takes what was read from the transfer's image into the window's image; it is
  // called only when the transfer succeeded. Empty for a write.
  std::function<void(CloneImage& image, const CloneImage& read)> apply;
  // Shown when the transfer succeeded, e.g. Notice(" Finish", "Success").
  Message success;
  // Whether a failure shows the stop icon (the bank table's commands show none).
  bool failureIcon = true;
  // Whether the grid's row labels follow the bank table at once when the read has been applied
  // (a read of the bank table); otherwise they follow it when the Memory page is next shown.
  bool relabelsRows = false;
};

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
  virtual void startTransfer(PageTransfer transfer) = 0;
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
