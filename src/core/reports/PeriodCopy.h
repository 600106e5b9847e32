#pragma once

#include "reports/MonthRange.h"

#include <string>

namespace vel {

class Db;

// The copy of a wage summary kept per range, "Total_{from}_{to}": Total_Info's rows of the form.
// The name is built only from a range that is valid(); any other throws std::logic_error.
std::string periodCopyTable(const MonthRange& range);

// A copy of the range holding exactly `rows` rows is stored; a copy the other form left (another
// number of rows) is none, and recomputing replaces it.
bool periodCopyStored(Db& db, const MonthRange& range, int rows);

// Replaces the range's copy with Total_Info's rows 1..rows, inside the caller's transaction.
void savePeriodCopy(Db& db, const MonthRange& range, int rows);

}  // namespace vel
