#include "HistoryRows.h"

#include "Session.h"
#include "db/BulkInsert.h"
#include "history/HistorySource.h"
#include "io/DelimitedFile.h"
#include "monthly/WageSheet.h"
#include "monthly/WageStore.h"
#include "reports/WageSums.h"
#include "sheet/Sheet.h"
#include "staff/RosterStore.h"
#include "staff/StaffRules.h"
#include "staff/StaffSheet.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace vel {
namespace {

constexpr size_t StaffMonthAt = history::StaffColumns.size();
constexpr size_t WageMonthAt = history::WageColumns.size();

// Where a wage row's values stand among history::WageColumns.
enum WageAt : size_t { NameAt = 0, NumberAt = 1, FirstPartAt = 3, FifthPartAt = 7 };

// A stored value as the sheet would hold it: numbers in their shortest form.
QString textOf(const SqlValue& v)
{
    if (const auto* s = std::get_if<QString>(&v))
        return *s;
    if (const auto* i = std::get_if<long long>(&v))
        return QString::number(*i);
    if (const auto* d = std::get_if<double>(&v))
        return decimalText(*d);
    return {};
}

// A name as the import stores it: trimmed, every blank removed.
QString cleanName(const SqlValue& v)
{
    return textOf(v).trimmed().remove(u' ');
}

// A text with every control character named, so that a refusal shows what the source holds
// without printing it.
QString visible(const QString& text)
{
    QString out;
    for (const QChar c : text)
        out += controlCharAt(QString(c)) < 0 ? QString(c) : u'[' + charCodeText(c) + u']';
    return out;
}

// A month 0..12 stored as a whole number or as a text of one; nullopt for anything else.
std::optional<int> monthOf(const SqlValue& v)
{
    double month = -1;
    if (const auto* i = std::get_if<long long>(&v)) {
        month = static_cast<double>(*i);
    } else if (const auto* d = std::get_if<double>(&v)) {
        month = *d;
    } else if (std::holds_alternative<QString>(v)) {
        bool ok = false;
        month = textOf(v).trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (month >= 0 && month <= 12 && month == std::trunc(month))
        return static_cast<int>(month);
    return std::nullopt;
}

QString monthRefusal(const SqlValue& v)
{
    if (std::holds_alternative<std::nullptr_t>(v))
        return QStringLiteral("没有月份");
    return QStringLiteral("月份“%1”不在1到12之间").arg(visible(textOf(v)));
}

// Where each staff answer column stands among history::StaffColumns.
const std::array<size_t, staff::AnswerCount>& answerPlaces()
{
    static const std::array<size_t, staff::AnswerCount> places = [] {
        std::array<size_t, staff::AnswerCount> p{};
        for (const StaffColumn& c : staffColumns())
            for (size_t i = 0; i < history::StaffColumns.size(); ++i)
                if (QLatin1String(history::StaffColumns[i])
                        .compare(QLatin1String(c.textField), Qt::CaseInsensitive) == 0)
                    p[static_cast<size_t>(c.col - 1)] = i;
        return p;
    }();
    return places;
}

// Why a staff row cannot be stored, or empty: a missing name, a control character in an answer.
QString staffRefusal(const SqlParams& row)
{
    for (const StaffColumn& c : staffColumns()) {
        const QString text = textOf(row[answerPlaces()[static_cast<size_t>(c.col - 1)]]);
        const qsizetype at = controlCharAt(text);
        if (at >= 0)
            return QStringLiteral("“%1”含有控制字符 %2")
                .arg(staffHeader(c.col, StaffTemplate::MonthlyRoster), charCodeText(text[at]));
    }
    if (cleanName(row[0]).isEmpty())
        return QStringLiteral("没有姓名");
    return {};
}

void report(const Progress& progress, int done, int total)
{
    if (progress && total > 0)
        progress(done * 100 / total);
}

}  // namespace

int addHistoryStaff(Session& session, const std::vector<SqlParams>& rows, StaffMonths which,
                    std::vector<RefusedRow>& refused, const Progress& progress)
{
    // The rows each month takes, in the source's order.
    std::map<int, std::vector<const SqlParams*>> byMonth;
    for (size_t i = 0; i < rows.size(); ++i) {
        const SqlParams& row = rows[i];
        const std::optional<int> month = monthOf(row[StaffMonthAt]);
        const auto refuse = [&](const QString& reason) {
            refused.push_back({false, static_cast<int>(i) + 1, visible(textOf(row[0]).trimmed()),
                               reason});
        };
        int target = 0;
        if (which == StaffMonths::YearEndAsOpening) {
            if (month != 12)
                continue;
        } else if (which == StaffMonths::Opening) {
            if (month != 0)
                continue;
        } else {
            if (month == 0)
                continue;
            if (!month) {
                refuse(monthRefusal(row[StaffMonthAt]));
                continue;
            }
            target = *month;
        }
        const QString refusal = staffRefusal(row);
        if (!refusal.isEmpty()) {
            refuse(refusal);
            continue;
        }
        byMonth[target].push_back(&row);
    }

    session.codes().load(session.db(), session.postFilter());
    const StaffRules rules(session.codes(), session.unit());
    const StaffClass staffClass = staffClassOf(session.unit().CurDepInfo);
    int added = 0;
    for (const auto& [month, people] : byMonth) {
        Sheet sheet(staff::FirstPersonRow + static_cast<int>(people.size()), staff::ColumnCount);
        int sheetRow = staff::FirstPersonRow;
        for (const SqlParams* row : people) {
            for (const StaffColumn& c : staffColumns()) {
                const QString text = textOf((*row)[answerPlaces()[static_cast<size_t>(c.col - 1)]]);
                // Numbers trimmed as the wage import trims them, so each wage row finds its
                // person on the roster.
                sheet.setText(sheetRow, c.col,
                              c.col == staff::NameCol     ? cleanName((*row)[0])
                              : c.col == staff::NumberCol ? text.trimmed()
                                                          : text);
            }
            ++sheetRow;
        }
        const StaffPassResult audit =
            rules.runPass(sheet, month == 0 ? staffpass::OpeningSave : staffpass::MonthlySave);
        appendRosterRows(session.db(), month, sheet, staffClass, audit);
        added += static_cast<int>(audit.rows.size());
        report(progress, added, static_cast<int>(rows.size()));
    }
    return added;
}

int addHistoryWages(Session& session, const std::vector<SqlParams>& rows,
                    std::vector<RefusedRow>& refused, const Progress& progress)
{
    Db& db = session.db();
    // One sheet row per source row, so that each is totalled and checked as the wage sheet's are.
    Sheet sheet(wage::FirstPersonRow + static_cast<int>(rows.size()), wage::ColumnCount);
    std::map<int, MonthRoster> rosters;
    std::vector<WageRowProblem> found;  // the flags say it all
    BulkInsert insert(db, "Wage_Info",
                      {"sNumber", "sName", "sMon", "sN1", "sN2", "sN3", "sN4", "sN5", "sTotal",
                       "sFlag", "wFlag"});
    int added = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const SqlParams& row = rows[i];
        const int sheetRow = wage::FirstPersonRow + static_cast<int>(i);
        const QString rawName = textOf(row[NameAt]);
        const auto refuse = [&](const QString& reason) {
            refused.push_back({true, static_cast<int>(i) + 1, visible(rawName.trimmed()), reason});
        };
        const std::optional<int> month = monthOf(row[WageMonthAt]);
        if (!month || *month == 0) {
            refuse(monthRefusal(row[WageMonthAt]));
            continue;
        }
        const QString number = textOf(row[NumberAt]).trimmed();
        QString refusal;
        for (const auto& [text, col] : {std::pair{number, wage::NumberCol}, {rawName, wage::NameCol}})
            if (refusal.isEmpty() && controlCharAt(text) >= 0)
                refusal = QStringLiteral("“%1”含有控制字符 %2")
                              .arg(wageFileHeader(col), charCodeText(text[controlCharAt(text)]));
        const QString name = cleanName(row[NameAt]);
        if (refusal.isEmpty() && name.isEmpty())
            refusal = QStringLiteral("没有姓名");
        if (refusal.isEmpty() && number.isEmpty())
            refusal = QStringLiteral("没有姓名编号");
        sheet.setText(sheetRow, wage::NumberCol, number);
        sheet.setText(sheetRow, wage::NameCol, name);
        for (int col = wage::FirstPartCol; col <= wage::LastPartCol; ++col)
            sheet.setText(sheetRow, col,
                          textOf(row[FirstPartAt + static_cast<size_t>(col - wage::FirstPartCol)]));
        const WageRowTotal amounts = totalWageRow(sheet, sheetRow);
        if (refusal.isEmpty() && amounts.badCol)
            refusal = QStringLiteral("“%1”不是数字或超出上限%2元：%3")
                          .arg(wageFileHeader(amounts.badCol), decimalText(wage::MaxAmount),
                               visible(sheet.text(sheetRow, amounts.badCol)));
        // The fifth part no window shows is kept when it is an amount.
        bool fifthOk = true;
        const std::optional<double> fifth = amountOf(textOf(row[FifthPartAt]), fifthOk);
        if (refusal.isEmpty() && !fifthOk)
            refusal = QStringLiteral("第五项工资不是数字或超出上限%1元：%2")
                          .arg(decimalText(wage::MaxAmount), visible(textOf(row[FifthPartAt])));
        if (!refusal.isEmpty()) {
            refuse(refusal);
            continue;
        }

        const MonthRoster& roster = rosters.try_emplace(*month, db, *month).first->second;
        const QString sFlag = checkWagePerson(sheet, sheetRow, roster, number, name, found);
        const QString wFlag = checkWageTotal(sheet, sheetRow, amounts.total, number, found);
        insert.add({number, name, static_cast<long long>(*month), amountValue(amounts.parts[0]),
                    amountValue(amounts.parts[1]), amountValue(amounts.parts[2]),
                    amountValue(amounts.parts[3]), amountValue(fifth), amounts.total, sFlag,
                    wFlag});
        ++added;
        if (added % 256 == 0)
            report(progress, static_cast<int>(i) + 1, static_cast<int>(rows.size()));
    }
    insert.finish();
    return added;
}

LastYear lastYearFigures(const std::vector<SqlParams>& staff, const std::vector<SqlParams>& wages)
{
    constexpr size_t TotalAt = 2;
    LastYear last;
    const auto december = [](const SqlParams& row, size_t monthAt) {
        return row.size() > monthAt && monthOf(row[monthAt]) == 12;
    };
    const long long heads = std::count_if(staff.begin(), staff.end(), [&](const SqlParams& r) {
        return december(r, StaffMonthAt);
    });
    if (heads == 0)
        return last;
    last.heads = heads;
    if (std::none_of(wages.begin(), wages.end(), [&](const SqlParams& r) { return december(r, WageMonthAt); }))
        return last;
    long long micros = 0;
    for (const SqlParams& r : wages) {
        const std::optional<int> month = r.size() > WageMonthAt ? monthOf(r[WageMonthAt]) : std::nullopt;
        bool ok = false;
        const double total = textOf(r[TotalAt]).trimmed().toDouble(&ok);
        if (month && *month >= 1 && ok && std::isfinite(total) && std::fabs(total) < 1e9)
            micros += std::llround(total * 1e6);
    }
    last.wagesThousands = static_cast<double>(thousandsOfYuan(micros));
    return last;
}

QStringList refusedRowsReport(const std::vector<RefusedRow>& refused, int shown)
{
    if (refused.empty())
        return {};
    QStringList lines{
        QStringLiteral("另有%1条记录不符合本系统的要求，未导入：").arg(refused.size())};
    for (size_t i = 0; i < refused.size() && static_cast<int>(i) < shown; ++i) {
        const RefusedRow& r = refused[i];
        lines << (r.wage ? QStringLiteral("原系统工资记录第%1条（%2）：%3")
                         : QStringLiteral("原系统人员记录第%1条（%2）：%3"))
                     .arg(r.index)
                     .arg(r.name, r.reason);
    }
    if (static_cast<int>(refused.size()) > shown)
        lines << QStringLiteral("……其余%1条从略。").arg(static_cast<int>(refused.size()) - shown);
    return lines;
}

}  // namespace vel
