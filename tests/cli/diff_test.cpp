#include "cli/cli_runner.h"
#include "files/json_image.h"
#include "support/sample_image.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

using testing::RunCli;
using testing::WriteFile;

TEST(Diff, SaysWhatDiffersAndExitsWithTheOutcome) {
  QTemporaryDir dir;
  const QString a = dir.filePath("a.json");
  const QString b = dir.filePath("b.json");
  const QString clone = dir.filePath("a.M27");
  CloneImage changed = testing::SampleImage();
  changed.slot(1).frequency = 14502000;
  changed.title = NameFromText(u"HELLO");
  WriteFile(a, WriteJsonImage(testing::SampleImage()));
  WriteFile(b, WriteJsonImage(changed));
  ASSERT_EQ(RunCli({"convert", a, clone}).exitCode, 0);

  const auto same = RunCli({"diff", a, clone});
  EXPECT_EQ(same.exitCode, 0) << same.err.toStdString();
  EXPECT_TRUE(same.out.isEmpty()) << same.out.toStdString();

  const auto different = RunCli({"diff", clone, b});
  EXPECT_EQ(different.exitCode, 1) << different.err.toStdString();
  EXPECT_EQ(QString::fromUtf8(different.out),
            QString::fromUtf8("Bank00-000 (slot 1): Frequency 145.00000MHz -> 145.02000MHz\n"
                              "Title: \"ようこそ RQ\" -> \"HELLO\"\n"));

  const auto json = RunCli({"diff", "--json", a, b});
  EXPECT_EQ(json.exitCode, 1);
  const QJsonArray entries = QJsonDocument::fromJson(json.out).array();
  ASSERT_EQ(entries.size(), 2) << json.out.toStdString();
  const QJsonObject frequency = entries[0].toObject();
  EXPECT_EQ(frequency["area"].toString(), "channel");
  EXPECT_EQ(frequency["kind"].toString(), "changed");
  EXPECT_EQ(frequency["place"].toInt(), 1);
  EXPECT_EQ(frequency["field"].toString(), "Frequency");
  EXPECT_EQ(frequency["old"].toString(), "145.00000MHz");
  EXPECT_EQ(frequency["new"].toString(), "145.02000MHz");
  EXPECT_EQ(entries[1].toObject()["new"].toString(), "HELLO");

  EXPECT_EQ(RunCli({"diff", a, dir.filePath("missing.json")}).exitCode, 2);
  EXPECT_EQ(RunCli({"diff", a}).exitCode, 2);
}

}  // namespace
}  // namespace rqm27
