#include "files/preferences.h"

#include "files/clone_file.h"
#include "support/sample_image.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <csignal>
#include <optional>
#include <tuple>

namespace rqm27 {
namespace {

using testing::ReadFile;
using testing::SampleImage;
using testing::WriteFile;

const QDateTime kNow(QDate(2024, 5, 6), QTime(7, 8, 9));

TEST(Preferences, PortComesFromTheFirstPortLine) {
  const std::tuple<const char*, int, const char*> cases[] = {
      {"Save\nCOMPORT16\n", 16, "COM16"},
      {"Save\r\nCOMPORT7\r\n", 1, "COM1"},
      {"Save\r\nCOMPORT17\r\n", 1, "COM1"},
      {"Save\r\nCOMPORT05\r\nCOMPORT06\r\n", 5, "COM5"},
      {"Save\r\nCOLOUR_12\r\nCOMPORT06\r\n", 12, "COM12"},  // any line starting "CO"
      {"Save\r\nTITLECOMPORT09\r\nFile End\r\n", 1, "COM1"},
      {"Save\r\nPORTNAMEsim\r\nCOMPORT07\r\n", 7, "sim"},
      {"Save\r\nPORTNAME\r\nCOMPORT05\r\n", 5, "COM5"}};
  for (const auto& [file, port, name] : cases) {
    EXPECT_EQ(ReadPreferencesPort(QByteArray(file)), port) << file;
    EXPECT_EQ(ReadPreferencesPortName(file), name) << file;
  }
  const std::pair<const char*, std::optional<int>> names[] = {
      {"COM16", 16}, {"com7", 7}, {"COM17", {}}, {"COM0", {}}, {"COM07", {}}, {"sim", {}}};
  for (const auto& [name, port] : names) EXPECT_EQ(NumberOfPort(name), port) << name;
}

TEST(Preferences, SavedFileIsTheCloneFileAndKeepsAnUnnumberedPortInALineOfItsOwn) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("config/rqm27/RQ-M27_Writer.INI");
  EXPECT_EQ(LoadPreferences(path), 1);
  EXPECT_EQ(LoadPreferencesPortName(path), "COM1");

  CloneImage image = SampleImage();
  image.comPort = 12;
  for (const char* numbered : {"", "COM12"}) {
    const Status saved = SavePreferences(path, image, kNow, numbered);
    ASSERT_TRUE(saved.ok()) << saved.error().toStdString();
    EXPECT_EQ(ReadFile(path), WriteCloneFile(image, kNow)->value) << numbered;
    EXPECT_EQ(LoadPreferencesPortName(path), "COM12");
  }

  ASSERT_TRUE(SavePreferences(path, image, kNow, "/dev/ttyUSB0").ok());
  EXPECT_EQ(ReadFile(path),
            WriteCloneFile(image, kNow)
                ->value.replace("\r\nFile End\r\n", "\r\nPORTNAME/dev/ttyUSB0\r\nFile End\r\n"));
  EXPECT_EQ(LoadPreferences(path), 12);
  EXPECT_EQ(LoadPreferencesPortName(path), "/dev/ttyUSB0");
}

TEST(Preferences, SaveIntoAFolderThatCannotBeWrittenKeepsTheOldFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString folder = dir.filePath("locked");
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString path = folder + "/RQ-M27_Writer.INI";
  WriteFile(path, "COMPORT05\r\n");
  const auto locked = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
  const auto open = locked | QFile::WriteOwner;
  ASSERT_TRUE(QFile::setPermissions(dir.path(), open));
  ASSERT_TRUE(QFile::setPermissions(folder, locked));

  std::optional<Status> saved;
  {
    // Root writes anywhere; a user without rights over the folder stands in for it.
    const uid_t previous = geteuid();
    const bool switched = previous == 0 && seteuid(65534) == 0;
    if (previous != 0 || switched) saved = SavePreferences(path, SampleImage(), kNow);
    if (switched) {
      EXPECT_EQ(seteuid(previous), 0);
    }
  }
  ASSERT_TRUE(QFile::setPermissions(folder, open));
  if (!saved) GTEST_SKIP() << "cannot give up the rights of root";

  ASSERT_FALSE(saved->ok());
  EXPECT_TRUE(saved->error().contains(path)) << saved->error().toStdString();
  EXPECT_EQ(ReadFile(path), "COMPORT05\r\n");
  EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"RQ-M27_Writer.INI"});
}

}  // namespace
}  // namespace rqm27
