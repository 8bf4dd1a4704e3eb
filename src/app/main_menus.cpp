#include "app/main_menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace rqm27 {

namespace {

QMenu* AddMenu(QMenuBar& bar, const char* name, const QString& title) {
  QMenu* menu = bar.addMenu(title);
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

QAction* AddItem(QMenu* menu, const char* name, const QString& text, const QKeySequence& shortcut) {
  QAction* action = menu->addAction(text);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  return action;
}

}  // namespace

MainMenus BuildMainMenus(QMenuBar& bar) {
  MainMenus m;
  m.file = AddMenu(bar, "fileMenu", QStringLiteral("File(&F)"));
  m.open = AddItem(m.file, "openItem", QStringLiteral("Open(&O)"), QKeySequence::Open);
  m.save = AddItem(m.file, "saveItem", QStringLiteral("Save(&S)"), QKeySequence::Save);
  m.importCsv = AddItem(m.file, "importCsvItem", QStringLiteral("Import(&I)"),
                        QKeySequence(Qt::CTRL | Qt::Key_I));
  m.exportCsv = AddItem(m.file, "exportCsvItem", QStringLiteral("Export(&E)"),
                        QKeySequence(Qt::CTRL | Qt::Key_E));
  m.file->addSeparator();
  m.exit = AddItem(m.file, "exitItem", QStringLiteral("Exit(&X)"), QKeySequence::Quit);

  m.edit = AddMenu(bar, "editMenu", QStringLiteral("Edit(&E)"));
  m.port = AddMenu(bar, "portMenu", QStringLiteral("Port(&P)"));

  m.comm = AddMenu(bar, "commMenu", QStringLiteral("COMM(&C)"));
  // Ctrl+W closes windows elsewhere; writing the receiver takes a deliberate Ctrl+Shift+W.
  m.writeAll = AddItem(m.comm, "writeAllItem", QStringLiteral("Write all(&W)"),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
  m.readAll = AddItem(m.comm, "readAllItem", QStringLiteral("Read all(&R)"),
                      QKeySequence(Qt::CTRL | Qt::Key_R));
  m.comm->addSeparator();
  m.restoreBackup = AddItem(m.comm, "restoreBackupItem",
                            QStringLiteral("Restore from backup(&B)..."), QKeySequence());

  m.help = AddMenu(bar, "helpMenu", QStringLiteral("Help(&H)"));
  m.version =
      AddItem(m.help, "versionItem", QStringLiteral("Version(&V)"), QKeySequence(Qt::Key_F1));
  return m;
}

}  // namespace rqm27
