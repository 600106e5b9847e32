#pragma once

#include "reports/Selection.h"

#include <QString>

#include <optional>
#include <vector>

namespace vel {

class Db;

// A column of a category table: the field that stores it and the persons it takes, which may
// differ by row; a row that no part covers has no value in the column.
struct CategoryColumn {
    struct Part {
        int firstRow;  // category rows from 1
        int lastRow;
        Selection who;
    };
    const char* field;
    std::vector<Part> parts;

    const Selection* forRow(int row) const;
};

// One column taking the same persons in every row.
CategoryColumn allRows(const char* field, Selection who);

// counts[row - 1][column - 1]; nullopt where the column has no value for the row.
using CategoryCounts = std::vector<std::vector<std::optional<long long>>>;

// The persons of `month` in Staff_moninfo that each category row and each column take together,
// from one pass over the month's rows.
CategoryCounts countCategories(Db& db,
                               int month,
                               const std::vector<Selection>& rows,
                               const std::vector<CategoryColumn>& columns);

// The unit and date a category table's rows are stamped with; frmc only where the form keeps it.
struct CategoryStamp {
    QString depNo;
    QString date;
    std::optional<QString> frmc;
};

// Updates the rows Gid 1..n of `table` (Total_Info, Total_BaseInfo) with the stamp and the values
// the counts have, in one transaction; the cells without a value keep what they hold.
void storeCategoryCounts(Db& db,
                         const char* table,
                         const std::vector<CategoryColumn>& columns,
                         const CategoryCounts& counts,
                         const CategoryStamp& stamp);

}  // namespace vel
