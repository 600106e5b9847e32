#include "Tally.h"

#include "db/Db.h"
#include "staff/BirthMonth.h"

#include <set>

namespace vel {

namespace {

// Only these names are ever put into a statement's text: they come from the forms' tables.
const std::set<std::string> StaffCodeColumns = {
    "sSex", "sNation", "sParty", "sEducation", "sPost", "sPostGrade", "sJGrade",
    "ssf",  "sqrz",    "sgc",    "sjzs",       "ssg",   "syg",        BirthColumn};
const std::set<std::string> AmountColumns = {"sTotal", "sN1", "sN2", "sN3", "sN4"};

std::string selectList(const std::vector<std::string>& names, const std::set<std::string>& allowed)
{
    std::string out;
    for (const std::string& n : names) {
        if (!allowed.count(n))
            throw std::logic_error("not a column a form reads: " + n);
        out += ", " + n;
    }
    return out;
}

}  // namespace

void scanRows(Db& db,
              const char* source,
              const std::vector<std::string>& codeColumns,
              const std::vector<std::string>& valueColumns,
              int lastMonth,
              const std::function<void(int, const RowCodes&, SQLite::Statement&)>& row,
              int firstMonth)
{
    // "+sMon" keeps the month index out: a report reads most months, and one pass over the table
    // costs half of an index walk that looks up every row it finds.
    const std::string sql = "SELECT sMon" + selectList(codeColumns, StaffCodeColumns) +
                            selectList(valueColumns, AmountColumns) + " FROM " + source +
                            " WHERE +sMon BETWEEN ? AND ?";
    guarded(db, [&] {
        SQLite::Statement stmt(db.handle(), sql);
        bindAll(stmt, {static_cast<long long>(firstMonth), static_cast<long long>(lastMonth)});
        RowCodes codes(codeColumns.size());
        std::vector<bool> birth;
        for (const std::string& c : codeColumns)
            birth.push_back(c == BirthColumn);
        while (stmt.executeStep()) {
            for (size_t i = 0; i < codes.size(); ++i) {
                const SQLite::Column c = stmt.getColumn(static_cast<int>(i) + 1);
                if (birth[i])
                    codes[i] = c.isText() ? birthMonthNumber(QString::fromUtf8(c.getText()))
                                          : std::nullopt;
                else
                    codes[i] =
                        c.isInteger() ? std::optional<long long>(c.getInt64()) : std::nullopt;
            }
            row(stmt.getColumn(0).getInt(), codes, stmt);
        }
        return 0;
    });
}

}  // namespace vel
