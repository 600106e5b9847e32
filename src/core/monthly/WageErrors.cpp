#include "WageErrors.h"

#include "db/CodeLists.h"
#include "db/Db.h"
#include "sheet/Sheet.h"

#include <algorithm>

namespace vel {
namespace {

// The stored record a correction row names; refused when its id cell holds none.
std::optional<long long> recordId(Sheet& sheet, int row, int idCol, WageCheckResult& result)
{
    bool ok = false;
    const long long id = trimBlanks(sheet.text(row, idCol)).toLongLong(&ok);
    if (ok)
        return id;
    sheet.setMark(row, wage::NumberCol, CellMark::Error);
    result.refusals.push_back({row, wage::NumberCol, WageProblem::NoRecord, {}});
    return std::nullopt;
}

// Runs the prepared writes in one transaction, counting each.
void writeAll(Db& db, const char* sql, const std::vector<SqlParams>& writes,
              WageCheckResult& result)
{
    Transaction tx(db);
    Statement stmt(db, sql);
    for (const SqlParams& values : writes) {
        stmt.run(values);
        ++result.writtenRows;
    }
    tx.commit();
}

}  // namespace

bool hasWageErrors(Db& db, int month)
{
    return db.exists("SELECT 1 FROM Wage_Info WHERE sMon = ? AND (sFlag = '0' OR wFlag = '0')",
                     {static_cast<long long>(month)});
}

int loadWageErrors(Db& db, int month, Sheet& sheet)
{
    const SheetBatch batch(sheet);
    sheet.clearRange(wage::FirstPersonRow, 1, sheet.maxRow(), wage::ColumnCount,
                     ClearWhat::Everything);
    const MonthRoster roster(db, month);
    Query q(db,
            "SELECT * FROM Wage_Info WHERE sMon = ? AND (sFlag = '0' OR wFlag = '0') ORDER BY id",
            {static_cast<long long>(month)});
    int row = wage::FirstPersonRow;
    while (row <= sheet.maxRow() && q.next()) {
        writeStoredWageRow(q, sheet, row);
        sheet.setText(row, wage::ErrorsIdCol, q.text("id"));
        if (roster.match(trimBlanks(q.text("sNumber")), q.text("sName")) !=
            MonthRoster::Match::Same)
            sheet.markRange(row, wage::NumberCol, row, wage::NameCol, CellMark::Error);
        markStoredTotal(q, sheet, row);
        ++row;
    }
    return row - wage::FirstPersonRow;
}

WageCheckResult saveWageCorrections(Db& db, int month, Sheet& sheet)
{
    WageCheckResult result;
    const MonthRoster roster(db, month);
    std::vector<SqlParams> updates;
    const int last = lastWageRow(sheet, wage::ErrorsIdCol);
    const SheetBatch batch(sheet);
    for (int row = wage::FirstPersonRow; row <= last; ++row) {
        if (isEmptyWageRow(sheet, row, wage::ErrorsIdCol))
            continue;
        ++result.people;
        if (refuseControlChars(sheet, row, result.refusals))
            continue;
        const std::optional<long long> id = recordId(sheet, row, wage::ErrorsIdCol, result);
        const QString name = trimBlanks(sheet.text(row, wage::NameCol));
        if (name.isEmpty()) {
            sheet.setMark(row, wage::NameCol, CellMark::Error);
            result.refusals.push_back({row, wage::NameCol, WageProblem::NoName, {}});
        }
        const WageRowTotal amounts = totalWageRow(sheet, row);
        if (amounts.badCol) {
            sheet.setMark(row, amounts.badCol, CellMark::Error);
            result.refusals.push_back({row, amounts.badCol, WageProblem::NotANumber,
                                       sheet.text(row, amounts.badCol)});
        }
        if (!id || name.isEmpty() || amounts.badCol)
            continue;

        const QString number = trimBlanks(sheet.text(row, wage::NumberCol));
        QString wFlag = "1";
        // Here an empty basic wage is worth a look, though it leaves the flags alone.
        sheet.setMark(row, wage::BasicCol, amounts.parts[0] ? CellMark::None : CellMark::Error);
        sheet.setText(row, wage::TotalCol, decimalText(amounts.total));
        if (checkWageTotal(sheet, row, amounts.total, number, result.problems) == u"0")
            wFlag = "0";
        if (number.isEmpty()) {
            result.problems.push_back({row, wage::NumberCol, WageProblem::NoNumber, name});
            continue;
        }
        const QString sFlag = checkWagePerson(sheet, row, roster, number, name, result.problems);
        if (sFlag == u"0" || wFlag == u"0")
            ++result.flagged;
        // An emptied part is stored empty: the stored row then holds what the total counted.
        updates.push_back({amountValue(amounts.parts[0]), amountValue(amounts.parts[1]),
                           amountValue(amounts.parts[2]), amountValue(amounts.parts[3]),
                           amounts.total, wFlag, sFlag, number, name, *id,
                           static_cast<long long>(month)});
    }
    if (result.refused())
        return result;
    writeAll(db,
             "UPDATE Wage_Info SET sN1 = ?, sN2 = ?, sN3 = ?, sN4 = ?, sTotal = ?, wFlag = ?,"
             " sFlag = ?, sNumber = ?, sName = ? WHERE id = ? AND sMon = ?",
             updates, result);
    return result;
}

namespace {
// The rows a confirmation accepts: out of bounds, but never a total that is not the sum of its
// parts (an earlier version left a basic wage with fen out); re-saving those corrects them.
struct ConfirmableRow {
    long long id;
    QString number;
    QString person;
    bool empty;  // all four parts empty
};

std::vector<ConfirmableRow> confirmableRows(Db& db, int month, const QStringList& numbers)
{
    std::vector<ConfirmableRow> rows;
    Query q(db, "SELECT * FROM Wage_Info WHERE sMon = ? AND wFlag = '0' ORDER BY id",
            {static_cast<long long>(month)});
    while (q.next()) {
        const QString number = trimBlanks(q.text("sNumber"));
        if (!totalCountsEveryPart(q) || (!numbers.isEmpty() && !numbers.contains(number)))
            continue;
        const bool empty = q.isNull("sN1") && q.isNull("sN2") && q.isNull("sN3") &&
                           q.isNull("sN4");
        rows.push_back({q.integer("id"), number,
                        QStringLiteral("[%1] %2").arg(q.text("sNumber"), q.text("sName")), empty});
    }
    return rows;
}
}  // namespace

CheckOutcome wageConfirmChecks(Db& db, int month, const QStringList& numbers)
{
    if (!hasWageErrors(db, month))
        return CheckOutcome::refused(QStringLiteral("没有错误信息！"));
    const std::vector<ConfirmableRow> rows = confirmableRows(db, month, numbers);
    QStringList missing;
    for (const QString& number : numbers)
        if (std::none_of(rows.begin(), rows.end(),
                         [&](const ConfirmableRow& r) { return r.number == number; }))
            missing << number;
    if (!missing.isEmpty())
        return CheckOutcome::refused(
            QStringLiteral("%1月没有以下姓名编号的超限合计可确认：%2").arg(month).arg(missing.join(u' ')));
    QStringList persons;
    for (const ConfirmableRow& r : rows)
        if (r.empty)
            persons << r.person;
    CheckOutcome outcome(true);
    if (!persons.isEmpty())
        outcome.question =
            QStringLiteral("以下人员的四项工资都是空的，确认后将按0元计入报表：\n\r%1\n\r"
                           "是否仍然确认？")
                .arg(persons.join(u' '));
    return outcome;
}

int confirmBoundsErrors(Db& db, int month, const QStringList& numbers)
{
    Transaction tx(db);
    const std::vector<ConfirmableRow> rows = confirmableRows(db, month, numbers);
    Statement confirm(db, "UPDATE Wage_Info SET wFlag = '1' WHERE id = ? AND sMon = ?");
    for (const ConfirmableRow& r : rows)
        confirm.run({r.id, static_cast<long long>(month)});
    tx.commit();
    return static_cast<int>(rows.size());
}

void deleteWageRow(Db& db, int month, long long id)
{
    db.exec("DELETE FROM Wage_Info WHERE id = ? AND sMon = ?", {id, static_cast<long long>(month)});
}

int loadDuplicateWages(Db& db, int month, Sheet& sheet)
{
    const SheetBatch batch(sheet);
    sheet.clearRange(wage::FirstPersonRow, 1, sheet.maxRow(), wage::ColumnCount,
                     ClearWhat::Everything);
    const long long m = month;
    Query q(db,
            "SELECT * FROM Wage_Info WHERE sMon = ? AND sNumber IN (SELECT sNumber FROM Wage_Info"
            " WHERE sMon = ? GROUP BY sNumber, sName HAVING COUNT(*) > 1) ORDER BY sNumber, id",
            {m, m});
    int row = wage::FirstPersonRow;
    while (row <= sheet.maxRow() && q.next()) {
        writeStoredWageRow(q, sheet, row);
        sheet.setText(row, wage::DuplicatesIdCol, q.text("id"));
        ++row;
    }
    return row - wage::FirstPersonRow;
}

WageCheckResult saveDuplicateEdits(Db& db, int month, Sheet& sheet)
{
    WageCheckResult result;
    std::vector<SqlParams> updates;
    const int last = lastWageRow(sheet, wage::DuplicatesIdCol);
    const SheetBatch batch(sheet);
    for (int row = wage::FirstPersonRow; row <= last; ++row) {
        if (isEmptyWageRow(sheet, row, wage::DuplicatesIdCol))
            continue;
        ++result.people;
        const std::optional<long long> id = recordId(sheet, row, wage::DuplicatesIdCol, result);
        const QString number = trimBlanks(sheet.text(row, wage::NumberCol));
        const QString name = trimBlanks(sheet.text(row, wage::NameCol));
        const size_t before = result.refusals.size();
        // Closing the window stores the month again, which would drop a row without a number.
        if (number.isEmpty())
            result.refusals.push_back({row, wage::NumberCol, WageProblem::NoNumber, {}});
        if (name.isEmpty())
            result.refusals.push_back({row, wage::NameCol, WageProblem::NoName, {}});
        SqlParams values{number, name};
        for (int col = wage::FirstPartCol; col <= wage::TotalCol; ++col) {
            bool ok = true;
            const std::optional<double> amount = amountOf(sheet.text(row, col), ok);
            if (!ok || (col == wage::TotalCol && !amount))
                result.refusals.push_back(
                    {row, col, WageProblem::NotANumber, sheet.text(row, col)});
            values.push_back(amountValue(amount));
        }
        for (size_t i = before; i < result.refusals.size(); ++i)
            sheet.setMark(row, result.refusals[i].col, CellMark::Error);
        if (!id || result.refusals.size() > before)
            continue;
        values.push_back(*id);
        values.push_back(static_cast<long long>(month));
        updates.push_back(std::move(values));
    }
    if (result.refused())
        return result;
    writeAll(db,
             "UPDATE Wage_Info SET sNumber = ?, sName = ?, sN1 = ?, sN2 = ?, sN3 = ?, sN4 = ?,"
             " sTotal = ? WHERE id = ? AND sMon = ?",
             updates, result);
    return result;
}

}  // namespace vel
