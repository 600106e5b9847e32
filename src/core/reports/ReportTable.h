#pragma once

#include "reports/FigureRules.h"

#include <QString>

#include <set>
#include <string>
#include <vector>

namespace vel {

// Replaces the one row of a report table (JGLabor_info, NGLabor_info …) in one transaction: the
// unit number as frdm, the figures in `columns` order (an empty figure as null), the unit name as
// frmc. The figures named in `inFen` are hundredths and are stored as decimals. Throws
// std::logic_error when a figure was never computed, rather than store a null for it.
void storeReportRow(Db& db,
                    const char* table,
                    const std::vector<const char*>& columns,
                    const Figures& figures,
                    const QString& frdm,
                    const QString& frmc,
                    const std::set<std::string>& inFen = {});

}  // namespace vel
