// The birth-month rule: any text is normalised or failed, and a passing one is stored as
// "yyyy-MM" with a year of the accepted range and a month no higher than 12, which every report
// reads as that month.
#include "FuzzSupport.h"
#include "staff/BirthMonth.h"
#include "sheet/Sheet.h"
#include "staff/StaffRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace vel;
    fuzz::Unit& unit = fuzz::Unit::shared();
    const StaffRules rules(unit.codes, unit.attributes);
    Sheet sheet(staff::FirstPersonRow, staff::ColumnCount);
    sheet.setText(staff::FirstPersonRow, staff::BirthCol, fuzz::typed(data, size));
    if (rules.checkBirthday(sheet, staff::FirstPersonRow)) {
        const QString birth = sheet.text(staff::FirstPersonRow, staff::BirthCol);
        const qsizetype dash = birth.indexOf(u'-');
        fuzz::require(dash == 4);
        const int year = birth.left(4).toInt();
        fuzz::require(year >= 1934 && year <= 1995);
        bool ok = false;
        const int month = birth.mid(5).toInt(&ok);
        fuzz::require(ok && month >= 0 && month <= 12);
        fuzz::require(birth.size() == 7);
        fuzz::require(birthMonthNumber(birth) == birthMonthNumber(year, month));
    }
    return 0;
}
