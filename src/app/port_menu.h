// The Port menu: "COM1" to "COM16", the serial ports found on this computer with their
// descriptions, and the built-in simulated receiver. One item is checked: the port in use.
#pragma once

#include <QObject>
#include <QString>

class QAction;
class QActionGroup;
class QMenu;

namespace rqm27 {

class PortMenu : public QObject {
  Q_OBJECT

 public:
  // Fills `menu`, which must outlive this object; the ports found are looked for again each
  // time the menu opens.
  PortMenu(QMenu* menu, const QString& current, QObject* parent = nullptr);

  QString current() const { return current_; }
  void setCurrent(const QString& portName);

 signals:
  // The user picked a port (also the one already in use).
  void portChosen(const QString& portName);

 private:
  void rebuild();
  QAction* addPort(const QString& portName, const QString& text, const QString& objectName);

  QMenu* menu_;
  QActionGroup* group_;
  QString current_;
};

}  // namespace rqm27
