// Times the channel commands through the real window, offscreen: select all, copy and paste of
// the 1721 rows, Edit selected on the 1200 memory channels, the filter text set five times, and
// the undo of a 1200-row paste. Prints milliseconds per operation.
#include "app/main_window.h"
#include "app/memory_page.h"
#include "grid/channel_grid_view.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

using namespace rqm27;

// Edit selected changes every step; nothing else is asked.
class BenchDialogs : public UserDialogs {
 public:
  void showMessage(const Message& message) override {
    std::printf("message: %s %s\n", qPrintable(message.text), qPrintable(message.detail));
  }
  QString openFileName(const FileDialogRequest&) override { return {}; }
  QString saveFileName(const FileDialogRequest&) override { return {}; }
  SaveChoice askToSaveChanges() override { return SaveChoice::Discard; }
  bool confirm(const Message&) override { return false; }
  std::optional<FullWriteChoice> confirmFullWrite(const FullWriteQuestion&) override { return {}; }
  QString chooseBackup(const QStringList&) override { return {}; }
  ChannelEditBuffer editChannel(const DetailFormState&, bool) override { return {}; }
  std::optional<ChannelPatch> askChannelPatch(int) override {
    ChannelPatch patch;
    patch.skip = true;
    return patch;
  }
  std::optional<FillChoice> askFill(int, std::int32_t) override { return {}; }
  QString askGoTo() override { return {}; }
};

// Every memory channel used, 12.5 kHz apart from 400 MHz.
CloneImage FullImage() {
  CloneImage image = StartupImage();
  for (int slot = 1; slot <= MemoryChannelCount; ++slot) {
    ChannelSlot& channel = image.slot(slot);
    channel.used = true;
    channel.frequency = 40000000 + 1250 * slot;
    channel.step = 4;  // 12.5KHz
  }
  return image;
}

void Time(const char* what, const std::function<void()>& operation) {
  QElapsedTimer timer;
  timer.start();
  operation();
  std::printf("%-45s %8.1f ms\n", what, static_cast<double>(timer.nsecsElapsed()) / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir folder;
  MainWindowSetup setup;
  setup.preferencesPath = folder.filePath("RQ-M27_Writer.INI");
  setup.backupFolder = folder.filePath("backups");
  setup.dialogs = std::make_unique<BenchDialogs>();
  MainWindow window(std::move(setup));
  window.show();
  window.replaceImage(FullImage());
  auto* grid = window.findChild<ChannelGridView*>(QStringLiteral("channelGrid"));
  auto* filter = window.findChild<QLineEdit*>(QStringLiteral("filterEdit"));
  const auto trigger = [&](const char* name) {
    window.findChild<QAction*>(QString::fromLatin1(name))->trigger();
  };

  Time("select all + copy of 1721 rows", [&] {
    grid->selectAll();
    trigger("copyItem");
  });
  Time("paste of 1721 rows (1700 taken) at slot 1", [&] {
    grid->selectSlot(1);
    trigger("pasteItem");
  });
  grid->selectSlots(1, MemoryChannelCount);
  Time("Edit selected on 1200 rows", [&] { trigger("editSelectedItem"); });
  Time("filter text set 5 times", [&] {
    for (const char* text : {"4", "40", "400", "400.1", ""})
      filter->setText(QString::fromLatin1(text));
  });
  // The 1200 channels as Edit selected left them, pasted over them as they were before it.
  grid->selectSlots(1, MemoryChannelCount);
  trigger("copyItem");
  trigger("undoItem");
  grid->selectSlot(1);
  trigger("pasteItem");
  std::printf("(undoing \"%s\")\n",
              qPrintable(window.findChild<QAction*>(QStringLiteral("undoItem"))->text()));
  Time("undo of a 1200-row paste", [&] { trigger("undoItem"); });
  return 0;
}
