#include "PythonReader.h"
#include "ReportFixture.h"
#include "TestSession.h"
#include "reports/ReportChecks.h"
#include "reports/CategoryForm.h"
#include "staff/RosterSubmission.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>

#include <gtest/gtest.h>

using namespace vel;
using namespace report_fixture;

namespace {

// The talent summaries as the tests drive them.
struct TalentUnderTest : FormUnderTest {
    TalentUnderTest(Session& s, const char* command, const FormPeriod& period)
        : FormUnderTest(s, command, period)
    {
    }
    const CategoryCounts& counts() const
    {
        return dynamic_cast<const CategoryForm&>(engine()).counts();
    }
};

struct TalentSummary : TalentUnderTest {
    explicit TalentSummary(Session& s) : TalentUnderTest(s, "talent", FormPeriod::ofYear()) {}
};

struct TalentOpeningSummary : TalentUnderTest {
    explicit TalentOpeningSummary(Session& s)
        : TalentUnderTest(s, "talent-opening", FormPeriod::ofOpeningRoster())
    {
    }
};

// A birth month as a number where the text is one, as a query would read it.
const QString Born =
    "(CASE WHEN (sBirth GLOB '[0-9][0-9][0-9][0-9]-[0-9]' OR sBirth GLOB"
    " '[0-9][0-9][0-9][0-9]-[0-9][0-9]') AND CAST(substr(sBirth, 6) AS INTEGER) <= 12 THEN"
    " CAST(substr(sBirth, 1, 4) AS INTEGER) * 100 + CAST(substr(sBirth, 6) AS INTEGER) END)";

QString born(const char* condition)
{
    return QString(condition).replace("b", Born);
}

// The year-end summary's rows and columns as the form states them.
const char* const YearEndRows[] = {
    "1 = 1",
    "(sPost IN (21, 22, 23, 41) OR (sPost IN (42) AND sPostGrade IN (31, 32, 33, 34)))",
    "sPost IN (21)",
    "sPost IN (22, 23)",
    "(sPost IN (41) OR (sPost IN (42) AND sPostGrade IN (31, 32, 33, 34)))",
    "(sPost IN (31, 32, 33, 34, 35) OR (sPost IN (21, 22, 23, 41, 42) AND (sPostGrade IN (31, 32,"
    " 33, 34))))",
    "sPost IN (21, 22, 23, 41, 42) AND sPostGrade IN (31, 32, 33, 34)",
    "(sPost IN (31) OR (sPost IN (21, 22, 23, 41, 42) AND (sPostGrade IN (31))))",
    "(sPost IN (32) OR (sPost IN (21, 22, 23, 41, 42) AND (sPostGrade IN (32))))",
    "(sPost IN (33) OR (sPost IN (21, 22, 23, 41, 42) AND (sPostGrade IN (33))))",
    "(sPost IN (34, 35) OR (sPost IN (21, 22, 23, 41, 42) AND (sPostGrade IN (34))))",
    "(sPost IN (51, 52, 53, 54, 55) OR (sPost IN (56, 61, 62, 63, 64) AND (sJGrade IN (51, 52, 53,"
    " 54, 55))))",
    "(sPost IN (51) OR (sPost IN (56, 61, 62, 63, 64) AND (sJGrade IN (51))))",
    "(sPost IN (52) OR (sPost IN (56, 61, 62, 63, 64) AND (sJGrade IN (52))))",
    "(sPost IN (53) OR (sPost IN (56, 61, 62, 63, 64) AND (sJGrade IN (53))))",
    "(sPost IN (54) OR (sPost IN (56, 61, 62, 63, 64) AND (sJGrade IN (54))))",
    "(sPost IN (55) OR (sPost IN (56, 61, 62, 63, 64) AND (sJGrade IN (55))))",
};
const char* const YearEndColumns[] = {
    "1 = 1",
    "sSex = 2",
    "sNation = 1",
    "sParty = 1",
    "sEducation IN (1, 2)",
    "sEducation IN (3)",
    "sEducation IN (4)",
    "sEducation IN (5, 6, 7, 8, 9)",
    "b >= 197701",
    "(b < 197701 AND b > 197201)",
    "(b <= 197201 AND b > 196701)",
    "(b <= 196701 AND b > 196201)",
    "(b <= 196201 AND b > 195701)",
    "b <= 195701",
    "sPostGrade IN (31, 32, 33, 34, 35)",
    "sJGrade IN (51, 52, 53, 54, 55)",
};

// The older summary's 40 rows: the wage summary's categories with its own title grades.
QStringList openingRows()
{
    QStringList rows = {"1 = 1", "sPost LIKE '2%'"};
    for (int post : {21, 22, 23}) {
        rows << QString("sPost = %1").arg(post);
        for (int grade : {31, 32, 33})
            rows << QString("sPost = %1 AND sPostGrade IN (%2)").arg(post).arg(grade);
    }
    rows << "sPost LIKE '3%'" << "sPost = 31" << "sPost = 32" << "sPost = 33" << "sPost = 34";
    rows << "sPost LIKE '4%'";
    for (int post : {41, 42}) {
        rows << QString("sPost = %1").arg(post);
        for (int grade : {31, 32, 33})
            rows << QString("sPost = %1 AND sPostGrade IN (%2)").arg(post).arg(grade);
    }
    rows << "sPost LIKE '5%'";
    for (int post = 51; post <= 56; ++post)
        rows << QString("sPost = %1").arg(post);
    rows << "sPost LIKE '6%'";
    for (int post = 61; post <= 64; ++post)
        rows << QString("sPost = %1").arg(post);
    return rows;
}

// nullopt where the form computes no value.
std::optional<QString> openingColumn(int column, int gid)
{
    const char* const plain[] = {"1 = 1", "sSex = 2", "b >= 197201", "", "sEducation IN (1, 2)",
                                 "sEducation IN (3)", "sEducation IN (4)",
                                 "sEducation IN (5, 6, 7)", "sEducation IN (8, 9)"};
    if (column != 4)
        return born(plain[column - 1]);
    if (gid >= 15 && gid <= 19)
        return QString("sPostGrade IN (31, 32, 33)");
    if (gid >= 29)  // a title, or a skill grade, which has its own column
        return QString("(sPostGrade <> 10 OR sJGrade IN (51, 52, 53, 54, 55))");
    return std::nullopt;
}

long long count(Db& db, int month, const QString& row, const QString& column)
{
    return queriedCount(db, QString("sMon = %1 AND %2 AND %3").arg(month).arg(row, column), 0, 0);
}

// A stored figure column of a category table, with a marker where it holds nothing.
std::vector<long long> storedColumn(Db& db, const char* table, const QString& field)
{
    std::vector<long long> out;
    Query q(db, QString("SELECT IFNULL(%1, -1) AS v FROM %2 ORDER BY Gid").arg(field, table)
                    .toStdString());
    while (q.next())
        out.push_back(q.integer("v"));
    return out;
}

}  // namespace

// On a year of random staff with births at the bands' limits and some that are no month, every
// cell of both summaries is what its own query gives; the tables store exactly these, and the cells
// a summary does not compute keep what they held.
TEST(TalentSummary, EveryCellEqualsItsDefinition)
{
    TestSession s;
    randomYear(s.db(), 31, 90);
    registerUnit(*s, unit::EnterpriseType, "否");
    s.db().exec("UPDATE Total_BaseInfo SET G115 = 777, G116 = 777");
    s.db().exec("UPDATE Total_Info SET G14 = 777, G20 = 5, G21 = 6, frmc = '工资汇总'");

    TalentSummary yearEnd(*s);
    yearEnd.compute();
    yearEnd.store();
    for (int gid = 1; gid <= 17; ++gid)
        for (int c = 1; c <= 16; ++c) {
            const bool computed = (c < 15 || (c == 15 && gid >= 6 && gid <= 11) ||
                                   (c == 16 && gid >= 12));
            const std::optional<long long> expected =
                computed ? std::optional<long long>(count(s.db(), 12, YearEndRows[gid - 1],
                                                          born(YearEndColumns[c - 1])))
                         : std::nullopt;
            EXPECT_EQ(yearEnd.counts()[gid - 1][c - 1], expected) << gid << "/" << c;
            const long long stored =
                storedColumn(s.db(), "Total_BaseInfo", QString("G1%1").arg(c))[gid - 1];
            EXPECT_EQ(stored, expected.value_or(777)) << gid << "/" << c;
            if (expected) {
                EXPECT_EQ(yearEnd.sheet().text(gid + 3, c + 3), QString::number(*expected));
            }
        }
    EXPECT_TRUE(s.db().exists("SELECT 1 FROM Total_BaseInfo WHERE Gid = 17 AND Dep_id ="
                              " '123456789' AND frmc = '测试单位' AND Tdate = ?",
                              {QDate::currentDate().toString("yyyy-MM-dd")}));

    TalentOpeningSummary opening(*s);
    opening.compute();
    opening.store();
    const QStringList rows = openingRows();
    ASSERT_EQ(rows.size(), 40);
    for (int gid = 1; gid <= 40; ++gid)
        for (int c = 1; c <= 9; ++c) {
            const std::optional<QString> column = openingColumn(c, gid);
            const std::optional<long long> expected =
                column ? std::optional<long long>(count(s.db(), 0, rows[gid - 1], *column))
                       : std::nullopt;
            EXPECT_EQ(opening.counts()[gid - 1][c - 1], expected) << gid << "/" << c;
            EXPECT_EQ(storedColumn(s.db(), "Total_Info", QString("G1%1").arg(c))[gid - 1],
                      expected.value_or(777))
                << gid << "/" << c;
        }
    // The wage summary's figures and name stay.
    EXPECT_FALSE(s.db().exists("SELECT 1 FROM Total_Info WHERE G20 <> 5 OR G21 <> 6 OR frmc <>"
                               " '工资汇总' OR Dep_id <> '123456789'"));
}

TEST(TalentSummary, BirthMonthsAndOverlappingRows)
{
    struct Case {
        const char* birth;  // nullptr for none
        int column;         // the age column of the year-end summary it falls in, 0 for none
        bool underOpening;  // under 35 in the opening summary
    };
    // Leading zeros in the month read as the audit reads them: "1976-012" is December.
    const Case cases[] = {
        {"1977-01", 9, true},    {"1976-12", 10, true},  {"1976-1", 10, true},
        {"1976-012", 10, true},  {"1972-02", 10, true},  {"1972-01", 11, true},
        {"1967-02", 11, false},  {"1967-01", 12, false}, {"1967-001", 12, false},
        {"1962-01", 13, false},  {"1957-02", 13, false}, {"1957-01", 14, false},
        {"1940-06", 14, false},  {"", 0, false},         {nullptr, 0, false},
        {"1977-13", 0, false},   {"1977-0013", 0, false}, {"七七年", 0, false},
    };
    TestSession s;
    registerUnit(*s, unit::EnterpriseType, "否");
    for (const Case& c : cases) {
        s.db().exec("DELETE FROM Staff_moninfo");
        Person p{"1", 1, 22};
        p.sPostGrade = 33;  // a department head with an intermediate title
        p.sEducation = 3;
        p.sBirth = c.birth ? std::optional<QString>(c.birth) : std::nullopt;
        addStaff(s.db(), 12, p);
        addStaff(s.db(), 0, p);
        TalentSummary summary(*s);
        summary.compute();
        for (int column = 9; column <= 14; ++column)
            EXPECT_EQ(*summary.counts()[0][column - 1], column == c.column ? 1 : 0)
                << (c.birth ? c.birth : "null") << " column " << column;
        TalentOpeningSummary opening(*s);
        opening.compute();
        EXPECT_EQ(*opening.counts()[0][2], c.underOpening ? 1 : 0)
            << (c.birth ? c.birth : "null");
        // Counted in the education columns whatever the birth.
        EXPECT_EQ(*summary.counts()[0][5], 1);
        // Management (2, and 4 for a department head), professional (6), in a management post
        // (7), intermediate (10); title grades in column 15 for the professional rows only.
        std::vector<int> rowsCounted;
        for (int gid = 1; gid <= 17; ++gid)
            if (*summary.counts()[gid - 1][0] == 1)
                rowsCounted.push_back(gid);
        EXPECT_EQ(rowsCounted, (std::vector<int>{1, 2, 4, 6, 7, 10}));
        EXPECT_EQ(summary.counts()[1][14], std::nullopt);
        EXPECT_EQ(summary.counts()[5][14], 1);
    }
}

TEST(TalentSummary, ChecksBeforeComputing)
{
    TestSession s;
    registerUnit(*s, unit::EnterpriseType, "否");
    EXPECT_EQ(talentSummaryOpens(s.db()).messages,
              QStringList{"年度数据不全，请保证有年末12月数据。"});
    addStaff(s.db(), 12, {"1"});
    EXPECT_TRUE(talentSummaryOpens(s.db()).passed);
    s.db().exec("UPDATE Staff_moninfo SET sIsok = '0'");
    const QStringList guard{"你没有<审核>数据及<存储>，无法进行统计汇总。"};
    EXPECT_EQ(monthlyStaffAudited(s.db()).messages, guard);
    EXPECT_TRUE(openingStaffAudited(s.db()).passed);
    s.db().exec("UPDATE Staff_moninfo SET sMon = 0");
    EXPECT_TRUE(monthlyStaffAudited(s.db()).passed);
    EXPECT_EQ(openingStaffAudited(s.db()).messages, guard);
}

TEST(TalentSummary, WorkbooksAndSubmissionFiles)
{
    TestSession s;
    registerUnit(*s, unit::EnterpriseType, "否");
    addStaff(s.db(), 12, {"001", 1, 21});
    // One name under one name number all year: the data check would warn of two (W04).
    s.db().exec("UPDATE Staff_moninfo SET sName = '张三'");
    s.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sTsex, sTnation, sTparty, sBirth,"
                " sWorks, sWork, sTedu, sGw, sTpost, sTGrade, sTJGrade, sIsok, sMon) VALUES"
                " ('张三', '001', '男', '否', '是', '1967-05', 20, 5, '大学本科', '厂长',"
                " '单位负责人', '无', '无', '0', 0)");

    TalentSummary yearEnd(*s);
    yearEnd.compute();
    const QString xls = s->folder().root() + "/XLS";
    EXPECT_EQ(yearEnd.exportWorkbook(), "你导出到'" + xls + "/'里,文件名为:汇总表.xlsx");
    QJsonObject book = readWithPython("read_xlsx.py", yearEnd.workbookPath());
    EXPECT_EQ(book["sheets"].toArray(), QJsonArray{"人员基本信息"});
    QJsonObject cells = book["cells"].toObject();
    const auto cell = [&](const char* a) { return cells[a].toObject(); };
    EXPECT_EQ(cell("A1")["value"].toString(), "企业事业单位汇总表");
    EXPECT_EQ(cell("O4")["value"].toString(), "表    号： X505表");
    EXPECT_EQ(cell("L9")["value"].toString(), "年龄状况");
    EXPECT_EQ(cell("L10")["value"].toString(), "35岁及以下");
    EXPECT_EQ(cell("A12")["value"].toString(), "1.年末从业人员");
    EXPECT_EQ(cell("D12")["value"].toDouble(), 1);
    EXPECT_EQ(cell("S12")["value"].toString(), "-");
    EXPECT_EQ(cell("C28")["bottom"].toString(), "thick");
    EXPECT_TRUE(book["merges"].toArray().contains("R9:S9"));
    EXPECT_TRUE(book["merges"].toArray().contains("C9:C10"));

    const QString rcsb = s->folder().folder("RCSB");
    EXPECT_EQ(yearEnd.submit(), "你保存在'" + rcsb +
                                    "/'里,汇总文件名为:123456789_i505.dbf，过录表为：Gl_123456789.dbf");
    QJsonObject dbf = readWithPython("read_dbf.py", yearEnd.submissionPath());
    EXPECT_EQ(dbf["fields"].toArray().size(), 4 + 16);
    EXPECT_EQ(dbf["records"].toArray().size(), 17);
    EXPECT_EQ(dbf["records"].toArray()[0].toArray()[4].toInt(), 1);

    // The roster file: the opening roster's twelve texts, its failed rows too, no month 12.
    const QJsonObject roster = readWithPython("read_dbf.py", rcsb + "/Gl_123456789.dbf");
    QStringList names;
    for (const QJsonValue& f : roster["fields"].toArray())
        names << f.toObject()["name"].toString();
    EXPECT_EQ(names, (QStringList{"sNumber", "sTsex", "sTNation", "sTParty", "sBirth", "sWorks",
                                  "sWork", "sTEdu", "sGw", "sTpost", "sTGrade", "sTJGrade"}));
    EXPECT_EQ(roster["records"].toArray(),
              (QJsonArray{QJsonArray{"001", "男", "否", "是", "1967-05", 20, 5, "大学本科", "厂长",
                                     "单位负责人", "无", "无"}}));

    // The older summary counts an opening roster that passed the audit.
    s.db().exec("UPDATE Staff_moninfo SET sIsok = '1' WHERE sMon = 0");
    TalentOpeningSummary opening(*s);
    opening.compute();
    EXPECT_EQ(opening.exportWorkbook(), "你导出到'" + xls + "/'里,文件名为:汇总.xlsx");
    book = readWithPython("read_xlsx.py", opening.workbookPath());
    cells = book["cells"].toObject();
    EXPECT_EQ(cell("G2")["value"].toString(), "表  号： Ⅰ303-1   表");
    EXPECT_EQ(cell("A11")["value"].toString(), "合计");
    EXPECT_EQ(cell("A12")["value"].toString(), "一、企业单位负责人");
    EXPECT_EQ(cell("F11")["value"].toString(), "——");
    EXPECT_EQ(cell("C11")["value"].toDouble(), 1);
    EXPECT_DOUBLE_EQ(book["margins"].toObject()["top"].toDouble(), 100.0 / 72);

    // Its file carries all of Total_Info; the other forms' files in RCSB stay.
    EXPECT_EQ(opening.submit(), "你保存在'" + rcsb + "/'里,文件名为:123456789.dbf");
    dbf = readWithPython("read_dbf.py", opening.submissionPath());
    EXPECT_EQ(dbf["records"].toArray().size(), 40);
    EXPECT_EQ(dbf["fields"].toArray().size(), 4 + 11);
    EXPECT_EQ(QDir(rcsb).entryList(QDir::Files),
              (QStringList{"123456789.dbf", "123456789_i505.dbf", "Gl_123456789.dbf"}));
}

TEST(TalentSummary, RosterFileOfAnEmptyRosterAndAgain)
{
    TestSession s;
    registerUnit(*s, unit::EnterpriseType, "否");
    addStaff(s.db(), 3, {"9"});
    const QString path = writeRosterSubmission(s.db(), s->folder(), "123456789");
    QJsonObject dbf = readWithPython("read_dbf.py", path);
    EXPECT_EQ(dbf["fields"].toArray().size(), 12);
    EXPECT_TRUE(dbf["records"].toArray().isEmpty());
    addStaff(s.db(), 0, {"1"});
    EXPECT_EQ(submitRoster(s.db(), s->folder(), "123456789"),
              "你保存在'" + s->folder().folder("RCSB") + "/'里,文件名为:Gl_123456789.dbf");
    dbf = readWithPython("read_dbf.py", path);
    EXPECT_EQ(dbf["records"].toArray().size(), 1);
}
