#include "app/splash_window.h"

#include "app/app_version.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace rqm27 {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("splashWindow"));
  setAttribute(Qt::WA_DeleteOnClose);

  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::Box);
  frame->setLineWidth(2);
  auto* name = new QLabel(QStringLiteral("RQ-M27 Clone Utility"), frame);
  QFont nameFont = name->font();
  nameFont.setPointSizeF(nameFont.pointSizeF() * 2);
  nameFont.setBold(true);
  name->setFont(nameFont);
  auto* version = new QLabel(QStringLiteral("Version ") + VersionText(), frame);
  version->setObjectName(QStringLiteral("versionLabel"));
  for (QLabel* label : {name, version}) label->setAlignment(Qt::AlignCenter);

  auto* inner = new QVBoxLayout(frame);
  inner->setContentsMargins(48, 32, 48, 32);
  inner->setSpacing(16);
  inner->addWidget(name);
  inner->addWidget(version);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(frame);

  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(ShowMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &SplashWindow::finish);
  timer_.start();
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
  event->accept();
  finish();
}

void SplashWindow::finish() {
  timer_.stop();
  if (finished_) return;
  finished_ = true;
  emit finished();
  close();
}

}  // namespace rqm27
