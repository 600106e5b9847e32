#include "YearOverview.h"

#include "Session.h"
#include "checks/FileRules.h"
#include "db/Db.h"
#include "db/ReadTransaction.h"
#include "monthly/WageSheet.h"
#include "monthly/WageStore.h"
#include "reports/Forms.h"
#include "staff/RosterDiff.h"

#include <optional>

namespace vel {
namespace {

// The periods of a form the overview lists, each with the month that ends it.
std::vector<std::pair<int, FormPeriod>> listedPeriods(const FormDefinition& form)
{
    std::vector<std::pair<int, FormPeriod>> out;
    for (PeriodKind kind : form.submission.periods) {
        if (kind == PeriodKind::Quarter)
            for (int q = 1; q <= 3; ++q)
                out.push_back({q * 3, FormPeriod::ofQuarter(q)});
        else if (kind == PeriodKind::Year)
            out.push_back({12, FormPeriod::ofYear()});
    }
    return out;
}

int monthIndex(long long month)
{
    return month >= 0 && month <= 12 ? static_cast<int>(month) : -1;
}

}  // namespace

MonthWindow windowFor(const MonthOverview& m)
{
    if (m.month == 0)
        return m.persons > 0 ? MonthWindow::OpeningRoster : MonthWindow::None;
    if (m.failedStaff > 0)
        return MonthWindow::MonthlyRoster;
    if (m.wageRows > 0)
        return MonthWindow::Wages;
    return m.persons > 0 ? MonthWindow::MonthlyRoster : MonthWindow::None;
}

YearOverview yearOverview(Session& session)
{
    Db& db = session.db();
    // Head counts, wages and the submitted forms' figures from one state of the records.
    const ReadTransaction oneState(db);
    YearOverview o;
    std::vector<long long> roles;
    {
        Query q(db, "SELECT ID, CodeName FROM Code_Role ORDER BY ID");
        while (q.next()) {
            roles.push_back(q.integer("ID"));
            o.roleNames << q.text("CodeName");
        }
    }
    for (int m = 0; m <= 12; ++m) {
        o.months[static_cast<size_t>(m)].month = m;
        o.months[static_cast<size_t>(m)].byRole.assign(roles.size(), 0);
    }

    Query staff(db,
                "SELECT sMon, ssf, COUNT(*) AS n, SUM(CASE WHEN sIsok = '0' THEN 1 ELSE 0 END)"
                " AS failed FROM Staff_moninfo GROUP BY sMon, ssf");
    while (staff.next()) {
        const int m = monthIndex(staff.integer("sMon"));
        if (m < 0)
            continue;
        MonthOverview& month = o.months[static_cast<size_t>(m)];
        const int n = static_cast<int>(staff.integer("n"));
        month.persons += n;
        month.failedStaff += static_cast<int>(staff.integer("failed"));
        if (staff.isNull("ssf"))
            continue;
        for (size_t i = 0; i < roles.size(); ++i)
            if (roles[i] == staff.integer("ssf"))
                month.byRole[i] += n;
    }

    // The amounts as the forms count them; the flagged rows, a wage of nobody on the roster among
    // them, all.
    Query wages(db,
                "SELECT sMon, COUNT(*) AS n, TOTAL(IIF(counted, sN1, 0)) AS p1,"
                " TOTAL(IIF(counted, sN2, 0)) AS p2, TOTAL(IIF(counted, sN3, 0)) AS p3,"
                " TOTAL(IIF(counted, sN4, 0)) AS p4, TOTAL(IIF(counted, sTotal, 0)) AS total,"
                " SUM(CASE WHEN sFlag = '0' OR wFlag = '0' THEN 1 ELSE 0 END) AS flagged"
                " FROM (SELECT w.*, " + std::string(WageOnRoster) + " AS counted FROM Wage_Info w)"
                " GROUP BY sMon");
    while (wages.next()) {
        const int m = monthIndex(wages.integer("sMon"));
        if (m < 0)
            continue;
        MonthOverview& month = o.months[static_cast<size_t>(m)];
        month.wageRows = static_cast<int>(wages.integer("n"));
        month.parts = {wages.number("p1"), wages.number("p2"), wages.number("p3"),
                       wages.number("p4")};
        month.total = wages.number("total");
        month.flaggedWages = static_cast<int>(wages.integer("flagged"));
    }

    if (session.unitRegistered())
        for (const FormDefinition* form : forms()) {
            if (!form->listedInOverview)
                continue;
            for (const auto& [month, period] : listedPeriods(*form))
                if (const std::optional<bool> current = submissionCurrent(session, *form, period)) {
                    MonthOverview& m = o.months[static_cast<size_t>(month)];
                    (*current ? m.reports : m.olderReports) << form->number;
                }
        }
    return o;
}

std::vector<QStringList> yearOverviewTable(const YearOverview& overview)
{
    QStringList header{QStringLiteral("月份"), QStringLiteral("人数")};
    header << overview.roleNames;
    for (int col = wage::FirstPartCol; col <= wage::TotalCol; ++col)
        header << wageFileHeader(col);
    header << QStringLiteral("人员审核未通过") << QStringLiteral("工资有误")
           << QStringLiteral("已报送") << QStringLiteral("文件早于当前数据");
    std::vector<QStringList> rows{header};
    for (const MonthOverview& m : overview.months) {
        QStringList row{rosterMonthName(m.month), QString::number(m.persons)};
        for (int n : m.byRole)
            row << QString::number(n);
        for (double part : m.parts)
            row << (m.wageRows ? decimalText(part) : QString());
        row << (m.wageRows ? decimalText(m.total) : QString());
        row << QString::number(m.failedStaff) << QString::number(m.flaggedWages)
            << m.reports.join(' ') << m.olderReports.join(' ');
        rows.push_back(row);
    }
    return rows;
}

TablePage yearOverviewPage(const YearOverview& overview, const UnitAttributes& unit)
{
    const std::vector<QStringList> rows = yearOverviewTable(overview);
    const int roles = static_cast<int>(overview.roleNames.size());
    const int lastFigure = 2 + roles + 4 + 1 + 2;  // persons, roles, parts, total, problems
    TableOutline outline;
    outline.sheetName = YearOverviewName;
    outline.title = YearOverviewName + QStringLiteral("　") + unit.CurDepName;
    outline.owner = unitPageOwner(unit.CurDepName, unit.CurDepNo);
    outline.columnWidths = {6};
    outline.columnWidths.resize(static_cast<size_t>(lastFigure), 9);
    outline.columnWidths.push_back(16);
    outline.columnWidths.push_back(16);
    for (int c = 2; c <= lastFigure; ++c)
        outline.figureColumns.insert(c);
    outline.generalColumns = {lastFigure + 1, lastFigure + 2};
    outline.landscape = true;
    outline.headerHeight = 30;  // "人员审核未通过" and the parts' names take two lines
    return tablePage(outline, rows);
}

}  // namespace vel
