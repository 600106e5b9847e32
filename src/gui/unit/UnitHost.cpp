#include "UnitHost.h"

#include "Errors.h"
#include "MainWindow.h"
#include "Prompter.h"
#include "Session.h"
#include "unit/UnitRegistration.h"

#include <QTimer>

namespace vel::gui {

UnitHost::UnitHost(UnitList list) : list_(std::move(list)) {}

UnitHost::~UnitHost()
{
    window_.reset();  // the window before the session it shows
}

bool UnitHost::start(const QString& commandLineDir)
{
    QString folder;
    try {
        folder = startFolder(commandLineDir, list_);
    } catch (const Error& e) {
        // The list was put aside; the default folder opens.
        prompt().error(nullptr, e.message());
        folder = WorkFolder::resolve(commandLineDir);
    }
    return open(folder);
}

bool UnitHost::open(const QString& folder)
{
    std::unique_ptr<Session> session;
    try {
        session = std::make_unique<Session>(WorkFolder(folder));
        loadRegistration(session->db());
    } catch (const Error& e) {
        // Without its database (or with a registration no file may be named after) no command
        // can work; say why rather than fail later.
        prompt().error(window_.get(), e.message());
        return false;
    }
    try {
        list_.remember(*session);
    } catch (const Error& e) {
        // The unit opens all the same; only the list misses it.
        prompt().error(window_.get(), e.message());
    }
    auto window = std::make_unique<MainWindow>(*session, nullptr, list_);
    // Queued: the request comes from inside the old window, which must not die under it.
    connect(window.get(), &MainWindow::unitSwitchRequested, this, &UnitHost::open,
            Qt::QueuedConnection);
    window->resize(1024, 700);  // the size it keeps where no window manager maximises it
    window->showMaximized();
    MainWindow* shown = window.get();
    QTimer::singleShot(0, shown, [shown] { shown->startUp(); });

    window_.reset();
    session_ = std::move(session);
    window_ = std::move(window);
    return true;
}

}  // namespace vel::gui
