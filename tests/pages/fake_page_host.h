// A PageHost for page tests: the image lives here, transfers run at once on the calling thread
// against an in-process simulated receiver, and messages are recorded.
#pragma once

#include "link/demo_memory.h"
#include "link/receiver_simulator.h"
#include "link/simulated_port.h"
#include "pages/page_host.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace rqm27::testing {

class RecordingDialogs : public UserDialogs {
 public:
  void showMessage(const Message& message) override { messages.push_back(message); }
  QString openFileName(const FileDialogRequest&) override { return openPath; }
  QString saveFileName(const FileDialogRequest&) override { return savePath; }
  SaveChoice askToSaveChanges() override { return SaveChoice::Discard; }
  bool confirm(const Message& question) override {
    questions.push_back(question);
    return confirmAnswer;
  }
  ChannelEditBuffer editChannel(const DetailFormState&, bool) override { return {}; }

  std::vector<Message> messages;
  std::vector<Message> questions;
  bool confirmAnswer = true;
  QString openPath;
  QString savePath;
};

class FakePageHost : public PageHost {
 public:
  explicit FakePageHost(CloneImage image = StartupImage(),
                        std::shared_ptr<ReceiverSimulator> simulator = nullptr)
      : image_(std::move(image)),
        simulator_(simulator ? std::move(simulator)
                             : std::make_shared<ReceiverSimulator>(DemoMemory())) {}

  const CloneImage& image() const override { return image_; }
  void editImage(const std::function<void(CloneImage&)>& edit) override {
    edit(image_);
    ++edits;
    showEverywhere();
  }
  void startTransfer(PageTransfer transfer) override {
    ++transfers;
    SimulatedPort port(simulator_);
    TransferResult result = transfer.procedure(port, variant, image_, {});
    if (result.done()) {
      if (transfer.apply && result.image) transfer.apply(image_, *result.image);
      dialogs_.showMessage(transfer.success);
    } else {
      dialogs_.showMessage({QStringLiteral(" Error"), QStringLiteral("Error"), result.message,
                            transfer.failureIcon ? MessageIcon::Critical : MessageIcon::None});
    }
    showEverywhere();
  }
  bool isTransferRunning() const override { return false; }
  UserDialogs& dialogs() override { return dialogs_; }
  void addLockableWindow(QWidget* window) override { lockable.push_back(window); }

  // The views to refresh after every change, as the main window does.
  void addView(ImageView* view) { views.push_back(view); }
  void showEverywhere() {
    for (ImageView* view : views) view->showImage();
  }

  CloneImage& mutableImage() { return image_; }
  ReceiverSimulator& simulator() { return *simulator_; }
  RecordingDialogs& recorded() { return dialogs_; }

  Variant variant = Variant::J;
  int edits = 0;
  int transfers = 0;
  std::vector<ImageView*> views;
  std::vector<QWidget*> lockable;

 private:
  CloneImage image_;
  std::shared_ptr<ReceiverSimulator> simulator_;
  RecordingDialogs dialogs_;
};

}  // namespace rqm27::testing
