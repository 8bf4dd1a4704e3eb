// A main window with preferences in a temporary folder, dialogs answered from a script and
// helpers that find its widgets by name.
#pragma once

#include "app/main_window.h"
#include "link/demo_memory.h"
#include "link/receiver_simulator.h"
#include "support/qstring_print.h"
#include "widgets/user_dialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace rqm27 {

inline void PrintTo(const Message& message, std::ostream* out) {
  *out << "{\"" << message.title.toStdString() << "\", \"" << message.text.toStdString() << "\", \""
       << message.detail.toStdString() << "\"}";
}

}  // namespace rqm27

namespace rqm27::testing {

struct DialogScript {
  std::deque<QString> openPaths;  // "" stands for Cancel; none left is Cancel too
  std::deque<QString> savePaths;
  SaveChoice saveChoice = SaveChoice::Cancel;
  std::function<ChannelEditBuffer(const DetailFormState&, bool)> edit;
  std::function<void(const Message&)> onMessage;  // called as each message is shown

  std::vector<Message> messages;
  std::vector<FileDialogRequest> fileDialogs;
  int questions = 0;
  std::vector<Message> confirmations;
  bool confirmAnswer = true;
  std::vector<DetailFormState> forms;
  std::vector<bool> railways;
  // The question before a full write, and the answer (nothing: Cancel).
  std::vector<FullWriteQuestion> fullWriteQuestions;
  std::optional<FullWriteChoice> fullWriteAnswer = FullWriteChoice{false, false};
  QString chosenBackup;  // "" stands for Cancel
};

class ScriptedDialogs : public UserDialogs {
 public:
  explicit ScriptedDialogs(std::shared_ptr<DialogScript> script) : script_(std::move(script)) {}

  void showMessage(const Message& message) override {
    script_->messages.push_back(message);
    if (script_->onMessage) script_->onMessage(message);
  }
  QString openFileName(const FileDialogRequest& request) override {
    return next(request, script_->openPaths);
  }
  QString saveFileName(const FileDialogRequest& request) override {
    return next(request, script_->savePaths);
  }
  SaveChoice askToSaveChanges() override {
    ++script_->questions;
    return script_->saveChoice;
  }
  bool confirm(const Message& question) override {
    script_->confirmations.push_back(question);
    return script_->confirmAnswer;
  }
  std::optional<FullWriteChoice> confirmFullWrite(const FullWriteQuestion& question) override {
    script_->fullWriteQuestions.push_back(question);
    return script_->fullWriteAnswer;
  }
  QString chooseBackup(const QStringList&) override { return script_->chosenBackup; }
  ChannelEditBuffer editChannel(const DetailFormState& form, bool railwaysVisible) override {
    script_->forms.push_back(form);
    script_->railways.push_back(railwaysVisible);
    return script_->edit ? script_->edit(form, railwaysVisible) : ChannelEditBuffer{};
  }

 private:
  QString next(const FileDialogRequest& request, std::deque<QString>& paths) {
    script_->fileDialogs.push_back(request);
    const QString path = paths.empty() ? QString() : paths.front();
    if (!paths.empty()) paths.pop_front();
    return path;
  }

  std::shared_ptr<DialogScript> script_;
};

class WindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<MainWindow> makeWindow(std::shared_ptr<ReceiverSimulator> receiver = {}) {
    MainWindowSetup setup;
    setup.preferencesPath = preferencesPath();
    setup.backupFolder = folder.filePath("backups");
    setup.dialogs = std::make_unique<ScriptedDialogs>(script);
    setup.simulator =
        receiver ? std::move(receiver) : std::make_shared<ReceiverSimulator>(DemoMemory());
    return std::make_unique<MainWindow>(std::move(setup));
  }

  QString preferencesPath() const { return folder.filePath("config/RQ-M27_Writer.INI"); }
  void writePreferences(const QByteArray& bytes) {
    ASSERT_TRUE(QDir().mkpath(folder.filePath("config")));
    QFile file(preferencesPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QString path(const QString& name) const { return folder.filePath(name); }

  template <typename T>
  static T* find(const QObject& window, const char* name) {
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  static QAction* action(const QObject& window, const char* name) {
    return find<QAction>(window, name);
  }
  static QTableView* grid(const QObject& window) { return find<QTableView>(window, "MSFlexGrid1"); }
  static QString cell(const QObject& window, int slot, int column) {
    return grid(window)->model()->index(slot - 1, column).data().toString();
  }
  static QString shownTitle(const QWidget& window) {
    return QString(window.windowTitle()).replace("[*]", window.isWindowModified() ? "*" : "");
  }

  // Starts a transfer and waits until it has ended.
  static bool runTransfer(MainWindow& window, const std::function<void()>& start) {
    QSignalSpy finished(&window, &MainWindow::transferFinished);
    start();
    return QTest::qWaitFor([&] { return finished.size() > 0; }, 60000);
  }

  QTemporaryDir folder;
  std::shared_ptr<DialogScript> script = std::make_shared<DialogScript>();
};

}  // namespace rqm27::testing
