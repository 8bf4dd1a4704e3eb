// The main window's menu bar: File, Edit, Port, COMM and Help, with the usual shortcuts.
#pragma once

#include <QStringList>

class QAction;
class QMenu;
class QMenuBar;

namespace rqm27 {

struct MainMenus {
  QMenu* file = nullptr;
  QAction* newFile = nullptr;
  QAction* open = nullptr;
  QMenu* openRecent = nullptr;  // filled by ShowRecentFiles; an item's data is its path
  QAction* save = nullptr;
  QAction* saveAs = nullptr;
  QAction* importCsv = nullptr;
  QAction* exportCsv = nullptr;
  QAction* compare = nullptr;
  QAction* exit = nullptr;
  QMenu* edit = nullptr;  // Undo and Redo, from the document's undo stack
  QMenu* port = nullptr;  // filled by PortMenu
  QMenu* comm = nullptr;
  QAction* writeAll = nullptr;
  QAction* readAll = nullptr;
  QAction* restoreBackup = nullptr;
  QMenu* help = nullptr;
  QAction* version = nullptr;
};

MainMenus BuildMainMenus(QMenuBar& bar);

// Fills Open Recent with the files, the most recent first, numbered for the keyboard.
void ShowRecentFiles(QMenu& menu, const QStringList& files);

}  // namespace rqm27
