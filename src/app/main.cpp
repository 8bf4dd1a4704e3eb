#include "app/main_window.h"
#include "app/splash_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

namespace {

// The file named on the command line, as a full path; empty when none is named. --help and
// --version answer and end the program here.
QString FileOnCommandLine(const QApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("RQ-M27 Clone Utility"));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(
      QStringLiteral("file"),
      QStringLiteral("An image file to open: .M27, .json, .bin, or a .CSV channel list."),
      QStringLiteral("[file]"));
  parser.process(app);
  const QStringList files = parser.positionalArguments();
  return files.isEmpty() ? QString() : QFileInfo(files.front()).absoluteFilePath();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("rqm27"));
  QApplication::setApplicationVersion(QStringLiteral(RQM27_VERSION));
  const QString file = FileOnCommandLine(app);

  // The preferences path depends on the application's name, set just above.
  rqm27::MainWindow window;
  auto* splash = new rqm27::SplashWindow;
  QObject::connect(splash, &rqm27::SplashWindow::finished, &window, &QWidget::show);
  if (!file.isEmpty()) {
    // Queued: the splash has gone and the window is up before a message about the file shows.
    QObject::connect(
        splash, &rqm27::SplashWindow::finished, &window, [&window, file] { window.openFile(file); },
        Qt::QueuedConnection);
  }
  splash->show();
  return app.exec();
}
