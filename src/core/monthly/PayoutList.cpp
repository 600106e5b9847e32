#include "PayoutList.h"

#include "Errors.h"
#include "Session.h"
#include "ShownText.h"
#include "db/CodeLists.h"
#include "db/Db.h"
#include "monthly/WageStore.h"

#include <SQLiteCpp/Statement.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <unordered_map>

namespace vel {
namespace {

using MonthTotals = std::array<std::optional<double>, 13>;

const char* const MonthHeaders[] = {"1月", "2月", "3月", "4月",  "5月",  "6月 ",
                                    "7月", "8月", "9月", "10月", "11月", "12月"};

// A number and name as stored (null apart from empty), with its totals in the range: a month
// with two rows of one person summed, so that the cells of a row add up to its total.
struct Payee {
    std::optional<std::string> number;
    std::optional<std::string> name;
    long long numberValue = 0;  // CAST(sNumber AS INTEGER)
    MonthTotals months;
};

std::optional<std::string> textOf(const SQLite::Column& c)
{
    if (c.isNull())
        return std::nullopt;
    return std::string(c.getText(), static_cast<size_t>(c.getBytes()));
}

// Everyone with wages in any month, counted as the forms count them, in one pass over the wage
// rows; the key of a person is read as bytes, so that a year of rows makes texts only once per
// person.
std::vector<Payee> payees(Db& db, int first, int last)
{
    std::vector<Payee> out;
    std::unordered_map<std::string, size_t> indexOf;
    std::string key;
    guarded(db, [&] {
        SQLite::Statement q(db.handle(), std::string("SELECT sNumber, sName, sMon, sTotal,"
                                                     " CAST(sNumber AS INTEGER) FROM Wage_Info w"
                                                     " WHERE ") +
                                             WageOnRoster);
        while (q.executeStep()) {
            const SQLite::Column number = q.getColumn(0);
            const SQLite::Column name = q.getColumn(1);
            key.clear();
            key += number.isNull() ? '\1' : '\0';
            key.append(number.getText(), static_cast<size_t>(number.getBytes()));
            key += name.isNull() ? '\1' : '\0';
            key.append(name.getText(), static_cast<size_t>(name.getBytes()));
            auto [at, added] = indexOf.try_emplace(key, out.size());
            if (added)
                out.push_back({textOf(number), textOf(name), q.getColumn(4).getInt64(), {}});
            Payee& payee = out[at->second];

            const int month = q.getColumn(2).getInt();
            const SQLite::Column total = q.getColumn(3);
            if (month < first || month > last || total.isNull())
                continue;
            double value = 0;
            if (total.isText()) {
                bool ok = false;
                const QString text = QString::fromUtf8(total.getText());
                value = text.trimmed().toDouble(&ok);
                if (!ok)
                    throw ConversionError(
                        QStringLiteral("%1（%2）%3月的合计不是数字：%4")
                            .arg(trimBlanks(QString::fromStdString(payee.name.value_or(""))),
                                 trimBlanks(QString::fromStdString(payee.number.value_or(""))))
                            .arg(month)
                            .arg(text));
            } else {
                value = total.getDouble();
            }
            std::optional<double>& cell = payee.months[static_cast<size_t>(month)];
            cell = cell.value_or(0) + value;
        }
        return 0;
    });
    // As "ORDER BY CAST(sNumber AS INTEGER), sNumber, sName" orders them: nulls first, texts
    // by their bytes.
    std::sort(out.begin(), out.end(), [](const Payee& a, const Payee& b) {
        if (a.number.has_value() != b.number.has_value())
            return !a.number;
        if (a.number && a.numberValue != b.numberValue)
            return a.numberValue < b.numberValue;
        if (a.number != b.number)
            return a.number < b.number;
        return a.name < b.name;
    });
    return out;
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

    const std::vector<Payee> people = payees(db, first, last);
    double grandTotal = 0;
    for (size_t i = 0; i < people.size(); ++i) {
        const Payee& person = people[i];
        QStringList row(payout::ColumnCount);
        row[payout::NameCol - 1] = trimBlanks(QString::fromStdString(person.name.value_or("")));
        row[payout::NumberCol - 1] =
            trimBlanks(QString::fromStdString(person.number.value_or("")));
        double sum = 0;
        for (int month = first; month <= last; ++month) {
            const std::optional<double>& cell = person.months[static_cast<size_t>(month)];
            if (!cell)
                continue;
            row[payout::FirstMonthCol + month - 2] = decimalText(*cell);
            sum += *cell;
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

TablePage payoutPage(const PayoutList& list, const UnitAttributes& unit, int first, int last,
                     const QDate& drawn)
{
    TableOutline outline;
    outline.sheetName = QStringLiteral("工资发放汇总清单");
    outline.title = QStringLiteral("[%1] %2月 - %3月 的工资发放汇总清单　统计日期：%4")
                     .arg(unit.CurDepName)
                     .arg(first)
                     .arg(last)
                     .arg(dateText(drawn));
    outline.columnWidths = {10, 8};
    outline.columnWidths.resize(payout::TotalCol - 1, 8);
    outline.columnWidths.push_back(10);
    outline.generalColumns = {payout::NameCol};
    for (int c = payout::FirstMonthCol; c <= payout::TotalCol; ++c)
        outline.figureColumns.insert(c);
    outline.landscape = true;
    outline.owner = unitPageOwner(unit.CurDepName, unit.CurDepNo);
    return tablePage(outline, list.rows);
}

}  // namespace vel
