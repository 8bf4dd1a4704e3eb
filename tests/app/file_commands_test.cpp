#include "app/file_commands.h"

#include "app/window_fixture.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

const char kChannelLine[] = "CH00000145.0000000700308120001000.600000ABC\r\n";
const QByteArray kCloneFile =
    QByteArray("Save Date and Time 2024/05/06 07:08:09\r\n") + kChannelLine + "File End\r\n";
const QByteArray kCsvHeader =
    R"("","Frequency","Mode","Step","Carrier","Subtone","---","TSQ","DCS","Shift","Shift-Freq","Skip","Name","0")"
    "\r\n";
const QString kTitle = "RQ-M27 Clone Utility v.3.11";

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

  std::unique_ptr<MainWindow> window = makeWindow();
};

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

// Save adds the extension only when typed without; a file it cannot write is reported.
TEST_F(FileCommandsTest, SaveWritesTheCloneFileOrSaysWhyNot) {
  const char* const cases[][2] = {
      {"copy", "copy.M27"}, {"keep.txt", "keep.txt"}, {"other.m27", "other.m27"}, {"plain/x", {}}};
  write("plain", "KEEP");
  for (const auto& [typed, written] : cases) {
    SCOPED_TRACE(typed);
    window = makeWindow();
    const QString opened = write("memory.M27", kCloneFile);
    script->openPaths = {opened};
    trigger(*window, "openItem");
    makeAnEdit();
    script->savePaths = {path(typed)};
    trigger(*window, "saveItem");
    if (!written) {
      EXPECT_TRUE(script->messages.back().detail.contains(path(typed)));
      EXPECT_EQ(shownTitle(*window), kTitle + " [" + opened + "]*");
      EXPECT_EQ(read(path("plain")), "KEEP");
      continue;
    }
    EXPECT_TRUE(read(path(written)).contains(kChannelLine));
    EXPECT_EQ(shownTitle(*window), kTitle + " [" + path(written) + "]");
  }
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
  // Every row goes out, named as the grid names it; the file is the document's now.
  script->savePaths = {path("out")};
  trigger(*window, "exportCsvItem");
  const QByteArray csv = read(path("out.CSV"));
  EXPECT_TRUE(csv.contains("\r\n\"Bank00-000\",\"145.00000\",\"FM\",\"25KHz\""));
  EXPECT_EQ(csv.count("\r\n"), 1721);
  EXPECT_EQ(shownTitle(*window), kTitle + " [" + path("out.CSV") + "]");
}

// Opening, importing and closing over unsaved edits ask first; Cancel keeps everything.
TEST_F(FileCommandsTest, UnsavedEditsAreOfferedForSavingFirst) {
  // The answer, the save dialog's answer if one opens ("": Cancel), and whether it goes on.
  using enum SaveChoice;
  const std::tuple<SaveChoice, const char*, bool> cases[] = {
      {Cancel, nullptr, false}, {Discard, nullptr, true}, {Save, "first", true}, {Save, "", false}};
  for (const auto& [choice, savedAs, proceeds] : cases) {
    for (const QString command : {"openItem", "importCsvItem", "close"}) {
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
      EXPECT_EQ(command == "close" ? closed : script->openPaths.empty(), proceeds);
      EXPECT_TRUE(proceeds || window->image() == edited);
      EXPECT_TRUE(!savedAs || !*savedAs || QFile::remove(path(QString(savedAs) + ".M27")));
    }
  }
}

}  // namespace
}  // namespace rqm27
