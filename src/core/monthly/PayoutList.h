#pragma once

#include "monthly/WageSheet.h"
#include "output/TablePage.h"

#include <QDate>

#include <QString>
#include <QStringList>

#include <vector>

namespace vel {

struct UnitAttributes;

class Db;

namespace payout {
constexpr int NameCol = 1;
constexpr int NumberCol = 2;
constexpr int FirstMonthCol = 3;  // month k is column k + 2
constexpr int TotalCol = 15;
constexpr int ColumnCount = TotalCol;
inline const QString NoMonthlyWages = QStringLiteral("没有输入月工资信息！");
inline const QString RangeError = QStringLiteral("开始、截止月份错误!");
}  // namespace payout

// The month chooser's two lists: every month 1..12 that has a monthly roster, ascending. Empty
// means the chooser is not shown (payout::NoMonthlyWages).
std::vector<int> payoutMonths(Db& db);

// payout::RangeError for a range that is not first <= last within 1..12; empty when it may be
// listed.
QString payoutRangeRefusal(int first, int last);

// The payout list as the window's sheet shows it: row 0 is the header, then one row per person
// (number and name) who has wages in any month, ordered by the number read as an integer, then
// the grand total row. Each row has payout::ColumnCount cells.
struct PayoutList {
    std::vector<QStringList> rows;
};

// Each person's row holds the totals of that number and name in the chosen months, the sum of
// what the row shows, "0" when nothing. Throws ConversionError naming the person and month for a
// stored total that is no number, rather than list a wrong sum; Error for a refused range.
PayoutList listPayouts(Db& db, int first, int last, const Progress& progress = {});

// The base name of the list's PDF under XLS: "工资发放清单{first}_{last}".
QString payoutListName(int first, int last);

// The list as it is printed: "[{unit}] {first}月 - {last}月 的工资发放汇总清单" and the date it was
// drawn on above the table, the sums as figures.
TablePage payoutPage(const PayoutList& list, const UnitAttributes& unit, int first, int last,
                     const QDate& drawn);

}  // namespace vel
