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
  m.file = AddMenu(bar, "FILE", QStringLiteral("File(&F)"));
  m.open = AddItem(m.file, "ReadFile", QStringLiteral("Open(&O)"), QKeySequence::Open);
  m.save = AddItem(m.file, "TEST_CLICK", QStringLiteral("Save(&S)"), QKeySequence::Save);
  m.importCsv = AddItem(m.file, "FILE_INPORT", QStringLiteral("Import(&I)"),
                        QKeySequence(Qt::CTRL | Qt::Key_I));
  m.exportCsv = AddItem(m.file, "FILE_EXPORT", QStringLiteral("Export(&E)"),
                        QKeySequence(Qt::CTRL | Qt::Key_E));
  m.file->addSeparator();
  m.exit = AddItem(m.file, "FILE_EXIT", QStringLiteral("Exit(&X)"), QKeySequence::Quit);

  m.edit = AddMenu(bar, "MenuEdit", QStringLiteral("Edit(&E)"));
  m.port = AddMenu(bar, "MenuComPort", QStringLiteral("Port(&P)"));

  m.comm = AddMenu(bar, "Tusin_Botton", QStringLiteral("COMM(&C)"));
  // Ctrl+W closes windows elsewhere; writing the receiver takes a deliberate Ctrl+Shift+W.
  m.writeAll = AddItem(m.comm, "ALL_WRITE", QStringLiteral("Write all(&W)"),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
  m.readAll = AddItem(m.comm, "ALL_READ", QStringLiteral("Read all(&R)"),
                      QKeySequence(Qt::CTRL | Qt::Key_R));
  m.comm->addSeparator();
  m.restoreBackup = AddItem(m.comm, "RestoreBackup", QStringLiteral("Restore from backup(&B)..."),
                            QKeySequence());

  m.help = AddMenu(bar, "MenuHelp", QStringLiteral("Help(&H)"));
  m.version =
      AddItem(m.help, "MenuVersion", QStringLiteral("Version(&V)"), QKeySequence(Qt::Key_F1));
  return m;
}

}  // namespace rqm27
