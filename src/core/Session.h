#pragma once

#include "WorkFolder.h"
#include "db/CodeLists.h"
#include "db/Db.h"
#include "period/MonthMenus.h"
#include "unit/UnitRegistration.h"

#include <QString>

namespace vel {

// The registered unit's attributes and the working state every window reads.
struct UnitAttributes {
    QString CurDepNo;
    QString CurDepName;
    QString CurDepType;
    QString CurDepInfo;
    QString CurCreateMon;
    int EnterpriseFlag = 1;  // 0 for a government organ
    QString WorkMon;         // "0".."12", or empty for the roster list
    QString LastWageMon = QStringLiteral("0");
    bool OpeningCleared = false;
    int WageTotalMin = 500;
    int WageTotalMax = 100000;
};

// One open unit database with its attributes and code lists: what the main window holds.
class Session {
public:
    // Opens the folder's database, or creates it; a database the user may not change (a
    // read-only folder or file) is opened for reading only.
    explicit Session(const WorkFolder& folder);
    Session(const WorkFolder& folder, bool readOnly);

    // Every command that writes refuses to start: the data can only be looked at.
    bool readOnly() const { return readOnly_; }

    Db& db() { return db_; }
    const WorkFolder& folder() const { return folder_; }
    CodeLists& codes() { return codes_; }
    UnitAttributes& unit() { return unit_; }
    const UnitAttributes& unit() const { return unit_; }

    // Loads the registered unit into the attributes; false when none is registered.
    bool unitRegistered();
    // Copies a stored registration into the attributes.
    void applyRegistration(const UnitRegistration& r);
    // Recomputes LastWageMon and returns which monthly wage entries are open.
    MonthFlags refreshMonthMenus();
    // Whether the wage-entry and summary menus are open (the opening roster has rows).
    bool refreshEntryMenus();
    // The filter digit of the post list for this unit's kind.
    QString postFilter() const { return QString::number(unit_.EnterpriseFlag); }

private:
    WorkFolder folder_;
    bool readOnly_;
    Db db_;
    CodeLists codes_;
    UnitAttributes unit_;
};

}  // namespace vel
