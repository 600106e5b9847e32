#pragma once

#include "Progress.h"

#include "staff/StaffRules.h"
#include "staff/StaffSheet.h"

#include <functional>

namespace vel {

class Db;
class Sheet;

enum class RosterFilter { All, Failed, Passed };


// Writes the month's stored rows from sheet row 3 on, in the order they were stored: answers in
// columns 1..18, codes in their code columns (when withCodes) and the record id in the id column.
// Clears the data area first. Returns the number of rows loaded.
int loadRoster(Db& db, int month, RosterFilter filter, Sheet& sheet, bool withCodes = true,
               const Progress& progress = {});

// Replaces every stored row of the month by the people of the sheet and their audit results, in
// one transaction: on any failure the month stays exactly as it was. Only the columns the unit's
// class answers are stored. A person below a row without a name, and a name of blanks, are
// refused before anything is written, since every later pass would end there and lose the rows
// below.
void replaceRoster(Db& db, int month, const Sheet& sheet, StaffClass staffClass,
                   const StaffPassResult& audit, const Progress& progress = {});

// Adds the people of the sheet with their audit results to the month as replaceRoster stores
// them, inside the caller's transaction, and works the month's wage flags out again; the caller
// has refused blank names and control characters.
void appendRosterRows(Db& db, int month, const Sheet& sheet, StaffClass staffClass,
                      const StaffPassResult& audit, const Progress& progress = {});

// A roster save: the full audit of the month's window (the opening roster's with the post check,
// a month's without), then replaceRoster. The sheet keeps the marks; returns the audit.
StaffPassResult auditAndReplaceRoster(Db& db, int month, Sheet& sheet, const StaffRules& rules,
                                      StaffClass staffClass, const Progress& progress = {});

// Writes corrected rows back in place, by the record id kept in the id column, all eighteen
// answers, and works the month's wage flags out again, in one transaction. Working years are stored as numbers; a failed row keeps a text
// as typed, a passed row with one is refused. Both writes refuse a cell with a control character,
// and a person below a row without a name, before anything is written.
void updateCorrectedRows(Db& db, int month, const Sheet& sheet, const StaffPassResult& audit,
                         const Progress& progress = {});

// The month has stored rows that failed the audit.
bool hasFailedRows(Db& db, int month);

}  // namespace vel
