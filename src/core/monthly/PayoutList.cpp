#include "PayoutList.h"

#include "Errors.h"
#include "ShownText.h"
#include "db/CodeLists.h"
#include "db/Db.h"

#include <QHash>
#include <QPair>

#include <array>
#include <optional>

namespace vel {
namespace {

using Person = QPair<QString, QString>;  // number and name as stored
using MonthTotals = std::array<std::optional<double>, 13>;

const char* const MonthHeaders[] = {"1月", "2月", "3月", "4月",  "5月",  "6月 ",
                                    "7月", "8月", "9月", "10月", "11月", "12月"};

// The totals of each person in the range, a month with two rows of one person summed so that the
// cells of a row add up to its total.
QHash<Person, MonthTotals> totalsInRange(Db& db, int first, int last)
{
    QHash<Person, MonthTotals> totals;
    Query q(db,
            "SELECT sNumber, sName, sMon, sTotal, typeof(sTotal) AS kind FROM Wage_Info"
            " WHERE sMon BETWEEN ? AND ?",
            {static_cast<long long>(first), static_cast<long long>(last)});
    while (q.next()) {
        if (q.text("kind") == u"null")
            continue;
        const Person person{q.text("sNumber"), q.text("sName")};
        const int month = static_cast<int>(q.integer("sMon"));
        bool ok = true;
        const QString text = q.text("sTotal");
        const double value = q.text("kind") == u"text" ? text.trimmed().toDouble(&ok)
                                                      : q.number("sTotal");
        if (!ok)
            throw ConversionError(QStringLiteral("%1（%2）%3月的合计不是数字：%4")
                                      .arg(trimBlanks(person.second), trimBlanks(person.first))
                                      .arg(month)
                                      .arg(text));
        std::optional<double>& cell = totals[person][static_cast<size_t>(month)];
        cell = cell.value_or(0) + value;
    }
    return totals;
}

}  // namespace

std::vector<int> payoutMonths(Db& db)
{
    std::vector<int> months;
    Query q(db, "SELECT DISTINCT sMon FROM Vmon WHERE sMon <> 0 ORDER BY sMon");
    while (q.next())
        months.push_back(static_cast<int>(q.integer("sMon")));
    return months;
}

QString payoutRangeRefusal(int first, int last)
{
    if (first < 1 || last > 12 || last < first)
        return payout::RangeError;
    return {};
}

PayoutList listPayouts(Db& db, int first, int last, const Progress& progress)
{
    if (!payoutRangeRefusal(first, last).isEmpty())
        throw Error(payout::RangeError);
    PayoutList list;
    QStringList header{QStringLiteral("姓名"), QStringLiteral("编号")};
    for (const char* month : MonthHeaders)
        header << QString::fromUtf8(month);
    header << QStringLiteral("合计");
    list.rows.push_back(header);

    const QHash<Person, MonthTotals> totals = totalsInRange(db, first, last);
    std::vector<Person> people;
    Query q(db, "SELECT sNumber, sName FROM Wage_Info GROUP BY sNumber, sName"
                " ORDER BY CAST(sNumber AS INTEGER), sNumber, sName");
    while (q.next())
        people.push_back({q.text("sNumber"), q.text("sName")});

    double grandTotal = 0;
    for (size_t i = 0; i < people.size(); ++i) {
        const Person& person = people[i];
        QStringList row(payout::ColumnCount);
        row[payout::NameCol - 1] = trimBlanks(person.second);
        row[payout::NumberCol - 1] = trimBlanks(person.first);
        double sum = 0;
        const auto it = totals.constFind(person);
        if (it != totals.constEnd()) {
            for (int month = first; month <= last; ++month) {
                const std::optional<double>& cell = (*it)[static_cast<size_t>(month)];
                if (!cell)
                    continue;
                row[payout::FirstMonthCol + month - 2] = decimalText(*cell);
                sum += *cell;
            }
        }
        row[payout::TotalCol - 1] = decimalText(sum);
        grandTotal += sum;
        list.rows.push_back(row);
        if (progress)
            progress(static_cast<int>((i + 1) * 100 / people.size()));
    }

    QStringList totalRow(payout::ColumnCount);
    totalRow[payout::TotalCol - 2] = QStringLiteral("总计：");
    totalRow[payout::TotalCol - 1] = decimalText(grandTotal);
    list.rows.push_back(totalRow);
    return list;
}

QString payoutListName(int first, int last)
{
    return QStringLiteral("工资发放清单%1_%2").arg(first).arg(last);
}

TablePage payoutPage(const PayoutList& list, const QString& unitName, int first, int last,
                     const QDate& drawn)
{
    TableSpec spec;
    spec.sheetName = QStringLiteral("工资发放汇总清单");
    spec.title = QStringLiteral("[%1] %2月 - %3月 的工资发放汇总清单　统计日期：%4")
                     .arg(unitName)
                     .arg(first)
                     .arg(last)
                     .arg(dateText(drawn));
    spec.columnWidths = {10, 8};
    spec.columnWidths.resize(payout::TotalCol - 1, 8);
    spec.columnWidths.push_back(10);
    spec.generalColumns = {payout::NameCol};
    for (int c = payout::FirstMonthCol; c <= payout::TotalCol; ++c)
        spec.figureColumns.insert(c);
    spec.landscape = true;
    return tablePage(spec, list.rows);
}

}  // namespace vel
