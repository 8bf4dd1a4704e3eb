// The main window's menu bar: File, Edit, Port, COMM and Help, with the usual shortcuts.
#pragma once

class QAction;
class QMenu;
class QMenuBar;

namespace rqm27 {

struct MainMenus {
  QMenu* file = nullptr;
  QAction* open = nullptr;
  QAction* save = nullptr;
  QAction* importCsv = nullptr;
  QAction* exportCsv = nullptr;
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

}  // namespace rqm27
