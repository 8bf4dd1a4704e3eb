#include "app/main_menus.h"

#include <QAction>
#include <QDir>
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

// The platform's key for a standard command, or `usual` where the platform has none (Windows
// has no key for Save As).
QKeySequence StandardKey(QKeySequence::StandardKey key, const QKeySequence& usual) {
  const QList<QKeySequence> bindings = QKeySequence::keyBindings(key);
  return bindings.isEmpty() ? usual : bindings.front();
}

}  // namespace

MainMenus BuildMainMenus(QMenuBar& bar) {
  MainMenus m;
  m.file = AddMenu(bar, "fileMenu", QStringLiteral("File(&F)"));
  m.newFile = AddItem(m.file, "newItem", QStringLiteral("New(&N)"), QKeySequence::New);
  m.open = AddItem(m.file, "openItem", QStringLiteral("Open(&O)..."), QKeySequence::Open);
  m.openRecent = m.file->addMenu(QStringLiteral("Open Recent(&R)"));
  m.openRecent->setObjectName(QStringLiteral("openRecentMenu"));
  m.save = AddItem(m.file, "saveItem", QStringLiteral("Save(&S)"), QKeySequence::Save);
  m.saveAs =
      AddItem(m.file, "saveAsItem", QStringLiteral("Save As(&A)..."),
              StandardKey(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
  m.file->addSeparator();
  m.importCsv = AddItem(m.file, "importCsvItem", QStringLiteral("Import(&I)"),
                        QKeySequence(Qt::CTRL | Qt::Key_I));
  // Ctrl+E is Edit selected, in the Edit menu.
  m.exportCsv = AddItem(m.file, "exportCsvItem", QStringLiteral("Export(&E)"),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
  m.compare = AddItem(m.file, "compareItem", QStringLiteral("Compare with(&C)..."),
                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
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

void ShowRecentFiles(QMenu& menu, const QStringList& files) {
  menu.clear();
  if (files.isEmpty()) {
    menu.addAction(QStringLiteral("(none)"))->setEnabled(false);
    return;
  }
  for (int n = 0; n < files.size(); ++n) {
    QString shown = QDir::toNativeSeparators(files[n]);
    QAction* item = menu.addAction(
        QStringLiteral("&%1 %2").arg(n + 1).arg(shown.replace(u'&', QStringLiteral("&&"))));
    item->setObjectName(QStringLiteral("recentFileItem_%1").arg(n + 1));
    item->setData(files[n]);
  }
}

}  // namespace rqm27
