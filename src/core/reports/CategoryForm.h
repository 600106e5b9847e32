#pragma once

#include "reports/CategoryCounts.h"
#include "reports/FormEngine.h"
#include "sheet/Sheet.h"

#include <QString>

#include <functional>

namespace vel {

class Db;
class Session;
struct StoredTable;

// A category row of a form: its label and the persons it takes.
struct Category {
    const char* label;
    Selection who;
};

// A value column of a form with the header the template shows.
struct HeadedColumn {
    const char* header;
    CategoryColumn column;
};

// A form that counts one month's staff by category rows and columns (the talent summaries).
struct CategoryFormSetup {
    int month = 0;
    std::vector<Category> rows;
    std::vector<HeadedColumn> columns;
    int firstRow = 0;       // sheet row of the first category
    int firstValueCol = 0;  // sheet column of the first value column
    bool stampsName = false;  // frmc is the form's to write
    std::function<Sheet()> sheet;
    // Refuses the computation while records the form counts failed the audit.
    std::function<CheckOutcome(Db&)> guard;
};

// The category form's run: counted into its sheet, stored in its category table's rows.
class CategoryForm : public FormEngine {
public:
    CategoryForm(Session& session, const CategoryFormSetup& setup, const StoredTable& table);

    Sheet& sheet() override { return sheet_; }
    const CategoryCounts& counts() const { return counts_; }

    CheckOutcome compute(const Progress& progress) override;
    // Updates the category table's rows with the computed counts, in one transaction.
    void store() override;
    std::optional<QString> periodLine() const override { return std::nullopt; }

private:
    Session& session_;
    const CategoryFormSetup& setup_;
    const StoredTable& table_;
    Sheet sheet_;
    CategoryCounts counts_;
};

std::vector<Selection> selectionsOf(const std::vector<Category>& categories);
std::vector<CategoryColumn> columnsOf(const std::vector<HeadedColumn>& columns);

}  // namespace vel
