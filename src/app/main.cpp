#include "app/main_window.h"
#include "app/splash_window.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("rqm27"));
  QApplication::setApplicationVersion(QStringLiteral(RQM27_VERSION));

  // The preferences path depends on the application's name, set just above.
  rqm27::MainWindow window;
  auto* splash = new rqm27::SplashWindow;
  QObject::connect(splash, &rqm27::SplashWindow::finished, &window, &QWidget::show);
  splash->show();
  return app.exec();
}
