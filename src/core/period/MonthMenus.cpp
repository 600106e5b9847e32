#include "MonthMenus.h"

#include "db/Db.h"
#include "unit/UnitRegistration.h"

namespace vel {
namespace {

// "0".."11" as a number; nullopt for "99" and anything else.
std::optional<int> foundingOffset(const QString& createMon)
{
    bool ok = false;
    const int c = createMon.trimmed().toInt(&ok);
    if (!ok || c < 0 || c > 11)
        return std::nullopt;
    return c;
}

}  // namespace

bool isValidCreateMon(const QString& createMon)
{
    return createMon.trimmed() == unit::ExistedAllYear || foundingOffset(createMon).has_value();
}

MonthFlags openWageMonths(const QString& createMon, std::optional<int> lastWageMonth)
{
    MonthFlags open{};
    const int last = lastWageMonth.value_or(0);
    if (createMon.trimmed() == unit::ExistedAllYear) {
        // Wage rows of month 0 cannot be entered; treat them as "no wages yet" so month 1 opens.
        const int top = last >= 1 ? last + 1 : 1;
        for (int m = 1; m <= top && m <= 12; ++m)
            open[m] = true;
        return open;
    }
    const std::optional<int> c = foundingOffset(createMon);
    if (!c)
        return open;
    open[*c + 1] = true;
    for (int i = *c; i <= last && i <= 11; ++i)
        open[i + 1] = true;
    return open;
}

std::optional<int> wageEntryMonth(const QString& createMon, const MonthFlags& open)
{
    int first = 1;
    if (createMon.trimmed() != unit::ExistedAllYear) {
        const std::optional<int> c = foundingOffset(createMon);
        if (!c)
            return std::nullopt;
        first = *c + 1;
    }
    if (first == 12)
        return open[12] ? std::optional<int>(12) : std::nullopt;
    int m = first;
    while (m < 12 && open[m + 1])
        ++m;
    return m;
}

std::optional<int> lastWageMonth(Db& db)
{
    const SqlValue v = db.scalar("SELECT MAX(CAST(sMon AS INTEGER)) FROM Wage_Info");
    if (const auto* i = std::get_if<long long>(&v))
        return static_cast<int>(*i);
    return std::nullopt;
}

bool openingRosterExists(Db& db)
{
    return db.exists("SELECT 1 FROM Staff_moninfo WHERE sMon = 0");
}

}  // namespace vel
