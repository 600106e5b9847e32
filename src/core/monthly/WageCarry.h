#pragma once

#include <QString>

namespace vel {

class Db;
class Sheet;

// What "导入上一月" took over: this month's roster, each person with last month's wages.
struct WageCarryResult {
    int carried = 0;  // roster persons paid last month: their parts and total came along
    int joined = 0;   // roster persons not paid last month: their parts stay empty
    int left = 0;     // last month's wage rows whose person is not in this month's roster
    int persons() const { return carried + joined; }
};

// Why the month has nothing to take over (month 1, no wages stored for the month before, no
// roster for this month); empty when it has.
QString wageCarryRefusal(Db& db, int month);

// Clears the entry sheet's data area and writes this month's roster from row 2 in stored order:
// number and name as the roster holds them, the four parts and the total of the same person's
// wage row of the month before. Persons are matched by number; where a number has several rows,
// the one with the same name goes first, and no row serves two persons.
WageCarryResult carryWages(Db& db, int month, Sheet& sheet);

// The closing message of a take-over.
QString wageCarryMessage(const WageCarryResult& result);

}  // namespace vel
