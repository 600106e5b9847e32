#include "WageStore.h"

#include "db/BulkInsert.h"
#include "db/CodeLists.h"
#include "db/Db.h"
#include "io/DelimitedFile.h"
#include "sheet/Sheet.h"

#include <cmath>

namespace vel {
namespace {

const QString LineBreak = QStringLiteral("\n\r");

struct PendingRow {
    QString number;
    QString name;
    WageRowTotal amounts;
    QString sFlag;
    QString wFlag;
};

// A number, but one no wage part can be.
bool isBeyondLimit(const QString& text)
{
    bool ok = false;
    const double value = trimBlanks(text).toDouble(&ok);
    return ok && !(std::fabs(value) <= wage::MaxAmount);
}

void report(const Progress& progress, int percent)
{
    if (progress)
        progress(percent);
}

}  // namespace

MonthRoster::MonthRoster(Db& db, int month)
{
    Query q(db, "SELECT sNumber, sName FROM Staff_moninfo WHERE sMon = ?",
            {static_cast<long long>(month)});
    while (q.next())
        names_[q.text("sNumber")].append(trimBlanks(q.text("sName")));
}

MonthRoster::Match MonthRoster::match(const QString& number, const QString& name) const
{
    const auto it = names_.constFind(number);
    if (it == names_.constEnd())
        return Match::Missing;
    return it->contains(trimBlanks(name)) ? Match::Same : Match::OtherName;
}

WageRowTotal totalWageRow(const Sheet& sheet, int row)
{
    WageRowTotal t;
    for (int col = wage::FirstPartCol; col <= wage::LastPartCol; ++col) {
        bool ok = true;
        const std::optional<double> amount = amountOf(sheet.text(row, col), ok);
        if (!ok) {
            if (!t.badCol)
                t.badCol = col;
            continue;
        }
        t.parts[static_cast<size_t>(col - wage::FirstPartCol)] = amount;
    }
    t.total = wageTotal(t.parts);
    return t;
}

SqlValue amountValue(const std::optional<double>& amount)
{
    if (!amount)
        return nullptr;
    return *amount;
}

bool isEmptyWageRow(const Sheet& sheet, int row, int idCol)
{
    for (int col = wage::NumberCol; col <= wage::LastPartCol; ++col)
        if (!trimBlanks(sheet.text(row, col)).isEmpty())
            return false;
    return idCol == 0 || trimBlanks(sheet.text(row, idCol)).isEmpty();
}

int lastWageRow(const Sheet& sheet, int idCol)
{
    int row = sheet.maxRow();
    while (row >= wage::FirstPersonRow && isEmptyWageRow(sheet, row, idCol))
        --row;
    return row;
}

bool refuseControlChars(Sheet& sheet, int row, std::vector<WageRowProblem>& refusals)
{
    bool found = false;
    for (int col : {wage::NumberCol, wage::NameCol}) {
        const QString text = sheet.text(row, col);
        const qsizetype at = controlCharAt(text);
        if (at < 0)
            continue;
        sheet.setMark(row, col, CellMark::Error);
        refusals.push_back({row, col, WageProblem::ControlChar, charCodeText(text[at])});
        found = true;
    }
    return found;
}

QString checkWagePerson(Sheet& sheet, int row, const MonthRoster& roster, const QString& number,
                        const QString& name, std::vector<WageRowProblem>& problems)
{
    switch (roster.match(number, name)) {
    case MonthRoster::Match::Missing:
        sheet.markRange(row, wage::NumberCol, row, wage::NameCol, CellMark::Error);
        problems.push_back({row, wage::NumberCol, WageProblem::NotInRoster, number});
        return "0";
    case MonthRoster::Match::OtherName:
        sheet.setMark(row, wage::NumberCol, CellMark::None);
        sheet.setMark(row, wage::NameCol, CellMark::Error);
        problems.push_back({row, wage::NameCol, WageProblem::NameDiffers, number});
        return "0";
    case MonthRoster::Match::Same:
        break;
    }
    sheet.markRange(row, wage::NumberCol, row, wage::NameCol, CellMark::None);
    return "1";
}

QString checkWageTotal(Sheet& sheet, int row, double total,
                       const QString& number, std::vector<WageRowProblem>& problems)
{
    if (withinWageBounds(total)) {
        sheet.setMark(row, wage::TotalCol, CellMark::None);
        return "1";
    }
    sheet.setMark(row, wage::TotalCol, CellMark::Error);
    problems.push_back({row, wage::TotalCol, WageProblem::OutOfBounds, number});
    return "0";
}

WageCheckResult storeWages(Db& db, int month, Sheet& sheet,
                           const Progress& progress)
{
    WageCheckResult result;
    // The roster is read inside the write: no other program changes it between check and store.
    Transaction tx(db);
    const MonthRoster roster(db, month);
    std::vector<PendingRow> pending;
    QHash<QString, int> rowOfNumber;
    const int last = lastWageRow(sheet);
    {
        const SheetBatch batch(sheet);
        for (int row = wage::FirstPersonRow; row <= last; ++row) {
            if (isEmptyWageRow(sheet, row))
                continue;
            ++result.people;
            if (refuseControlChars(sheet, row, result.refusals))
                continue;
            const WageRowTotal amounts = totalWageRow(sheet, row);
            QString name = trimBlanks(sheet.text(row, wage::NameCol));
            name.remove(u' ');
            if (name.isEmpty()) {
                sheet.setMark(row, wage::NameCol, CellMark::Error);
                result.refusals.push_back({row, wage::NameCol, WageProblem::NoName, {}});
            }
            if (amounts.badCol) {
                sheet.setMark(row, amounts.badCol, CellMark::Error);
                result.refusals.push_back({row, amounts.badCol, WageProblem::NotANumber,
                                           sheet.text(row, amounts.badCol)});
            }
            if (name.isEmpty() || amounts.badCol)
                continue;

            sheet.setText(row, wage::NameCol, name);
            sheet.setText(row, wage::TotalCol, decimalText(amounts.total));
            const QString number = trimBlanks(sheet.text(row, wage::NumberCol));
            PendingRow p{number, name, amounts, "1", "1"};
            sheet.setMark(row, wage::BasicCol, CellMark::None);

            if (number.isEmpty()) {
                sheet.setMark(row, wage::NumberCol, CellMark::Error);
                sheet.setMark(row, wage::NameCol, CellMark::None);
                result.problems.push_back({row, wage::NumberCol, WageProblem::NoNumber, name});
            } else {
                p.sFlag = checkWagePerson(sheet, row, roster, number, name, result.problems);
                const int earlier = rowOfNumber.value(number);
                if (earlier) {
                    sheet.setMark(earlier, wage::NumberCol, CellMark::Error);
                    sheet.setMark(row, wage::NumberCol, CellMark::Error);
                    result.refusals.push_back(
                        {row, wage::NumberCol, WageProblem::SameNumber, number, earlier});
                } else {
                    rowOfNumber.insert(number, row);
                }
            }
            if (checkWageTotal(sheet, row, amounts.total, number, result.problems) == u"0")
                p.wFlag = "0";
            if (!number.isEmpty())
                pending.push_back(std::move(p));
            if (last > 0)
                report(progress, row * 50 / last);
        }
    }
    if (result.refused())
        return result;

    db.exec("DELETE FROM Wage_Info WHERE sMon = ?", {static_cast<long long>(month)});
    BulkInsert insert(db, "Wage_Info",
                      {"sNumber", "sName", "sMon", "sN1", "sN2", "sN3", "sN4", "sTotal", "sFlag",
                       "wFlag"});
    for (const PendingRow& p : pending) {
        const SqlParams values{p.number,
                               p.name,
                               static_cast<long long>(month),
                               amountValue(p.amounts.parts[0]),
                               amountValue(p.amounts.parts[1]),
                               amountValue(p.amounts.parts[2]),
                               amountValue(p.amounts.parts[3]),
                               p.amounts.total,
                               p.sFlag,
                               p.wFlag};
        insert.add(values);
        ++result.writtenRows;
        if (p.sFlag == u"0" || p.wFlag == u"0")
            ++result.flagged;
        report(progress, 50 + result.writtenRows * 50 / static_cast<int>(pending.size()));
    }
    insert.finish();
    tx.commit();
    report(progress, 100);
    return result;
}

void nameFileLines(WageCheckResult& result, const MatchedFile& file)
{
    if (file.sheets.size() > 1)
        return;
    const std::vector<DelimitedLine>& rows = file.matched.rows.rows;
    const auto lineOf = [&](int row) {
        const int i = row - wage::FirstPersonRow;
        return i >= 0 && i < static_cast<int>(rows.size()) ? rows[static_cast<size_t>(i)].line
                                                           : row;
    };
    for (std::vector<WageRowProblem>* list : {&result.refusals, &result.problems})
        for (WageRowProblem& p : *list) {
            p.row = lineOf(p.row);
            if (p.earlierRow > 0)
                p.earlierRow = lineOf(p.earlierRow);
        }
}

QString wageRefusalMessage(const WageCheckResult& result)
{
    QStringList lines;
    for (const WageRowProblem& p : result.refusals) {
        switch (p.kind) {
        case WageProblem::NotANumber:
            if (isBeyondLimit(p.text))
                lines << QStringLiteral("第%1行“%2”超出上限%3元：%4")
                             .arg(p.row)
                             .arg(wageFileHeader(p.col))
                             .arg(decimalText(wage::MaxAmount), p.text);
            else
                lines << QStringLiteral("第%1行“%2”不是数字：%3")
                             .arg(p.row)
                             .arg(wageFileHeader(p.col), p.text);
            break;
        case WageProblem::NoName:
            lines << QStringLiteral("第%1行没有姓名，请填写姓名或删除该行。").arg(p.row);
            break;
        case WageProblem::NoNumber:
            lines << QStringLiteral("第%1行没有姓名编号，请填写姓名编号或删除该行。").arg(p.row);
            break;
        case WageProblem::ControlChar:
            lines << QStringLiteral("第%1行“%2”含有控制字符 %3，请删除。")
                         .arg(p.row)
                         .arg(wageFileHeader(p.col), p.text);
            break;
        case WageProblem::NoRecord:
            lines << QStringLiteral("第%1行不是已存储的工资记录，无法保存。").arg(p.row);
            break;
        case WageProblem::SameNumber:
            lines << QStringLiteral("第%1行与第%2行的姓名编号都是%3，一人一月只能有一行工资，"
                                    "请合并或改正。")
                         .arg(p.earlierRow)
                         .arg(p.row)
                         .arg(p.text);
            break;
        default:
            break;
        }
    }
    lines << QStringLiteral("本月工资未作任何改动。");
    return lines.join(LineBreak);
}

QStringList wageStoreMessages(const WageCheckResult& result)
{
    if (result.refused())
        return {wageRefusalMessage(result)};
    QString notInRoster;
    QStringList withoutNumber;
    bool outOfBounds = false;
    for (const WageRowProblem& p : result.problems) {
        switch (p.kind) {
        case WageProblem::NotInRoster:
        case WageProblem::NameDiffers:
            notInRoster += QStringLiteral("[%1] ").arg(p.text);
            break;
        case WageProblem::OutOfBounds:
            outOfBounds = true;
            break;
        case WageProblem::NoNumber:
            withoutNumber << QStringLiteral("第%1行（%2）").arg(p.row).arg(p.text);
            break;
        default:
            break;
        }
    }
    QStringList messages;
    if (!notInRoster.isEmpty())
        messages << QStringLiteral("以下：") + LineBreak + notInRoster + LineBreak +
                        QStringLiteral("姓名编号或姓名不在当月名单中或姓名编号有重复，\r"
                                       "请核实当月人员名册和工资输入表人员信息。");
    if (outOfBounds)
        messages << QStringLiteral("工资总额超出额定范围：") + LineBreak +
                        QStringLiteral("上限不超过%1,下限不低于%2.")
                            .arg(wage::TotalMax)
                            .arg(wage::TotalMin) +
                        LineBreak + QStringLiteral("请到[显示错误]中核实！");
    if (!withoutNumber.isEmpty())
        messages << QStringLiteral("以下行没有姓名编号，未存储：") + LineBreak +
                        withoutNumber.join(',');
    return messages;
}

QString wageSavedMessage(int month, int people)
{
    return QStringLiteral("%1月保存成功！共%2人输入。").arg(month).arg(people);
}

int recheckWagePersons(Db& db, int month)
{
    const MonthRoster roster(db, month);
    std::vector<std::pair<long long, QString>> changed;
    {
        Query q(db, "SELECT id, sNumber, sName, sFlag FROM Wage_Info WHERE sMon = ?",
                {static_cast<long long>(month)});
        while (q.next()) {
            const QString flag = roster.match(q.text("sNumber"), q.text("sName")) ==
                                         MonthRoster::Match::Same
                                     ? QStringLiteral("1")
                                     : QStringLiteral("0");
            if (q.text("sFlag") != flag)
                changed.emplace_back(q.integer("id"), flag);
        }
    }
    for (const auto& [id, flag] : changed)
        db.exec("UPDATE Wage_Info SET sFlag = ? WHERE id = ?", {flag, id});
    return static_cast<int>(changed.size());
}

bool monthHasWages(Db& db, int month)
{
    return db.exists("SELECT 1 FROM Wage_Info WHERE sMon = ?", {static_cast<long long>(month)});
}

bool hasDuplicatePersons(Db& db, int month)
{
    return db.exists("SELECT 1 FROM Wage_Info WHERE sMon = ? GROUP BY sNumber, sName"
                     " HAVING COUNT(*) > 1",
                     {static_cast<long long>(month)});
}

}  // namespace vel
