// The main window: owns the document (the one clone image) and shows it on the tab strip, with
// the menus, the Memory page's grid and buttons, and the transfer strip under the tabs. Every
// command calls one operation of files/ or link/ and shows its result.
#pragma once

#include "app/file_commands.h"
#include "app/focus_memory.h"
#include "app/transfer_commands.h"
#include "document/document.h"
#include "files/backups.h"
#include "files/preferences.h"
#include "link/receiver_simulator.h"
#include "model/image_diff.h"
#include "pages/page_host.h"
#include "widgets/user_dialogs.h"

#include <QMainWindow>

#include <memory>
#include <vector>

class QTabWidget;

namespace rqm27 {

class BankPage;
class ChannelCommands;
class ChannelGridView;
class ChannelTableModel;
class CompareWindow;
class IconEditor;
class SetModePage;
class SettingPage;
class MemoryPage;
class PortMenu;
class TransferBar;
class TransferRunner;
struct MainMenus;

struct MainWindowSetup {
  // Where the chosen port is remembered; the full-write choices are kept beside it.
  QString preferencesPath = PreferencesPath();
  // Where the backups made before a full write go.
  QString backupFolder = DefaultBackupFolder();
  // Message boxes, file dialogs and the detail dialog; the widget ones when null.
  std::unique_ptr<UserDialogs> dialogs;
  // The receiver behind the "Simulated receiver" port; one holding the demo memory when null.
  std::shared_ptr<ReceiverSimulator> simulator;
};

class MainWindow : public QMainWindow, public PageHost {
  Q_OBJECT

 public:
  explicit MainWindow(MainWindowSetup setup = {}, QWidget* parent = nullptr);
  ~MainWindow() override;

  const CloneImage& image() const override { return document_.image(); }
  bool isModified() const { return document_.isModified(); }
  QString portName() const;
  bool isTransferRunning() const override;

  // What the pages and side windows ask of the window.
  void editImage(const QString& text, const std::function<void(CloneImage&)>& edit,
                 bool continuing = false) override;
  void startTransfer(TransferJob job) override;
  UserDialogs& dialogs() override { return *dialogs_; }
  void addLockableWindow(QWidget* window) override;

  // The icon editor, created when first asked for.
  IconEditor* iconEditor();
  const std::shared_ptr<ReceiverSimulator>& simulator();

  // Puts a whole new image in place as though a file holding it had been opened.
  void replaceImage(CloneImage image);
  // Opens a file named outside the open dialog (the command line, a drop), asking about unsaved
  // changes first.
  void openFile(const QString& path);

 signals:
  // A transfer has ended and its message has been shown.
  void transferFinished();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A dropped file opens when it is one local file of an image format.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void buildTabs();
  void buildEditMenu();
  void connectCommands();
  // The views show what a step of the document changed.
  void showChanges(const ImageChanges& changes);
  // The title shows the document's file and whether it holds unsaved changes.
  void showDocument();

  // Runs a File command and shows the document's file it leaves.
  void runFileCommand(const std::function<void()>& command);
  // Open Recent lists the recent files as they are when it opens.
  void showRecentFiles();
  void showAbout();
  void choosePort(const QString& portName);

  void resetAllChannels();
  void editChannel(int slot, bool navigate);

  std::shared_ptr<Port> makePort();
  void startTransfer(TransferKind kind);
  // Runs the job with the image (the document's, or a backup going back to the receiver).
  void runTransfer(TransferJob job, const CloneImage& image);
  // The question before a full write and the options it leads to; nothing when cancelled.
  std::optional<FullWriteOptions> askFullWriteOptions();
  void restoreFromBackup();
  // Cancel asks first during a full write, which would leave the receiver part-written.
  void cancelTransfer();
  // Every page and side window shows the image afresh.
  void showPages();
  // The tab strip's switch: the bank table must add up before another page is shown.
  void switchTab(int index);
  void showIconEditor();
  // File, Compare with: the differences between the document and a file, in a side window.
  void compareWithFile();
  // Shows the place of a difference: the slot on the Memory page, or the page of the area.
  void goToDifference(DiffArea area, int place);
  void finishTransfer(const TransferJob& job, TransferResult result);
  void sendReset();
  // Locks the window for a transfer (false) and unlocks it again (true); the keyboard focus
  // comes back to where it was.
  void setControlsEnabled(bool enabled);
  // Where the focus goes in the window or a side window when the control that had it cannot
  // take it back: the first control of the shown page (the grid on the Memory page) or of the
  // side window.
  QWidget* firstControl(QWidget* window) const;
  // Runs a command that shows dialogs, then gives the focus back to the control that had it
  // (or the shown page's first control): closing a file dialog leaves it nowhere.
  void keepFocusAround(const std::function<void()>& command);

  Document document_;
  QString preferencesPath_;
  QString backupFolder_;
  // Whether the transfer running asks before it is stopped, for the Cancel question.
  bool runningJobAsksBeforeStopping_ = false;
  std::unique_ptr<UserDialogs> dialogs_;
  FileCommands fileCommands_;
  std::shared_ptr<ReceiverSimulator> simulator_;
  std::unique_ptr<MainMenus> menus_;
  ChannelTableModel* channelModel_ = nullptr;
  ChannelCommands* channelCommands_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QList<QWidget*> pages_;
  MemoryPage* memoryPage_ = nullptr;
  ChannelGridView* grid_ = nullptr;
  TransferBar* transferBar_ = nullptr;
  PortMenu* portMenu_ = nullptr;
  TransferRunner* runner_ = nullptr;
  BankPage* bankPage_ = nullptr;
  SettingPage* settingPage_ = nullptr;
  SetModePage* setModePage_ = nullptr;
  IconEditor* iconEditor_ = nullptr;
  CompareWindow* compareWindow_ = nullptr;
  std::vector<ImageView*> views_;
  QList<QWidget*> lockableWindows_;
  FocusMemory focusBeforeLock_;
  // The tab whose page is shown; a switch that the bank question cancels goes back to it.
  int shownTab_ = 0;
};

}  // namespace rqm27
