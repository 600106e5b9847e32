#include "YearOverview.h"

#include "Errors.h"
#include "Session.h"
#include "db/Db.h"
#include "monthly/WageSheet.h"
#include "output/DbfWriter.h"
#include "reports/AnnualReport.h"
#include "reports/QuarterlyReport.h"
#include "staff/RosterDiff.h"

#include <QFileInfo>

#include <optional>

namespace vel {
namespace {

// A form, the month that ends the period its submission file covers, and the row the file
// would carry if it were written now.
struct SubmittedForm {
    int month;
    const char* form;
    QString (*fileName)(const QString& unitCode);
    ReportRow (*current)(Session& session);
};

template <int Quarter>
ReportRow quarterNow(Session& session)
{
    QuarterlyReport report(session, Quarter);
    report.compute();
    return report.storedRow();
}

ReportRow yearNow(Session& session)
{
    AnnualReport report(session);
    report.compute();
    return report.storedRow();
}

const SubmittedForm Forms[] = {
    {3, "I202-1", [](const QString& u) { return QuarterlyReport::submissionFileName(u, 1); },
     quarterNow<1>},
    {6, "I202-1", [](const QString& u) { return QuarterlyReport::submissionFileName(u, 2); },
     quarterNow<2>},
    {9, "I202-1", [](const QString& u) { return QuarterlyReport::submissionFileName(u, 3); },
     quarterNow<3>},
    {12, "I102-1", [](const QString& u) { return AnnualReport::submissionFileName(u); }, yearNow},
};

// Whether the form's file holds what the records give now; nullopt when there is no file.
std::optional<bool> fileIsCurrent(Session& session, const SubmittedForm& f)
{
    const QString path = submissionPath(session.folder(), SubmissionFolder::Gzsb,
                                         f.fileName(session.unit().CurDepNo));
    if (!QFileInfo::exists(path))
        return std::nullopt;
    try {
        return submissionHolds(path, f.current(session));
    } catch (const Error&) {
        return false;  // the records give no figures the file could hold
    }
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

    Query wages(db,
                "SELECT sMon, COUNT(*) AS n, TOTAL(sN1) AS p1, TOTAL(sN2) AS p2, TOTAL(sN3) AS p3,"
                " TOTAL(sN4) AS p4, TOTAL(sTotal) AS total,"
                " SUM(CASE WHEN sFlag = '0' OR wFlag = '0' THEN 1 ELSE 0 END) AS flagged"
                " FROM Wage_Info GROUP BY sMon");
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
        for (const SubmittedForm& f : Forms)
            if (const std::optional<bool> current = fileIsCurrent(session, f)) {
                MonthOverview& month = o.months[static_cast<size_t>(f.month)];
                (*current ? month.reports : month.olderReports) << QString::fromLatin1(f.form);
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

}  // namespace vel
