#pragma once

#include "period/PeriodChecks.h"

#include <QProgressBar>

#include <functional>

namespace vel {
class Session;
}

namespace vel::gui {

// What a working window needs of the main window: the open unit, the shared progress bar, and
// the menu refreshes it asks for after it stored something.
struct WindowContext {
    explicit WindowContext(Session& s) : session(s) {}

    Session& session;
    QProgressBar* progressBar = nullptr;
    // RefreshMonthMenus and RefreshEntryMenus, after a roster was stored.
    std::function<void()> rosterStored;
    // RefreshEntryMenus alone.
    std::function<void()> entriesChanged;
    // RefreshMonthMenus, after a month's wages were stored: it opens the next month and brings
    // the session's lastWageMonth up to date, which reopening the wage sheet reads.
    std::function<void()> wagesStored;
    // The main window's "清空期初从业人员" (it asks first); true when the roster was cleared.
    std::function<bool()> clearOpeningRoster;
    // What a refused check offers (the unit window, a month's roster), taken by the main window.
    std::function<void(const CheckOutcome&)> takeOffer;

    void setProgress(int value) const
    {
        if (progressBar)
            progressBar->setValue(value);
    }
    void notifyRosterStored() const
    {
        if (rosterStored)
            rosterStored();
    }
    void notifyEntriesChanged() const
    {
        if (entriesChanged)
            entriesChanged();
    }
    void notifyWagesStored() const
    {
        if (wagesStored)
            wagesStored();
    }
};

}  // namespace vel::gui
