#pragma once

#include "WorkFolder.h"
#include "db/CodeLists.h"
#include "db/Db.h"
#include "period/MonthMenus.h"
#include "unit/UnitRegistration.h"

#include <QString>

namespace vel {

// The registered unit as every window reads it: fixed until the unit is registered anew.
struct UnitAttributes {
    QString CurDepNo;
    QString CurDepName;
    QString CurDepType;
    QString CurDepInfo;
    QString CurCreateMon;

    // A government organ, whose forms and code lists differ from an enterprise's.
    bool isOrgan() const { return CurDepType.trimmed() == unit::OrganType; }
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
    const UnitAttributes& unit() const { return unit_; }
    // The last month with stored wages (0 for none): the wage sheet loads a month's stored rows
    // only up to it.
    int lastWageMonth() const { return lastWageMonth_; }
    void setLastWageMonth(int month) { lastWageMonth_ = month; }

    // Loads the registered unit into the attributes; false when none is registered.
    bool unitRegistered();
    // Copies a stored registration into the attributes.
    void applyRegistration(const UnitRegistration& r);
    // Recomputes lastWageMonth and returns which monthly wage entries are open.
    MonthFlags refreshMonthMenus();
    // Whether the wage-entry and summary menus are open (the opening roster has rows).
    bool refreshEntryMenus();
    // The filter digit of the post list for this unit's kind.
    QString postFilter() const { return unit_.isOrgan() ? QStringLiteral("0") : QStringLiteral("1"); }

private:
    WorkFolder folder_;
    bool readOnly_;
    Db db_;
    CodeLists codes_;
    UnitAttributes unit_;
    int lastWageMonth_ = 0;
};

}  // namespace vel
