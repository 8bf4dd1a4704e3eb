#include "app/port_menu.h"

#include "files/preferences.h"
#include "link/port_factory.h"
#include "link/serial_port.h"

#include <QActionGroup>
#include <QMenu>
#include <QSerialPortInfo>
#include <QSet>

#include <algorithm>

namespace rqm27 {

namespace {

// One spelling for each port: "COM3" for "com3", "sim" for "Sim".
QString CanonicalPortName(const QString& portName) {
  if (const std::optional<int> port = NumberOfPort(portName)) return NumberedPortName(*port);
  if (IsSimulatedPortName(portName)) return QString::fromLatin1(SimulatedPortName);
  return portName;
}

}  // namespace

PortMenu::PortMenu(QMenu* menu, const QString& current, QObject* parent)
    : QObject(parent),
      menu_(menu),
      group_(new QActionGroup(this)),
      current_(CanonicalPortName(current)) {
  group_->setExclusive(true);
  menu_->setToolTipsVisible(true);
  connect(menu_, &QMenu::aboutToShow, this, &PortMenu::rebuild);
  rebuild();
}

void PortMenu::setCurrent(const QString& portName) {
  current_ = CanonicalPortName(portName);
  for (QAction* action : group_->actions()) {
    action->setChecked(action->data().toString() == current_);
  }
  if (!group_->checkedAction()) rebuild();
}

void PortMenu::rebuild() {
  for (QAction* action : group_->actions()) {
    group_->removeAction(action);
    delete action;
  }
  menu_->clear();

  QSet<QString> numberedDevices;
  for (int port = 1; port <= MaxPort; ++port) {
    const QString name = NumberedPortName(port);
    const QString device = SerialDeviceName(name);
    addPort(name, name, QStringLiteral("numberedPortItem_%1").arg(port))->setToolTip(device);
    numberedDevices << device;
  }

  // The ports of this computer that the numbered items do not stand for already.
  QList<QAction*> found;
  int index = 0;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    const QString device = info.systemLocation();
    if (numberedDevices.contains(device)) continue;
    const QString text = info.description().isEmpty()
                             ? device
                             : QStringLiteral("%1  (%2)").arg(device, info.description());
    if (found.isEmpty()) menu_->addSeparator();
    found << addPort(device, text, QStringLiteral("serialPortItem_%1").arg(index++));
  }
  // A port chosen earlier that is not plugged in now still shows, checked.
  const bool known = NumberOfPort(current_) || IsSimulatedPortName(current_) ||
                     std::any_of(found.begin(), found.end(), [this](QAction* action) {
                       return action->data().toString() == current_;
                     });
  if (!known) {
    if (found.isEmpty()) menu_->addSeparator();
    addPort(current_, current_ + QStringLiteral("  (not found)"),
            QStringLiteral("serialPortItem_%1").arg(index));
  }

  menu_->addSeparator();
  addPort(QString::fromLatin1(SimulatedPortName), QStringLiteral("Simulated receiver"),
          QStringLiteral("simulatedPortItem"));
}

QAction* PortMenu::addPort(const QString& portName, const QString& text,
                           const QString& objectName) {
  QAction* action = menu_->addAction(text);
  action->setObjectName(objectName);
  action->setData(portName);
  action->setCheckable(true);
  action->setChecked(portName == current_);
  group_->addAction(action);
  connect(action, &QAction::triggered, this, [this, portName] {
    setCurrent(portName);
    emit portChosen(portName);
  });
  return action;
}

}  // namespace rqm27
