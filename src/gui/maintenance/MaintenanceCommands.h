#pragma once

#include "maintenance/Clearing.h"

namespace vel::gui {

class MainWindow;

// The "系统管理" commands that act on the database as a whole or empty parts of it.
void backupCommand(MainWindow& main);
// Restore and initialise end the program once the database is replaced.
void restoreCommand(MainWindow& main);
void initialiseCommand(MainWindow& main);
// True when a whole roster was cleared; the months' dialog tells the clerk itself and gives false.
bool clearCommand(MainWindow& main, ClearKind kind);
void historyImportCommand(MainWindow& main);

}  // namespace vel::gui
