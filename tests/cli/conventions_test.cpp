// What every command shares: its help, the exit statuses, "-" for standard input and output,
// and JSON for scripts.
#include "cli/cli_runner.h"
#include "files/json_image.h"
#include "link/demo_memory.h"
#include "support/sample_image.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

using testing::RunCli;
using testing::RunCliWithInput;
using testing::WriteFile;

const char* const kCommands[] = {"convert", "show",   "diff",     "read",
                                 "write",   "verify", "simulate", "ports"};

TEST(Conventions, EveryCommandHasItsOwnHelp) {
  for (const char* command : kCommands) {
    for (const QStringList& args : {QStringList{command, "--help"}, QStringList{"help", command}}) {
      const auto run = RunCli(args);
      const QString out = QString::fromUtf8(run.out);
      EXPECT_EQ(run.exitCode, 0) << command;
      EXPECT_TRUE(out.startsWith(QStringLiteral("Usage: rqm27-cli %1").arg(command))) << command;
      EXPECT_TRUE(out.contains(QStringLiteral("Example:\n  rqm27-cli %1").arg(command)))
          << out.toStdString();
    }
  }
  const QString global = QString::fromUtf8(RunCli({"--help"}).out);
  for (const char* name : kCommands) EXPECT_TRUE(global.contains(name)) << name;
  for (const char* format : {"bin", "json", "m27", "multicsv", "Exit status"}) {
    EXPECT_TRUE(global.contains(format)) << format;
  }
}

TEST(Conventions, ExitStatusTellsSuccessFailureAndUsage) {
  QTemporaryDir dir;
  const QString good = dir.filePath("good.json");
  WriteFile(good, WriteJsonImage(testing::SampleImage()));
  const std::pair<QStringList, int> cases[] = {
      {{"convert", good, dir.filePath("out.M27")}, 0},
      {{"show", dir.filePath("missing.json")}, 1},
      {{"convert", good, dir.filePath("out.txt")}, 1},
      {{"read", "--port", dir.filePath("no-such-port"), dir.filePath("r.json")}, 1},
      {{"frobnicate"}, 2},
      {{}, 2},
      {{"read", "--help-me"}, 2},
      {{"read", "--port"}, 2},
      {{"show"}, 2},
      {{"convert", good, dir.filePath("o.json"), "--to", "xml"}, 2},
      {{"help", "frobnicate"}, 2},
  };
  for (const auto& [args, status] : cases) {
    EXPECT_EQ(RunCli(args).exitCode, status) << args.join(' ').toStdString();
  }
}

TEST(Conventions, DashIsStandardInputAndOutput) {
  const QByteArray json = WriteJsonImage(testing::SampleImage());
  const auto same = RunCliWithInput({"convert", "-", "-", "--from", "json", "--to", "json"}, json);
  EXPECT_EQ(same.exitCode, 0) << same.err.toStdString();
  EXPECT_EQ(same.out, json);
  const auto memory = RunCliWithInput({"convert", "-", "-", "--from", "json", "--to", "bin"}, json);
  EXPECT_EQ(memory.out.size(), 131072);  // a pipe is no terminal
  const auto noFormat = RunCliWithInput({"convert", "-", "-", "--to", "json"}, json);
  EXPECT_EQ(noFormat.exitCode, 2);  // a usage error: - has no extension to go by
  EXPECT_TRUE(noFormat.err.contains("--from")) << noFormat.err.toStdString();

  const auto read = RunCli({"read", "--port", "sim", "-", "--to", "json"});
  ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
  const auto image = ReadJsonImage(read.out);
  ASSERT_TRUE(image.ok()) << image.error().toStdString();
  EXPECT_EQ(image->slot(2), DemoImage().slot(2));
}

TEST(Conventions, ShowAndPortsSpeakJson) {
  const auto show = RunCliWithInput({"show", "--json", "--from", "json", "-"},
                                    WriteJsonImage(testing::SampleImage()));
  ASSERT_EQ(show.exitCode, 0) << show.err.toStdString();
  const QJsonObject summary = QJsonDocument::fromJson(show.out).object();
  const QJsonArray channels = summary["channels"].toArray();
  EXPECT_EQ(channels.size(), 32);
  EXPECT_EQ(channels[0].toObject()["frequency"].toString(), "145.00000MHz");
  EXPECT_EQ(summary["bankTotal"].toInt(), 1200);
  EXPECT_EQ(summary["banks"].toArray()[20].toInt(), 50);

  const QJsonArray ports = QJsonDocument::fromJson(RunCli({"ports", "--json"}).out).array();
  ASSERT_FALSE(ports.isEmpty());
  EXPECT_EQ(ports.last().toObject()["port"].toString(), "sim");
}

}  // namespace
}  // namespace rqm27
