#include "HistoryImport.h"

#include "Errors.h"
#include "Session.h"
#include "db/Db.h"
#include "history/AccessHistorySource.h"
#include "history/HistoryRows.h"
#include "history/SqliteHistorySource.h"
#include "io/FileIdentity.h"
#include "period/CommandChecks.h"
#include "unit/UnitFigures.h"

#include <QDir>
#include <QFileInfo>

#include <vector>

namespace vel {
namespace {

const QString LineBreak = QStringLiteral("\n\r");

bool takesStaff(HistoryOption option)
{
    return option != HistoryOption::MonthlyWages;
}

bool takesWages(HistoryOption option)
{
    return option == HistoryOption::MonthlyWages || option == HistoryOption::MonthlyAll;
}

// The kinds of rows the option adds that the working database already holds.
QStringList heldKinds(Db& db, HistoryOption option)
{
    QStringList kinds;
    const bool opening = option == HistoryOption::YearEndAsOpening || option == HistoryOption::Opening;
    const bool staff = option == HistoryOption::MonthlyStaff || option == HistoryOption::MonthlyAll;
    if (opening && db.exists("SELECT 1 FROM Staff_moninfo WHERE sMon = 0"))
        kinds << QStringLiteral("期初");
    if (staff && db.exists("SELECT 1 FROM Staff_moninfo WHERE sMon > 0"))
        kinds << QStringLiteral("月度人员");
    if (takesWages(option) && db.exists("SELECT 1 FROM Wage_Info"))
        kinds << QStringLiteral("月度工资");
    return kinds;
}

QString unitText(const QString& name, const QString& code, const QString& type)
{
    return QStringLiteral("%1（%2，%3）").arg(name, code, type);
}

// What a Yes lets in: another unit's rows, rows added to those of a kind already held.
QString importQuestion(Session& session, HistorySource& source, HistoryOption option)
{
    QStringList lines;
    const UnitAttributes& unit = session.unit();
    if (const std::optional<HistoryUnit> from = source.unit()) {
        if (from->code != unit.CurDepNo.trimmed() || from->type != unit.CurDepType.trimmed())
            lines << QStringLiteral("原系统数据属于另一个单位：\n\r原系统：%1\n\r本单位：%2")
                         .arg(unitText(from->name, from->code, from->type),
                              unitText(unit.CurDepName, unit.CurDepNo.trimmed(),
                                       unit.CurDepType.trimmed()));
    }
    const QStringList held = heldKinds(session.db(), option);
    if (!held.isEmpty())
        lines << QStringLiteral("已有%1数据，是否继续导入？").arg(held.join(QStringLiteral("、")));
    else if (!lines.isEmpty())
        lines << QStringLiteral("是否仍要导入？");
    return lines.join(LineBreak);
}

// The entry of `dir` named `name` in any letter case, the exact name first; empty when none.
QString entryNamed(const QDir& dir, const QString& name)
{
    if (dir.exists(name))
        return dir.filePath(name);
    for (const QString& entry : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

}  // namespace

QString historyDatabasePath(const QString& folder)
{
    const QString database = entryNamed(QDir(folder), QStringLiteral("Database"));
    QString other;  // a pipe or a device by one of the names, for the refusal to name
    if (!database.isEmpty())
        for (const char* file : {"RCdatabase.db", "RCdatabase.mdb"}) {
            const QString path = entryNamed(QDir(database), QLatin1String(file));
            if (!path.isEmpty() && fileKind(path) == FileKind::Regular)
                return path;
            if (other.isEmpty() && !path.isEmpty() && fileKind(path) == FileKind::Other)
                other = path;
        }
    return other.isEmpty() ? QDir(folder).filePath("Database/RCdatabase.db") : other;
}

bool isHistoryFolder(const QString& folder)
{
    return !folder.trimmed().isEmpty() && fileKind(historyDatabasePath(folder)) == FileKind::Regular;
}

std::unique_ptr<HistorySource> openHistorySource(const QString& folder)
{
    const QString path = historyDatabasePath(folder);
    if (path.endsWith(QStringLiteral(".mdb"), Qt::CaseInsensitive))
        return std::make_unique<AccessHistorySource>(path);
    return std::make_unique<SqliteHistorySource>(path);
}

CheckOutcome historyImportChecks(Session& session, const QString& folder, HistoryOption option)
{
    const bool noFolder = folder.trimmed().isEmpty();
    const bool noOption = option == HistoryOption::None;
    if (noFolder && noOption)
        return {false,
                {QStringLiteral("请依次 Step1:选择原始系统安装路径;\r\r       Step2:导入数据选项。")}};
    if (noOption)
        return {false, {QStringLiteral("请Step2:选择导入数据选项。")}};
    if (noFolder)
        return {false, {QStringLiteral("请Step1:选择原始系统安装路径。")}};
    const CheckOutcome unit = unitCheck(session, false);
    if (!unit.passed)
        return unit;
    if (fileKind(historyDatabasePath(folder)) == FileKind::Other)
        return {false,
                {QStringLiteral("原系统数据库 %1 不是普通文件（是设备或管道），无法导入。")
                     .arg(historyDatabasePath(folder))}};
    if (!isHistoryFolder(folder))
        return {false, {history::WrongFolder}};
    if (sameFileOnDisk(historyDatabasePath(folder), session.db().path()))
        return {false, {QStringLiteral("所选路径是本系统正在使用的数据库，不能导入。")}};
    std::unique_ptr<HistorySource> source;
    try {
        source = openHistorySource(folder);
    } catch (const Error& e) {
        return {false, {e.message()}};
    }
    if (option == HistoryOption::MonthlyWages &&
        !session.db().exists("SELECT 1 FROM Staff_moninfo WHERE sMon > 0")) {
        CheckOutcome out{false, {QStringLiteral("没有月度人员数据，请先导入月度人员数据。")}};
        out.shownAs = MessageKind::Confirm;
        return out;
    }
    CheckOutcome out;
    out.question = importQuestion(session, *source, option);
    return out;
}

HistoryImportResult importHistory(Session& session, const QString& folder, HistoryOption option,
                                  const Progress& progress)
{
    if (!session.unitRegistered())
        throw Error(checks::UnitFirst);
    // Everything is read first, so the source is closed before the working database is written.
    std::vector<SqlParams> staff;
    std::vector<SqlParams> wages;
    LastYear lastYear;
    {
        const std::unique_ptr<HistorySource> source = openHistorySource(folder);
        if (takesStaff(option))
            staff = source->staffRows();
        if (takesWages(option))
            wages = source->wageRows();
        // Last year's December as this year's start: its figures are last year's for the check.
        if (option == HistoryOption::YearEndAsOpening)
            lastYear = lastYearFigures(staff, source->wageRows());
    }
    const StaffMonths months = option == HistoryOption::YearEndAsOpening ? StaffMonths::YearEndAsOpening
                               : option == HistoryOption::Opening        ? StaffMonths::Opening
                                                                         : StaffMonths::Monthly;
    // Each kind of row moves the bar for its share of all rows.
    const int total = static_cast<int>(staff.size() + wages.size());
    const auto share = [&progress, total](size_t from, size_t size) -> Progress {
        if (!progress || total == 0)
            return {};
        return [&progress, from, size, total](int percent) {
            progress(static_cast<int>((from + size * static_cast<size_t>(percent) / 100) * 100 /
                                      static_cast<size_t>(total)));
        };
    };

    std::vector<RefusedRow> refused;
    int staffAdded = 0;
    int wagesAdded = 0;
    {
        Transaction tx(session.db());
        if (takesStaff(option))
            staffAdded = addHistoryStaff(session, staff, months, refused, share(0, staff.size()));
        if (takesWages(option))
            wagesAdded = addHistoryWages(session, wages, refused, share(staff.size(), wages.size()));
        if (lastYear.heads) {
            UnitFigures figures = loadUnitFigures(session.db());
            figures.lastYearHeads = lastYear.heads;
            figures.lastYearWages = lastYear.wagesThousands;
            writeUnitFigures(session.db(), figures);
        }
        tx.commit();
    }
    if (progress)
        progress(0);

    HistoryImportResult result;
    if (option == HistoryOption::YearEndAsOpening)
        result.messages << QStringLiteral("导入完成，共%1条记录。").arg(staffAdded);
    else if (takesStaff(option))
        result.messages << QStringLiteral("导入完成，共%1条月度人员记录。").arg(staffAdded);
    if (takesWages(option))
        result.messages << QStringLiteral("导入完成，共%1条工资记录。").arg(wagesAdded);
    result.refused = refusedRowsReport(refused);
    return result;
}

}  // namespace vel
