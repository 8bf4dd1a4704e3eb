// A PageHost for page tests: the image lives here, transfers run at once on the calling thread
// against an in-process simulated receiver, and messages are recorded.
#pragma once

#include "link/demo_memory.h"
#include "link/receiver_simulator.h"
#include "link/simulated_port.h"
#include "pages/page_host.h"
#include "support/qstring_print.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace rqm27::testing {

class FakePageHost : public PageHost, public UserDialogs {
 public:
  explicit FakePageHost(CloneImage image = StartupImage()) : image_(std::move(image)) {}

  const CloneImage& image() const override { return image_; }
  void editImage(const QString&, const std::function<void(CloneImage&)>& edit, bool) override {
    ++edits;
    change(edit);
  }
  void startTransfer(PageTransfer transfer) override {
    ++transfers;
    SimulatedPort port(simulator_);
    TransferResult result = transfer.procedure(port, variant, image_, {});
    if (result.done()) {
      if (transfer.apply && result.image) transfer.apply(image_, *result.image);
      showMessage(transfer.success);
    } else {
      showMessage({QStringLiteral(" Error"), QStringLiteral("Error"), result.message,
                   transfer.failureIcon ? MessageIcon::Critical : MessageIcon::None});
    }
    showEverywhere();
  }
  bool isTransferRunning() const override { return false; }
  UserDialogs& dialogs() override { return *this; }
  void addLockableWindow(QWidget* window) override { lockable.push_back(window); }

  void showMessage(const Message& message) override { messages.push_back(message); }
  QString openFileName(const FileDialogRequest&) override { return openPath; }
  QString saveFileName(const FileDialogRequest&) override { return savePath; }
  SaveChoice askToSaveChanges() override { return SaveChoice::Discard; }
  bool confirm(const Message&) override { return true; }
  ChannelEditBuffer editChannel(const DetailFormState&, bool) override { return {}; }
  std::optional<FullWriteChoice> confirmFullWrite(const FullWriteQuestion&) override { return {}; }
  QString chooseBackup(const QStringList&) override { return {}; }

  // Changes the image behind the pages' back, then refreshes every view as the main window does.
  void change(const std::function<void(CloneImage&)>& edit) {
    edit(image_);
    showEverywhere();
  }
  void addView(ImageView* view) { views.push_back(view); }
  void showEverywhere() {
    for (ImageView* view : views) view->showImage();
  }
  CloneImage& mutableImage() { return image_; }
  ReceiverSimulator& simulator() { return *simulator_; }
  void setReceiverMemory(QByteArray memory) {
    simulator_ = std::make_shared<ReceiverSimulator>(std::move(memory));
  }

  Variant variant = Variant::J;
  int edits = 0, transfers = 0;
  std::vector<ImageView*> views;
  std::vector<QWidget*> lockable;
  std::vector<Message> messages;
  QString openPath, savePath;

 private:
  CloneImage image_;
  std::shared_ptr<ReceiverSimulator> simulator_ = std::make_shared<ReceiverSimulator>(DemoMemory());
};

// The child of root named name, or name_index for an index of a control array.
template <class T = QWidget>
T* Find(const QObject& root, const QString& name, int index = -1) {
  return root.findChild<T*>(index < 0 ? name : QStringLiteral("%1_%2").arg(name).arg(index));
}
inline void Click(const QObject& root, const char* name) {
  Find<QAbstractButton>(root, name)->click();
}
inline QStringList Entries(const QComboBox& box) {
  QStringList entries;
  for (int i = 0; i < box.count(); ++i) entries << box.itemText(i);
  return entries;
}
inline BankTable Banks(std::initializer_list<std::pair<int, int>> counts) {
  BankTable table;
  for (const auto& [bank, count] : counts) table.counts[std::size_t(bank)] = count;
  return table;
}
inline std::vector<Message> Said(const char* title, const char* text, int times = 1) {
  return std::vector<Message>(std::size_t(times), Notice(title, text));
}

}  // namespace rqm27::testing
