// The window shown while the program starts: its name and version, for half a second or until
// a key is pressed.
#pragma once

#include <QTimer>
#include <QWidget>

namespace rqm27 {

class SplashWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int ShowMilliseconds = 500;

  explicit SplashWindow(QWidget* parent = nullptr);

 signals:
  // Once, when the time is up or a key was pressed; the window then closes.
  void finished();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void finish();

  QTimer timer_;
  bool finished_ = false;
};

}  // namespace rqm27
