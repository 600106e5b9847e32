#include "CategoryCounts.h"

#include "db/Db.h"
#include "reports/Forms.h"
#include "reports/Tally.h"

#include <set>
#include <stdexcept>

namespace vel {

const Selection* CategoryColumn::forRow(int row) const
{
    for (const Part& p : parts)
        if (row >= p.firstRow && row <= p.lastRow)
            return &p.who;
    return nullptr;
}

CategoryColumn allRows(const char* field, Selection who)
{
    return {field, {{1, 1000, std::move(who)}}};
}

CategoryCounts countCategories(Db& db,
                               int month,
                               const std::vector<Selection>& rows,
                               const std::vector<CategoryColumn>& columns)
{
    std::vector<std::string> read;
    for (const Selection& s : rows)
        s.addColumns(read);
    for (const CategoryColumn& c : columns)
        for (const CategoryColumn::Part& p : c.parts)
            p.who.addColumns(read);

    // Each distinct column selection is tested once per person.
    std::vector<const Selection*> tests;
    std::vector<std::vector<int>> testOf(rows.size(), std::vector<int>(columns.size(), -1));
    CategoryCounts counts(rows.size(), std::vector<std::optional<long long>>(columns.size()));
    for (size_t c = 0; c < columns.size(); ++c)
        for (size_t r = 0; r < rows.size(); ++r)
            if (const Selection* who = columns[c].forRow(static_cast<int>(r) + 1)) {
                size_t t = 0;
                while (t < tests.size() && tests[t] != who)
                    ++t;
                if (t == tests.size())
                    tests.push_back(who);
                testOf[r][c] = static_cast<int>(t);
                counts[r][c] = 0;
            }

    std::vector<char> takes(tests.size());
    scanRows(
        db, "Staff_moninfo", read, {}, month,
        [&](int, const RowCodes& codes, SQLite::Statement&) {
            for (size_t t = 0; t < tests.size(); ++t)
                takes[t] = tests[t]->matchesRow(read, codes);
            for (size_t r = 0; r < rows.size(); ++r) {
                if (!rows[r].matchesRow(read, codes))
                    continue;
                for (size_t c = 0; c < columns.size(); ++c)
                    if (testOf[r][c] >= 0 && takes[testOf[r][c]])
                        ++*counts[r][c];
            }
        },
        month);
    return counts;
}

void storeCategoryCounts(Db& db,
                         const char* table,
                         const std::vector<CategoryColumn>& columns,
                         const CategoryCounts& counts,
                         const CategoryStamp& stamp)
{
    // The table's name goes into the statement: only a form's category table is taken.
    const std::vector<const StoredTable*> tables = formTables();
    if (std::none_of(tables.begin(), tables.end(), [table](const StoredTable* t) {
            return t->shape == StoredTable::Shape::CategoryRows && std::string(t->name) == table;
        }))
        throw std::logic_error(std::string("not a category table: ") + table);
    Transaction tx(db);
    for (size_t r = 0; r < counts.size(); ++r) {
        std::string sql = std::string("UPDATE ") + table + " SET Dep_id = ?, Tdate = ?";
        SqlParams values{stamp.depNo, stamp.date};
        if (stamp.frmc) {
            sql += ", frmc = ?";
            values.push_back(*stamp.frmc);
        }
        for (size_t c = 0; c < columns.size(); ++c)
            if (counts[r][c]) {
                sql += std::string(", ") + columns[c].field + " = ?";
                values.push_back(*counts[r][c]);
            }
        sql += " WHERE Gid = ?";
        values.push_back(static_cast<long long>(r + 1));
        db.exec(sql, values);
    }
    tx.commit();
}

}  // namespace vel
