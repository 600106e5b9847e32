// The history import from the earlier program's installation folder, whose Database holds an
// Access file: each option against the values an independent writer put in the file.
#include "MaintenanceFixture.h"
#include "history/HistoryImport.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace vel;

namespace {

const QString Fixtures = QStringLiteral(VEL_FIXTURES_DIR "/predecessor/");

// The earlier program's folder as a clerk's copy may name it: letter case of no account.
struct EarlierProgram {
    explicit EarlierProgram(const QString& source = Fixtures + "good/Database/RCdatabase.mdb")
    {
        QDir(dir.path()).mkpath("database");
        EXPECT_TRUE(QFile::copy(source, dir.filePath("database/RCDATABASE.mdb")));
    }
    QString path() const { return dir.path(); }
    QTemporaryDir dir;
};

// The source's rows as the independent writer reads them back: column name to cell, \N = NULL.
struct SourceRow {
    QStringList header;
    QStringList cells;
    QString operator[](const char* column) const { return cells.value(header.indexOf(column)); }
    int month() const { return (*this)["sMon"].toInt(); }
    int id() const { return (*this)["id"].toInt(); }
};

std::vector<SourceRow> sourceRows(const char* table)
{
    QFile file(Fixtures + "expected-" + table + ".tsv");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    const QStringList header = QString::fromUtf8(lines[0]).split(u'\t');
    std::vector<SourceRow> rows;
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (!lines[i].isEmpty())
            rows.push_back({header, QString::fromUtf8(lines[i]).split(u'\t')});
    return rows;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QString name(const QString& stored)
{
    return stored.trimmed().remove(u' ');
}

// What a stored column holds, for comparing: NULL as \N, numbers in their shortest form.
QString cell(Db& db, const std::string& sql, long long id)
{
    const SqlValue v = db.scalar(sql, {id});
    if (std::holds_alternative<std::nullptr_t>(v))
        return QStringLiteral("\\N");
    if (const auto* s = std::get_if<QString>(&v))
        return *s;
    if (const auto* i = std::get_if<long long>(&v))
        return QString::number(*i);
    return QString::number(std::get<double>(v), 'g', 17);
}

// The staff rows stored, in stored order, against the source rows the option takes, in the
// source's id order: names without blanks, numbers trimmed, the month the option gives, and
// every empty answer NULL, whether the source held NULL or an empty text.
void expectStaff(Db& db, std::vector<SourceRow> expected, int forcedMonth = -1)
{
    std::sort(expected.begin(), expected.end(),
              [](const SourceRow& a, const SourceRow& b) { return a.id() < b.id(); });
    std::vector<long long> ids;
    for (Query q(db, "SELECT id FROM Staff_moninfo ORDER BY id"); q.next();)
        ids.push_back(q.integer("id"));
    ASSERT_EQ(ids.size(), expected.size());
    for (size_t i = 0; i < ids.size(); ++i) {
        const SourceRow& src = expected[i];
        SCOPED_TRACE(src["sName"].toStdString());
        const auto stored = [&](const char* column) {
            return cell(db, std::string("SELECT ") + column + " FROM Staff_moninfo WHERE id = ?",
                        ids[i]);
        };
        EXPECT_EQ(stored("sName"), name(src["sName"]));
        EXPECT_EQ(stored("sNumber"), src["sNumber"].trimmed());
        EXPECT_EQ(stored("sMon").toInt(), forcedMonth >= 0 ? forcedMonth : src.month());
        for (const char* text : {"sTgc", "sTyg", "sTjzs", "sTGrade", "sTJGrade", "sWorks"}) {
            const QString s = src[text];
            if (s.isEmpty() || s == u"\\N")
                EXPECT_EQ(stored(text), QStringLiteral("\\N")) << text;
            else
                EXPECT_EQ(stored(text), s) << text;
        }
    }
}

// The wage rows stored, in stored order, against the source's, latest month first: numbers
// trimmed, names without blanks, every part exact to the fen and NULL where the source had none,
// and a person flagged as missing only when the month's roster in the source lacks the number
// (blanks around it of no account).
void expectWages(Db& db, std::vector<SourceRow> expected)
{
    QSet<QString> onRoster;  // "month number"
    for (const SourceRow& r : sourceRows("Staff_moninfo"))
        onRoster << r["sMon"] + u' ' + r["sNumber"].trimmed();
    std::stable_sort(expected.begin(), expected.end(), [](const SourceRow& a, const SourceRow& b) {
        return a.month() != b.month() ? a.month() > b.month() : a.id() < b.id();
    });
    std::vector<long long> ids;
    for (Query q(db, "SELECT id FROM Wage_Info ORDER BY id"); q.next();)
        ids.push_back(q.integer("id"));
    ASSERT_EQ(ids.size(), expected.size());
    for (size_t i = 0; i < ids.size(); ++i) {
        const SourceRow& src = expected[i];
        SCOPED_TRACE(src["sName"].toStdString() + " " + src["sMon"].toStdString());
        const auto stored = [&](const char* column) {
            return cell(db, std::string("SELECT ") + column + " FROM Wage_Info WHERE id = ?", ids[i]);
        };
        EXPECT_EQ(stored("sNumber"), src["sNumber"].trimmed());
        EXPECT_EQ(stored("sName"), name(src["sName"]));
        EXPECT_EQ(stored("sMon").toInt(), src.month());
        EXPECT_EQ(stored("sFlag"), onRoster.contains(src["sMon"] + u' ' + src["sNumber"].trimmed())
                                       ? QStringLiteral("1")
                                       : QStringLiteral("0"));
        for (const char* part : {"sN1", "sN2", "sN3", "sN4", "sN5"}) {
            if (src[part] == u"\\N")
                EXPECT_EQ(stored(part), QStringLiteral("\\N")) << part;
            else
                EXPECT_EQ(stored(part).toDouble(), src[part].toDouble()) << part;
        }
    }
}

std::vector<SourceRow> staffOf(bool (*take)(int month))
{
    std::vector<SourceRow> rows = sourceRows("Staff_moninfo");
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [take](const SourceRow& r) { return !take(r.month()); }),
               rows.end());
    return rows;
}

// By default the unit the file is registered for: a construction unit, which answers every
// column.
struct Unit : TestSession {
    explicit Unit(const char* name = "测试建筑工程有限公司", const char* code = "123456789")
    {
        UnitRegistration r;
        r.name = name;
        r.code = code;
        r.type = unit::EnterpriseType;
        r.unitClass = "是1";
        saveRegistration(db(), r);
    }
};

}  // namespace

TEST(AccessHistoryImport, EachOptionTakesTheFilesRowsAsTheyAre)
{
    const auto december = [](int m) { return m == 12; };
    const auto opening = [](int m) { return m == 0; };
    const auto monthly = [](int m) { return m > 0; };
    const QString staffDone = QStringLiteral("导入完成，共%1条月度人员记录。");
    const QString wagesDone =
        QStringLiteral("导入完成，共%1条工资记录。").arg(sourceRows("Wage_Info").size());
    struct Case {
        HistoryOption option;
        bool (*staff)(int month);  // the source's staff rows stored in the end
        int storedMonth;           // the month they are stored under, -1 for their own
        QString staffMessage;      // %1 the rows taken; empty when the option takes no staff
        bool wages;
        QString question;          // asked before the same import again
    };
    const Case cases[] = {
        {HistoryOption::YearEndAsOpening, december, 0, QStringLiteral("导入完成，共%1条记录。"),
         false, "已有期初数据，是否继续导入？"},
        {HistoryOption::Opening, opening, -1, staffDone, false, "已有期初数据，是否继续导入？"},
        {HistoryOption::MonthlyStaff, monthly, -1, staffDone, false,
         "已有月度人员数据，是否继续导入？"},
        // The monthly rosters first, as the option asks.
        {HistoryOption::MonthlyWages, monthly, -1, {}, true, "已有月度工资数据，是否继续导入？"},
        {HistoryOption::MonthlyAll, monthly, -1, staffDone, true,
         "已有月度人员、月度工资数据，是否继续导入？"},
    };
    EarlierProgram old;
    ASSERT_TRUE(isHistoryFolder(old.path()));
    const QString file = historyDatabasePath(old.path());
    const QByteArray before = fileBytes(file);
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.option));
        Unit s;
        if (c.option == HistoryOption::MonthlyWages)
            importHistory(*s, old.path(), HistoryOption::MonthlyStaff);
        const CheckOutcome checks = historyImportChecks(*s, old.path(), c.option);
        ASSERT_TRUE(checks.passed) << checks.messages.join(u'\n').toStdString();
        EXPECT_EQ(checks.question, "");
        const std::vector<SourceRow> staff = staffOf(c.staff);
        QStringList messages;
        if (!c.staffMessage.isEmpty())
            messages << c.staffMessage.arg(staff.size());
        if (c.wages)
            messages << wagesDone;
        EXPECT_EQ(importHistory(*s, old.path(), c.option).messages, messages);
        expectStaff(s.db(), staff, c.storedMonth);
        if (c.wages)
            expectWages(s.db(), sourceRows("Wage_Info"));
        else
            EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Wage_Info"), 0);
        EXPECT_EQ(historyImportChecks(*s, old.path(), c.option).question, c.question);
    }
    EXPECT_EQ(fileBytes(file), before);
}

// The unit the file is registered for is read from it: another unit's rows need a Yes.
TEST(AccessHistoryImport, AnotherUnitsFileNeedsAYes)
{
    EarlierProgram old;
    Unit s("新厂", "987654321");
    EXPECT_EQ(historyImportChecks(*s, old.path(), HistoryOption::Opening).question,
              "原系统数据属于另一个单位：\n\r原系统：测试建筑工程有限公司（123456789，企业事业单位）"
              "\n\r本单位：新厂（987654321，企业事业单位）\n\r是否仍要导入？");
}

TEST(AccessHistoryImport, ADamagedFileIsRefusedAndNothingImported)
{
    EarlierProgram old(Fixtures + "truncated/Database/RCdatabase.mdb");
    Unit s;
    const QString file = historyDatabasePath(old.path());
    EXPECT_TRUE(file.endsWith("database/RCDATABASE.mdb"));
    const CheckOutcome out = historyImportChecks(*s, old.path(), HistoryOption::MonthlyAll);
    EXPECT_FALSE(out.passed);
    EXPECT_EQ(out.messages, QStringList{"原系统数据库已损坏或不是Access数据库文件，无法读取：" + file});
    EXPECT_THROW(importHistory(*s, old.path(), HistoryOption::MonthlyAll), FileError);
    EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Staff_moninfo"), 0);
    EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Wage_Info"), 0);
}
