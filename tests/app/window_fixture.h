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
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace rqm27::testing {

// The answers the user gives, and what the window asked and said.
struct DialogScript {
  QStringList openPaths, savePaths;  // "" stands for Cancel; none left is Cancel too
  SaveChoice saveChoice = SaveChoice::Cancel;
  bool confirmAnswer = true;
  std::optional<FullWriteChoice> fullWriteAnswer = FullWriteChoice{false, false};  // none: Cancel
  QString chosenBackup;                                                            // "": Cancel
  std::function<ChannelEditBuffer(const DetailFormState&, bool)> edit;             // none: Cancel
  std::function<void(const Message&)> onMessage;  // called as each message is shown
  std::optional<ChannelPatch> patch;              // Edit selected; none: Cancel
  std::optional<FillChoice> fill;                 // Fill frequencies; none: Cancel
  QString goTo;                                   // Go to; "": Cancel
  int saveFilter = 0;                             // the file type chosen in a save dialog

  std::vector<Message> messages, confirmations;
  int questions = 0;  // whether to save changes first
  std::vector<FullWriteQuestion> fullWriteQuestions;
  std::vector<DetailFormState> forms;
  std::vector<bool> railways;
};

class ScriptedDialogs : public UserDialogs {
 public:
  explicit ScriptedDialogs(std::shared_ptr<DialogScript> script) : s_(std::move(script)) {}

  void showMessage(const Message& message) override {
    s_->messages.push_back(message);
    if (s_->onMessage) s_->onMessage(message);
  }
  QString openFileName(const FileDialogRequest& r) override { return next(r, s_->openPaths); }
  QString saveFileName(const FileDialogRequest& r) override { return next(r, s_->savePaths); }
  FileChoice saveFileChoice(const FileDialogRequest& r) override {
    return {next(r, s_->savePaths), s_->saveFilter};
  }
  SaveChoice askToSaveChanges() override { return ++s_->questions, s_->saveChoice; }
  bool confirm(const Message& question) override {
    s_->confirmations.push_back(question);
    return s_->confirmAnswer;
  }
  std::optional<FullWriteChoice> confirmFullWrite(const FullWriteQuestion& question) override {
    s_->fullWriteQuestions.push_back(question);
    return s_->fullWriteAnswer;
  }
  QString chooseBackup(const QStringList&) override { return s_->chosenBackup; }
  ChannelEditBuffer editChannel(const DetailFormState& form, bool railwaysVisible) override {
    s_->forms.push_back(form);
    s_->railways.push_back(railwaysVisible);
    return s_->edit ? s_->edit(form, railwaysVisible) : ChannelEditBuffer{};
  }
  std::optional<ChannelPatch> askChannelPatch(int) override { return s_->patch; }
  std::optional<FillChoice> askFill(int, std::int32_t) override { return s_->fill; }
  QString askGoTo() override { return s_->goTo; }

 private:
  static QString next(const FileDialogRequest&, QStringList& paths) {
    return paths.isEmpty() ? QString() : paths.takeFirst();
  }

  std::shared_ptr<DialogScript> s_;
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
  // A window on the simulated receiver's port.
  std::unique_ptr<MainWindow> simulatedWindow(std::shared_ptr<ReceiverSimulator> receiver = {}) {
    auto window = makeWindow(std::move(receiver));
    trigger(*window, "simulatedPortItem");
    return window;
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
  static void trigger(const QObject& window, const char* item) { action(window, item)->trigger(); }
  static void click(const QObject& window, const char* button) {
    find<QAbstractButton>(window, button)->click();
  }
  static QTabWidget* tabs(const QObject& window) { return find<QTabWidget>(window, "pageTabs"); }
  static QTableView* grid(const QObject& window) { return find<QTableView>(window, "channelGrid"); }
  // Selects the rows of slots from to to as a user does: the first row, then Shift and an arrow.
  static void selectSlots(const QObject& window, int from, int to) {
    QTableView* view = grid(window);
    view->selectionModel()->setCurrentIndex(
        view->model()->index(from - 1, 1),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    for (int i = 0; i < std::abs(to - from); ++i) {
      QTest::keyClick(view, to < from ? Qt::Key_Up : Qt::Key_Down, Qt::ShiftModifier);
    }
  }
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
