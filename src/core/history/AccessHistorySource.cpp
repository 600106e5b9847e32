#include "AccessHistorySource.h"

#include "Errors.h"
#include "history/AccessDatabase.h"

#include <algorithm>

namespace vel {
namespace {

// Values in the order SQL sorts them: NULL first, then numbers, then texts.
int compareValues(const SqlValue& a, const SqlValue& b)
{
    const auto rank = [](const SqlValue& v) {
        return std::holds_alternative<std::nullptr_t>(v) ? 0 : std::holds_alternative<QString>(v) ? 2 : 1;
    };
    const auto number = [](const SqlValue& v) {
        if (const auto* i = std::get_if<long long>(&v))
            return static_cast<double>(*i);
        return std::get<double>(v);
    };
    if (rank(a) != rank(b))
        return rank(a) < rank(b) ? -1 : 1;
    if (rank(a) == 0)
        return 0;
    if (rank(a) == 2)
        return std::get<QString>(a).compare(std::get<QString>(b));
    return number(a) < number(b) ? -1 : number(a) > number(b) ? 1 : 0;
}

// The table's rows with the import's columns in its order, the month last and the id after it
// (for sorting, then dropped); missing columns are added to `missing`.
template <size_t N>
std::vector<SqlParams> projected(const AccessTable& table, const std::array<const char*, N>& columns,
                                 QStringList& missing)
{
    std::vector<int> places;
    for (const char* c : columns)
        places.push_back(table.column(QLatin1String(c)));
    places.push_back(table.column(QStringLiteral("sMon")));
    places.push_back(table.column(QStringLiteral("id")));
    for (size_t i = 0; i < places.size(); ++i)
        if (places[i] < 0)
            missing << QStringLiteral("%1.%2").arg(
                table.name, i < N ? QLatin1String(columns[i]) : QLatin1String(i == N ? "sMon" : "id"));
    if (!missing.isEmpty())
        return {};
    std::vector<SqlParams> rows;
    rows.reserve(table.rows.size());
    for (const SqlParams& source : table.rows) {
        SqlParams row;
        row.reserve(places.size());
        for (int place : places)
            row.push_back(source[static_cast<size_t>(place)]);
        rows.push_back(std::move(row));
    }
    return rows;
}

// Sorts by the keys (place, descending) and drops the id at the end of each row.
void sortAndDropId(std::vector<SqlParams>& rows, std::initializer_list<std::pair<size_t, bool>> keys)
{
    std::stable_sort(rows.begin(), rows.end(), [&keys](const SqlParams& a, const SqlParams& b) {
        for (const auto& [place, descending] : keys) {
            const int c = compareValues(a[place], b[place]);
            if (c != 0)
                return descending ? c > 0 : c < 0;
        }
        return false;
    });
    for (SqlParams& row : rows)
        row.pop_back();
}

QString trimmedText(const SqlParams& row, int place)
{
    if (place < 0)
        return {};
    if (const auto* s = std::get_if<QString>(&row[static_cast<size_t>(place)]))
        return s->trimmed();
    if (const auto* i = std::get_if<long long>(&row[static_cast<size_t>(place)]))
        return QString::number(*i);
    return {};
}

// The registered unit (Flag '1'), when Dep_Info names one.
std::optional<HistoryUnit> unitOf(const std::optional<AccessTable>& table)
{
    if (!table)
        return std::nullopt;
    const int flag = table->column(QStringLiteral("Flag"));
    for (const SqlParams& row : table->rows)
        if (trimmedText(row, flag) == u"1")
            return HistoryUnit{trimmedText(row, table->column(QStringLiteral("DepNo"))),
                               trimmedText(row, table->column(QStringLiteral("DepName"))),
                               trimmedText(row, table->column(QStringLiteral("DepType")))};
    return std::nullopt;
}

}  // namespace

AccessHistorySource::AccessHistorySource(const QString& path) : path_(path)
{
    const std::vector<std::optional<AccessTable>> tables =
        readAccessTables(path, {QStringLiteral("Staff_moninfo"), QStringLiteral("Wage_Info"),
                                QStringLiteral("Dep_Info")});
    if (!tables[0] || !tables[1])
        throw Error(QStringLiteral("原系统数据库中没有人员表或工资表，不是原系统的数据库：%1").arg(path));
    QStringList missing;
    staff_ = projected(*tables[0], history::StaffColumns, missing);
    wages_ = projected(*tables[1], history::WageColumns, missing);
    if (!missing.isEmpty())
        throw Error(missingColumnsRefusal(missing, path));
    constexpr size_t StaffMonth = history::StaffColumns.size();
    constexpr size_t WageMonth = history::WageColumns.size();
    sortAndDropId(staff_, {{StaffMonth + 1, false}});
    sortAndDropId(wages_, {{WageMonth, true}, {WageMonth + 1, false}});
    unit_ = unitOf(tables[2]);
}

}  // namespace vel
