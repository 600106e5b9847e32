#pragma once

#include "db/Db.h"
#include "reports/FigureRules.h"

#include <QString>

#include <set>
#include <string>
#include <vector>

namespace vel {

// The one row of a report table (JGLabor_info, NGLabor_info …), as it is stored and submitted.
struct ReportRow {
    std::vector<std::string> columns;
    SqlParams values;
};

// The row of computed figures: the unit number as frdm, the figures in `columns` order (an empty
// figure as null), the unit name as frmc. The figures named in `inFen` are hundredths and become
// decimals. Throws std::logic_error when a figure was never computed, rather than give a null
// for it.
ReportRow reportRow(const std::vector<const char*>& columns,
                    const Figures& figures,
                    const QString& frdm,
                    const QString& frmc,
                    const std::set<std::string>& inFen = {});

// Replaces the one row of a report table by `row` in one transaction.
void storeReportRow(Db& db, const char* table, const ReportRow& row);
// The same for the row of computed figures.
void storeReportRow(Db& db,
                    const char* table,
                    const std::vector<const char*>& columns,
                    const Figures& figures,
                    const QString& frdm,
                    const QString& frmc,
                    const std::set<std::string>& inFen = {});

}  // namespace vel
