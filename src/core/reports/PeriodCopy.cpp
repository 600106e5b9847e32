#include "PeriodCopy.h"

#include "db/Db.h"

#include <stdexcept>

namespace vel {

std::string periodCopyTable(const MonthRange& range)
{
    if (!range.valid())
        throw std::logic_error("a period copy is named only for a range within 1..12");
    return "Total_" + std::to_string(range.from) + "_" + std::to_string(range.to);
}

bool periodCopyStored(Db& db, const MonthRange& range, int rows)
{
    const std::string table = periodCopyTable(range);
    if (!db.exists("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE",
                   {QString::fromStdString(table)}))
        return false;
    const SqlValue count = db.scalar("SELECT COUNT(*) FROM " + table);
    return std::get<long long>(count) == rows;
}

void savePeriodCopy(Db& db, const MonthRange& range, int rows)
{
    const std::string table = periodCopyTable(range);
    db.exec("DROP TABLE IF EXISTS " + table);
    db.exec("CREATE TABLE " + table + " AS SELECT * FROM Total_Info WHERE Gid <= ? ORDER BY Gid",
            {static_cast<long long>(rows)});
}

}  // namespace vel
