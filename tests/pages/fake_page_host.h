// A PageHost for page tests: the image lives here; a transfer runs at once against an in-process
// simulated receiver. What the user is told of a transfer is the window's, tested there.
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
  const CloneImage& image() const override { return image_; }
  void editImage(const QString&, const std::function<void(CloneImage&)>& edit, bool) override {
    ++edits;
    change(edit);
  }
  void startTransfer(TransferJob transfer) override {
    SimulatedPort port(simulator_);
    const TransferResult result = transfer.procedure(port, Variant::J, image_, {});
    if (result.done() && transfer.apply && result.image) transfer.apply(image_, *result.image);
    showEverywhere();
  }
  bool isTransferRunning() const override { return false; }
  UserDialogs& dialogs() override { return *this; }
  void addLockableWindow(QWidget*) override {}

  void showMessage(const Message& message) override { messages.push_back(message); }
  QString openFileName(const FileDialogRequest&) override { return openPath; }
  QString saveFileName(const FileDialogRequest&) override { return savePath; }
  SaveChoice askToSaveChanges() override { return SaveChoice::Discard; }
  bool confirm(const Message&) override { return true; }
  ChannelEditBuffer editChannel(const DetailFormState&, bool) override { return {}; }
  std::optional<FullWriteChoice> confirmFullWrite(const FullWriteQuestion&) override { return {}; }
  QString chooseBackup(const QStringList&) override { return {}; }
  std::optional<ChannelPatch> askChannelPatch(int) override { return {}; }
  std::optional<FillChoice> askFill(int, std::int32_t) override { return {}; }
  QString askGoTo() override { return {}; }

  // Changes the image behind the pages' back, then shows it in every view as the window does.
  void change(const std::function<void(CloneImage&)>& edit) {
    edit(image_);
    showEverywhere();
  }
  void addView(ImageView* view) { views.push_back(view); }
  void showEverywhere() {
    for (ImageView* view : views) view->showImage();
  }
  ReceiverSimulator& simulator() { return *simulator_; }
  void setReceiverMemory(QByteArray memory) {
    simulator_ = std::make_shared<ReceiverSimulator>(std::move(memory));
  }

  int edits = 0;
  std::vector<ImageView*> views;
  std::vector<Message> messages;
  QString openPath, savePath;

 private:
  CloneImage image_ = StartupImage();
  std::shared_ptr<ReceiverSimulator> simulator_ = std::make_shared<ReceiverSimulator>(DemoMemory());
};

// The child of root named name, or name_index for one of a row of controls.
template <class T = QWidget>
T* Find(const QObject& root, const QString& name, int index = -1) {
  return root.findChild<T*>(index < 0 ? name : QStringLiteral("%1_%2").arg(name).arg(index));
}
inline QStringList Entries(const QComboBox& box) {
  QStringList entries;
  for (int i = 0; i < box.count(); ++i) entries << box.itemText(i);
  return entries;
}
// A page or side window over a FakePageHost that shows it every change of the image.
template <typename Page>
class PageTest : public ::testing::Test {
 protected:
  PageTest() { host.addView(&page); }

  template <class T = QWidget>
  T* find(const QString& name, int index = -1) {
    return Find<T>(page, name, index);
  }
  void click(const char* button) { Find<QAbstractButton>(page, button)->click(); }
  void change(const std::function<void(CloneImage&)>& edit) { host.change(edit); }
  const CloneImage& image() const { return host.image(); }
  // Shows the page as the active window, for the focus and the keys to reach it.
  void activate() {
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
  }

  FakePageHost host;
  Page page{host};
};

inline BankTable Banks(std::initializer_list<std::pair<int, int>> counts) {
  BankTable table;
  for (const auto& [bank, count] : counts) table.counts[std::size_t(bank)] = count;
  return table;
}

}  // namespace rqm27::testing
