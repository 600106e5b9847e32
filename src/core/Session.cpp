#include "Session.h"

#include "reports/Forms.h"

namespace vel {

Session::Session(const WorkFolder& folder)
    : Session(folder, folder.hasDatabase() && !folder.writable())
{
}

Session::Session(const WorkFolder& folder, bool readOnly)
    : folder_(folder),
      readOnly_(readOnly),
      db_(readOnly ? folder.databaseFile() : folder.databasePath(), readOnly, formTableSchemas())
{
}

bool Session::unitRegistered()
{
    const std::optional<UnitRegistration> r = loadRegistration(db_);
    if (!r)
        return false;
    applyRegistration(*r);
    return true;
}

void Session::applyRegistration(const UnitRegistration& r)
{
    unit_.CurDepNo = r.code;
    unit_.CurDepName = r.name;
    unit_.CurDepType = r.type;
    unit_.CurDepInfo = r.unitClass.trimmed();
    unit_.CurCreateMon = r.createMon.trimmed();
}

MonthFlags Session::refreshMonthMenus()
{
    const std::optional<UnitRegistration> r = loadRegistration(db_);
    const QString createMon = r ? r->createMon : unit::ExistedAllYear;
    const std::optional<int> last = vel::lastWageMonth(db_);
    lastWageMonth_ = last.value_or(0);
    return openWageMonths(createMon, last);
}

bool Session::refreshEntryMenus()
{
    return openingRosterExists(db_);
}

}  // namespace vel
