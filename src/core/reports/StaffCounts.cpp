#include "StaffCounts.h"

#include "reports/Rounding.h"

namespace vel {

StaffCounts::StaffCounts(Db& db, int lastMonth, std::vector<std::string> columns,
                         std::vector<std::string> joined)
    : tally_(std::move(columns), std::move(joined))
{
    scanRows(db, "Staff_moninfo", tally_.columns(), {}, lastMonth,
             [this](int month, const RowCodes& codes, SQLite::Statement&) {
                 tally_.add(month, codes, {1});
             });
}

long long StaffCounts::count(const Selection& who, int firstMonth, int lastMonth) const
{
    return tally_.sum(who, firstMonth, lastMonth)[0];
}

long long averageOverMonths(long long personMonths, int months)
{
    return roundedQuotient(personMonths, months);
}

}  // namespace vel
