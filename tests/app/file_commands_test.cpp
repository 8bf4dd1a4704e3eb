#include "app/file_commands.h"

#include "app/window_fixture.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

// A clone file with one channel in slot 1: 145 MHz FM, 25 kHz steps, carrier 300 Hz, tone
// squelch 100.0 Hz, shift + 0.6 MHz, named ABC.
const QByteArray kCloneFile =
    "Save Date and Time 2024/05/06 07:08:09\r\n"
    "CH00000145.0000000700308120001000.600000ABC\r\n"
    "File End\r\n";
const char kChannelLine[] = "CH00000145.0000000700308120001000.600000ABC\r\n";
const QByteArray kCsvHeader =
    R"("","Frequency","Mode","Step","Carrier","Subtone","---","TSQ","DCS","Shift","Shift-Freq","Skip","Name","0")"
    "\r\n";

const QString kTitle = "RQ-M27 Clone Utility v.3.11";

class FileCommandsTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    window = makeWindow();
  }

  QString write(const QString& name, const QByteArray& bytes) {
    const QString file = path(name);
    QFile out(file);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly)) << name.toStdString();
    out.write(bytes);
    return file;
  }
  static QByteArray read(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
  }

  void trigger(const char* item) { action(*window, item)->trigger(); }

  // Puts a channel into slot 2 and clears it again with the Clear button: an unsaved edit.
  void makeAnEdit() {
    CloneImage image = window->image();
    image.slot(2) = image.slot(FirstPresetSlot);
    window->replaceImage(image);
    grid(*window)->selectRow(1);
    QTest::mouseClick(find<QAbstractButton>(*window, "Clear_Botton"), Qt::LeftButton);
    ASSERT_TRUE(window->isModified());
  }

  std::unique_ptr<MainWindow> window;
};

TEST_F(FileCommandsTest, OpenLoadsTheCloneFileAndNamesItInTheTitle) {
  CloneImage before = window->image();
  before.slot(2) = before.slot(FirstPresetSlot);
  window->replaceImage(before);
  const QString file = write("memory.M27", kCloneFile);
  script->openPaths = {file};

  trigger("ReadFile");

  ASSERT_EQ(script->fileDialogs.size(), 1u);
  EXPECT_TRUE(script->fileDialogs[0].filters.contains("*.M27"));
  const struct {
    int slot, column;
    const char* text;
  } cells[] = {
      {1, 1, "145.00000MHz"},   {1, 2, "FM"}, {1, 3, "25KHz"},       {1, 4, "300Hz"}, {1, 5, "TSQ"},
      {1, 7, "100.0Hz"},        {1, 9, "+"},  {1, 10, "0.60000MHz"}, {1, 12, "ABC"},  {2, 1, ""},
      {1701, 1, "398.60500MHz"}};
  for (const auto& c : cells) {
    EXPECT_EQ(cell(*window, c.slot, c.column), c.text) << c.slot << "/" << c.column;
  }
  EXPECT_EQ(shownTitle(*window), kTitle + " [" + file + "]");
  ASSERT_EQ(script->messages.size(), 1u);
  EXPECT_EQ(script->messages[0], Notice("Finish", "Read File"));
  EXPECT_FALSE(window->isModified());
}

TEST_F(FileCommandsTest, OpenRefusesWhatItCannotLoadAndChangesNothing) {
  const struct {
    const char* name;
    QByteArray contents;  // empty: the file does not exist
    const char* reason;
  } cases[] = {
      {"memory.txt", kCloneFile, ".M27"},
      {"broken.M27", "header\r\nCH17210145.0000000700308120001000.600000ABC\r\n", "line 2"},
      {"missing.M27", {}, "missing.M27"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    window = makeWindow();
    script->messages.clear();
    const CloneImage before = window->image();
    const QString file = c.contents.isEmpty() ? path(c.name) : write(c.name, c.contents);
    script->openPaths = {file};

    trigger("ReadFile");

    EXPECT_EQ(window->image(), before);
    EXPECT_EQ(shownTitle(*window), kTitle);
    ASSERT_EQ(script->messages.size(), 1u);
    EXPECT_EQ(script->messages[0].title, "Error");
    EXPECT_EQ(script->messages[0].text, "Can't open the file.");
    EXPECT_TRUE(script->messages[0].detail.contains(c.reason))
        << script->messages[0].detail.toStdString();
  }
}

TEST_F(FileCommandsTest, CancelledDialogsDoNothing) {
  for (const char* item : {"ReadFile", "TEST_CLICK", "FILE_INPORT", "FILE_EXPORT"}) {
    trigger(item);
    EXPECT_TRUE(script->messages.empty()) << item;
  }
  EXPECT_EQ(script->fileDialogs.size(), 4u);
  EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
  EXPECT_EQ(shownTitle(*window), kTitle);
}

TEST_F(FileCommandsTest, SaveWritesTheCloneFileAddingTheExtensionWhenTypedWithout) {
  const struct {
    const char* typed;
    const char* written;
  } cases[] = {{"copy", "copy.M27"}, {"keep.txt", "keep.txt"}, {"other.m27", "other.m27"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    window = makeWindow();
    script->messages.clear();
    script->openPaths = {write("memory.M27", kCloneFile)};
    trigger("ReadFile");
    makeAnEdit();
    script->savePaths = {path(c.typed)};

    trigger("TEST_CLICK");

    const QByteArray saved = read(path(c.written));
    EXPECT_TRUE(saved.contains(kChannelLine)) << saved.left(200).constData();
    EXPECT_TRUE(saved.endsWith("File End\r\n"));
    EXPECT_EQ(script->fileDialogs.back().defaultSuffix, "M27");
    EXPECT_EQ(shownTitle(*window), kTitle + " [" + path(c.written) + "]");
    EXPECT_EQ(script->messages.back(), Notice("Finish", "Save File"));
    EXPECT_FALSE(window->isModified());
  }
}

TEST_F(FileCommandsTest, SaveThatCannotWriteSaysWhyAndKeepsTheTitleAndTheEdit) {
  write("plain", "KEEP");
  makeAnEdit();
  const QString target = path("plain/memory.M27");
  script->savePaths = {target};

  trigger("TEST_CLICK");

  ASSERT_EQ(script->messages.size(), 1u);
  EXPECT_EQ(script->messages[0].text, "Can't save the file.");
  EXPECT_TRUE(script->messages[0].detail.contains(target))
      << script->messages[0].detail.toStdString();
  EXPECT_EQ(shownTitle(*window), kTitle + "*");
  EXPECT_EQ(read(path("plain")), "KEEP");
}

TEST_F(FileCommandsTest, ImportFillsTheRowsOfTheChannelList) {
  const QString file = write(
      "list.CSV", kCsvHeader + "x,145,FM,5KHz,300Hz,None,---,88.5Hz,23,Off,0.00000MHz,,AB,1\r\n");
  script->openPaths = {file};

  trigger("FILE_INPORT");

  EXPECT_TRUE(script->fileDialogs.back().filters.contains("*.CSV"));
  EXPECT_EQ(cell(*window, 1, 1), "145.00000MHz");
  EXPECT_EQ(cell(*window, 1, 8), "023");
  EXPECT_EQ(cell(*window, 1, 12), "AB");
  EXPECT_TRUE(window->image().slot(1).used);
  EXPECT_EQ(script->messages.back(), Notice(" Finish", "Import CSV File"));
  EXPECT_EQ(shownTitle(*window), kTitle + " [" + file + "]*");
}

TEST_F(FileCommandsTest, ImportWithAWrongHeaderChangesNothing) {
  const CloneImage before = window->image();
  script->openPaths = {write("list.CSV", "a,b,c\r\nx,145,FM\r\n")};

  trigger("FILE_INPORT");

  EXPECT_EQ(window->image(), before);
  ASSERT_EQ(script->messages.size(), 1u);
  EXPECT_EQ(script->messages[0].title, " Error");
  EXPECT_EQ(script->messages[0].text, "CSV File Error");
  EXPECT_EQ(shownTitle(*window), kTitle);
}

TEST_F(FileCommandsTest, ExportWritesEveryRowWithTheGridsLabels) {
  script->openPaths = {write("memory.M27", kCloneFile)};
  trigger("ReadFile");
  script->savePaths = {path("list")};

  trigger("FILE_EXPORT");

  const QByteArray csv = read(path("list.CSV"));
  EXPECT_TRUE(csv.startsWith(kCsvHeader));
  EXPECT_TRUE(csv.contains(
      "\r\n\"Bank00-000\",\"145.00000\",\"FM\",\"25KHz\",\"300Hz\",\"TSQ\",\"---\",\"100.0Hz\","
      "\"023\",\"+\",\"0.60000MHz\",\"\",\"ABC\",\"1\"\r\n"));
  EXPECT_EQ(csv.count("\r\n"), 1721);
  EXPECT_EQ(script->fileDialogs.back().defaultSuffix, "CSV");
  EXPECT_EQ(script->messages.back(), Notice("Finish", "Save File"));
  EXPECT_EQ(shownTitle(*window), kTitle + " [" + path("list.CSV") + "]");
}

// Opening, importing and closing over unsaved edits ask first; Cancel keeps everything.
TEST_F(FileCommandsTest, UnsavedEditsAreOfferedForSavingFirst) {
  const struct {
    SaveChoice choice;
    const char* savedAs;  // the answer to the save dialog, if one opens
    bool proceeds;
  } cases[] = {
      {SaveChoice::Cancel, nullptr, false},
      {SaveChoice::Discard, nullptr, true},
      {SaveChoice::Save, "first", true},
      {SaveChoice::Save, "", false},  // the save dialog cancelled
  };
  for (const auto& c : cases) {
    for (const char* command : {"ReadFile", "FILE_INPORT", "close"}) {
      SCOPED_TRACE(::testing::Message() << command << " choice " << static_cast<int>(c.choice));
      window = makeWindow();
      *script = {};
      makeAnEdit();
      const CloneImage edited = window->image();
      script->saveChoice = c.choice;
      if (c.savedAs) script->savePaths = {*c.savedAs ? path(c.savedAs) : QString()};
      const QString command_ = command;
      if (command_ == "ReadFile") script->openPaths = {write("memory.M27", kCloneFile)};
      if (command_ == "FILE_INPORT") script->openPaths = {write("list.CSV", kCsvHeader)};

      bool closed = false;
      if (command_ == "close") {
        closed = window->close();
      } else {
        trigger(command);
      }

      EXPECT_EQ(script->questions, 1);
      if (command_ == "close") {
        EXPECT_EQ(closed, c.proceeds);
      } else {
        EXPECT_EQ(script->openPaths.empty(), c.proceeds);
      }
      if (!c.proceeds) {
        EXPECT_EQ(window->image(), edited);
      }
      if (c.savedAs && *c.savedAs) {
        EXPECT_TRUE(QFile::exists(path(QString(c.savedAs) + ".M27")));
        QFile::remove(path(QString(c.savedAs) + ".M27"));
      }
    }
  }
}

}  // namespace
}  // namespace rqm27
