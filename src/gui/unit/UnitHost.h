#pragma once

#include "unit/UnitList.h"

#include <QObject>

#include <memory>

namespace vel {
class Session;
}

namespace vel::gui {

class MainWindow;

// Runs the main window on one work folder at a time. Switching units opens a new main window on
// the chosen folder and closes the one before; the unit list records every folder opened.
class UnitHost : public QObject {
    Q_OBJECT
public:
    explicit UnitHost(UnitList list = UnitList());
    ~UnitHost() override;

    // False, after saying why, when the folder's database cannot be opened: the window shown
    // before stays.
    bool open(const QString& folder);
    // At start: the folder named on the command line or in the environment, else the unit opened
    // last (startFolder).
    bool start(const QString& commandLineDir);
    MainWindow* window() const { return window_.get(); }
    Session* session() const { return session_.get(); }

private:
    UnitList list_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace vel::gui
