#include "app/file_commands.h"

#include "app/window_fixture.h"
#include "codec/memory_image.h"
#include "files/image_file.h"

#include <QApplication>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

const char kChannelLine[] = "CH00000145.0000000700308120001000.600000ABC\r\n";
const QByteArray kCloneFile =
    QByteArray("Save Date and Time 2024/05/06 07:08:09\r\n") + kChannelLine + "File End\r\n";
const QByteArray kCsvHeader =
    R"("","Frequency","Mode","Step","Carrier","Subtone","---","TSQ","DCS","Shift","Shift-Freq","Skip","Name","0")"
    "\r\n";
const QByteArray kCsvList =
    kCsvHeader + "x,145,FM,5KHz,300Hz,None,---,88.5Hz,23,Off,0.00000MHz,,ABC,1\r\n";
const QString kTitle = "RQ-M27 Clone Utility v.3.11";
// Addresses that no area of the memory map covers: a save keeps what the memory holds there.
constexpr int kUnmappedAddresses[] = {0x1F000, MemoryImageSize - 1};

class FileCommandsTest : public testing::WindowTest {
 protected:
  QString write(const QString& name, const QByteArray& bytes) {
    QFile out(path(name));
    EXPECT_TRUE(out.open(QIODevice::WriteOnly)) << name.toStdString();
    out.write(bytes);
    return path(name);
  }
  static QByteArray read(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
  }

  // Fills slot 2 and clears it: an unsaved edit.
  void makeAnEdit() {
    CloneImage image = window->image();
    image.slot(2) = image.slot(FirstPresetSlot);
    window->replaceImage(image);
    grid(*window)->selectRow(1);
    QTest::keyClick(grid(*window), Qt::Key_Delete);
    ASSERT_TRUE(window->isModified());
  }

  // The one channel of kCloneFile written as `name`, in the format its extension names; a
  // memory image is written onto a memory that holds 0x5A where no area lies.
  QString writeImage(const QString& name) {
    const CloneImage image = LoadImageFile(write("source.M27", kCloneFile))->value;
    QByteArray base = BlankMemoryFor(image);
    for (int address : kUnmappedAddresses) base[address] = 0x5A;
    EXPECT_TRUE(SaveImageFile(path(name), image, base).ok());
    return path(name);
  }
  QStringList recentFiles() const {
    auto* menu = find<QMenu>(*window, "openRecentMenu");
    emit menu->aboutToShow();
    QStringList files;
    for (QAction* item : menu->actions()) files << item->data().toString();
    return files;
  }
  // Drags a file over the grid and, when the window takes it, drops it there and waits for the
  // message of the open.
  bool drop(const QUrl& url) {
    QMimeData data;
    data.setUrls({url});
    QWidget* target = grid(*window)->viewport();
    QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !script->messages.empty(); }));
    return true;
  }

  std::unique_ptr<MainWindow> window = makeWindow();
};

// Open takes every format by its extension, whatever its case; only a whole image becomes the
// document's file, a channel list is an unsaved import.
TEST_F(FileCommandsTest, OpenTakesEveryFormatByItsExtension) {
  const std::tuple<const char*, bool> cases[] = {
      {"a.BIN", true}, {"b.Json", true}, {"c.m27", true}, {"d.csv", false}};
  for (const auto& [name, isDocumentsFile] : cases) {
    SCOPED_TRACE(name);
    window = makeWindow();
    script->openPaths = {QString(name).endsWith("csv") ? write(name, kCsvList) : writeImage(name)};
    trigger(*window, "openItem");
    EXPECT_EQ(cell(*window, 1, 1), "145.00000MHz");
    EXPECT_EQ(cell(*window, 1, 12), "ABC");
    EXPECT_EQ(shownTitle(*window), kTitle + " [" + path(name) + "]" + (isDocumentsFile ? "" : "*"));
    EXPECT_EQ(action(*window, "undoItem")->text(), QString("Undo Open ") + name);
    EXPECT_EQ(!isDocumentsFile,
              script->messages.back().details.contains("rows 2-1700 are missing"));
  }
}

// Save writes the document's own file in its format without asking; a memory image keeps the
// bytes of the memory it was opened from where no area lies.
TEST_F(FileCommandsTest, SaveWritesTheDocumentsFileWithoutAsking) {
  for (const char* name : {"a.Bin", "b.JSON", "c.M27"}) {
    SCOPED_TRACE(name);
    window = makeWindow();
    script->openPaths = {writeImage(name)};
    trigger(*window, "openItem");
    grid(*window)->selectRow(0);
    QTest::keyClick(grid(*window), Qt::Key_Delete);
    trigger(*window, "saveItem");  // no save path is scripted: a dialog would cancel
    EXPECT_EQ(shownTitle(*window), kTitle + " [" + path(name) + "]");
    EXPECT_FALSE(LoadImageFile(path(name))->value.slot(1).used);
    if (QString(name).endsWith("Bin")) {
      for (int address : kUnmappedAddresses) EXPECT_EQ(read(path(name)).at(address), 0x5A);
    }
  }
}

TEST_F(FileCommandsTest, OpenAndImportRefuseWhatTheyCannotLoadAndChangeNothing) {
  // The command, the file and its contents (none: it does not exist), and what the message says.
  const std::tuple<const char*, const char*, QByteArray, const char*> cases[] = {
      {"openItem", "memory.txt", kCloneFile, ".M27"},
      {"openItem", "cut.M27", "Save Date and Time\r\nTITLEX\r\n", "\"File End\" is missing"},
      {"openItem", "missing.M27", {}, "missing.M27"},
      {"importCsvItem", "list.CSV", "a,b,c\r\nx,145,FM\r\n", "CSV File Error"}};
  for (const auto& [command, name, contents, saying] : cases) {
    SCOPED_TRACE(name);
    window = makeWindow();
    script->messages.clear();
    const CloneImage before = window->image();
    script->openPaths = {contents.isEmpty() ? path(name) : write(name, contents)};
    trigger(*window, command);
    EXPECT_EQ(window->image(), before);
    EXPECT_EQ(shownTitle(*window), kTitle);
    ASSERT_EQ(script->messages.size(), 1u);
    EXPECT_TRUE(script->messages[0].title.contains("Error"));
    EXPECT_TRUE((script->messages[0].text + script->messages[0].detail).contains(saying));
  }
}

// Save asks for a name when the document has no whole-image file: after an import and for a new
// document. The extension typed decides the format, M27 when there is none; a name that is no
// whole image's or that cannot be written is refused, naming it.
TEST_F(FileCommandsTest, SaveAsksForANameWhenThereIsNoFileToSaveBackTo) {
  // The file opened first ("": New), the command, the name typed, the file written (none:
  // refused) and how it starts.
  const std::tuple<const char*, const char*, const char*, const char*, QByteArray> cases[] = {
      {"list.CSV", "saveItem", "list", "list.M27", "Save Date"},
      {"", "saveItem", "fresh.json", "fresh.json", "{"},
      {"memory.M27", "saveAsItem", "copy.BIN", "copy.BIN", {}},
      {"memory.M27", "saveAsItem", "other.m27", "other.m27", "Save Date"},
      {"memory.M27", "saveAsItem", "keep.txt", nullptr, {}},
      {"memory.M27", "saveAsItem", "keep.csv", nullptr, {}},
      {"memory.M27", "saveAsItem", "plain/x.M27", nullptr, {}}};
  write("plain", "KEEP");
  for (const auto& [opened, command, typed, written, start] : cases) {
    SCOPED_TRACE(typed);
    window = makeWindow();
    if (*opened) script->openPaths = {write(opened, *opened == 'l' ? kCsvList : kCloneFile)};
    trigger(*window, *opened ? "openItem" : "newItem");
    const QString titleBefore = shownTitle(*window);
    script->savePaths = {path(typed)};
    trigger(*window, command);
    EXPECT_TRUE(script->savePaths.empty()) << "the name was asked for";
    if (!written) {
      EXPECT_TRUE(script->messages.back().detail.contains(path(typed)));
      EXPECT_EQ(shownTitle(*window), titleBefore);
      EXPECT_FALSE(QFile::exists(path(typed)));
      continue;
    }
    const QByteArray file = read(path(written));
    EXPECT_TRUE(start.isEmpty() ? file.size() == MemoryImageSize : file.startsWith(start));
    EXPECT_EQ(shownTitle(*window), kTitle + " [" + path(written) + "]");
  }
  EXPECT_EQ(read(path("plain")), "KEEP");
}

TEST_F(FileCommandsTest, ImportAndOpenFillRowsAndExportWritesEveryRow) {
  const QString list = write(
      "list.CSV", kCsvHeader + "x,145,FM,5KHz,300Hz,None,---,88.5Hz,23,Off,0.00000MHz,,AB,1\r\n");
  script->openPaths = {list};
  trigger(*window, "importCsvItem");
  EXPECT_EQ(cell(*window, 1, 1), "145.00000MHz");
  EXPECT_EQ(cell(*window, 1, 12), "AB");
  // The list ends after row 1: the load says so, with the rows in its details.
  EXPECT_TRUE(script->messages.back().details.contains("rows 2-1700 are missing"));
  // The file dialog took the focus with it; the grid has it back, its cursor on a row.
  EXPECT_EQ(window->focusWidget(), grid(*window));
  EXPECT_TRUE(grid(*window)->currentIndex().isValid());
  EXPECT_EQ(shownTitle(*window), kTitle + " [" + list + "]*");

  const QString file = write("memory.M27", kCloneFile);
  script->openPaths = {file};
  script->saveChoice = SaveChoice::Discard;
  trigger(*window, "openItem");
  EXPECT_EQ(cell(*window, 1, 7), "100.0Hz");
  EXPECT_EQ(cell(*window, 1, 12), "ABC");
  EXPECT_EQ(shownTitle(*window), kTitle + " [" + file + "]");
  // Every row goes out, named as the grid names it; the document stays in its own file.
  script->savePaths = {path("out")};
  trigger(*window, "exportCsvItem");
  const QByteArray csv = read(path("out.CSV"));
  EXPECT_TRUE(csv.contains("\r\n\"Bank00-000\",\"145.00000\",\"FM\",\"25KHz\""));
  EXPECT_EQ(csv.count("\r\n"), 1721);
  EXPECT_EQ(shownTitle(*window), kTitle + " [" + file + "]");
  // The second file type writes the multi-radio list: a row for the used channel in slot 1.
  script->savePaths = {path("list")};
  script->saveFilter = 1;
  trigger(*window, "exportCsvItem");
  const QByteArray multi = read(path("list.csv"));
  EXPECT_TRUE(multi.startsWith("Location,Name,Frequency,")) << multi.left(40).toStdString();
  EXPECT_TRUE(multi.contains("\r\n0,")) << multi.toStdString();
  // Import takes the multi-radio layout too, by its header: Location 4 is slot 5.
  const QString frequencyBefore = cell(*window, 1, 1);
  script->openPaths = {write("other.csv", "Location,Name,Frequency\r\n4,FIVE,146.52\r\n")};
  trigger(*window, "importCsvItem");
  EXPECT_EQ(cell(*window, 5, 12), "FIVE");
  EXPECT_EQ(cell(*window, 5, 1), "146.52000MHz");
  EXPECT_EQ(cell(*window, 1, 1), frequencyBefore);
}

// Opening, importing and closing over unsaved edits ask first; Cancel keeps everything.
TEST_F(FileCommandsTest, UnsavedEditsAreOfferedForSavingFirst) {
  // The answer, the save dialog's answer if one opens ("": Cancel), and whether it goes on.
  using enum SaveChoice;
  const std::tuple<SaveChoice, const char*, bool> cases[] = {
      {Cancel, nullptr, false}, {Discard, nullptr, true}, {Save, "first", true}, {Save, "", false}};
  for (const auto& [choice, savedAs, proceeds] : cases) {
    for (const QString command : {"openItem", "importCsvItem", "newItem", "close"}) {
      SCOPED_TRACE(::testing::Message() << qPrintable(command) << " " << static_cast<int>(choice));
      window = makeWindow();
      *script = {};
      makeAnEdit();
      const CloneImage edited = window->image();
      script->saveChoice = choice;
      if (savedAs) script->savePaths = {*savedAs ? path(savedAs) : QString()};
      if (command == "openItem") script->openPaths = {write("memory.M27", kCloneFile)};
      if (command == "importCsvItem") script->openPaths = {write("list.CSV", kCsvHeader)};

      const bool closed =
          command == "close" ? window->close() : (trigger(*window, qPrintable(command)), false);

      EXPECT_EQ(script->questions, 1);
      const bool wentOn = command == "close"     ? closed
                          : command == "newItem" ? shownTitle(*window) == kTitle
                                                 : script->openPaths.empty();
      EXPECT_EQ(wentOn, proceeds);
      EXPECT_TRUE(proceeds || window->image() == edited);
      EXPECT_TRUE(!savedAs || !*savedAs || QFile::remove(path(QString(savedAs) + ".M27")));
    }
  }
}

// Open Recent lists the last eight files opened or saved, the most recent first and each once,
// also in the next window; a file that is gone is said and taken off the list.
TEST_F(FileCommandsTest, RecentFilesListTheLastEightOnce) {
  QStringList files;
  for (int n = 1; n <= 9; ++n) files << write(QString("f%1.M27").arg(n), kCloneFile);
  script->openPaths = files + QStringList{files[2]};
  for (int n = 0; n < 10; ++n) trigger(*window, "openItem");
  QStringList expected = {files[2], files[8], files[7], files[6],
                          files[5], files[4], files[3], files[1]};
  EXPECT_EQ(recentFiles(), expected);

  window = makeWindow();
  EXPECT_EQ(recentFiles(), expected);
  QFile::remove(files[8]);
  trigger(*window, "recentFileItem_2");
  EXPECT_TRUE(script->messages.back().detail.contains(files[8]));
  expected.removeAt(1);
  EXPECT_EQ(recentFiles(), expected);
  trigger(*window, "recentFileItem_2");
  EXPECT_EQ(shownTitle(*window), kTitle + " [" + files[7] + "]");
}

// A file named on the command line or dropped on the window opens as Open opens it; one it
// cannot read leaves the start-up image, saying why. A drop of anything but one local image file
// is refused.
TEST_F(FileCommandsTest, AFileNamedOnTheCommandLineOrDroppedOpens) {
  const QString memory = write("memory.M27", kCloneFile);
  // Dropped or named on the command line, the file, and whether it opens.
  const std::tuple<bool, QUrl, bool> cases[] = {
      {false, QUrl::fromLocalFile(memory), true},
      {false, QUrl::fromLocalFile(path("missing.M27")), false},
      {true, QUrl::fromLocalFile(memory), true},
      {true, QUrl::fromLocalFile(write("notes.txt", kCloneFile)), false},
      {true, QUrl("https://example.com/memory.M27"), false}};
  for (const auto& [dropped, url, opens] : cases) {
    SCOPED_TRACE(url.toString().toStdString());
    window = makeWindow();
    script->messages.clear();
    if (dropped) {
      EXPECT_EQ(drop(url), opens);
    } else {
      window->openFile(url.toLocalFile());
    }
    EXPECT_EQ(cell(*window, 1, 12) == "ABC", opens);
    EXPECT_EQ(shownTitle(*window), opens ? kTitle + " [" + memory + "]" : kTitle);
    EXPECT_TRUE(dropped || opens || script->messages.back().detail.contains(url.toLocalFile()));
  }
}

}  // namespace
}  // namespace rqm27
