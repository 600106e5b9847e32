#pragma once

#include "reports/Tally.h"

namespace vel {

// Head counts from Staff_moninfo: each staff row of a month is one person of that month.
class StaffCounts {
public:
    // Reads the staff of months 0..lastMonth once, by the codes of `columns`; `joined` as Tally
    // takes them.
    StaffCounts(Db& db, int lastMonth, std::vector<std::string> columns,
                std::vector<std::string> joined = {});

    // The staff rows of months first..last that `who` takes: the persons of one month, or the
    // person-months of several.
    long long count(const Selection& who, int firstMonth, int lastMonth) const;

private:
    Tally<1> tally_;
};

// The average head count over `months` months (the opening roster counts as one): the
// person-months divided by the months, in the "0" format.
long long averageOverMonths(long long personMonths, int months);

}  // namespace vel
