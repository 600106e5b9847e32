#pragma once

#include "monthly/WageStore.h"
#include "CheckOutcome.h"

namespace vel {

// "显示错误": the month holds wage rows whose sFlag or wFlag is "0".
bool hasWageErrors(Db& db, int month);

// Loading the wage error window: clears the data area and writes the month's failed rows in
// stored order with their ids in column 9, marking a person the roster does not hold under that
// name and a total that is out of bounds or not the sum of its parts. Returns the number listed;
// with none the window closes.
int loadWageErrors(Db& db, int month, Sheet& sheet);

// "检查/合计/保存": re-totals and re-checks every listed row and writes it back by its id, all in
// one transaction; a part left empty keeps its stored value and a row without a number is left as
// stored. A part that is no number, a row without a name or without a stored id is marked and
// refuses the save: nothing is written. The window reloads the list afterwards.
WageCheckResult saveWageCorrections(Db& db, int month, Sheet& sheet);

// Before "工资审核性错误 [确认]" of the persons `numbers` (the month's every out-of-bounds total
// when empty): refused when the month lists no errors ("显示错误" opens nothing) or a number has
// no total to confirm. Asks when some of the rows it would accept have all four parts empty: a
// forgotten wage would otherwise pass as a wage of 0.
CheckOutcome wageConfirmChecks(Db& db, int month, const QStringList& numbers = {});

// "工资审核性错误 [确认]": the out-of-bounds totals of the persons `numbers` (all the month's when
// empty) are accepted as verified (wFlag "1"). A total that is not the sum of its stored parts is
// wrong, not unusual, and stays an error. Returns the number of rows confirmed.
int confirmBoundsErrors(Db& db, int month, const QStringList& numbers = {});

// Pop-up "删除" of both windows: the stored row of that id, if it belongs to the month.
void deleteWageRow(Db& db, int month, long long id);

// Loading the duplicate window: every wage row of the month whose number is shared by two rows
// with the same name, whatever its own name, by number and then stored order, ids in column 8.
// Returns the number listed.
int loadDuplicateWages(Db& db, int month, Sheet& sheet);

// "修改": writes number, name, the filled parts and the total as shown back by id, in one
// transaction; flags are redone by the store that closing the window runs. A row without number
// or name, or a part or total that is no number, refuses the write.
WageCheckResult saveDuplicateEdits(Db& db, int month, Sheet& sheet);

}  // namespace vel
