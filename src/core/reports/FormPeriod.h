#pragma once

#include "reports/MonthRange.h"

#include <QString>

namespace vel {

// The periods a form is drawn for.
enum class PeriodKind {
    Quarter,        // quarter 1, 2 or 3 of the year
    Year,           // the whole year, up to December
    MonthRange,     // months from..to, typed or chosen
    OpeningRoster,  // the opening roster
};

// The period of one run of a form. A range comes as typed (the command line's or the chooser's
// texts) and is read by the range checks.
struct FormPeriod {
    PeriodKind kind = PeriodKind::Year;
    int quarter = 0;
    QString fromText;
    QString toText;
    // Shows the copy stored for the range instead of computing (the wage summaries).
    bool reuseStoredCopy = false;

    static FormPeriod ofQuarter(int quarter);
    static FormPeriod ofYear();
    static FormPeriod ofOpeningRoster();
    static FormPeriod ofRange(const QString& from, const QString& to, bool reuseStoredCopy = false);
    static FormPeriod ofRange(const vel::MonthRange& range, bool reuseStoredCopy = false);

    // The typed months as numbers; 0 for a text that is none.
    vel::MonthRange range() const;
};

}  // namespace vel
