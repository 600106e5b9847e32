#include "PythonReader.h"
#include "ReportFixture.h"
#include "TestSession.h"
#include "reports/ReportChecks.h"
#include "reports/Rounding.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>

#include <gtest/gtest.h>

using namespace vel;
using namespace report_fixture;

namespace {

// The older labor forms as the tests drive them.
struct BasicQuarterlyReport : FormUnderTest {
    using FormUnderTest::FormUnderTest;
    static BasicQuarterlyReport forQuarter(Session& s, int quarter)
    {
        return {s, "basic-quarterly", FormPeriod::ofQuarter(quarter)};
    }
    static BasicQuarterlyReport forRange(Session& s, int from, int to)
    {
        return {s, "basic-quarterly", FormPeriod::ofRange(MonthRange{from, to})};
    }
};

struct BasicAnnualReport : FormUnderTest {
    explicit BasicAnnualReport(Session& s) : FormUnderTest(s, "basic-annual", FormPeriod::ofYear()) {}
};

// The range path's checks, as the chooser and the command line run them.
CheckOutcome basicRangeOpens(Session& s, int from, int to)
{
    return FormUnderTest(s, "basic-quarterly",
                         FormPeriod::ofRange(QString::number(from), QString::number(to)))
        .check();
}

const QString Enterprise = unit::EnterpriseType;
const QString Organ = unit::OrganType;
const char* const Managers =
    "(sPost IN (21, 22, 23, 41) OR (sPost = 42 AND sPostGrade IN (31, 32, 33, 34)))";

// A figure's own query: `condition` over the rows of `source`.
double query(Db& db, const char* aggregate, const char* source, const QString& condition)
{
    return queried(db, aggregate, source, condition, 0, 0);
}

long long count(Db& db, const QString& condition)
{
    return static_cast<long long>(query(db, "COUNT(*)", "Staff_moninfo", condition));
}

long long yuan(Db& db, const char* amount, const QString& condition)
{
    return std::llround(
        query(db, (std::string("SUM(") + amount + ")").c_str(), "VmonWage", condition));
}

long long perHead(long long amount, long long heads, long long scale)
{
    return heads == 0 ? 0 : roundedQuotient(amount * scale, heads);
}

struct Unit {
    QString type, unitClass;
};

const Unit Units[] = {{Enterprise, "否"}, {Enterprise, "是1"}, {Enterprise, "是2"}, {Organ, "否"}};

void zero(Figures& f, std::initializer_list<const char*> fields)
{
    for (const char* field : fields)
        f[field] = 0;
}

// I202-2 over months s..e from a query per figure and the form's steps.
Figures expectedQuarterly(Db& db, int s, int e, const Unit& u)
{
    const QString atEnd = QStringLiteral("sMon = %1").arg(e);
    const QString period = QStringLiteral("sMon BETWEEN %1 AND %2").arg(s == 1 ? 0 : s).arg(e);
    Figures f;
    f["I01"] = count(db, atEnd);
    f["I04"] = count(db, atEnd + " AND " + Managers);
    f["B1"] = count(db, atEnd + " AND sgc = 1");
    f["B2"] = count(db, atEnd + " AND sjzs = 1");
    f["B7"] = count(db, atEnd + " AND ssg IN (2, 3)");
    f["B5"] = count(db, period + " AND syg = 1") / (e + 1);
    const char* const heads[] = {"I09", "I10", "I11"};
    const char* const ends[] = {"I05", "I06", "I07"};
    const char* const wages[] = {"I13", "I18", "I19"};
    const char* const averages[] = {"I21", "I22", "I23"};
    long long allHeads = 0;
    for (int k = 0; k < 3; ++k) {
        const QString status = QStringLiteral(" AND ssf = %1").arg(k + 1);
        f[ends[k]] = count(db, atEnd + status);
        f[heads[k]] = roundedQuotient(count(db, period + status), e + 1);
        allHeads += *f[heads[k]];
        f[wages[k]] = yuan(db, "sTotal", period + status);
        f[averages[k]] = perHead(*f[wages[k]], *f[heads[k]], 1);
    }
    f["I08"] = allHeads;
    f["I12"] = yuan(db, "sTotal", period);
    f["I20"] = perHead(*f["I12"], allHeads, 1);
    if (u.unitClass == "否" || u.type == Organ)
        zero(f, {"B1", "B2", "B5", "B7"});
    if (u.unitClass == "是1")
        zero(f, {"B7"});
    if (u.unitClass == "是2")
        zero(f, {"B1", "B2", "B5"});
    return f;
}

// I102-2 from a query per figure and the form's steps; the averages per head in fen.
Figures expectedAnnual(Db& db, const Unit& u)
{
    const QString atEnd = QStringLiteral("sMon = 12 AND ");
    const QString year = QStringLiteral("sMon BETWEEN 1 AND 12");
    const std::pair<const char*, QString> counts[] = {
        {"I01", "1 = 1"},
        {"I02", "sSex = 2"},
        {"I03", "sqrz = 2"},
        {"I04", QString("(%1 OR sPost IN (11, 12, 13, 14, 15))").arg(Managers)},
        {"I05", "ssf = 1"},
        {"I06", "ssf = 2"},
        {"I07", "ssf = 3"},
        {"A1", "sEducation IN (1, 2, 3)"},
        {"A2", "sEducation = 4"},
        {"A3", "sEducation IN (5, 6, 7)"},
        {"A4", "sEducation IN (8, 9)"},
        {"A8", "sPost IN (31, 32)"},
        {"A9", "sPost = 33"},
        {"A10", "sPost = 34"},
        {"A11", "sPost = 35"},
        {"B1", "sgc = 1"},
        {"B2", "sjzs = 1"},
        {"B3", "ssg IN (2, 3)"},
        {"B4", "ssg = 3"},
        {"B5", "syg = 1"},
        {"B6", "sgc = 1"},
        {"B7", "ssg IN (2, 3)"},
    };
    Figures f;
    for (const auto& [field, condition] : counts)
        f[field] = count(db, atEnd + condition);
    f["A6"] = f["I04"];
    long long skilled = 0;
    for (int k = 1; k <= 6; ++k) {
        const long long n = count(db, atEnd + QString("(sPost = 5%1 OR (sPost IN (61, 62, 63, 64)"
                                                      " AND sJGrade = 5%1))")
                                                  .arg(k));
        f[QString("A%1").arg(12 + k).toStdString()] = n;
        skilled += n;
    }
    f["A12"] = skilled;
    f["A7"] = *f["A8"] + *f["A9"] + *f["A10"] + *f["A11"];
    f["A5"] = *f["A6"] + *f["A7"] + skilled;
    const char* const heads[] = {"I09", "I10", "I11"};
    long long allHeads = 0;
    for (int k = 0; k < 3; ++k) {
        f[heads[k]] = roundedQuotient(
            count(db, QString("sMon BETWEEN 0 AND 12 AND ssf = %1").arg(k + 1)), 13);
        allHeads += *f[heads[k]];
    }
    f["I08"] = allHeads;
    f["I12"] = yuan(db, "sTotal", year);
    f["I13"] = yuan(db, "sTotal", year + " AND ssf = 1");
    const char* const parts[] = {"sN1", "sN2", "sN3", "sN4"};
    for (int k = 0; k < 4; ++k)
        f[QString("I%1").arg(14 + k).toStdString()] = yuan(db, parts[k], year + " AND ssf = 1");
    f["I18"] = yuan(db, "sTotal", year + " AND ssf = 2");
    f["I19"] = yuan(db, "sTotal", year + " AND ssf = 3");
    f["I20"] = perHead(*f["I12"], allHeads, 100);
    f["I21"] = perHead(*f["I13"], *f["I09"], 100);
    f["I22"] = perHead(*f["I18"], *f["I10"], 100);
    f["I23"] = perHead(*f["I19"], *f["I11"], 100);
    f["I24"] = 1;
    if (u.unitClass == "否" || u.type == Organ)
        zero(f, {"B1", "B2", "B3", "B4", "B5", "B6", "B7"});
    if (u.unitClass == "是1")
        zero(f, {"B6", "B7"});
    if (u.unitClass == "是2")
        zero(f, {"B1", "B2", "B3", "B4", "B5"});
    if (u.type == Organ)
        zero(f, {"A6"});
    return f;
}

// The stored row of a report table, frdm and frmc left out, decimals in hundredths.
Figures storedRow(Db& db, const char* table, const Figures& like)
{
    Query q(db, std::string("SELECT * FROM ") + table);
    EXPECT_TRUE(q.next());
    Figures row;
    for (const auto& [field, value] : like)
        row[field] = std::llround(q.number(field.c_str()) * (field >= "I20" && field <= "I23" &&
                                                                     std::string(table) ==
                                                                         "NLabor_info"
                                                                 ? 100
                                                                 : 1));
    EXPECT_FALSE(q.next());
    return row;
}

}  // namespace

// On a year of random staff and wages every figure of I202-2 (the three quarters and ranges of
// months) and of I102-2 is what its own query and the form's steps give, for every unit class that
// changes the form; the table stores exactly these.
TEST(LaborReports, EveryFigureEqualsItsDefinition)
{
    TestSession s;
    randomYear(s.db(), 23, 70);
    for (const Unit& u : Units) {
        registerUnit(*s, u.type, u.unitClass);
        const std::string unit = (u.type + u.unitClass).toStdString();
        for (const auto& [from, to] : {std::pair{1, 3}, {1, 6}, {1, 9}, {4, 6}, {2, 2}, {7, 12}}) {
            BasicQuarterlyReport report = from == 1 && to % 3 == 0 && to < 12
                                              ? BasicQuarterlyReport::forQuarter(*s, to / 3)
                                              : BasicQuarterlyReport::forRange(*s, from, to);
            report.compute();
            report.store();
            const Figures expected = expectedQuarterly(s.db(), from, to, u);
            EXPECT_EQ(report.figures(), expected) << unit << " " << from << "-" << to;
            EXPECT_EQ(storedRow(s.db(), "JLabor_info", expected), expected) << unit;
        }
        BasicAnnualReport annual(*s);
        annual.compute();
        annual.store();
        const Figures expected = expectedAnnual(s.db(), u);
        EXPECT_EQ(annual.figures(), expected) << unit;
        EXPECT_EQ(storedRow(s.db(), "NLabor_info", expected), expected) << unit;
    }
}

// The cases the forms spell out, each on a small roster of its own.
TEST(LaborReports, EdgeCases)
{
    struct Case {
        const char* what;
        std::function<void(Db&)> fill;
        std::function<QString(Session&)> cell;
        QString shown;
    };
    const auto quarterly = [](int q, int row, int col) {
        return [=](Session& s) {
            BasicQuarterlyReport r = BasicQuarterlyReport::forQuarter(s, q);
            r.compute();
            return r.sheet().text(row, col);
        };
    };
    const auto range = [](int from, int to, int row, int col) {
        return [=](Session& s) {
            BasicQuarterlyReport r = BasicQuarterlyReport::forRange(s, from, to);
            r.compute();
            return r.sheet().text(row, col);
        };
    };
    const auto annual = [](int row, int col) {
        return [=](Session& s) {
            BasicAnnualReport r(s);
            r.compute();
            return r.sheet().text(row, col);
        };
    };
    const Case cases[] = {
        {"quarter 2 averages the persons of months 0 to 6 over 7: 10 persons in 0..6 and one in "
         "0..3 are 74 ÷ 7",
         [](Db& db) {
             for (int i = 0; i < 10; ++i)
                 addStaff(db, 0, 6, {QString::number(i)});
             addStaff(db, 0, 3, {"x"});
         },
         quarterly(2, 9, 5), "11"},
        {"the period-end rows count month 6 only", [](Db& db) {
             addStaff(db, 0, 5, {"1"});
             addStaff(db, 6, {"2"});
         },
         quarterly(2, 3, 4), "1"},
        {"B5: 20 person-months over 7 drop the fraction",
         [](Db& db) {
             for (int i = 0; i < 20; ++i)
                 addStaff(db, i % 7, {QString::number(i), 1, {}, {}, {}, {}, 1});
         },
         quarterly(2, 24, 5), "2"},
        {"a range of months 4 to 6 takes those months and divides by 7",
         [](Db& db) {
             addStaff(db, 0, 12, {"1"});
             addWage(db, 3, "1", 1000);
             addWage(db, 4, "1", 1000);
         },
         range(4, 6, 9, 5), "0"},
        {"... its remuneration is the range's wages only",
         [](Db& db) {
             addStaff(db, 0, 12, {"1"});
             addWage(db, 3, "1", 1000);
             addWage(db, 4, "1", 1000.5);
         },
         range(4, 6, 12, 5), "1001"},
        {"an average remuneration without heads is 0",
         [](Db& db) {
             addStaff(db, 3, {"1", 3});
             addWage(db, 3, "1", 1000);
         },
         quarterly(1, 19, 5), "0"},
        {"I20 to the fen, halves away from zero: 917 405 yuan over 8 heads",
         [](Db& db) {
             for (int i = 0; i < 8; ++i)
                 addStaff(db, 0, 12, {QString::number(i)});
             addWage(db, 12, "0", 917405);
         },
         annual(22, 4), "114675.63"},
        {"a skilled worker of grade 51 in post 51 or in post 61 to 64 with skill 51",
         [](Db& db) {
             addStaff(db, 12, {"1", 1, 51});
             Person p{"2", 1, 63};
             p.sJGrade = 51;
             addStaff(db, 12, p);
             Person q{"3", 1, 56};
             q.sJGrade = 51;  // post 56 is no operating post of this rule
             addStaff(db, 12, q);
         },
         annual(17, 9), "2"},
        {"the whole-number averages round halves away from zero: 19.5 gives 20",
         [](Db& db) {
             for (int i = 0; i < 19; ++i)
                 addStaff(db, 0, 12, {QString::number(i)});
             for (int m = 0; m <= 5; ++m)
                 addStaff(db, m, {"x"});
             addStaff(db, 12, {"y"});
         },
         annual(11, 4), "20"},
    };
    TestSession s;
    registerUnit(*s, Enterprise, "是1");
    for (const Case& c : cases) {
        Transaction tx(s.db());
        s.db().exec("DELETE FROM Staff_moninfo");
        s.db().exec("DELETE FROM Wage_Info");
        c.fill(s.db());
        tx.commit();
        EXPECT_EQ(c.cell(*s), c.shown) << c.what;
    }
}

// A government organ's talent total keeps its management staff, counted before the cell reads
// "--"; its construction supplement shows "--" and stores 0.
TEST(LaborReports, GovernmentOrgansBlankManagementAndConstruction)
{
    TestSession s;
    registerUnit(*s, Organ, "否");
    addStaff(s.db(), 12, {"1", 1, 13});
    addStaff(s.db(), 12, {"2", 1, 31, {}, {}, {}, {}, 1});
    BasicAnnualReport annual(*s);
    annual.compute();
    annual.store();
    EXPECT_EQ(annual.sheet().text(10, 9), "--");
    EXPECT_EQ(annual.sheet().text(9, 9), "2");
    EXPECT_EQ(annual.sheet().text(26, 9), "--");
    EXPECT_EQ(annual.sheet().text(34, 9), "--");
    EXPECT_TRUE(s.db().exists("SELECT 1 FROM NLabor_info WHERE A5 = 2 AND A6 = 0 AND B1 = 0"
                              " AND B5 = 0 AND frdm = '123456789'"));

    BasicQuarterlyReport quarter = BasicQuarterlyReport::forQuarter(*s, 1);
    addStaff(s.db(), 3, {"3", 1, 21, {}, {}, {}, 1, 1, 1, 2});
    quarter.compute();
    for (const auto& [row, col] : {std::pair{22, 4}, {23, 4}, {24, 5}, {26, 4}})
        EXPECT_EQ(quarter.sheet().text(row, col), "0") << row;
}

// The annual form's headings are its own texts, and empty where it gives none: an official form
// carries no headings of our making.
TEST(LaborReports, AnnualHeadingsAreTheFormsOwn)
{
    TestSession s;
    registerUnit(*s, Enterprise, "是1");
    const BasicAnnualReport report(*s);
    const struct {
        int row, col;
        const char* text;
    } cells[] = {
        {2, 4, ""},
        {2, 9, ""},
        {3, 6, ""},
        {4, 6, ""},
        {23, 6, "补充：限有资质的建筑法人单位填报"},
        {24, 6, ""},
        {25, 6, "一、有总承包和专业承包资质的建筑业法人填报"},
        {31, 6, "二、有劳务分包资质的建筑法人单位填报"},
        {32, 6, ""},
    };
    for (const auto& c : cells)
        EXPECT_EQ(report.sheet().text(c.row, c.col).toStdString(), c.text)
            << c.row << "," << c.col;
}

TEST(LaborReports, ChecksBeforeOpening)
{
    TestSession s;
    registerUnit(*s, Enterprise, "否");
    EXPECT_EQ(basicQuarterlyOpens(s.db(), 2).messages,
              QStringList{"二季度数据不全，请保证具有1-6月的工资数据！"});
    addStaff(s.db(), 0, 6, {"1"});
    addStaff(s.db(), 4, {"1"});  // the same number twice in month 4
    addWage(s.db(), 4, "1", 3000);
    s.db().exec("INSERT INTO Wage_Info (sNumber, sMon, sTotal, sFlag, wFlag)"
                " VALUES ('1', 5, 1, '1', '0')");
    EXPECT_EQ(basicQuarterlyOpens(s.db(), 2).messages, QStringList{"[5]月有工资错误信息，请核查!"});
    EXPECT_EQ(basicAnnualOpens(s.db()).messages, QStringList{"[5]月有工资错误信息，请核查!"});
    // The range path runs the month-range chooser's year-wide checks first.
    EXPECT_EQ(basicRangeOpens(*s, 6, 6).messages,
              QStringList{"[5]月工资数据还有【审核性】错误，不能汇总，请核实！"});
    s.db().exec("DELETE FROM Wage_Info WHERE sMon = 5");
    const QString shared = "当月人员名册中姓名编号重复，工资会被重复统计：4月[1]。请核实人员名册。";
    EXPECT_EQ(basicQuarterlyOpens(s.db(), 2).messages, QStringList{shared});
    EXPECT_EQ(basicRangeOpens(*s, 4, 6).messages, QStringList{shared});
    EXPECT_EQ(basicRangeOpens(*s, 6, 4).messages, QStringList{"开始、截止月份错误!"});
    EXPECT_TRUE(basicRangeOpens(*s, 6, 6).passed);
}

TEST(LaborReports, QuarterlyWorkbookAndSubmission)
{
    TestSession s;
    registerUnit(*s, Enterprise, "是2");
    addStaff(s.db(), 0, 6, {"1", 1, 21, 1, 1, 3, 1, 1, 1, 2});
    addWage(s.db(), 6, "1", 3000.5);
    BasicQuarterlyReport report = BasicQuarterlyReport::forQuarter(*s, 2);
    report.compute();
    const QString message = report.exportWorkbook();
    const QString xls = s->folder().root() + "/XLS";
    EXPECT_EQ(report.workbookPath(), xls + "/基础定期报表I202-2_2012年2季度.xlsx");
    EXPECT_EQ(message, "文件所在路径:'" + xls + "/';\n\r文件名为:基础定期报表I202-2_2012年2季度.xlsx");
    const QJsonObject book = readWithPython("read_xlsx.py", report.workbookPath());
    EXPECT_EQ(book["sheets"].toArray(), QJsonArray{"基础定期报表"});
    EXPECT_EQ(book["orientation"].toString(), "landscape");
    EXPECT_DOUBLE_EQ(book["margins"].toObject()["left"].toDouble(), 70.0 / 72);
    EXPECT_EQ(book["merges"].toArray(),
              (QJsonArray{"A2:E2", "A35:E35", "D5:E5", "D6:E6", "D7:E7", "D8:E8"}));
    const QJsonObject cells = book["cells"].toObject();
    const auto cell = [&](const char* a) { return cells[a].toObject(); };
    EXPECT_EQ(cell("A2")["value"].toString(), "劳   动   情   况");
    EXPECT_EQ(cell("A2")["font"].toString(), "黑体");
    EXPECT_EQ(cell("B8")["value"].toString(), "2012年2季度");
    EXPECT_EQ(cell("D7")["value"].toString(), "文  号:国统字（2011）82号");
    EXPECT_EQ(cell("A9")["value"].toString(), "指标名称");
    EXPECT_EQ(cell("A9")["align"].toString(), "center");
    EXPECT_EQ(cell("E20")["value"].toDouble(), 3001);  // I12 in whole yuan
    EXPECT_EQ(cell("C8")["bottom"].toString(), "thick");
    EXPECT_EQ(cell("C34")["bottom"].toString(), "thick");
    EXPECT_EQ(book["rows"].toObject()["35"].toObject()["height"].toDouble(), 35);

    // The submission goes to RCSB under the quarter's name; the older quarter-less name goes,
    // the employees-and-wages report's file of the same name in GZSB stays.
    const QString rcsb = s->folder().folder("RCSB");
    const QString gzsb = s->folder().folder("GZSB");
    for (const QString& path : {rcsb + "/123456789_i202.dbf", gzsb + "/123456789_2_i202.dbf"}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier");
    }
    EXPECT_EQ(report.submit(), "文件所在路径:'" + rcsb + "/';\n\r文件名为:123456789_2_i202.dbf");
    EXPECT_EQ(QDir(rcsb).entryList(QDir::Files), QStringList{"123456789_2_i202.dbf"});
    EXPECT_TRUE(QFile::exists(gzsb + "/123456789_2_i202.dbf"));
    const QJsonObject dbf = readWithPython("read_dbf.py", report.submissionPath());
    QStringList names;
    for (const QJsonValue& f : dbf["fields"].toArray())
        names << f.toObject()["name"].toString();
    EXPECT_EQ(names, (QStringList{"frdm", "I01", "I04", "I05", "I06", "I07", "I08", "I09", "I10",
                                  "I11", "I12", "I13", "I18", "I19", "I20", "I21", "I22", "I23",
                                  "B1", "B2", "B5", "B7", "frmc"}));
    EXPECT_EQ(dbf["records"].toArray(),
              (QJsonArray{QJsonArray{"123456789", 1, 1, 1, 0, 0, 1, 1, 0, 0, 3001, 3001, 0, 0,
                                     3001, 3001, 0, 0, 0, 0, 0, 1, "测试单位"}}));

    BasicQuarterlyReport range = BasicQuarterlyReport::forRange(*s, 4, 6);
    range.compute();
    EXPECT_THROW(range.submit(), Error);
    EXPECT_EQ(range.sheet().text(1, 5), "统计月间");
    EXPECT_EQ(range.caption(), "企事业单位劳动统计报表（季度） 统计从 4月到6月");
    EXPECT_EQ(BasicQuarterlyReport::forQuarter(*s, 3).caption(),
              "企事业单位劳动统计报表（季度） 统计前三季度，即从 1 月到 9月");
}

TEST(LaborReports, AnnualWorkbookAndSubmission)
{
    TestSession s;
    registerUnit(*s, Enterprise, "是1");
    Transaction tx(s.db());
    for (int i = 0; i < 8; ++i)
        addStaff(s.db(), 0, 12, {QString::number(i), 1, 51});
    addWage(s.db(), 12, "0", 917405);
    // The others were paid nothing: a row with empty parts each, as the wage window keeps it.
    for (int i = 1; i < 8; ++i)
        addWage(s.db(), 12, QString::number(i), {});
    tx.commit();
    BasicAnnualReport report(*s);
    report.compute();
    report.exportWorkbook();
    EXPECT_EQ(report.workbookPath(), s->folder().root() + "/XLS/基础定期报表I102-2_2011年.xlsx");
    const QJsonObject book = readWithPython("read_xlsx.py", report.workbookPath());
    const QJsonObject rows = book["rows"].toObject();
    for (const char* hidden : {"1", "4", "6"})
        EXPECT_TRUE(rows[hidden].toObject()["hidden"].toBool()) << hidden;
    const QJsonObject cells = book["cells"].toObject();
    const auto cell = [&](const char* a) { return cells[a].toObject(); };
    EXPECT_EQ(cell("A5")["value"].toString(), "2011年");
    EXPECT_EQ(cell("G7")["value"].toString(), "表  号:I102-2表");
    EXPECT_EQ(cell("D30")["value"].toDouble(), 114675.63);
    EXPECT_EQ(cell("D30")["format"].toString(), "0.00");
    EXPECT_EQ(cell("I25")["value"].toDouble(), 8);  // A13: eight senior technicians
    EXPECT_EQ(cell("I42")["value"].toString(), "--");
    EXPECT_EQ(cell("F9")["align"].toString(), "center");
    EXPECT_TRUE(cell("F11")["align"].isNull());

    EXPECT_EQ(report.submit(),
              "文件所在路径:'" + s->folder().folder("RCSB") + "/';\n\r文件名为:123456789_i102.dbf");
    const QJsonObject dbf = readWithPython("read_dbf.py", report.submissionPath());
    const QJsonArray fields = dbf["fields"].toArray();
    ASSERT_EQ(fields.size(), 51);
    // The averages per head keep one field definition, also where they are whole (0 here for
    // I21 to I23 without heads).
    for (int i = 20; i <= 23; ++i) {
        const QJsonObject f = fields[i].toObject();
        EXPECT_EQ(f["name"].toString(), QString("I%1").arg(i));
        EXPECT_EQ(f["type"].toString(), "N") << i;
        EXPECT_EQ(f["length"].toInt(), 14) << i;
        EXPECT_EQ(f["decimals"].toInt(), 2) << i;
    }
    const QJsonArray record = dbf["records"].toArray()[0].toArray();
    EXPECT_DOUBLE_EQ(record[20].toDouble(), 114675.63);
    EXPECT_EQ(record[49].toInt(), 0);  // B7: not reported by 是1
}
