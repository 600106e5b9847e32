#include "PythonReader.h"
#include "ReportFixture.h"
#include "TestSession.h"
#include "reports/AverageWage.h"
#include "reports/Balancing.h"
#include "reports/Rounding.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>

#include <gtest/gtest.h>

using namespace vel;
using namespace report_fixture;

namespace {

// The quarterly form I202-1 as the tests drive it.
struct QuarterlyReport : FormUnderTest {
    QuarterlyReport(Session& s, int quarter)
        : FormUnderTest(s, "quarterly", FormPeriod::ofQuarter(quarter))
    {
    }
};

const QString Enterprise = unit::EnterpriseType;
const QString Organ = unit::OrganType;

enum class Kind { Count, Average, Sum };

// Each figure as its own query: ":e" is the quarter's end month, ":l" the organ's lowest rank.
struct Definition {
    const char* field;
    Kind kind;
    const char* condition;
    const char* organ = nullptr;
};

const Definition Definitions[] = {
    {"I01", Kind::Count, "sMon = :e"},
    {"I71", Kind::Count, "sMon = :e AND sPost LIKE '2%'", "sMon = :e AND sPost IN (:l, :l + 1)"},
    {"I05", Kind::Count, "sMon = :e AND ssf = 1"},
    {"I06", Kind::Count, "sMon = :e AND ssf = 2"},
    {"I07", Kind::Count, "sMon = :e AND ssf = 3"},
    {"I08", Kind::Average, "sMon BETWEEN 0 AND :e"},
    {"I09", Kind::Average, "sMon BETWEEN 0 AND :e AND ssf = 1"},
    {"I10", Kind::Average, "sMon BETWEEN 0 AND :e AND ssf = 2"},
    {"I11", Kind::Average, "sMon BETWEEN 0 AND :e AND ssf = 3"},
    {"I12", Kind::Sum, "sMon BETWEEN 1 AND :e"},
    {"I13", Kind::Sum, "sMon BETWEEN 1 AND :e AND ssf = 1"},
    {"I18", Kind::Sum, "sMon BETWEEN 1 AND :e AND ssf = 2"},
    {"I19", Kind::Sum, "sMon BETWEEN 1 AND :e AND ssf = 3"},
    {"I48", Kind::Average, "sMon BETWEEN 0 AND :e AND syg = 1"},
    {"I41", Kind::Count, "sMon = :e AND sgc = 1"},
    {"I42", Kind::Count, "sMon = :e AND sjzs = 1"},
    {"I47", Kind::Count, "sMon = :e AND ssg IN (2, 3)"},
};

const char* const Stored[] = {"I01", "I71", "I05", "I06", "I07", "I08", "I09", "I10",
                              "I11", "I12", "I13", "I18", "I19", "I20", "I21", "I22",
                              "I23", "I51", "I48", "I41", "I42", "I47"};

// The figures a quarter should show, from a query per figure and the form's own steps.
Figures expectedFigures(Db& db, int quarter, bool organ, const QString& unitClass)
{
    const int e = quarter * 3;
    const int leader = static_cast<int>(
        queried(db, "MIN(sPost)", "Staff_moninfo", "sPost < 20", 0, 0));
    Figures f;
    for (const Definition& d : Definitions) {
        const QString condition = organ && d.organ ? d.organ : d.condition;
        if (d.kind == Kind::Count)
            f[d.field] = queriedCount(db, condition, e, leader);
        else if (d.kind == Kind::Average)
            f[d.field] = roundedQuotient(queriedCount(db, condition, e, leader), e + 1);
        else
            f[d.field] = queriedThousands(db, "sTotal", condition, e, leader);
    }
    balanceGroups(f, {{"I12", {"I13", "I18", "I19"}}});
    averageWages(f,
                 {{"I20", {}, "I12", "I08"},
                  {"I21", {}, "I13", "I09"},
                  {"I22", {}, "I18", "I10"},
                  {"I23", {}, "I19", "I11"}},
                 WithoutHeads::Empty);
    f["I51"] = 1;
    const auto reports = [&](const char* field, QStringList classes) {
        if (!classes.contains(unitClass))
            f[field].reset();
    };
    reports("I48", {"规上", "是1", "是2"});
    reports("I41", {"是1"});
    reports("I42", {"是1"});
    reports("I47", {"是2"});
    return f;
}

// The stored row as numbers, nulls as nullopt, without frdm and frmc.
std::vector<std::optional<long long>> storedRow(Db& db)
{
    Query q(db, "SELECT * FROM JGLabor_info");
    EXPECT_TRUE(q.next());
    std::vector<std::optional<long long>> row;
    for (const char* c : Stored)
        row.push_back(q.isNull(c) ? std::nullopt : std::optional<long long>(q.integer(c)));
    EXPECT_FALSE(q.next());
    return row;
}

QString sp(int n)
{
    return QString(n, u' ');
}

}  // namespace

// On a year of random staff and wages every figure of every quarter is what its own query and the
// form's steps give, for both unit types; the sheet shows and the table stores exactly these.
TEST(QuarterlyReport, EveryFigureEqualsItsDefinition)
{
    TestSession s;
    randomYear(s.db(), 11, 60);
    struct Unit {
        QString type, unitClass;
    };
    for (const Unit& u : {Unit{Enterprise, "是1"}, Unit{Organ, "否"}}) {
        registerUnit(*s, u.type, u.unitClass);
        for (int quarter = 1; quarter <= 3; ++quarter) {
            QuarterlyReport report(*s, quarter);
            report.compute();
            report.store();
            const Figures expected = expectedFigures(s.db(), quarter, u.type == Organ, u.unitClass);
            std::vector<std::optional<long long>> expectedRow;
            for (const char* field : Stored) {
                EXPECT_EQ(report.figures().at(field), expected.at(field))
                    << u.type.toStdString() << " quarter " << quarter << " " << field;
                expectedRow.push_back(expected.at(field));
            }
            EXPECT_EQ(storedRow(s.db()), expectedRow);

            struct Cell {
                int row, col;
                const char* field;
            };
            for (const Cell& c : {Cell{4, 4, "I01"}, Cell{5, 4, "I71"}, Cell{8, 4, "I07"},
                                  Cell{9, 5, "I08"}, Cell{12, 5, "I11"}, Cell{14, 5, "I12"},
                                  Cell{17, 5, "I19"}, Cell{18, 5, "I20"}, Cell{21, 5, "I23"}})
                EXPECT_EQ(report.sheet().text(c.row, c.col),
                          QString::number(*expected.at(c.field)))
                    << c.field;
        }
    }
}

TEST(QuarterlyReport, TheWholeSheetOfALabourSubcontractor)
{
    TestSession s;
    registerUnit(*s, Enterprise, "是2");
    // Quarter 1: a unit head in all four rosters, a dispatched worker from month 2, an on-site
    // worker of month 3 only, each with 1 400 yuan a month.
    addStaff(s.db(), 0, 3, {"1", 1, 21, 1, 1, 3, 1, 1, 1, 1});
    addStaff(s.db(), 2, 3, {"2", 2, 53, 2, 1, 8, 1, 2, 2, 2});
    addStaff(s.db(), 3, 3, {"3", 3, 64, 1, 2, 5, 2, 2, 2, 3});
    for (int m = 1; m <= 3; ++m)
        addWage(s.db(), m, "1", 1000, 400);
    for (int m = 2; m <= 3; ++m)
        addWage(s.db(), m, "2", 1400);
    addWage(s.db(), 3, "3", 1400);

    QuarterlyReport report(*s, 1);
    report.compute();
    QStringList lines;
    for (int row = 1; row <= report.sheet().maxRow(); ++row) {
        QStringList cells;
        for (int col = 1; col <= report.sheet().columnCount(); ++col)
            cells << report.sheet().text(row, col);
        lines << cells.join('|');
    }
    // Wages: 4 200 + 2 800 + 1 400 = 8 400 yuan is 8; the parts 4, 3 and 1 add up to it.
    // Average head counts over four rosters: 6 person-months give 2 (1.5), 4 give 1, 2 give 1
    // (0.5), 1 gives 0.
    const QStringList expected = {
        "指标名称|计量单位|代码|本季|1-本季",
        "甲|乙|丙||",
        "一、从业人员|-|-|-|-",
        "从业人员期末人数|人|01|3|-",
        "其中：单位负责人|人|71|1|-",
        "在岗职工|人|05|1|-",
        "劳务派遣人员|人|06|1|-",
        "其他从业人员|人|07|1|-",
        "从业人员平均人数|人|08|-|2",
        "在岗职工|人|09|-|1",
        "劳务派遣人员|人|10|-|1",
        "其他从业人员|人|11|-|0",
        "二、工资|-|-|-|-",
        "从业人员工资总额|千元|12|-|8",
        "在岗职工|千元|13|-|4",
        "劳务派遣人员|千元|18|-|3",
        "其他从业人员|千元|19|-|1",
        "从业人员平均工资|元|20|-|4000",
        "在岗职工|元|21|-|4000",
        "劳务派遣人员|元|22|-|3000",
        "其他从业人员|元|23|-|",
        "三、单位数|个|51|-|1",
        "补充资料：||||",
        sp(3) + "一、直接从事生产经营活动的平均人数(48)" + sp(3) + "2" + sp(2) +
            "人(限规模以上工业和有资质的建筑业法人单位填报)||||",
        sp(3) + "二、有资质的建筑业法人单位用工情况(限有资质的建筑业法人单位填报)" + sp(4) +
            "||||",
        sp(7) + "总承包和专业承包法人单位从业人员期末人数：其中：工程技术人员(41)" + sp(8) +
            "人||||",
        sp(69) + "其中：一级建造师(42)" + sp(6) + "人||||",
        sp(7) + "劳务分包法人单位从业人员期末人数：其中：现场施工人员(47)" + sp(3) + "2" +
            sp(2) + "人||||",
        sp(3) + "三、不能填报\"从业人员\"和\"工资总额\"数据的法人单位填报" + sp(7) + "||||",
        sp(7) + "发放工资的法人单位：组织机构代码(49)" + sp(2) + ":" + sp(23) + "||||",
        sp(31) + "单位详细名称(50)" + sp(6) + ":" + sp(14) + "||||",
        "||||",
    };
    EXPECT_EQ(lines, expected);

    report.store();
    EXPECT_EQ(storedRow(s.db()),
              (std::vector<std::optional<long long>>{3, 1, 1, 1, 1, 2, 1, 1, 0, 8, 4, 3, 1, 4000,
                                                     4000, 3000, std::nullopt, 1, 2, std::nullopt,
                                                     std::nullopt, 2}));
    Query q(s.db(), "SELECT frdm, frmc FROM JGLabor_info");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.text("frdm"), "123456789");
    EXPECT_EQ(q.text("frmc"), "测试单位");
}

TEST(QuarterlyReport, SupplementaryLinesFollowTheUnitClass)
{
    TestSession s;
    addStaff(s.db(), 0, 6, {"1", 1, 21, 1, 1, 3, 1, 1, 1, 3});
    addWage(s.db(), 6, "1", 3000);
    struct Case {
        const char* unitClass;
        std::optional<long long> i48, i41, i42, i47;
    };
    const Case cases[] = {
        {"否", {}, {}, {}, {}},
        {"规上", 1, {}, {}, {}},
        {"是1", 1, 1, 1, {}},
        {"是2", 1, {}, {}, 1},
    };
    for (const Case& c : cases) {
        registerUnit(*s, Enterprise, c.unitClass);
        QuarterlyReport report(*s, 2);
        report.compute();
        report.store();
        const std::vector<std::optional<long long>> row = storedRow(s.db());
        EXPECT_EQ((std::vector<std::optional<long long>>(row.end() - 4, row.end())),
                  (std::vector<std::optional<long long>>{c.i48, c.i41, c.i42, c.i47}))
            << c.unitClass;
        EXPECT_EQ(report.sheet().text(24, 1).contains(QStringLiteral("(48)   1  人")),
                  c.i48.has_value())
            << c.unitClass;
        EXPECT_EQ(report.sheet().text(27, 1),
                  sp(69) + "其中：一级建造师(42)" + (c.i42 ? sp(3) + "1" + sp(2) : sp(6)) + "人")
            << c.unitClass;
    }
}

TEST(QuarterlyReport, AveragesOverTheOpeningRosterAndEachMonth)
{
    TestSession s;
    registerUnit(*s, Enterprise, "否");
    for (int i = 0; i < 10; ++i)
        addStaff(s.db(), 0, 6, {QString::number(i)});
    // One more person in the opening roster and months 1 to 3 counts four times.
    addStaff(s.db(), 0, 3, {"x", 2});
    addWage(s.db(), 6, "1", 3000);
    QuarterlyReport second(*s, 2);
    second.compute();
    EXPECT_EQ(second.sheet().text(9, 5), "11");   // 74 ÷ 7 = 10.6
    EXPECT_EQ(second.sheet().text(11, 5), "1");   // 4 ÷ 7 = 0.57
    EXPECT_EQ(second.sheet().text(4, 4), "10");  // month 6 alone
    QuarterlyReport first(*s, 1);
    first.compute();
    EXPECT_EQ(first.sheet().text(9, 5), "11");
    EXPECT_EQ(first.sheet().text(11, 5), "1");  // 4 ÷ 4
}

TEST(QuarterlyReport, WageTotalsBalanceAcrossTheStatuses)
{
    struct Case {
        double wage;
        QStringList rows14to17;
    };
    for (const Case& c : {Case{1400, {"4", "2", "1", "1"}}, Case{1600, {"5", "1", "2", "2"}}}) {
        TestSession s;
        registerUnit(*s, Enterprise, "否");
        for (int status = 1; status <= 3; ++status) {
            const QString number = QString::number(status);
            addStaff(s.db(), 3, {number, status});
            addWage(s.db(), 3, number, c.wage);
        }
        QuarterlyReport report(*s, 1);
        report.compute();
        QStringList rows;
        for (int row = 14; row <= 17; ++row)
            rows << report.sheet().text(row, 5);
        EXPECT_EQ(rows, c.rows14to17) << c.wage;
    }
}

TEST(QuarterlyReport, GovernmentOrgansCountHeadsByTheirLowestRank)
{
    struct Case {
        long long lowestRank;
        const char* heads;
    };
    // Staff of month 3: one in each post from the lowest rank on.
    for (const Case& c : {Case{13, "2"}, Case{16, "1"}, Case{18, "0"}, Case{19, "0"}}) {
        TestSession s;
        registerUnit(*s, Organ, "否");
        int n = 0;
        for (long long post : {13LL, 14LL, 15LL, 16LL, 18LL, 19LL, 21LL})
            if (post >= c.lowestRank)
                addStaff(s.db(), 3, {QString::number(++n), 1, post});
        addWage(s.db(), 3, "1", 3000);
        QuarterlyReport report(*s, 1);
        report.compute();
        EXPECT_EQ(report.sheet().text(5, 4), c.heads) << c.lowestRank;
    }
    // An enterprise counts its 2x posts whatever ranks it holds.
    TestSession s;
    registerUnit(*s, Enterprise, "否");
    addStaff(s.db(), 3, {"1", 1, 13});
    addStaff(s.db(), 3, {"2", 1, 21});
    addStaff(s.db(), 3, {"3", 1, 23});
    QuarterlyReport report(*s, 1);
    report.compute();
    EXPECT_EQ(report.sheet().text(5, 4), "2");
}

TEST(QuarterlyReport, WorkbookLaysOutTheForm)
{
    TestSession s;
    registerUnit(*s, Enterprise, "规上");
    addStaff(s.db(), 0, 3, {"1", 1, 21});
    addWage(s.db(), 3, "1", 3000);
    QuarterlyReport report(*s, 1);
    report.compute();
    std::vector<int> progress;
    const QString message = report.exportWorkbook([&](int p) { progress.push_back(p); });
    const QString folder = s->folder().root() + "/XLS";
    EXPECT_EQ(report.workbookPath(), folder + "/基础定期报表I202-1_(一季度).xlsx");
    EXPECT_EQ(report.workbookFolder(), folder);
    EXPECT_EQ(message, "文件所在路径:'" + folder + "/';\n\r文件名为:基础定期报表I202-1_(一季度).xlsx");
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 100);

    const QJsonObject book = readWithPython("read_xlsx.py", report.workbookPath());
    EXPECT_EQ(book["sheets"].toArray(), QJsonArray{"基础定期报表"});
    EXPECT_EQ(book["orientation"].toString(), "landscape");
    EXPECT_EQ(book["fitWidth"].toInt(), 1);
    EXPECT_DOUBLE_EQ(book["margins"].toObject()["top"].toDouble(), 25.0 / 72);
    EXPECT_DOUBLE_EQ(book["margins"].toObject()["bottom"].toDouble(), 10.0 / 72);
    QJsonArray merges{"A1:E1"};
    for (int row = 30; row <= 38; ++row)
        merges.append(QString("A%1:E%1").arg(row));
    QStringList sorted;
    for (const QJsonValue& m : merges)
        sorted << m.toString();
    sorted.sort();
    EXPECT_EQ(book["merges"].toArray(), QJsonArray::fromStringList(sorted));

    const QJsonObject columns = book["columns"].toObject();
    const std::pair<const char*, double> widths[] = {
        {"A", 55}, {"B", 16}, {"C", 15}, {"D", 22}, {"E", 22}};
    for (const auto& [column, width] : widths)  // the spreadsheet adds its cell padding
        EXPECT_NEAR(columns[column].toObject()["width"].toDouble(), width + 0.7, 0.1) << column;
    const QJsonObject rows = book["rows"].toObject();
    EXPECT_EQ(rows["1"].toObject()["height"].toDouble(), 40);
    for (int row = 7; row <= 37; ++row)
        EXPECT_EQ(rows[QString::number(row)].toObject()["height"].toDouble(), 13) << row;

    const QJsonObject cells = book["cells"].toObject();
    const auto cell = [&](const char* a) { return cells[a].toObject(); };
    EXPECT_EQ(cell("A1")["value"].toString(), "(二)基层定报表式");
    EXPECT_EQ(cell("A1")["font"].toString(), "黑体");
    EXPECT_EQ(cell("A1")["size"].toDouble(), 18);
    EXPECT_EQ(cell("A1")["align"].toString(), "center");
    EXPECT_EQ(cell("B2")["value"].toString(), "(一季度)");
    EXPECT_EQ(cell("B2")["align"].toString(), "center");
    EXPECT_EQ(cell("A5")["value"].toString(), "单位名称：测试单位");
    EXPECT_EQ(cell("A6")["value"].toString(), "法人单位代码：123456789");
    // 批准文号 would run past the form's last column at 9 points: it is set smaller.
    const struct {
        const char* cell;
        const char* text;
        double size;
    } header[] = {{"E3", "表   号：202-1表", 9},
                  {"E4", "制定机关：Ardelm统计局", 9},
                  {"E5", "批准文号：国统字(2012)174号", 8},
                  {"E6", "有效期至:2014年1月 ", 9}};
    for (const auto& [a, text, size] : header) {
        EXPECT_EQ(cell(a)["value"].toString(), text);
        EXPECT_EQ(cell(a)["size"].toDouble(), size) << a;
        EXPECT_TRUE(cell(a)["align"].isNull()) << a;
    }
    EXPECT_EQ(cell("A38")["value"].toString(),
              "单位负责人：          统计负责人：         填表人：         联系电话：         "
              "分机号：        报出日期：20  年   月   日");

    // The sheet from row 7: headers centred, figures as whole numbers that a spreadsheet sums,
    // codes and marks as text, supplementary lines as they are.
    EXPECT_EQ(cell("A7")["value"].toString(), "指标名称");
    EXPECT_EQ(cell("A7")["align"].toString(), "center");
    EXPECT_TRUE(cell("A10")["align"].isNull());
    EXPECT_EQ(cell("D10")["value"].toDouble(), 1);
    EXPECT_EQ(cell("D10")["type"].toString(), "n");
    EXPECT_EQ(cell("D10")["format"].toString(), "0");
    EXPECT_EQ(cell("D10")["align"].toString(), "center");
    EXPECT_EQ(cell("C10")["value"].toString(), "01");
    EXPECT_EQ(cell("C10")["type"].toString(), "s");
    EXPECT_EQ(cell("E10")["value"].toString(), "-");
    EXPECT_EQ(cell("E20")["value"].toDouble(), 3);
    EXPECT_EQ(cell("A30")["value"].toString(), report.sheet().text(24, 1));
    EXPECT_TRUE(cells["A39"].toObject()["value"].isNull());

    EXPECT_EQ(cell("C6")["bottom"].toString(), "thick");
    EXPECT_EQ(cell("C15")["left"].toString(), "thin");
    EXPECT_EQ(cell("C28")["bottom"].toString(), "thick");
    EXPECT_TRUE(cell("C29")["left"].isNull());
    EXPECT_EQ(cell("C37")["bottom"].toString(), "thin");
}

TEST(QuarterlyReport, SubmissionFileCarriesThisQuartersRow)
{
    TestSession s;
    registerUnit(*s, Enterprise, "是2");
    addStaff(s.db(), 0, 6, {"1", 1, 21, 1, 1, 3, 1, 1, 1, 2});
    addWage(s.db(), 3, "1", 3000);
    addWage(s.db(), 6, "1", 3000);
    const QString gzsb = s->folder().folder("GZSB");
    for (const char* name :
         {"123456789_i202.dbf", "123456789_1_i202.dbf", "123456789_2_i202.dbf"}) {
        QFile f(gzsb + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier");
    }

    QuarterlyReport first(*s, 1);
    first.compute();
    first.store();
    QuarterlyReport second(*s, 2);  // opened later: the table holds quarter 2
    second.compute();
    second.store();
    EXPECT_EQ(first.submit(),
              "文件所在路径:'" + gzsb + "/';\n\r文件名为:123456789_1_i202.dbf");
    EXPECT_EQ(first.submissionPath(), gzsb + "/123456789_1_i202.dbf");
    EXPECT_EQ(first.submissionFolder(), gzsb);
    EXPECT_EQ(QDir(gzsb).entryList(QDir::Files),
              (QStringList{"123456789_1_i202.dbf", "123456789_2_i202.dbf"}));

    const QJsonObject dbf = readWithPython("read_dbf.py", first.submissionPath());
    QStringList names;
    for (const QJsonValue& f : dbf["fields"].toArray())
        names << f.toObject()["name"].toString();
    QStringList expectedNames{"frdm"};
    for (const char* c : Stored)
        expectedNames << c;
    expectedNames << "frmc";
    EXPECT_EQ(names, expectedNames);
    // Quarter 1 of the first window, not quarter 2 of the last one: the average over four rosters.
    EXPECT_EQ(dbf["records"].toArray(),
              (QJsonArray{QJsonArray{"123456789", 1, 1, 1, 0, 0, 1, 1, 0, 0, 3, 3, 0, 0, 3000,
                                     3000, 0, 0, 1, 1, QJsonValue(), QJsonValue(), 1,
                                     "测试单位"}}));
}
