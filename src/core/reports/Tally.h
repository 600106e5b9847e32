#pragma once

#include "Errors.h"
#include "reports/Selection.h"

#include <SQLiteCpp/Statement.h>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace vel {

class Db;

using RowCodes = std::vector<std::optional<long long>>;

// Reads "sMon, {codeColumns}, {valueColumns}" of every row of `source` (a table or view of staff
// rows) in months 0..lastMonth, and hands each row's month and codes to `row` together with the
// statement, whose values start at column 1 + codeColumns.size(). The code columns must be staff
// code columns; a code that is no whole number counts as empty.
void scanRows(
    Db& db,
    const char* source,
    const std::vector<std::string>& codeColumns,
    const std::vector<std::string>& valueColumns,
    int lastMonth,
    const std::function<void(int month, const RowCodes& codes, SQLite::Statement& values)>& row);

// The values of many rows added up in one pass: per month in total, and per month and code of
// each key column. A figure is then the sum over the months and codes its selection takes, equal
// to summing the rows that its condition selects.
template <size_t N>
class Tally {
public:
    static constexpr int Months = 13;  // the opening roster and months 1 to 12
    using Values = std::array<long long, N>;

    explicit Tally(std::vector<std::string> columns)
        : columns_(std::move(columns)), byCode_(columns_.size())
    {}

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
    }

    Values sum(const Selection& who, int firstMonth, int lastMonth) const
    {
        Values out{};
        if (who.takesEveryRow()) {
            addMonths(out, total_, firstMonth, lastMonth);
            return out;
        }
        const auto column = std::find(columns_.begin(), columns_.end(), who.column);
        if (column == columns_.end())
            throw std::logic_error("a figure asks for a column that was not tallied: " +
                                   who.column);
        for (const auto& [code, months] : byCode_[column - columns_.begin()])
            if (who.matches(code))
                addMonths(out, months, firstMonth, lastMonth);
        return out;
    }

private:
    using PerMonth = std::array<Values, Months>;

    static void addTo(Values& into, const Values& values)
    {
        for (size_t k = 0; k < N; ++k)
            if (__builtin_add_overflow(into[k], values[k], &into[k]))
                throw ConversionError(QStringLiteral("合计超出可计算的范围，请核实工资数据。"));
    }
    static void addMonths(Values& into, const PerMonth& months, int first, int last)
    {
        for (int m = std::max(first, 0); m <= std::min(last, Months - 1); ++m)
            addTo(into, months[m]);
    }

    std::vector<std::string> columns_;
    PerMonth total_{};
    std::vector<std::unordered_map<long long, PerMonth>> byCode_;
};

}  // namespace vel
