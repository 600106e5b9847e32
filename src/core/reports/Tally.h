#pragma once

#include "Errors.h"
#include "reports/Selection.h"

#include <SQLiteCpp/Statement.h>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace vel {

class Db;

// Reads "sMon, {codeColumns}, {valueColumns}" of every row of `source` (a table or view of staff
// rows) in months firstMonth..lastMonth, and hands each row's month and codes to `row` together
// with the statement, whose values start at column 1 + codeColumns.size(). The code columns must
// be staff code columns or the birth column (read by birthMonthNumber); a code that is no whole
// number counts as empty.
void scanRows(
    Db& db,
    const char* source,
    const std::vector<std::string>& codeColumns,
    const std::vector<std::string>& valueColumns,
    int lastMonth,
    const std::function<void(int month, const RowCodes& codes, SQLite::Statement& values)>& row,
    int firstMonth = 0);

// Adds `value` to `sum`; a sum beyond what a whole number holds refuses the form, rather than
// turning into a wrong figure.
inline void addWithinRange(long long& sum, long long value)
{
    if (__builtin_add_overflow(sum, value, &sum))
        throw ConversionError(QStringLiteral("合计超出可计算的范围，请核实工资数据。"));
}

// The values of many rows added up in one pass: per month in total, and per month and code of
// each key column, and per month and combination of the codes of the columns that selections
// over several columns test. A figure is then the sum over the months and codes its selection
// takes, equal to summing the rows that its condition selects.
template <size_t N>
class Tally {
public:
    static constexpr int Months = 13;  // the opening roster and months 1 to 12
    using Values = std::array<long long, N>;

    // `joined` are the columns of the selections over several columns, each also in `columns`.
    explicit Tally(std::vector<std::string> columns, std::vector<std::string> joined = {})
        : columns_(std::move(columns)), joined_(std::move(joined)), byCode_(columns_.size())
    {
        for (const std::string& c : joined_)
            joinedAt_.push_back(indexOf(c));
    }

    const std::vector<std::string>& columns() const { return columns_; }

    // codes[i] is the row's code in columns()[i], nullopt when empty.
    void add(int month, const RowCodes& codes, const Values& values)
    {
        if (month < 0 || month >= Months)
            return;
        addTo(total_[month], values);
        for (size_t i = 0; i < codes.size(); ++i)
            if (codes[i])
                addTo(byCode_[i][*codes[i]][month], values);
        if (!joinedAt_.empty()) {
            RowCodes key;
            for (size_t i : joinedAt_)
                key.push_back(codes[i]);
            addTo(byJoinedCodes_[key][month], values);
        }
    }

    Values sum(const Selection& who, int firstMonth, int lastMonth) const
    {
        Values out{};
        if (who.takesEveryRow()) {
            addMonths(out, total_, firstMonth, lastMonth);
            return out;
        }
        if (who.joinsOthers()) {
            for (const auto& [key, months] : byJoinedCodes_)
                if (who.matchesRow(joined_, key))
                    addMonths(out, months, firstMonth, lastMonth);
            return out;
        }
        for (const auto& [code, months] : byCode_[indexOf(who.column)])
            if (who.matches(code))
                addMonths(out, months, firstMonth, lastMonth);
        return out;
    }

private:
    using PerMonth = std::array<Values, Months>;

    size_t indexOf(const std::string& column) const
    {
        const auto at = std::find(columns_.begin(), columns_.end(), column);
        if (at == columns_.end())
            throw std::logic_error("a figure asks for a column that was not tallied: " + column);
        return static_cast<size_t>(at - columns_.begin());
    }

    static void addTo(Values& into, const Values& values)
    {
        for (size_t k = 0; k < N; ++k)
            addWithinRange(into[k], values[k]);
    }
    static void addMonths(Values& into, const PerMonth& months, int first, int last)
    {
        for (int m = std::max(first, 0); m <= std::min(last, Months - 1); ++m)
            addTo(into, months[m]);
    }

    std::vector<std::string> columns_;
    std::vector<std::string> joined_;
    std::vector<size_t> joinedAt_;
    PerMonth total_{};
    std::vector<std::unordered_map<long long, PerMonth>> byCode_;
    std::map<RowCodes, PerMonth> byJoinedCodes_;
};

}  // namespace vel
