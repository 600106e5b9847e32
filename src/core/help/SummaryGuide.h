#pragma once

#include "reports/CategoryForm.h"
#include "reports/WageSummaryForms.h"

#include <QString>

#include <vector>

namespace vel::help {

// The rows of a wage summary (I704, I705) and its columns, as Markdown tables.
QString wageSummaryRows(const WageSummaryForm& form);
QString wageSummaryColumns(const WageSummaryForm& form);

// The category rows of a talent summary and its value columns, as Markdown tables.
QString categoryRows(const std::vector<Category>& rows);
QString categoryColumns(const std::vector<HeadedColumn>& columns, int rowCount);

}  // namespace vel::help
