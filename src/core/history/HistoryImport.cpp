#include "HistoryImport.h"

#include "Errors.h"
#include "db/Db.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <SQLiteCpp/Database.h>
#include <sqlite3.h>

#include <vector>

namespace vel {
namespace {

// The staff columns copied, in the order of every staff insert; the month follows them.
const char* const StaffColumns[] = {
    "sName",  "sNumber",  "sTsex",   "sSex",     "sTnation", "sBirth",     "sTedu",
    "sEducation", "sGw",  "sTpost",  "sPost",    "sTGrade",  "sPostGrade", "sIsok",
    "sTparty", "sWorks",  "sWork",   "sTJGrade", "sNation",  "sParty",     "sJGrade",
    "sTsf",   "sTqrz",    "sTgc",    "sTjzs",    "sTsg",     "sTyg",       "ssf",
    "sqrz",   "ssg",      "sgc",     "sjzs",     "syg"};
const char* const WageColumns[] = {"sName", "sNumber", "sTotal", "sN1",  "sN2",
                                   "sN3",   "sN4",     "sN5",    "sFlag", "wFlag"};

template <size_t N>
std::string columnList(const char* const (&columns)[N])
{
    std::string out;
    for (const char* c : columns)
        out += std::string(c) + ", ";
    return out + "sMon";
}

template <size_t N>
std::string insertStatement(const char* table, const char* const (&columns)[N])
{
    std::string marks;
    for (size_t i = 0; i <= N; ++i)
        marks += i ? ", ?" : "?";
    return std::string("INSERT INTO ") + table + " (" + columnList(columns) + ") VALUES (" + marks +
           ")";
}

// A source value as it is written: an empty text becomes null, as every empty answer is stored.
SqlValue valueOf(const SQLite::Column& c)
{
    const SqlValue v = columnValue(c);
    if (const auto* text = std::get_if<QString>(&v); text && text->isEmpty())
        return nullptr;
    return v;
}

QString textOf(const SqlValue& v)
{
    if (const auto* s = std::get_if<QString>(&v))
        return *s;
    if (const auto* i = std::get_if<long long>(&v))
        return QString::number(*i);
    return {};
}

SqlValue orNull(const QString& text)
{
    return text.isEmpty() ? SqlValue(nullptr) : SqlValue(text);
}

SQLite::Database openSource(const QString& folder)
{
    return SQLite::Database(QFile::encodeName(historyDatabasePath(folder)).toStdString(),
                            SQLite::OPEN_READONLY);
}

DatabaseError sourceError(const QString& folder, const SQLite::Exception& e)
{
    return DatabaseError(QStringLiteral("无法读取原系统数据库：%1\n%2")
                             .arg(historyDatabasePath(folder), QString::fromUtf8(e.what())));
}

// Every row the query returns, the name trimmed without blanks, the person number trimmed when
// `trimNumber`; the month is the last value.
std::vector<SqlParams> readRows(const QString& folder, const std::string& sql, bool trimNumber)
{
    std::vector<SqlParams> rows;
    try {
        SQLite::Database source = openSource(folder);
        SQLite::Statement q(source, sql);
        while (q.executeStep()) {
            SqlParams row;
            for (int i = 0; i < q.getColumnCount(); ++i)
                row.push_back(valueOf(q.getColumn(i)));
            row[0] = orNull(textOf(row[0]).trimmed().remove(u' '));
            if (trimNumber)
                row[1] = orNull(textOf(row[1]).trimmed());
            rows.push_back(row);
        }
    } catch (const SQLite::Exception& e) {
        throw sourceError(folder, e);
    }
    return rows;
}

// Inserts the rows, advancing the progress bar from `done` of `total` rows.
void insertRows(Db& db, const std::string& insert, const std::vector<SqlParams>& rows,
                int& done, int total, const Progress& progress)
{
    Statement stmt(db, insert);
    for (const SqlParams& row : rows) {
        stmt.run(row);
        if (progress && total > 0 && (++done % 50 == 0 || done == total))
            progress(100 * done / total);
    }
}

std::string staffSelect(const char* condition)
{
    return "SELECT " + columnList(StaffColumns) + " FROM Staff_moninfo WHERE " + condition +
           " ORDER BY id";
}

bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

QString sourceRefusal(Db& db, const QString& folder)
{
    const QString path = historyDatabasePath(folder);
    if (sameFile(path, db.path()))
        return QStringLiteral("所选路径是本系统正在使用的数据库，不能导入。");
    try {
        SQLite::Database source = openSource(folder);
        for (const char* table : {"Staff_moninfo", "Wage_Info"}) {
            SQLite::Statement has(source, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND"
                                          " name = ? COLLATE NOCASE");
            has.bind(1, table);
            if (!has.executeStep())
                return QStringLiteral("原系统数据库不是本系统的数据库文件：%1").arg(path);
        }
    } catch (const SQLite::Exception& e) {
        if (e.getErrorCode() == SQLITE_NOTADB)
            return QStringLiteral("原系统数据库不是本系统的数据库文件：%1").arg(path);
        return QStringLiteral("无法读取原系统数据库：%1\n%2").arg(path, QString::fromUtf8(e.what()));
    }
    return {};
}

// The kinds of rows the option adds that the working database already holds.
QStringList heldKinds(Db& db, HistoryOption option)
{
    QStringList kinds;
    const bool opening = option == HistoryOption::YearEndAsOpening || option == HistoryOption::Opening;
    const bool staff = option == HistoryOption::MonthlyStaff || option == HistoryOption::MonthlyAll;
    const bool wages = option == HistoryOption::MonthlyWages || option == HistoryOption::MonthlyAll;
    if (opening && db.exists("SELECT 1 FROM Staff_moninfo WHERE sMon = 0"))
        kinds << QStringLiteral("期初");
    if (staff && db.exists("SELECT 1 FROM Staff_moninfo WHERE sMon > 0"))
        kinds << QStringLiteral("月度人员");
    if (wages && db.exists("SELECT 1 FROM Wage_Info"))
        kinds << QStringLiteral("月度工资");
    return kinds;
}

}  // namespace

QString historyDatabasePath(const QString& folder)
{
    return QDir(folder).filePath("Database/RCdatabase.db");
}

bool isHistoryFolder(const QString& folder)
{
    return !folder.trimmed().isEmpty() && QFileInfo(historyDatabasePath(folder)).isFile();
}

CheckOutcome historyImportChecks(Db& db, const QString& folder, HistoryOption option)
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
    if (!isHistoryFolder(folder))
        return {false, {history::WrongFolder}};
    const QString refusal = sourceRefusal(db, folder);
    if (!refusal.isEmpty())
        return {false, {refusal}};
    if (option == HistoryOption::MonthlyWages &&
        !db.exists("SELECT 1 FROM Staff_moninfo WHERE sMon > 0")) {
        CheckOutcome out{false, {QStringLiteral("没有月度人员数据，请先导入月度人员数据。")}};
        out.shownAs = MessageKind::Confirm;
        return out;
    }
    CheckOutcome out;
    const QStringList held = heldKinds(db, option);
    if (!held.isEmpty())
        out.question = QStringLiteral("已有%1数据，是否继续导入？").arg(held.join(QStringLiteral("、")));
    return out;
}

QStringList importHistory(Db& db, const QString& folder, HistoryOption option,
                          const Progress& progress)
{
    // Everything is read first, so the source is closed before the working database is written.
    const bool yearEnd = option == HistoryOption::YearEndAsOpening;
    std::vector<SqlParams> staff;
    std::vector<SqlParams> wages;
    if (yearEnd)
        staff = readRows(folder, staffSelect("sMon = 12"), false);
    else if (option == HistoryOption::Opening)
        staff = readRows(folder, staffSelect("sMon = 0"), false);
    else if (option == HistoryOption::MonthlyStaff || option == HistoryOption::MonthlyAll)
        staff = readRows(folder, staffSelect("sMon > 0"), false);
    if (option == HistoryOption::MonthlyWages || option == HistoryOption::MonthlyAll)
        wages = readRows(folder,
                         "SELECT " + columnList(WageColumns) +
                             " FROM Wage_Info ORDER BY sMon DESC, id",
                         true);
    if (yearEnd)
        for (SqlParams& row : staff)
            row.back() = 0LL;

    const int total = static_cast<int>(staff.size() + wages.size());
    int done = 0;
    Transaction tx(db);
    insertRows(db, insertStatement("Staff_moninfo", StaffColumns), staff, done, total, progress);
    insertRows(db, insertStatement("Wage_Info", WageColumns), wages, done, total, progress);
    tx.commit();
    if (progress)
        progress(0);

    QStringList messages;
    if (yearEnd)
        messages << QStringLiteral("导入完成，共%1条记录。").arg(staff.size());
    else if (option != HistoryOption::MonthlyWages)
        messages << QStringLiteral("导入完成，共%1条月度人员记录。").arg(staff.size());
    if (option == HistoryOption::MonthlyWages || option == HistoryOption::MonthlyAll)
        messages << QStringLiteral("导入完成，共%1条工资记录。").arg(wages.size());
    return messages;
}

}  // namespace vel
