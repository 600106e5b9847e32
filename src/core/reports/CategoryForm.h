#pragma once

#include "Progress.h"
#include "output/WorkbookLayout.h"
#include "reports/CategoryCounts.h"
#include "sheet/Sheet.h"

#include <QString>

namespace vel {

class Session;

// A form that counts one month's staff by category rows and columns (the talent summaries):
// computed into its sheet, stored in its category table, written as workbook; its own class gives
// the layout and the submission.
class CategoryForm {
public:
    virtual ~CategoryForm() = default;

    Sheet& sheet() { return sheet_; }
    const Sheet& sheet() const { return sheet_; }
    const CategoryCounts& counts() const { return counts_; }

    void compute();
    // Updates the category table's rows with the computed counts, in one transaction.
    void store();

    QString workbookPath() const;
    QString workbookFolder() const;
    // "导成Excel": writes the workbook; returns the closing message.
    QString exportWorkbook(const Progress& progress = {}) const;
    // RCSB, where the form's submission goes.
    QString submissionFolder() const;

protected:
    struct Definition {
        int month;
        const char* table;
        bool stampsName;  // frmc is the form's to write
        const std::vector<Selection>& rows;
        const std::vector<CategoryColumn>& columns;
        int firstRow;       // sheet row of the first category
        int firstValueCol;  // sheet column of the first value column
        QString workbookName;
    };
    CategoryForm(Session& session, const Definition& definition, Sheet sheet);

    virtual WorkbookLayout workbookLayout() const = 0;
    // The message after the submission files were written.
    static QString savedMessage(const QString& folder, const QString& names);

    Session& session_;

private:
    Definition definition_;
    Sheet sheet_;
    CategoryCounts counts_;
};

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

std::vector<Selection> selectionsOf(const std::vector<Category>& categories);
std::vector<CategoryColumn> columnsOf(const std::vector<HeadedColumn>& columns);

}  // namespace vel
