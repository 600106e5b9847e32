#pragma once

#include "Progress.h"
#include "io/MatchedImport.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

namespace vel {

class Db;
class Query;
class Sheet;


namespace wage {
constexpr int HeaderRow = 1;
constexpr int FirstPersonRow = 2;

constexpr int NumberCol = 1;
constexpr int NameCol = 2;
constexpr int BasicCol = 3;
constexpr int PerformanceCol = 4;
constexpr int AllowanceCol = 5;
constexpr int OtherCol = 6;
constexpr int TotalCol = 7;
constexpr int FirstPartCol = BasicCol;
constexpr int LastPartCol = OtherCol;

// The error window keeps each record's id in column 9, the duplicate window in column 8.
constexpr int ErrorsIdCol = 9;
constexpr int DuplicatesIdCol = 8;
// The area the windows clear; the sheet holds this many columns.
constexpr int ColumnCount = 15;
constexpr int LastFormattedRow = 16340;
// The bounds a person's month total must lie within to pass the audit (wFlag).
constexpr int TotalMin = 500;
constexpr int TotalMax = 100000;
// No wage part reaches a hundred million yuan in a month; beyond it a figure is a typing slip,
// and the year's sums of every person stay far inside what the reports can add.
constexpr double MaxAmount = 100000000;
}  // namespace wage

// One column of the wage sheet and where it is stored. A "0" in sFlag marks number and name red,
// in wFlag the total (or a basic wage the total left out).
struct WageColumn {
    int col;
    const char* header;  // as the entry window heads it
    const char* field;   // Wage_Info column
};

// Columns 1..7: number, name, the four wage parts, total.
const std::array<WageColumn, 7>& wageColumns();

// The three windows that show wage rows differ in one header and in where they keep the id.
enum class WageTemplate { Entry, Errors, Duplicates };

// Row 1 of a column (1..7). The error window heads column 5 "福利工资".
QString wageHeader(int col, WageTemplate t);
// The header a file column carries: the entry window's.
QString wageFileHeader(int col);

// Writes row 1 and shows columns 1..7 only, so that pasting never reaches the id column; the
// entry sheet's data area gets font size 8.
void applyWageLayout(Sheet& sheet, WageTemplate t);

// The shortest decimal form of an amount: no exponent, no trailing zeros, rounded to 15
// significant digits so that 0.1 + 0.2 reads 0.3.
QString decimalText(double value);
double roundedAmount(double value);

// A part or total cell read as an amount: blanks around allowed; nullopt for an empty cell.
// Sets ok to false for a text that is no decimal number or lies beyond ±wage::MaxAmount.
std::optional<double> amountOf(const QString& text, bool& ok);

// wage::TotalMin <= total <= wage::TotalMax.
bool withinWageBounds(double total);
// A person's month total: every part that is a number, summed to the fen; 0 when the sum is not
// above zero. Every total the program stores comes from here.
double wageTotal(const std::array<std::optional<double>, 4>& parts);
// The 合计 the store gives these four part cells (a preview); empty while one is no number.
QString wageTotalText(const QStringList& parts);
// Two amounts that are the same to the fen.
bool sameToTheFen(double a, double b);

// Columns 1..7 of the current stored Wage_Info row, amounts in the shortest decimal form.
QStringList storedWageCells(const Query& q);
// Writes storedWageCells on a sheet row.
void writeStoredWageRow(const Query& q, Sheet& sheet, int row);
// The current stored Wage_Info row's total is wageTotal of its stored parts.
bool totalCountsEveryPart(const Query& q);
// Marks why a stored row's wFlag is not "1": the total out of bounds, or a total that is not the
// sum of its parts (stored by an earlier version that left a basic wage with fen out).
void markStoredTotal(const Query& q, Sheet& sheet, int row);

// "导入本月名册": clears the values (not the marks) of the data area and writes the month's
// roster numbers and names from row 2 in stored order. Returns the number of persons.
int loadMonthRoster(Db& db, int month, Sheet& sheet);

// Opening the wage window: clears the data area; when lastWageMonth is at least the month, writes
// the stored wage rows in stored order with their failed flags marked. Returns the number of rows
// loaded, nullopt when the month's wages were not read.
std::optional<int> openWageSheet(Db& db, int lastWageMonth, int month, Sheet& sheet);

// The columns a payroll file is read into (number, name, the four gross parts) with the headings
// finance offices give them.
const ImportLayout& wageImportLayout();

// Writes a matched wage file into a cleared entry sheet from row 2, one row per row read. Throws
// Error for more rows than the sheet holds or no wage row at all; the sheet is then untouched.
void placeWageRows(const MatchedRows& rows, Sheet& sheet);

// Reads a wage file (readMatchedFile with the wage columns) into the entry sheet (placeWageRows).
// `wages import` and the wage window's "从文件导入" read files through it.
MatchedFile readWageFile(Db& db, const QString& path, Sheet& sheet,
                         const ImportOptions& options = {});

// The stored wage rows of a month as tab-separated text: a header row, then number, name, the
// four parts, total, sFlag and wFlag of each row in stored order.
QString wageExportText(Db& db, int month);

}  // namespace vel
