#pragma once

#include "WindowContext.h"
#include "period/MonthMenus.h"
#include "period/PeriodChecks.h"
#include "unit/UnitList.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;

namespace vel {
class Session;
struct FormDefinition;
}

namespace vel::gui {

enum class OpeningRosterMode;

// The hub: holds the open unit database, offers every command and keeps the menus in step.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static QString programTitle();

    // `units` is the list of the units this program has opened, which "切换单位" offers.
    explicit MainWindow(Session& session, QWidget* parent = nullptr, UnitList units = UnitList());

    Session& session() { return session_; }
    QProgressBar* progressBar() const { return pb_; }

    // The show procedure: folders, bounds, menus, and the unit registration (the unit window
    // opens at once when none is stored). A work folder the user may not change is said so once,
    // and every command that writes stays disabled.
    void startUp();
    void RefreshMonthMenus();
    void RefreshEntryMenus();
    // Loads the registered unit into the attributes; false when none is registered.
    bool UnitRegistered();
    // Caption, status bar and the summary entry that fits the unit, from the stored registration.
    void showRegistration();
    void openUnitWindow(bool fromStartUp = false);

    // Shows a command's checks as boxes and takes their offer; true when the command may go on.
    bool passes(const CheckOutcome& outcome);
    // After the opening roster was cleared: wage entry and summaries wait for a new one.
    void openingRosterCleared();

    QAction* monthAction(int month) const { return monthActions_[month]; }
    // What a working window is given of this window.
    WindowContext windowContext();

signals:
    // "切换单位" chose another work folder: the main window is to be opened there instead.
    void unitSwitchRequested(const QString& folder);

private:
    void buildMenus();
    // "数据库检查": the work folder's subfolders, and no copies left over from a stopped restore.
    void prepareFolder();
    void keepReadOnly();
    void buildToolBar();
    // Every form's entries in "数据汇总", from the form registry.
    void addFormEntries();
    // The status line names the command a clerk turns to next.
    void showNextStep();
    QAction* addEntry(QMenu* menu, const QString& caption, const QString& name,
                      std::function<void()> command, bool visible = true);
    // UnitRegistered with its refusal; the unit window for the commands that offer it.
    bool requireUnit(bool offerUnitWindow);
    void takeOffer(const CheckOutcome& refused);
    void runWageMonth(int month);
    void wageEntryButton();
    void openOpeningRoster(OpeningRosterMode mode);
    void openMonthlyRoster(int month, QWidget* owner);
    void openPersonWindow();
    // True when the clerk answered Yes and the roster is gone.
    bool clearOpeningRoster();
    void showAbout();

    Session& session_;
    UnitList units_;
    QProgressBar* pb_ = nullptr;
    QLabel* panel0_ = nullptr;
    QLabel* panel1_ = nullptr;
    QLabel* nextStep_ = nullptr;
    QMenu* wageMenu_ = nullptr;
    QMenu* summaryMenu_ = nullptr;
    // The entries of forms for one kind of unit: shown only to such a unit.
    struct UnitKindEntry {
        QAction* action;
        const FormDefinition* form;
        bool shown;
    };
    std::vector<UnitKindEntry> unitKindEntries_;
    std::array<QAction*, 13> monthActions_{};
};

}  // namespace vel::gui
