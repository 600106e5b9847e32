#include "Errors.h"
#include "PythonReader.h"
#include "ReportFixture.h"
#include "TestSession.h"
#include "reports/AverageWage.h"
#include "reports/Balancing.h"
#include "reports/Rounding.h"

#include <QFileInfo>
#include <QJsonArray>

#include <gtest/gtest.h>

using namespace vel;
using namespace report_fixture;

namespace {

// The annual form I102-1 as the tests drive it; its workbook is headed by the year typed.
struct AnnualReport : FormUnderTest {
    explicit AnnualReport(Session& s) : FormUnderTest(s, "annual", FormPeriod::ofYear()) {}
    QString exportWorkbook(const QString& year) const { return FormRun::exportWorkbook({}, year); }
};

const QString Enterprise = unit::EnterpriseType;
const QString Organ = unit::OrganType;

enum class Kind { Count, Average, Sum };

// Each figure as its own query over December, the year's months or its wages; ":l" is the organ's
// lowest rank.
struct Definition {
    const char* field;
    Kind kind;
    const char* condition;
    const char* organ = nullptr;
    const char* amount = "sTotal";
};

#define OPERATORS "(sPost LIKE '5%' OR sPost IN (61, 64))"
#define ORGAN_OPERATORS "(sPost LIKE '5%' OR sPost IN (19))"
#define ORGAN_HEADS "sPost IN (:l, :l + 1)"
#define ORGAN_OFFICE "sPost IN (:l + 2, :l + 3, :l + 4, 18)"
#define DEC "sMon = 12 AND "
#define YEAR "sMon BETWEEN 0 AND 12 AND "
#define PAID "sMon > 0 AND sMon <= 12 AND "

const Definition Definitions[] = {
    {"I01", Kind::Count, "sMon = 12"},
    {"I02", Kind::Count, DEC "sSex = 2"},
    {"I03", Kind::Count, DEC "sqrz = 2"},
    {"I05", Kind::Count, DEC "ssf = 1"},
    {"I06", Kind::Count, DEC "ssf = 2"},
    {"I07", Kind::Count, DEC "ssf = 3"},
    {"A01", Kind::Count, DEC "sEducation IN (1, 2, 3)"},
    {"A02", Kind::Count, DEC "sEducation IN (4)"},
    {"A03", Kind::Count, DEC "sEducation IN (5, 6, 7)"},
    {"A04", Kind::Count, DEC "sEducation IN (8, 9)"},
    {"I71", Kind::Count, DEC "sPost LIKE '2%'", DEC ORGAN_HEADS},
    {"I72", Kind::Count, DEC "sPost LIKE '3%'"},
    {"A05", Kind::Count, DEC "sPost IN (31, 32)"},
    {"A06", Kind::Count, DEC "sPost IN (33)"},
    {"A07", Kind::Count, DEC "sPost IN (34)"},
    {"A08", Kind::Count, DEC "sPost IN (35)"},
    {"I73", Kind::Count, DEC "sPost IN (41, 42)", DEC ORGAN_OFFICE},
    {"A09", Kind::Count, DEC "sPost IN (41)"},
    {"I74", Kind::Count, DEC "sPost IN (62, 63)", DEC "sPost IN (100)"},
    {"A10", Kind::Count, DEC OPERATORS, DEC ORGAN_OPERATORS},
    {"I75", Kind::Count, DEC OPERATORS, DEC "sPost IN (100)"},
    {"A11", Kind::Count, DEC "sPost IN (51)"},
    {"A12", Kind::Count, DEC "sPost IN (52)"},
    {"A13", Kind::Count, DEC "sPost IN (53)"},
    {"A14", Kind::Count, DEC "sPost IN (54)"},
    {"A15", Kind::Count, DEC "sPost IN (55)"},
    {"A16", Kind::Count, DEC "sPost IN (56)"},
    {"A17", Kind::Count, DEC "sPost IN (61)", DEC "sPost IN (100)"},
    {"A18", Kind::Count, DEC "sPost IN (64)", DEC "sPost IN (19)"},
    {"I08", Kind::Average, "sMon BETWEEN 0 AND 12"},
    {"I09", Kind::Average, YEAR "ssf = 1"},
    {"I10", Kind::Average, YEAR "ssf = 2"},
    {"I11", Kind::Average, YEAR "ssf = 3"},
    {"I76", Kind::Average, YEAR "sPost LIKE '2%'", YEAR ORGAN_HEADS},
    {"I77", Kind::Average, YEAR "sPost LIKE '3%'"},
    {"I78", Kind::Average, YEAR "sPost IN (41, 42)", YEAR ORGAN_OFFICE},
    {"I79", Kind::Average, YEAR "sPost IN (62, 63)", YEAR "sPost IN (100)"},
    {"A19", Kind::Average, YEAR OPERATORS, YEAR ORGAN_OPERATORS},
    {"I80", Kind::Average, YEAR OPERATORS, YEAR "sPost IN (100)"},
    {"I12", Kind::Sum, "sMon > 0 AND sMon <= 12"},
    {"I13", Kind::Sum, PAID "ssf = 1"},
    {"I14", Kind::Sum, PAID "ssf = 1", nullptr, "sN1"},
    {"I15", Kind::Sum, PAID "ssf = 1", nullptr, "sN2"},
    {"I16", Kind::Sum, PAID "ssf = 1", nullptr, "sN3"},
    {"I17", Kind::Sum, PAID "ssf = 1", nullptr, "sN4"},
    {"I18", Kind::Sum, PAID "ssf = 2"},
    {"I19", Kind::Sum, PAID "ssf = 3"},
    {"I81", Kind::Sum, YEAR "sPost LIKE '2%'", YEAR ORGAN_HEADS},
    {"I82", Kind::Sum, PAID "sPost LIKE '3%'"},
    {"I83", Kind::Sum, PAID "sPost IN (41, 42)", PAID ORGAN_OFFICE},
    {"I84", Kind::Sum, PAID "sPost IN (62, 63)"},
    {"A20", Kind::Sum, PAID "(sPost LIKE '5%' OR sPost IN (61, 64, 19))"},
    {"I48", Kind::Average, YEAR "syg = 1"},
    {"I41", Kind::Count, DEC "sgc = 1"},
    {"I42", Kind::Count, DEC "sjzs = 1"},
    {"I43", Kind::Count, DEC "ssg IN (2, 3)"},
    {"I44", Kind::Count, DEC "ssg = 3"},
    {"I46", Kind::Count, DEC "sgc = 1"},
    {"I47", Kind::Count, DEC "ssg IN (2, 3)"},
};

const char* const Stored[] = {
    "I01", "I02", "I03", "I05", "I06", "I07", "A01", "A02", "A03", "A04", "I71", "I72",
    "A05", "A06", "A07", "A08", "I73", "A09", "I74", "A10", "I75", "A11", "A12", "A13",
    "A14", "A15", "A16", "A17", "A18", "I08", "I09", "I10", "I11", "I76", "I77", "I78",
    "I79", "A19", "I80", "I12", "I13", "I14", "I15", "I16", "I17", "I18", "I19", "I81",
    "I82", "I83", "I84", "A20", "I85", "I20", "I21", "I22", "I23", "I86", "I87", "I88",
    "I89", "A21", "I90", "I51", "I48", "I41", "I42", "I43", "I44", "I46", "I47"};

Figures expectedFigures(Db& db, bool organ, const QString& unitClass)
{
    const int leader = static_cast<int>(
        queried(db, "MIN(sPost)", "Staff_moninfo", "sPost < 20", 0, 0));
    Figures f;
    for (const Definition& d : Definitions) {
        const QString condition = organ && d.organ ? d.organ : d.condition;
        if (d.kind == Kind::Count)
            f[d.field] = queriedCount(db, condition, 12, leader);
        else if (d.kind == Kind::Average)
            f[d.field] = roundedQuotient(queriedCount(db, condition, 12, leader), 13);
        else
            f[d.field] = queriedThousands(db, d.amount, condition, 12, leader);
    }
    balanceGroups(f, {{"I12", {"I13", "I18", "I19"}},
                      {"I13", {"I14", "I15", "I16", "I17"}},
                      {"I12", {"I81", "I82", "I83", "I84", "A20"}}});
    f["I85"] = organ ? 0 : *f["A20"];
    averageWages(f,
                 {{"I20", {}, "I12", "I08"}, {"I21", {}, "I13", "I09"}, {"I22", {}, "I18", "I10"},
                  {"I23", {}, "I19", "I11"}, {"I86", {}, "I81", "I76"}, {"I87", {}, "I82", "I77"},
                  {"I88", {}, "I83", "I78"}, {"I89", {}, "I84", "I79"}, {"A21", {}, "A20", "A19"},
                  {"I90", {}, "I85", "I80"}},
                 WithoutHeads::Zero);
    f["I51"] = 1;
    const auto reports = [&](const char* field, QStringList classes) {
        if (!classes.contains(unitClass))
            f[field].reset();
    };
    reports("I48", {"规上", "是1", "是2"});
    for (const char* field : {"I41", "I42", "I43", "I44"})
        reports(field, {"是1"});
    for (const char* field : {"I46", "I47"})
        reports(field, {"是2"});
    return f;
}

std::vector<std::optional<long long>> storedRow(Db& db)
{
    Query q(db, "SELECT * FROM NGLabor_info");
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

// The cells of a sheet row from column c1 to c2, joined by "|".
QString rowText(const Sheet& sheet, int row, int c1, int c2)
{
    QStringList cells;
    for (int col = c1; col <= c2; ++col)
        cells << sheet.text(row, col);
    return cells.join('|');
}

}  // namespace

TEST(AnnualReport, EveryFigureEqualsItsDefinition)
{
    TestSession s;
    randomYear(s.db(), 5, 60);
    struct Unit {
        QString type, unitClass;
    };
    for (const Unit& u : {Unit{Enterprise, "是1"}, Unit{Enterprise, "是2"}, Unit{Organ, "否"}}) {
        registerUnit(*s, u.type, u.unitClass);
        AnnualReport report(*s);
        report.compute();
        report.store();
        const Figures expected = expectedFigures(s.db(), u.type == Organ, u.unitClass);
        std::vector<std::optional<long long>> expectedRow;
        for (const char* field : Stored) {
            EXPECT_EQ(report.figures().at(field), expected.at(field))
                << u.type.toStdString() << " " << u.unitClass.toStdString() << " " << field;
            expectedRow.push_back(expected.at(field));
        }
        EXPECT_EQ(storedRow(s.db()), expectedRow);

        // Every value cell of both halves shows its figure, the headings nothing.
        struct Cell {
            int row, col;
            const char* field;
        };
        for (const Cell& c : {Cell{4, 4, "I01"}, Cell{17, 4, "I71"}, Cell{35, 4, "A18"},
                              Cell{39, 4, "I10"}, Cell{3, 9, "I11"}, Cell{15, 9, "I14"},
                              Cell{22, 9, "I81"}, Cell{27, 9, "I85"}, Cell{39, 9, "I90"}})
            EXPECT_EQ(report.sheet().text(c.row, c.col), QString::number(*expected.at(c.field)))
                << c.field;
        for (const auto& [row, col] : {std::pair{3, 4}, {7, 4}, {11, 4}, {16, 4}, {37, 4},
                                       {4, 9}, {11, 9}, {13, 9}, {21, 9}, {29, 9}, {33, 9}})
            EXPECT_EQ(report.sheet().text(row, col), "") << row << "," << col;
    }
}

TEST(AnnualReport, TheSheetOfAGeneralContractor)
{
    TestSession s;
    registerUnit(*s, Enterprise, "是1");
    // A unit head in all thirteen rosters, a part-time woman engineer on site from July, and a
    // dispatched worker of December only.
    addStaff(s.db(), 0, 12, {"1", 1, 21, 1, 1, 2, 1, 2, 1, 1});
    addStaff(s.db(), 7, 12, {"2", 1, 33, 2, 2, 4, 1, 1, 2, 3});
    addStaff(s.db(), 12, 12, {"3", 2, 53, 1, 1, 8, 2, 2, 2, 2});
    for (int m = 1; m <= 12; ++m)
        addWage(s.db(), m, "1", 2000, 1000, 500, 500);
    for (int m = 7; m <= 12; ++m)
        addWage(s.db(), m, "2", 3000);
    addWage(s.db(), 12, "3", 2500);

    AnnualReport report(*s);
    report.compute();
    const Sheet& sheet = report.sheet();
    EXPECT_EQ(rowText(sheet, 1, 1, 9), "指标名称|计量单位|代码|数量||指标名称|计量单位|代码|数量");
    EXPECT_EQ(rowText(sheet, 2, 1, 9), "甲|乙|丙|1||甲|乙|丙|1");
    const QStringList left = {
        "一、从业人员|||",
        "(一)从业人员期末人数|人|01|3",
        "其中：女性|人|02|1",
        "其中：非全日制|人|03|1",
        "按人员类型分|||",
        "在岗职工|人|05|2",
        "劳务派遣人员|人|06|1",
        "其他从业人员|人|07|0",
        "按文化程度分|||",
        "大学本科及以上|人|A01|1",
        "大专|人|A02|1",
        "中专及高中|人|A03|0",
        "初中及以下|人|A04|1",
        "按职业类型分|||",
        "单位负责人|人||1",
        "专业技术人员|人||1",
        "其中：高级技术职称人员|人|A05|0",
        "中级技术职称人员|人|A06|1",
        "初级技术职称人员|人|A07|0",
        "专业技术岗位工作人员|人|A08|0",
        "办事人员和有关人员|人||0",
        "其中：一般管理人员|人|A09|0",
        "商业、服务业人员|人||0",
        "技术岗位操作人员及其他有关人员|人|A10|1",
        "其中：生产运输设备操作人员及有关人员|人||1",
        "其中：高级技师|人|A11|0",
        "技师|人|A12|0",
        "高级工|人|A13|1",
        "中级工|人|A14|0",
        "初级工|人|A15|0",
        "其他技术岗位操作人员|人|A16|0",
        "辅助生产人员|人|A17|0",
        "其他岗位工作人员|人|A18|0",
        "(二)从业人员平均人数|人|08|2",
        "按照人员类型分|||",
        "在岗职工|人|09|1",
        "劳务派遣人员|人||0",
    };
    // 13 + 6 + 1 = 20 person-months give 2 (1.54), the on-post staff's 19 give 1 (1.46). Wages:
    // 48 000 + 18 000 + 2 500 = 68 500 yuan is 69, on-post 66 (parts 42, 12, 6, 6), dispatched 3
    // (2.5): they add up without balancing.
    const QStringList right = {
        "其他从业人员|人||0",
        "按职业类型分|||",
        "单位负责人|人||1",
        "专业技术人员|人||0",
        "办事人员和有关人员|人||0",
        "商业、服务业人员|人||0",
        "技术岗位操作人员及其他有关人员|人||0",
        "其中：生产运输设备操作人员及有关人员|人||0",
        "二、工资|||",
        "(一)从业人员工资总额|千元||69",
        "按人员类型分|||",
        "在岗职工|千元||66",
        "基本工资|千元||42",
        "绩效工资|千元||12",
        "工资性津贴和补贴|千元||6",
        "其他工资|千元||6",
        "劳务派遣人员|千元||3",
        "其他从业人员|千元||0",
        "按职业类型分|||",
        "单位负责人|千元||48",
        "专业技术人员|千元||18",
        "办事人员和有关人员|千元||0",
        "商业、服务业人员|千元||0",
        "技术岗位操作人员及其他有关人员|千元||3",
        "其中：生产运输设备操作人员及有关人员|千元||3",
        "(二)从业人员平均工资|元||34500",
        "按人员类型分|||",
        "在岗职工|元||66000",
        "劳务派遣人员|元||0",
        "其他从业人员|元||0",
        "按职业类型分|||",
        "单位负责人|元||48000",
        "专业技术人员|元||0",
        "办事人员和有关人员|元||0",
        "商业、服务业人员|元||0",
        "技术岗位操作人员及其他有关人员|元||0",
        "其中：生产运输设备操作人员及有关人员|元||0",
        "三、单位数|个||1",
    };
    QStringList leftShown, rightShown;
    for (int row = 3; row <= 39; ++row)
        leftShown << rowText(sheet, row, 1, 4);
    for (int row = 3; row <= 40; ++row)
        rightShown << rowText(sheet, row, 6, 9);
    EXPECT_EQ(leftShown.join('\n').toStdString(), left.join('\n').toStdString());
    EXPECT_EQ(rightShown.join('\n').toStdString(), right.join('\n').toStdString());
    for (int row = 3; row <= 52; ++row)
        EXPECT_EQ(sheet.text(row, 5), "") << row;

    const QStringList supplement = {
        "补充资料：",
        sp(3) + "一、直接从事生产经营活动的平均人数(48)" + sp(3) + "1" + sp(2) +
            "人(限规模以上工业和有资质的建筑业法人单位填报)",
        sp(3) + "二、有资质的建筑业法人单位用工情况(限有资质的建筑业法人单位填报)" + sp(15),
        sp(11) + "总承包和专业承包法人单位从业人员期末人数：其中：工程技术人员(41)" + sp(3) +
            "1" + sp(2) + "人",
        sp(95) + "其中：一级建造师(42)" + sp(3) + "1" + sp(2) + "人",
        sp(95) + "其中：现场施工人员(43)" + sp(3) + "2" + sp(2) + "人",
        sp(103) + "其中：持证上岗人员(44)" + sp(3) + "1" + sp(2) + "人",
        sp(12) + "劳务分包法人单位从业人员期末人数：其中：工程技术人员(46)" + sp(7) + "人",
        sp(87) + "其中：现场施工人员(47)" + sp(6) + "人",
        sp(3) + "三、不能填报\"从业人员\"和\"工资总额\"数据的法人单位填报",
        sp(11) + "发放工资的法人单位：组织机构代码(49)" + sp(2) + ":",
        sp(50) + "单位详细名称(50)" + sp(2) + ": ",
    };
    QStringList supplementShown;
    for (int row = 41; row <= 52; ++row) {
        supplementShown << sheet.text(row, 1);
        EXPECT_EQ(rowText(sheet, row, 2, 9), "|||||||") << row;
    }
    EXPECT_EQ(supplementShown.join('\n').toStdString(), supplement.join('\n').toStdString());

    report.store();
    const std::vector<std::optional<long long>> row = storedRow(s.db());
    EXPECT_EQ((std::vector<std::optional<long long>>(row.end() - 8, row.end())),
              (std::vector<std::optional<long long>>{1, 1, 1, 1, 2, 1, std::nullopt,
                                                     std::nullopt}));
}

TEST(AnnualReport, SupplementaryFiguresFollowTheUnitClass)
{
    TestSession s;
    addStaff(s.db(), 0, 12, {"1", 1, 21, 1, 1, 3, 1, 1, 1, 3});
    addWage(s.db(), 12, "1", 3000);
    using F = std::optional<long long>;
    struct Case {
        const char* unitClass;
        std::vector<F> values;  // I48, I41, I42, I43, I44, I46, I47
        const char* line49;
    };
    const Case cases[] = {
        {"否", {F(), F(), F(), F(), F(), F(), F()}, "      人"},
        {"规上", {1, F(), F(), F(), F(), F(), F()}, "      人"},
        {"是1", {1, 1, 1, 1, 1, F(), F()}, "      人"},
        {"是2", {1, F(), F(), F(), F(), 1, 1}, "  1  人"},
    };
    for (const Case& c : cases) {
        registerUnit(*s, Enterprise, c.unitClass);
        AnnualReport report(*s);
        report.compute();
        report.store();
        const std::vector<F> row = storedRow(s.db());
        EXPECT_EQ(std::vector<F>(row.end() - 7, row.end()), c.values) << c.unitClass;
        EXPECT_EQ(report.sheet().text(49, 1), sp(87) + "其中：现场施工人员(47)" + c.line49)
            << c.unitClass;
    }
}

TEST(AnnualReport, AveragesWagePartsAndTheTransportRow)
{
    TestSession s;
    registerUnit(*s, Enterprise, "否");
    // In the opening roster and all twelve months: 13 person-months are one person.
    addStaff(s.db(), 0, 12, {"1", 1, 51});
    // 500 yuan in each part once: 2 000 yuan is 2, every one of the four 0.5 amounts is 1; the balance of -2 empties
    // the first three parts and the last takes the total.
    addWage(s.db(), 12, "1", 500, 500, 500, 500);
    AnnualReport report(*s);
    report.compute();
    EXPECT_EQ(report.sheet().text(36, 4), "1");
    QStringList parts;
    for (int row = 14; row <= 18; ++row)
        parts << report.sheet().text(row, 9);
    EXPECT_EQ(parts, (QStringList{"2", "0", "0", "0", "2"}));
    EXPECT_EQ(report.sheet().text(26, 9), "2");
    EXPECT_EQ(report.sheet().text(27, 9), "2");      // an enterprise's transport operators
    EXPECT_EQ(report.sheet().text(39, 9), "2000");   // 2 000 yuan per average person

    UnitRegistration organUnit = *loadRegistration(s.db());  // the same staff in a government organ
    organUnit.type = Organ;
    s->applyRegistration(organUnit);
    AnnualReport organ(*s);
    organ.compute();
    EXPECT_EQ(organ.sheet().text(27, 9), "0");
    EXPECT_EQ(organ.sheet().text(39, 9), "0");
}

TEST(AnnualReport, GovernmentOrgansSplitHeadsAndOfficeStaffByTheirLowestRank)
{
    struct Case {
        long long lowestRank;
        const char* heads;
        const char* office;
    };
    // One person in each post from the lowest rank on, in December only.
    for (const Case& c : {Case{11, "2", "4"}, Case{13, "2", "4"}, Case{16, "1", "1"},
                          Case{18, "0", "0"}}) {
        TestSession s;
        registerUnit(*s, Organ, "否");
        int n = 0;
        for (long long post : {11LL, 12LL, 13LL, 14LL, 15LL, 16LL, 17LL, 18LL, 19LL, 41LL})
            if (post >= c.lowestRank)
                addStaff(s.db(), 12, {QString::number(++n), 1, post});
        addWage(s.db(), 12, "1", 3000);
        AnnualReport report(*s);
        report.compute();
        EXPECT_EQ(report.sheet().text(17, 4), c.heads) << c.lowestRank;
        EXPECT_EQ(report.sheet().text(23, 4), c.office) << c.lowestRank;
        EXPECT_EQ(report.sheet().text(35, 4), "1") << c.lowestRank;  // post 19: other posts
    }
}

TEST(AnnualReport, WorkbookForTheYearsTheFormIsValidFor)
{
    TestSession s;
    registerUnit(*s, Enterprise, "是2");
    addStaff(s.db(), 0, 12, {"1", 1, 21, 1, 1, 3, 1, 1, 1, 2});
    addWage(s.db(), 12, "1", 3000);
    AnnualReport report(*s);
    report.compute();
    const QString folder = s->folder().root() + "/XLS";
    EXPECT_EQ(report.workbookPath(), folder + "/基础定期报表I102-1_123456789.xlsx");
    EXPECT_EQ(report.workbookFolder(), folder);

    for (const char* year : {"2014", "", "12", "２０１２"}) {
        EXPECT_THROW(report.exportWorkbook(year), Error) << year;
        EXPECT_FALSE(QFileInfo::exists(report.workbookPath()));
    }
    const QString message = report.exportWorkbook(" 2013 ");
    EXPECT_EQ(message, "文件所在路径:'" + folder + "/';\n\r文件名为:基础定期报表I102-1_123456789.xlsx");

    const QJsonObject book = readWithPython("read_xlsx.py", report.workbookPath());
    EXPECT_EQ(book["sheets"].toArray(), QJsonArray{"基础定期报表"});
    EXPECT_NE(book["orientation"].toString(), "landscape");
    EXPECT_EQ(book["fitWidth"].toInt(), 1);
    const QJsonObject margins = book["margins"].toObject();
    EXPECT_DOUBLE_EQ(margins["left"].toDouble(), 30.0 / 72);
    for (const char* side : {"right", "top", "bottom"})
        EXPECT_DOUBLE_EQ(margins[side].toDouble(), 10.0 / 72) << side;

    QStringList merges{"A1:I1", "A2:I2", "G3:I3", "G4:I4", "G5:I5", "G6:I6", "E7:E45"};
    for (int row = 48; row <= 59; ++row)
        merges << QString("A%1:I%1").arg(row);
    merges.sort();
    EXPECT_EQ(book["merges"].toArray(), QJsonArray::fromStringList(merges));

    const QJsonObject columns = book["columns"].toObject();
    const std::pair<const char*, double> widths[] = {{"A", 30}, {"B", 3}, {"C", 3},
                                                     {"D", 9},  {"E", 1}, {"F", 30},
                                                     {"G", 3},  {"H", 3}, {"I", 10}};
    for (const auto& [column, width] : widths)  // the spreadsheet adds its cell padding
        EXPECT_NEAR(columns[column].toObject()["width"].toDouble(), width + 0.7, 0.1) << column;
    const QJsonObject rows = book["rows"].toObject();
    EXPECT_EQ(rows["1"].toObject()["height"].toDouble(), 20);
    for (int row : {46, 48, 52, 58})
        EXPECT_EQ(rows[QString::number(row)].toObject()["height"].toDouble(), 12) << row;
    // The headings' row holds "计量单位" on two lines; a row the form leaves alone is one line of
    // its 9-point text high.
    EXPECT_EQ(rows["7"].toObject()["height"].toDouble(), 30);
    EXPECT_EQ(rows["47"].toObject()["height"].toDouble(), 12.5);

    const QJsonObject cells = book["cells"].toObject();
    const auto cell = [&](const QString& a) { return cells[a].toObject(); };
    EXPECT_EQ(cell("A1")["value"].toString(), "基础定期报表");
    EXPECT_EQ(cell("A1")["font"].toString(), "黑体");
    EXPECT_EQ(cell("A1")["size"].toDouble(), 18);
    EXPECT_EQ(cell("A2")["value"].toString(), "从业人员及工资总额");
    EXPECT_EQ(cell("A2")["align"].toString(), "center");
    EXPECT_EQ(cell("D3")["value"].toString(), "      2013年");
    EXPECT_EQ(cell("A5")["value"].toString(), "单位名称：测试单位");
    EXPECT_EQ(cell("A6")["value"].toString(), "法人单位代码：123456789");
    EXPECT_EQ(cell("G3")["value"].toString(), "表   号：102-1表");
    EXPECT_EQ(cell("G6")["value"].toString(), "有效期至:2014年1月 ");
    EXPECT_TRUE(cell("G6")["align"].isNull());
    EXPECT_EQ(cell("G6")["size"].toDouble(), 9);
    EXPECT_EQ(cell("A59")["size"].toDouble(), 8);
    EXPECT_TRUE(cell("A59")["value"].toString().startsWith("单位负责人：             统计负责人："));

    // Copied cells are size 9, the labels of both halves in general alignment except the headers.
    for (const char* a : {"A7", "F8", "D10", "I18", "B20"}) {
        EXPECT_EQ(cell(a)["size"].toDouble(), 9) << a;
        EXPECT_EQ(cell(a)["align"].toString(), "center") << a;
    }
    for (const char* a : {"A10", "F10"})
        EXPECT_TRUE(cell(a)["align"].isNull()) << a;
    EXPECT_EQ(cell("I18")["value"].toDouble(), 3);  // right row 12: 3 000 yuan
    // The supplementary lines trimmed and set off by blanks of their own.
    const std::pair<int, int> leading[] = {{48, 1}, {50, 4}, {51, 46}, {55, 41}, {58, 24}};
    for (const auto& [row, blanks] : leading) {
        const QString shown = report.sheet().text(row - 6, 1).trimmed();
        EXPECT_EQ(cell(QString("A%1").arg(row))["value"].toString(), sp(blanks) + shown) << row;
    }

    EXPECT_EQ(cell("C6")["bottom"].toString(), "thick");
    EXPECT_EQ(cell("C46")["bottom"].toString(), "thick");
    EXPECT_EQ(cell("H30")["right"].toString(), "thin");
    EXPECT_EQ(cell("C58")["bottom"].toString(), "thin");
}

TEST(AnnualReport, SubmissionFileHasEverySeventyThreeColumns)
{
    TestSession s;
    registerUnit(*s, Enterprise, "规上");
    addStaff(s.db(), 0, 12, {"1", 1, 21, 1, 1, 3, 1, 1, 1, 2});
    addWage(s.db(), 12, "1", 3000);
    AnnualReport report(*s);
    report.compute();
    const QString gzsb = s->folder().root() + "/GZSB";
    EXPECT_EQ(report.submit(), "文件所在路径:'" + gzsb + "/';\n\r文件名为:123456789_i102.dbf");
    EXPECT_EQ(report.submissionPath(), gzsb + "/123456789_i102.dbf");
    EXPECT_EQ(report.submissionFolder(), gzsb);

    const QJsonObject dbf = readWithPython("read_dbf.py", report.submissionPath());
    QStringList names;
    for (const QJsonValue& f : dbf["fields"].toArray())
        names << f.toObject()["name"].toString();
    QStringList expected{"frdm"};
    for (const char* c : Stored)
        expected << c;
    expected << "frmc";
    EXPECT_EQ(names.size(), 73);
    EXPECT_EQ(names, expected);
    const QJsonArray record = dbf["records"].toArray()[0].toArray();
    EXPECT_EQ(record.size(), 73);
    EXPECT_EQ(record[0].toString(), "123456789");
    EXPECT_EQ(record[1].toInt(), 1);    // I01
    EXPECT_EQ(record[40].toInt(), 3);   // I12
    EXPECT_EQ(record[65].toInt(), 1);   // I48 of an industrial unit
    EXPECT_TRUE(record[66].isNull());   // I41
    EXPECT_EQ(record[72].toString(), "测试单位");
}
