#pragma once

class QApplication;

namespace vel::gui {

// Once at start: the program's name, and Qt's own Chinese texts for everything Qt draws itself
// (standard buttons, file dialogs, edit menus), whatever the system's language.
void setUpApplication(QApplication& app);

}  // namespace vel::gui
