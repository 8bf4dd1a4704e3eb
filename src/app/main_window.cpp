#include "app/main_window.h"

#include "app/about_dialog.h"
#include "app/app_version.h"
#include "app/channel_commands.h"
#include "app/channel_editing.h"
#include "app/compare_window.h"
#include "app/main_menus.h"
#include "app/memory_page.h"
#include "app/port_menu.h"
#include "app/transfer_bar.h"
#include "app/transfer_runner.h"
#include "codec/one_touch_area.h"
#include "files/image_file.h"
#include "grid/channel_grid_view.h"
#include "grid/channel_table_model.h"
#include "grid/detail_dialog.h"
#include "link/demo_memory.h"
#include "link/port_factory.h"
#include "link/serial_port.h"
#include "link/simulated_port.h"
#include "model/row_labels.h"
#include "pages/bank_page.h"
#include "pages/icon_editor.h"
#include "pages/set_mode_page.h"
#include "pages/setting_page.h"
#include "widgets/twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace rqm27 {

namespace {

// The full-write choices are remembered in the settings file beside the preferences.
const QString BackupKey = QStringLiteral("fullWrite/backup");
const QString VerifyKey = QStringLiteral("fullWrite/verify");

constexpr int WindowWidthTwips = 13740;
constexpr int WindowHeightTwips = 8130;
constexpr int MarginTwips = 120;
// Where the version window opens, from the main window's top left corner.
constexpr int AboutLeftTwips = 2000;
constexpr int AboutTopTwips = 1000;

// The simulated receiver paces its replies like a serial line of this speed when the
// environment variable RQM27_SIM_BAUD gives one (for watching a transfer); unpaced otherwise.
SimulatorOptions SimulatorOptionsFromEnvironment() {
  SimulatorOptions options;
  options.baud = std::max(0, qEnvironmentVariableIntValue("RQM27_SIM_BAUD"));
  return options;
}

}  // namespace

MainWindow::MainWindow(MainWindowSetup setup, QWidget* parent)
    : QMainWindow(parent),
      preferencesPath_(std::move(setup.preferencesPath)),
      backupFolder_(std::move(setup.backupFolder)),
      dialogs_(setup.dialogs ? std::move(setup.dialogs) : MakeWidgetDialogs(this, RunDetailDialog)),
      fileCommands_(document_, *dialogs_, preferencesPath_),
      simulator_(std::move(setup.simulator)),
      menus_(std::make_unique<MainMenus>(BuildMainMenus(*menuBar()))),
      channelModel_(new ChannelTableModel(document_.image(), this)),
      runner_(new TransferRunner(this)) {
  setObjectName(QStringLiteral("mainWindow"));

  const int port = LoadPreferences(preferencesPath_);
  document_.adjustWithoutStep([port](CloneImage& image) { image.comPort = port; });
  portMenu_ = new PortMenu(menus_->port, LoadPreferencesPortName(preferencesPath_), this);

  buildTabs();
  buildEditMenu();
  connectCommands();
  showDocument();
  showRecentFiles();
  setAcceptDrops(true);
  resize(TwipsToPixels(WindowWidthTwips, *this), TwipsToPixels(WindowHeightTwips, *this));
  grid_->setFocus();  // the keys work on the channels from the start
}

MainWindow::~MainWindow() {
  // A transfer still running is cancelled and waited for while the window is whole.
  delete runner_;
  // The side windows outlive these members as children of the window: they must no longer
  // report their end to it.
  for (QWidget* window : std::as_const(lockableWindows_))
    disconnect(window, nullptr, this, nullptr);
}

void MainWindow::buildTabs() {
  tabs_ = new QTabWidget;
  tabs_->setObjectName(QStringLiteral("pageTabs"));
  memoryPage_ = new MemoryPage(channelModel_);
  grid_ = memoryPage_->grid();
  pages_ << memoryPage_;
  tabs_->addTab(memoryPage_, QStringLiteral("Memory"));
  bankPage_ = new BankPage(*this);
  settingPage_ = new SettingPage(*this);
  setModePage_ = new SetModePage(*this);
  const std::pair<QWidget*, QString> pages[] = {{bankPage_, QStringLiteral("Bank")},
                                                {settingPage_, QStringLiteral("Setting")},
                                                {setModePage_, QStringLiteral("Set mode")}};
  for (const auto& [page, caption] : pages) {
    pages_ << page;
    tabs_->addTab(page, caption);
  }
  views_ = {bankPage_, settingPage_, setModePage_};
  showPages();

  transferBar_ = new TransferBar;
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  const int margin = TwipsToPixels(MarginTwips, *this);
  layout->setContentsMargins(margin, margin, margin, margin);
  layout->addWidget(tabs_, 1);
  layout->addWidget(transferBar_);
  setCentralWidget(central);
}

void MainWindow::buildEditMenu() {
  QAction* undo = document_.undoStack().createUndoAction(this, QStringLiteral("Undo"));
  undo->setObjectName(QStringLiteral("undoItem"));
  undo->setShortcuts(QKeySequence::Undo);
  QAction* redo = document_.undoStack().createRedoAction(this, QStringLiteral("Redo"));
  redo->setObjectName(QStringLiteral("redoItem"));
  redo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  menus_->edit->addAction(undo);
  menus_->edit->addAction(redo);
  menus_->edit->addSeparator();
  ChannelCommandViews views;
  views.page = memoryPage_;
  views.showMemoryPage = [this] {
    tabs_->setCurrentWidget(memoryPage_);
    return tabs_->currentWidget() == memoryPage_;
  };
  views.busy = [this] { return runner_->isRunning(); };
  channelCommands_ = new ChannelCommands(document_, *dialogs_, std::move(views), this);
  menus_->edit->addActions(channelCommands_->actions());
  grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
  grid_->addActions(channelCommands_->actions());
}

void MainWindow::connectCommands() {
  connect(&document_, &Document::changed, this, &MainWindow::showChanges);
  connect(&document_, &Document::modifiedChanged, this, &MainWindow::showDocument);
  connect(&document_, &Document::pathChanged, this, &MainWindow::showDocument);
  connect(menus_->newFile, &QAction::triggered, this,
          [this] { runFileCommand([this] { fileCommands_.newImage(); }); });
  connect(menus_->open, &QAction::triggered, this,
          [this] { runFileCommand([this] { fileCommands_.open(); }); });
  connect(menus_->openRecent, &QMenu::aboutToShow, this, &MainWindow::showRecentFiles);
  connect(menus_->openRecent, &QMenu::triggered, this, [this](QAction* item) {
    runFileCommand([this, path = item->data().toString()] { fileCommands_.openRecentFile(path); });
  });
  connect(menus_->save, &QAction::triggered, this,
          [this] { runFileCommand([this] { fileCommands_.save(); }); });
  connect(menus_->saveAs, &QAction::triggered, this,
          [this] { runFileCommand([this] { fileCommands_.saveAs(); }); });
  connect(menus_->importCsv, &QAction::triggered, this,
          [this] { runFileCommand([this] { fileCommands_.importChannelList(); }); });
  connect(menus_->exportCsv, &QAction::triggered, this, [this] {
    runFileCommand([this] { fileCommands_.exportChannelList(channelModel_->rowLabels()); });
  });
  connect(menus_->compare, &QAction::triggered, this,
          [this] { keepFocusAround([this] { compareWithFile(); }); });
  connect(menus_->exit, &QAction::triggered, this, &QWidget::close);
  connect(menus_->readAll, &QAction::triggered, this,
          [this] { startTransfer(TransferKind::ReadAll); });
  connect(menus_->writeAll, &QAction::triggered, this,
          [this] { startTransfer(TransferKind::WriteAll); });
  connect(menus_->restoreBackup, &QAction::triggered, this, &MainWindow::restoreFromBackup);
  connect(menus_->version, &QAction::triggered, this, &MainWindow::showAbout);
  connect(portMenu_, &PortMenu::portChosen, this, &MainWindow::choosePort);

  connect(memoryPage_, &MemoryPage::readRowsClicked, this,
          [this] { startTransfer(TransferKind::ReadRows); });
  connect(memoryPage_, &MemoryPage::writeRowsClicked, this,
          [this] { startTransfer(TransferKind::WriteRows); });
  connect(memoryPage_, &MemoryPage::clearClicked, channelCommands_,
          &ChannelCommands::clearSelectedRows);
  connect(memoryPage_, &MemoryPage::resetAllClicked, this, &MainWindow::resetAllChannels);
  connect(grid_, &ChannelGridView::clearRequested, channelCommands_,
          &ChannelCommands::clearSelectedRows);
  connect(grid_, &ChannelGridView::editRequested, this, &MainWindow::editChannel);

  connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::switchTab);
  connect(settingPage_, &SettingPage::iconEditorRequested, this, &MainWindow::showIconEditor);
  connect(transferBar_, &TransferBar::cancelRequested, this, &MainWindow::cancelTransfer);
  connect(transferBar_, &TransferBar::resetRequested, this, &MainWindow::sendReset);
  connect(runner_, &TransferRunner::progressChanged, transferBar_, &TransferBar::setProgress);
  connect(runner_, &TransferRunner::waitingChanged, transferBar_, &TransferBar::setWaiting);
}

QString MainWindow::portName() const {
  return portMenu_->current();
}

bool MainWindow::isTransferRunning() const {
  return runner_->isRunning();
}

const std::shared_ptr<ReceiverSimulator>& MainWindow::simulator() {
  if (!simulator_) {
    simulator_ =
        std::make_shared<ReceiverSimulator>(DemoMemory(), SimulatorOptionsFromEnvironment());
  }
  return simulator_;
}

void MainWindow::replaceImage(CloneImage image) {
  document_.replace(QStringLiteral("Replace the image"), std::move(image));
  document_.markSaved();
}

void MainWindow::showChanges(const ImageChanges& changes) {
  if (changes.channels()) channelModel_->slotsChanged(changes.firstSlot, changes.lastSlot);
  // The row labels follow a bank table that adds up, on the Memory page; the other pages'
  // edits are taken when it is next shown (or by a bank read).
  if (changes.banks && tabs_->currentIndex() == 0) channelModel_->refreshRowLabels();
  if (changes.banks || changes.oneTouch || changes.settings || changes.groups || changes.icons ||
      changes.title) {
    showPages();
  }
}

void MainWindow::showPages() {
  for (ImageView* view : views_) view->showImage();
}

void MainWindow::editImage(const QString& text, const std::function<void(CloneImage&)>& edit,
                           bool continuing) {
  document_.edit(text, edit, continuing ? Document::Merge::WithSameText : Document::Merge::No);
}

void MainWindow::addLockableWindow(QWidget* window) {
  lockableWindows_ << window;
  ImageView* view = dynamic_cast<ImageView*>(window);
  if (view) views_.push_back(view);
  connect(window, &QObject::destroyed, this, [this, window, view] {
    lockableWindows_.removeAll(window);
    std::erase(views_, view);
  });
}

IconEditor* MainWindow::iconEditor() {
  if (!iconEditor_) {
    iconEditor_ = new IconEditor(*this, this);
    iconEditor_->showImage();
  }
  return iconEditor_;
}

void MainWindow::showIconEditor() {
  IconEditor* editor = iconEditor();
  // It opens on the first icon each time, whichever was shown when it was closed.
  editor->showIcon(0);
  editor->move(geometry().topLeft() + QPoint(TwipsToPixels(3000, *this), 0));
  editor->show();
  editor->raise();
  editor->activateWindow();
}

void MainWindow::compareWithFile() {
  auto chosen = fileCommands_.chooseImageToCompare();
  if (!chosen) return;
  if (!compareWindow_) {
    compareWindow_ =
        new CompareWindow([this]() -> const CloneImage& { return document_.image(); }, this);
    connect(compareWindow_, &CompareWindow::goTo, this, &MainWindow::goToDifference);
  }
  compareWindow_->compare(document_.image(), chosen->first, QFileInfo(chosen->second).fileName());
  compareWindow_->show();
  compareWindow_->raise();
  compareWindow_->activateWindow();
}

void MainWindow::goToDifference(DiffArea area, int place) {
  constexpr int MemoryTab = 0, BankTab = 1, SettingTab = 2, SetModeTab = 3;
  constexpr int SettingMiscArray = 8;  // Setting_misc is on the Setting page
  switch (area) {
    case DiffArea::Channel:
      tabs_->setCurrentIndex(MemoryTab);
      if (tabs_->currentIndex() == MemoryTab) grid_->selectSlot(place);
      grid_->setFocus();
      return;
    case DiffArea::Bank:
    case DiffArea::BankLink:
      tabs_->setCurrentIndex(BankTab);
      break;
    case DiffArea::OneTouch:
    case DiffArea::Title:
      tabs_->setCurrentIndex(SettingTab);
      break;
    case DiffArea::Setting:
      tabs_->setCurrentIndex(place / MaxListsInArray == SettingMiscArray ? SettingTab : SetModeTab);
      break;
    case DiffArea::Icon:
      showIconEditor();
      return;
  }
  activateWindow();
}

void MainWindow::switchTab(int index) {
  if (index == shownTab_) return;
  constexpr int kBankTab = 1;
  constexpr int kSettingTab = 2;
  // A table that does not add up is shown on the Bank page as it is, to be mended there; the
  // other pages need a consistent one, so leaving for them offers to reset it.
  if (index != kBankTab &&
      !ConfirmBankTotal(*this, [this] { return dialogs_->confirm(BankTotalQuestion()); })) {
    const QSignalBlocker blocker(tabs_);
    tabs_->setCurrentIndex(shownTab_);
    return;
  }
  shownTab_ = index;
  if (index == 0) channelModel_->refreshRowLabels();
  if (index == kSettingTab) {
    editImage(QStringLiteral("Follow the banks"), [](CloneImage& image) {
      image.oneTouch = RebuildOneTouch(image.oneTouch, image.banks);
    });
  }
}

void MainWindow::showDocument() {
  setWindowTitle(MainWindowTitle(document_.path()) + QStringLiteral("[*]"));
  setWindowModified(document_.isModified());
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (runner_->isRunning()) {
    dialogs_->showMessage({QStringLiteral("RQ-M27 Clone Utility"),
                           QStringLiteral("A transfer with the receiver is running."),
                           QStringLiteral("Press Cancel and wait for it to stop first."),
                           MessageIcon::Information});
    event->ignore();
    return;
  }
  const bool close = fileCommands_.saveChangesFirst();
  showDocument();
  if (close) {
    event->accept();
  } else {
    event->ignore();
  }
}

// ---- File menu --------------------------------------------------------------------------------

void MainWindow::openFile(const QString& path) {
  runFileCommand([this, &path] { fileCommands_.openFile(path); });
}

void MainWindow::runFileCommand(const std::function<void()>& command) {
  if (runner_->isRunning()) return;
  keepFocusAround(command);
  showDocument();
}

void MainWindow::showRecentFiles() {
  ShowRecentFiles(*menus_->openRecent, fileCommands_.recentFiles());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!runner_->isRunning() && !OpenableFileOf(*event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
  }
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QString path = OpenableFileOf(*event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // The drop ends first: the program the file came from waits for it while a question is open.
  QMetaObject::invokeMethod(
      this, [this, path] { openFile(path); }, Qt::QueuedConnection);
}

// ---- Port and Help menus ----------------------------------------------------------------------

void MainWindow::choosePort(const QString& portName) {
  if (const std::optional<int> port = NumberOfPort(portName)) {
    document_.adjustWithoutStep([port](CloneImage& image) { image.comPort = *port; });
  }
  const Status saved = SavePreferences(preferencesPath_, document_.image(),
                                       QDateTime::currentDateTime(), portMenu_->current());
  if (!saved) {
    dialogs_->showMessage({QStringLiteral("Error"),
                           QStringLiteral("The port is used, but it cannot be remembered."),
                           saved.error(), MessageIcon::Warning});
  }
}

void MainWindow::showAbout() {
  auto* about = new AboutDialog(this);
  about->setAttribute(Qt::WA_DeleteOnClose);
  about->move(geometry().topLeft() +
              QPoint(TwipsToPixels(AboutLeftTwips, *this), TwipsToPixels(AboutTopTwips, *this)));
  about->open();
}

// ---- Channel editing --------------------------------------------------------------------------

void MainWindow::resetAllChannels() {
  if (runner_->isRunning()) return;
  document_.edit(QStringLiteral("Reset all channels"), ResetAllChannels);
}

void MainWindow::editChannel(int slot, bool navigate) {
  if (runner_->isRunning()) return;
  ChannelEditingViews views;
  views.rowLabels = channelModel_->rowLabels();
  views.opening = [this](int row) {
    grid_->selectSlot(row);
    grid_->scrollTo(grid_->currentIndex());
  };
  EditChannels(document_, slot, navigate, transferBar_->railwaysVariant(), *dialogs_, views);
}

// ---- Transfers --------------------------------------------------------------------------------

std::shared_ptr<Port> MainWindow::makePort() {
  const QString name = portMenu_->current();
  if (IsSimulatedPortName(name)) return std::make_shared<SimulatedPort>(simulator());
  return std::make_shared<SerialPort>(name);
}

void MainWindow::startTransfer(TransferKind kind) {
  if (runner_->isRunning()) return;
  if (kind == TransferKind::ReadAll) {
    const bool proceed = fileCommands_.saveChangesFirst();
    showDocument();
    if (!proceed) return;
  }
  const auto [first, last] = grid_->selectedSlots();
  TransferRequest request{kind, first, last, {}};
  if (kind == TransferKind::WriteAll) {
    const std::optional<FullWriteOptions> options = askFullWriteOptions();
    if (!options) return;
    request.fullWrite = *options;
  }
  startTransfer(JobFor(request));
}

void MainWindow::startTransfer(TransferJob job) {
  runTransfer(std::move(job), document_.image());
}

void MainWindow::runTransfer(TransferJob job, const CloneImage& image) {
  if (runner_->isRunning()) return;
  auto shared = std::make_shared<const TransferJob>(std::move(job));
  runningJobAsksBeforeStopping_ = shared->asksBeforeStopping;
  setControlsEnabled(false);
  runner_->start(
      [port = makePort(), shared, variant = transferBar_->variant(), image](
          const TransferHooks& hooks) { return shared->procedure(*port, variant, image, hooks); },
      [this, shared](TransferResult result) { finishTransfer(*shared, std::move(result)); });
}

std::optional<FullWriteOptions> MainWindow::askFullWriteOptions() {
  QSettings remembered(SettingsPathBeside(preferencesPath_), QSettings::IniFormat);
  FullWriteQuestion question;
  question.port = portMenu_->current();
  question.variant = VariantName(transferBar_->variant());
  question.channels = UsedChannelCount(document_.image());
  question.choice.backup = remembered.value(BackupKey, true).toBool();
  question.choice.verify = remembered.value(VerifyKey, false).toBool();
  const std::optional<FullWriteChoice> choice = dialogs_->confirmFullWrite(question);
  if (!choice) return std::nullopt;
  remembered.setValue(BackupKey, choice->backup);
  remembered.setValue(VerifyKey, choice->verify);
  FullWriteOptions options;
  if (choice->backup)
    options.backupPath = NewBackupPath(backupFolder_, QDateTime::currentDateTime());
  options.verify = choice->verify;
  return options;
}

void MainWindow::restoreFromBackup() {
  if (runner_->isRunning()) return;
  const QStringList backups = ListBackups(backupFolder_);
  if (backups.isEmpty()) {
    dialogs_->showMessage({QStringLiteral("Restore from backup"),
                           QStringLiteral("There are no backups yet."),
                           QStringLiteral("A backup of the receiver's memory is made in %1 before "
                                          "every Write all that has the backup choice on.")
                               .arg(QDir::toNativeSeparators(backupFolder_)),
                           MessageIcon::Information});
    return;
  }
  const QString path = dialogs_->chooseBackup(backups);
  if (path.isEmpty()) return;
  const auto loaded = LoadImageFile(path);
  if (!loaded) {
    dialogs_->showMessage({QStringLiteral("Error"), QStringLiteral("Can't open the backup."),
                           loaded.error(), MessageIcon::Warning});
    return;
  }
  // A backup goes back as the receiver held it, faults included; the question names them.
  const std::optional<QString> fault = FullWriteFault(loaded->value);
  const Message question{
      QStringLiteral("Restore from backup"),
      QStringLiteral("Write the backup %1 to the receiver on %2?")
          .arg(QFileInfo(path).fileName(), portMenu_->current()),
      QStringLiteral("Restoring is writing that file back: it replaces everything the receiver "
                     "holds.") +
          (fault ? QStringLiteral(" The backup is written as it is, although %1.").arg(*fault)
                 : QString()),
      fault ? MessageIcon::Warning : MessageIcon::None};
  if (!dialogs_->confirm(question)) return;
  TransferRequest request{TransferKind::WriteAll, 1, 1, {}};
  request.fullWrite.check = ImageCheck::Allow;
  runTransfer(JobFor(request), loaded->value);
}

void MainWindow::cancelTransfer() {
  if (runningJobAsksBeforeStopping_) {
    const Message question{
        QStringLiteral("Stop writing?"), QStringLiteral("Stop the write to the receiver?"),
        QStringLiteral("The receiver keeps what has been written so far and may be left with "
                       "fewer channels than before. The write stops after the block on its way, "
                       "and you are told what the receiver then holds."),
        MessageIcon::Warning};
    if (!dialogs_->confirm(question)) return;
  }
  runner_->cancel();
}

void MainWindow::finishTransfer(const TransferJob& job, TransferResult result) {
  runningJobAsksBeforeStopping_ = false;
  transferBar_->setCancelEnabled(false);
  if (result.done() && result.image) {
    // The settings area as last read (a write reads it afresh before patching it) is the
    // receiver's business, not an edit of the user's.
    document_.adjustWithoutStep(
        [&read = *result.image](CloneImage& image) { image.settingsImage = read.settingsImage; });
    if (job.apply) {
      document_.edit(job.stepText, [&](CloneImage& image) { job.apply(image, *result.image); });
      if (job.relabelsRows) channelModel_->refreshRowLabels();
    }
  }
  dialogs_->showMessage(job.report(result));
  setControlsEnabled(true);
  emit transferFinished();
}

void MainWindow::sendReset() {
  if (runner_->isRunning()) return;
  const Status sent = SendReset(*makePort());
  if (!sent) {
    dialogs_->showMessage({QStringLiteral("Error"),
                           QStringLiteral("The reset command could not be sent."), sent.error(),
                           MessageIcon::Warning});
  }
}

void MainWindow::setControlsEnabled(bool enabled) {
  if (!enabled) focusBeforeLock_.remember(QList<QWidget*>{this} + lockableWindows_);
  transferBar_->setSessionActive(!enabled);
  tabs_->setEnabled(enabled);
  for (QWidget* page : std::as_const(pages_)) page->setEnabled(enabled);
  for (QWidget* window : std::as_const(lockableWindows_)) window->setEnabled(enabled);
  memoryPage_->setControlsEnabled(enabled);
  // Undo and Redo keep the enabled state their stack gives them; their menu is locked instead.
  menus_->edit->setEnabled(enabled);
  for (QMenu* menu : {menus_->file, menus_->port, menus_->help, menus_->comm}) {
    menu->setEnabled(enabled);
    for (QAction* action : menu->actions()) action->setEnabled(enabled);
  }
  if (enabled) focusBeforeLock_.restore([this](QWidget* window) { return firstControl(window); });
}

void MainWindow::keepFocusAround(const std::function<void()>& command) {
  FocusMemory focus;
  focus.remember({this});
  command();
  focus.restore([this](QWidget* window) { return firstControl(window); });
}

QWidget* MainWindow::firstControl(QWidget* window) const {
  return FirstFocusableControl(window == this ? tabs_->currentWidget() : window);
}

}  // namespace rqm27
