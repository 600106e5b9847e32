#include "FormPeriod.h"

namespace vel {

FormPeriod FormPeriod::ofQuarter(int quarter)
{
    FormPeriod p;
    p.kind = PeriodKind::Quarter;
    p.quarter = quarter;
    return p;
}

FormPeriod FormPeriod::ofYear()
{
    return {};
}

FormPeriod FormPeriod::ofOpeningRoster()
{
    FormPeriod p;
    p.kind = PeriodKind::OpeningRoster;
    return p;
}

FormPeriod FormPeriod::ofRange(const QString& from, const QString& to, bool reuseStoredCopy)
{
    FormPeriod p;
    p.kind = PeriodKind::MonthRange;
    p.fromText = from;
    p.toText = to;
    p.reuseStoredCopy = reuseStoredCopy;
    return p;
}

FormPeriod FormPeriod::ofRange(const vel::MonthRange& range, bool reuseStoredCopy)
{
    return ofRange(QString::number(range.from), QString::number(range.to), reuseStoredCopy);
}

vel::MonthRange FormPeriod::range() const
{
    return {monthOfText(fromText), monthOfText(toText)};
}

}  // namespace vel
