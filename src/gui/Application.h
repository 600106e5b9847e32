#pragma once

class QApplication;

namespace vel::gui {

// The program's name and version, for --version and the work folder's default place; needs no
// application object yet.
void nameProgram();

// Once at start: the program's name, its icon, and Qt's own Chinese texts for everything Qt
// draws itself (standard buttons, file dialogs, edit menus), whatever the system's language.
void setUpApplication(QApplication& app);

}  // namespace vel::gui
