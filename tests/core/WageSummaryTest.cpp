#include "PythonReader.h"
#include "ReportFixture.h"
#include "TestSession.h"
#include "reports/Balancing.h"
#include "staff/BirthMonth.h"
#include "reports/PeriodCopy.h"
#include "reports/Rounding.h"
#include "reports/WageSummary.h"

#include <QDir>
#include <QJsonArray>

#include <gtest/gtest.h>

using namespace vel;
using namespace report_fixture;

namespace {

const QString Enterprise = unit::EnterpriseType;
const QString Organ = unit::OrganType;

// One row of a form as its own queries define it; ":q" is the qualified count's condition.
struct RowDefinition {
    int gid;
    std::string condition;  // the category, "1 = 1" for every row
    const char* qualified = nullptr;
    std::vector<int> parts = {};
};

// Skill grades are coded in sJGrade, which VmonWage does not carry.
const std::string HoldsSkillGrade =
    "EXISTS (SELECT 1 FROM Staff_moninfo j WHERE j.sNumber = VmonWage.sNumber AND"
    " j.sMon = VmonWage.sMon AND j.sJGrade IN (51, 52, 53, 54, 55))";

std::vector<RowDefinition> enterpriseRows()
{
    static const std::string qualified =
        "(sPostGrade IN (31, 32, 33, 34, 51, 52, 53, 54, 55) OR " + HoldsSkillGrade + ")";
    const char* q = qualified.c_str();
    std::vector<RowDefinition> rows = {
        {1, "1 = 1", nullptr, {2, 15, 20, 29, 36}},
        {2, "sPost LIKE '2%'", nullptr, {3, 7, 11}},
        {15, "sPost LIKE '3%'", q, {16, 17, 18, 19}},
        {16, "sPost IN (31, 32)", q}, {17, "sPost = 33", q}, {18, "sPost = 34", q},
        {19, "sPost = 35", q},
        {20, "sPost LIKE '4%'", nullptr, {21, 25}},
        {29, "sPost LIKE '5%'", q, {30, 31, 32, 33, 34, 35}},
        {36, "sPost LIKE '6%'", q, {37, 38, 39, 40}},
    };
    // A head post and its three "其中" rows by title.
    const auto withTitles = [&](int gid, int post) {
        const std::string p = "sPost = " + std::to_string(post);
        rows.push_back({gid, p});
        rows.push_back({gid + 1, p + " AND sPostGrade IN (31, 32)"});
        rows.push_back({gid + 2, p + " AND sPostGrade IN (33)"});
        rows.push_back({gid + 3, p + " AND sPostGrade IN (34)"});
    };
    withTitles(3, 21);
    withTitles(7, 22);
    withTitles(11, 23);
    withTitles(21, 41);
    withTitles(25, 42);
    static const char* const single[] = {"sPost = 51", "sPost = 52", "sPost = 53", "sPost = 54",
                                         "sPost = 55", "sPost = 56", "sPost = 61", "sPost = 62",
                                         "sPost = 63", "sPost = 64"};
    for (int k = 0; k < 6; ++k)
        rows.push_back({30 + k, single[k], q});
    for (int k = 0; k < 4; ++k)
        rows.push_back({37 + k, single[6 + k], q});
    std::sort(rows.begin(), rows.end(), [](auto& a, auto& b) { return a.gid < b.gid; });
    return rows;
}

std::vector<RowDefinition> organRows()
{
    const char* titles = "sPostGrade IN (31, 32, 33)";
    static const std::string skillsAndTitles =
        "(sPostGrade IN (51, 52, 53, 54, 55, 31, 32, 33) OR " + HoldsSkillGrade + ")";
    const char* both = skillsAndTitles.c_str();
    return {
        {1, "1 = 1", nullptr, {2, 8, 13, 20, 21}},
        {2, "sPost IN (11, 12, 13, 14, 15)", nullptr, {3, 4, 5, 6, 7}},
        {3, "sPost = 11"}, {4, "sPost = 12"}, {5, "sPost = 13"}, {6, "sPost = 14"},
        {7, "sPost = 15"},
        {8, "sPost LIKE '3%'", titles, {9, 10, 11, 12}},
        {9, "sPost IN (31, 32)", titles}, {10, "sPost = 33", titles},
        {11, "sPost = 34", titles}, {12, "sPost = 35", titles},
        {13, "sPost LIKE '5%'", both, {14, 15, 16, 17, 18, 19}},
        {14, "sPost = 51", both}, {15, "sPost = 52", both}, {16, "sPost = 53", both},
        {17, "sPost = 54", both}, {18, "sPost = 55", both}, {19, "sPost = 56", both},
        {20, "sPost = 18", both}, {21, "sPost = 19", both},
    };
}

// A birth read as months, in SQL: year × 12 + month for "yyyy-m" or "yyyy-mm" with month 0..12.
const char* const BirthMonths =
    "(CASE WHEN (sBirth GLOB '[0-9][0-9][0-9][0-9]-[0-9]' OR sBirth GLOB "
    "'[0-9][0-9][0-9][0-9]-[0-9][0-9]') AND CAST(substr(sBirth, 6) AS INTEGER) <= 12"
    " THEN CAST(substr(sBirth, 1, 4) AS INTEGER) * 12 + CAST(substr(sBirth, 6) AS INTEGER) END)";

long long count(Db& db, const std::string& source, const std::string& where)
{
    return std::get<long long>(db.scalar("SELECT COUNT(*) FROM " + source + " WHERE " + where));
}

// The figures each row should show, from a query per figure and the form's own steps.
std::vector<SummaryLine> expectedLines(Db& db, bool organ, const MonthRange& r)
{
    const std::vector<RowDefinition> rows = organ ? organRows() : enterpriseRows();
    const std::string young = std::string(BirthMonths) + " >= " +
                              std::to_string(organ ? 1977 * 12 + 6 : 1976 * 12 + 6);
    const std::string columns[] = {"1 = 1",
                                   "sSex = 2",
                                   young,
                                   "",
                                   "sEducation IN (1, 2)",
                                   "sEducation IN (3)",
                                   "sEducation IN (4)",
                                   "sEducation IN (5, 6, 7)",
                                   "sEducation IN (8, 9)"};
    const std::string to = std::to_string(r.to);
    const std::string from = std::to_string(r.from);
    std::vector<SummaryLine> lines(rows.size());
    for (const RowDefinition& d : rows) {
        SummaryLine& line = lines[d.gid - 1];
        const std::string category = "(" + d.condition + ")";
        for (int k = G11; k <= G19; ++k) {
            if (k == G14 && !d.qualified)
                continue;
            const std::string column = k == G14 ? d.qualified : columns[k];
            line[k] = count(db, "VmonWage", "sMon = " + to + " AND " + category + " AND " + column);
        }
        if (!organ) {
            line[G20] = roundedQuotient(
                count(db, "VmonWage", "sMon BETWEEN " + from + " AND " + to + " AND " + category),
                r.months());
        } else {
            const long long before =
                r.from == 1 ? count(db, "Vmon", "sMon = 0 AND " + category)
                            : count(db, "VmonWage", "sMon = " + std::to_string(r.from - 1) +
                                                        " AND " + category);
            line[G20] = roundedQuotient(
                count(db, "VmonWage", "sMon BETWEEN " + from + " AND " + to + " AND " + category) +
                    before,
                r.months() + 1);
        }
        const double yuan = std::get<double>(
            db.scalar("SELECT COALESCE(SUM(sTotal), 0.0) FROM VmonWage WHERE sMon BETWEEN " +
                      from + " AND " + to + " AND " + category));
        line[G21] = roundedQuotient(std::llround(yuan * 4), 4000);
    }
    for (auto d = rows.rbegin(); d != rows.rend(); ++d)
        if (!d->parts.empty()) {
            long long sum = 0;
            for (int p : d->parts)
                sum += *lines[p - 1][G20];
            lines[d->gid - 1][G20] = sum;
        }
    for (const RowDefinition& d : rows) {
        if (d.parts.empty())
            continue;
        std::vector<long long> parts;
        for (int p : d.parts)
            parts.push_back(*lines[p - 1][G21]);
        balanceParts(*lines[d.gid - 1][G21], parts);
        for (size_t k = 0; k < parts.size(); ++k)
            lines[d.parts[k] - 1][G21] = parts[k];
    }
    return lines;
}

// The random year with grades and births of every kind, padded or not, and some that do not read.
void gradesAndBirths(Db& db)
{
    db.exec("UPDATE Staff_moninfo SET sPostGrade = CASE abs(random()) % 12 WHEN 0 THEN NULL"
            " WHEN 1 THEN 31 WHEN 2 THEN 32 WHEN 3 THEN 33 WHEN 4 THEN 34 WHEN 5 THEN 51"
            " WHEN 6 THEN 52 WHEN 7 THEN 53 WHEN 8 THEN 54 WHEN 9 THEN 55 WHEN 10 THEN 99"
            " ELSE 40 END,"
            " sBirth = CASE abs(random()) % 9 WHEN 0 THEN NULL WHEN 1 THEN '1976年5月'"
            " WHEN 2 THEN (1970 + abs(random()) % 12) || '-' || (abs(random()) % 13)"
            " ELSE printf('%04d-%02d', 1970 + abs(random()) % 12, abs(random()) % 14) END");
}

// The wage summary of the unit's kind for a range, as the tests drive it: computed, or shown
// from the stored copy by reload().
class Summary {
public:
    Summary(Session& s, MonthRange range) : session_(s), range_(range) {}

    bool compute(const Progress& progress = {}) { return open(false).compute(progress).passed; }
    void reload() { open(true).compute(); }
    void store() { run_->store(); }
    bool submissionOffered() { return open(false).submissionOffered(); }
    QString submit() { return run_->submit(); }
    QString exportWorkbook(const Progress& progress) const { return run_->exportWorkbook(progress); }
    QString workbookPath() const { return run_->workbookPath(); }
    const Sheet& sheet() const { return run_->sheet(); }
    const std::vector<SummaryLine>& lines() const { return summary().lines(); }
    QString rangeLabel() const { return summary().rangeLabel(); }

private:
    FormRun& open(bool reuse)
    {
        if (!run_ || run_->period().reuseStoredCopy != reuse)
            run_ = std::make_unique<FormUnderTest>(session_, "wage-summary",
                                                   FormPeriod::ofRange(range_, reuse));
        return *run_;
    }
    const WageSummary& summary() const { return dynamic_cast<const WageSummary&>(run_->engine()); }

    Session& session_;
    MonthRange range_;
    std::unique_ptr<FormRun> run_;
};

void registerUnit(Session& s, const QString& type)
{
    report_fixture::registerUnit(s, type, "否");
}

QStringList sheetRow(const Sheet& sheet, int row)
{
    QStringList cells;
    for (int col = 1; col <= WageSummary::Columns; ++col)
        cells << sheet.text(row, col);
    return cells;
}

// Staff of a month with a wage row: number, post, grade, sex, education and birth.
void person(Db& db, int month, const QString& number, long long post, Code grade = {},
            long long sex = 1, long long education = 3, const QString& birth = "1970-01",
            double wage = 3000)
{
    db.exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok, sPost, sPostGrade, sSex,"
            " sEducation, sBirth) VALUES ('职工', ?, ?, '1', ?, ?, ?, ?, ?)",
            {number, static_cast<long long>(month), post, value(grade), sex, education, birth});
    if (month > 0)
        addWage(db, month, number, wage);
}

}  // namespace

// On a year of random staff and wages every figure of both forms, for several ranges, is what its
// own query and the form's steps give; the sheet shows and Total_Info and the copy store them.
TEST(WageSummary, EveryFigureEqualsItsDefinition)
{
    TestSession s;
    randomYear(s.db(), 704, 80);
    gradesAndBirths(s.db());
    struct Case {
        QString type;
        std::vector<MonthRange> ranges;
    };
    for (const Case& c : {Case{Enterprise, {{1, 6}, {1, 12}, {6, 12}, {4, 4}, {3, 9}}},
                          Case{Organ, {{1, 3}, {4, 6}, {1, 12}, {7, 7}, {12, 12}}}}) {
        registerUnit(*s, c.type);
        for (const MonthRange& r : c.ranges) {
            Summary summary(*s, r);
            std::vector<int> progress;
            ASSERT_TRUE(summary.compute([&](int p) { progress.push_back(p); }));
            summary.store();
            const std::vector<SummaryLine> expected = expectedLines(s.db(), c.type == Organ, r);
            const std::string where =
                c.type.toStdString() + " " + std::to_string(r.from) + "-" + std::to_string(r.to);
            ASSERT_EQ(summary.lines().size(), expected.size()) << where;
            for (size_t i = 0; i < expected.size(); ++i) {
                EXPECT_EQ(summary.lines()[i], expected[i]) << where << " Gid " << i + 1;
                for (int k = 0; k < SummaryColumns; ++k)
                    EXPECT_EQ(summary.sheet().text(static_cast<int>(i) + 4, 3 + k),
                              expected[i][k] ? QString::number(*expected[i][k]) : "——")
                        << where << " Gid " << i + 1;
            }
            EXPECT_EQ(progress.front(), 0);
            EXPECT_EQ(progress.back(), 100);
            EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));

            for (const std::string& table : {std::string("Total_Info"), periodCopyTable(r)}) {
                Query q(s.db(), "SELECT * FROM " + table + " WHERE Gid <= ? ORDER BY Gid",
                        {static_cast<long long>(expected.size())});
                for (const SummaryLine& line : expected) {
                    ASSERT_TRUE(q.next());
                    EXPECT_EQ(q.text("Dep_id"), "123456789");
                    EXPECT_EQ(q.text("frmc"), "测试单位");
                    EXPECT_EQ(q.text("Tdate"), QDate::currentDate().toString("yyyy-MM-dd"));
                    for (int k = 0; k < SummaryColumns; ++k) {
                        const QByteArray name = QString("G%1").arg(11 + k).toUtf8();
                        EXPECT_EQ(q.isNull(name) ? std::nullopt
                                                 : std::optional<long long>(q.integer(name)),
                                  line[k])
                            << where << " " << table << " " << name.constData();
                    }
                }
                EXPECT_FALSE(q.next()) << table;
            }
        }
    }
}

TEST(WageSummary, AgeBandsCompareMonths)
{
    struct Case {
        const char* birth;
        std::optional<int> month;
    };
    // The audit's reading: what it passes falls in a band, what it refuses in none.
    const Case cases[] = {{"1976-06", 1976 * 12 + 6}, {"1976-6", 1976 * 12 + 6},
                          {"1976-006", 1976 * 12 + 6}, {"1976-1", 1976 * 12 + 1},
                          {" 1976-10 ", {}},           {"1976-00", 1976 * 12},
                          {"1976-13", {}},             {"1976-0013", {}},
                          {"1976", {}},                {"76-06", {}},
                          {"1976年6月", {}},           {"", {}},
                          {"１９７６-06", {}}};
    for (const Case& c : cases)
        EXPECT_EQ(birthMonthNumber(QString::fromUtf8(c.birth)), c.month) << c.birth;

    // "1976-1" is January, before June: not under 35, though its text sorts after "1976-06".
    TestSession s;
    registerUnit(*s, Enterprise);
    int n = 0;
    for (const char* birth :
         {"1976-1", "1976-6", "1976-06", "1976-006", "1976-05", "1980-11", "19x6-07", ""})
        person(s.db(), 3, QString::number(++n), 64, {}, 1, 3, birth);
    Summary summary(*s, {3, 3});
    ASSERT_TRUE(summary.compute());
    EXPECT_EQ(*summary.lines()[0][G13], 4);
    registerUnit(*s, Organ);  // under 35 from June 1977: only November 1980
    Summary organ(*s, {3, 3});
    ASSERT_TRUE(organ.compute());
    EXPECT_EQ(*organ.lines()[0][G13], 1);
}

// Titles are coded in sPostGrade and skill grades in sJGrade: the qualified column counts a
// holder of either where the form counts skill grades, and only titles where it does not.
TEST(WageSummary, QualifiedCountsTitlesAndSkillGrades)
{
    struct Case {
        QString type;
        long long post;
        Code title;
        Code skill;
        int gid;
        long long qualified;
    };
    const Case cases[] = {
        {Enterprise, 51, {}, 51, 30, 1},  {Enterprise, 55, 10, 55, 34, 1},
        {Enterprise, 56, 10, 50, 35, 0},  {Enterprise, 33, 33, {}, 17, 1},
        {Enterprise, 61, {}, 52, 37, 1},  {Organ, 54, {}, 54, 17, 1},
        {Organ, 18, {}, 53, 20, 1},       {Organ, 19, 34, 50, 21, 0},
        {Organ, 35, {}, 51, 12, 0},       {Organ, 35, 32, {}, 12, 1},
    };
    TestSession s;
    int month = 0;
    for (const Case& c : cases) {
        registerUnit(*s, c.type);
        ++month;  // one person a month, each case its own one-month range
        person(s.db(), month, QString::number(month), c.post, c.title);
        s.db().exec("UPDATE Staff_moninfo SET sJGrade = ? WHERE sMon = ?",
                    {value(c.skill), static_cast<long long>(month)});
        Summary summary(*s, {month, month});
        ASSERT_TRUE(summary.compute());
        EXPECT_EQ(summary.lines()[c.gid - 1][G14], c.qualified)
            << c.type.toStdString() << " post " << c.post << " Gid " << c.gid;
    }
}

// The form's edge cases on a small unit: the end month's wage rows count, the average follows
// the form, the parents add up, and an empty category shows 0.
TEST(WageSummary, SmallUnitShowsTheFormsRules)
{
    TestSession s;
    registerUnit(*s, Enterprise);
    Db& db = s.db();
    // Month 3: a unit head with a senior title and three skilled workers, 1500 yuan each; a
    // fourth worker listed in March's roster without a March wage is not counted.
    for (int m = 0; m <= 3; ++m) {
        person(db, m, "1", 21, 31, 2, 1, "1980-01", 1500);
        for (int w = 2; w <= 4; ++w)
            person(db, m, QString::number(w), 50 + w, 53, 1, 8, "1960-01", 1500);
    }
    db.exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok, sPost) VALUES ('乙', '5', 3,"
            " '1', 51)");
    Summary summary(*s, {1, 3});
    ASSERT_TRUE(summary.compute());
    const Sheet& sheet = summary.sheet();
    // 4 500 yuan a person: the workers' 4.5 thousand each round to 5, 15 together against the
    // group's own 13.5 → 14, so the first worker with wages gives up one. The total 18 splits
    // 5 + 14 = 19 first: the heads' 4.5 → 5 takes the difference and becomes 4.
    EXPECT_EQ(sheetRow(sheet, 4), (QStringList{"合计", "1", "4", "1", "1", "——", "1", "0", "0",
                                               "0", "3", "4", "18"}));
    EXPECT_EQ(sheetRow(sheet, 5), (QStringList{"一、企业事业单位负责人", "2", "1", "1", "1", "——",
                                               "1", "0", "0", "0", "0", "1", "4"}));
    EXPECT_EQ(sheetRow(sheet, 7), (QStringList{"其中: 具有国家评定的高级专业技术职称人员", "4",
                                               "1", "1", "1", "——", "1", "0", "0", "0", "0",
                                               "1", "5"}));
    EXPECT_EQ(sheetRow(sheet, 32), (QStringList{"四、技术岗位操作人员", "29", "3", "0", "0", "3",
                                                "0", "0", "0", "0", "3", "3", "14"}));
    EXPECT_EQ(sheet.text(33, 13), "0");  // 高级技师 has nothing to give
    EXPECT_EQ(sheet.text(34, 13), "4");  // so 技师 gives up one
    EXPECT_EQ(sheet.text(35, 13), "5");
    EXPECT_EQ(sheet.text(33, 3), "0");  // number 5 has no March wage
    EXPECT_EQ(sheetRow(sheet, 18), (QStringList{"二、专业技术人员", "15", "0", "0", "0", "0", "0",
                                                "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(summary.rangeLabel(), "统计月份：1月 至 3月");

    // One month: the average is that month's wage rows.
    Summary march(*s, {3, 3});
    ASSERT_TRUE(march.compute());
    EXPECT_EQ(march.sheet().text(4, 12), "4");

    // The organ form averages over the month before too: the opening roster before January.
    registerUnit(*s, Organ);
    for (int m = 0; m <= 6; ++m)
        person(db, m, "9", 14, {}, 1, 3, "1970-01", 3000);
    db.exec("DELETE FROM Wage_Info WHERE sNumber = '9' AND sMon IN (2, 3)");
    struct Average {
        MonthRange range;
        const char* g20;
    };
    // Rows of the opening roster and months 1..3: 2 of 4; months 3..6: 3 of 4 (0.75 → 1).
    for (const Average& a : {Average{{1, 3}, "1"}, Average{{4, 6}, "1"}, Average{{2, 3}, "0"}}) {
        Summary organ(*s, a.range);
        ASSERT_TRUE(organ.compute());
        EXPECT_EQ(organ.sheet().text(9, 12), a.g20) << a.range.from;  // 4、科级公务员
    }
    Summary organ(*s, {1, 3});
    ASSERT_TRUE(organ.compute());
    EXPECT_EQ(organ.rangeLabel(), "统计月份：1月 至 3 月");
    EXPECT_EQ(sheetRow(organ.sheet(), 23).mid(0, 6),
              (QStringList{"四、普通工人", "", "0", "0", "0", "0"}));
}

TEST(WageSummary, StoreIsAllOrNothingAndReloadWritesNothing)
{
    TestSession s;
    registerUnit(*s, Enterprise);
    Db& db = s.db();
    for (int m = 1; m <= 12; ++m)
        person(db, m, "1", 51, 53, 2, 4, "1985-03", 2000 + m);
    // Rows of another summary sharing the table: none of its figures may stay behind.
    db.exec("UPDATE Total_Info SET G14 = 77, Dep_id = 'other'");
    Summary first(*s, {1, 6});
    ASSERT_TRUE(first.compute());
    first.store();
    EXPECT_TRUE(db.exists("SELECT 1 FROM Total_Info WHERE Gid = 1 AND G14 IS NULL"));
    EXPECT_TRUE(db.exists("SELECT 1 FROM Total_Info WHERE Gid = 30 AND G14 = 1"));
    EXPECT_FALSE(db.exists("SELECT 1 FROM Total_Info WHERE Dep_id = 'other'"));

    // A failing copy leaves Total_Info and every copy as they were.
    db.exec("CREATE VIEW Total_7_12 AS SELECT 1");
    Summary broken(*s, {7, 12});
    ASSERT_TRUE(broken.compute());
    EXPECT_THROW(broken.store(), DatabaseError);
    EXPECT_TRUE(db.exists("SELECT 1 FROM Total_Info WHERE Gid = 1 AND G21 = 12"));  // 1–6
    db.exec("DROP VIEW Total_7_12");

    // Recomputing keeps exactly the form's rows in the copy.
    first.store();
    EXPECT_EQ(std::get<long long>(db.scalar("SELECT COUNT(*) FROM Total_1_6")), 40);

    // A reload shows the copy ("--" where G14 is empty) and writes nothing.
    Summary second(*s, {6, 12});
    ASSERT_TRUE(second.compute());
    second.store();
    const long long changes = std::get<long long>(db.scalar("SELECT total_changes()"));
    Summary reloaded(*s, {1, 6});
    reloaded.reload();
    EXPECT_EQ(std::get<long long>(db.scalar("SELECT total_changes()")), changes);
    EXPECT_EQ(reloaded.sheet().text(4, 13), "12");
    EXPECT_EQ(reloaded.sheet().text(4, 6), "--");
    EXPECT_EQ(reloaded.sheet().text(33, 6), "1");
    EXPECT_EQ(reloaded.rangeLabel(), "统计月份：1月 至 6 月");
    EXPECT_TRUE(db.exists("SELECT 1 FROM Total_Info WHERE Gid = 1 AND G21 = 14"));  // 6–12

    Summary none(*s, {2, 5});
    EXPECT_THROW(none.reload(), Error);

    // The guard: a monthly staff row that failed the audit computes nothing.
    db.exec("UPDATE Staff_moninfo SET sIsok = '0' WHERE sMon = 4");
    Summary guarded(*s, {1, 6});
    EXPECT_FALSE(guarded.compute());
    EXPECT_TRUE(guarded.lines().empty());
    EXPECT_EQ(guarded.sheet().text(4, 3), "");
}

// The file holds the figures of the window's own range, also after a reload while Total_Info
// holds another range; only 1–6, 1–12 and 6–12 are submitted.
TEST(WageSummary, SubmissionFileCarriesTheRangeOnScreen)
{
    TestSession s;
    Db& db = s.db();
    for (int m = 1; m <= 12; ++m)
        person(db, m, "1", 19, 31, 2, 4, "1985-03", 1000 * m);
    struct Case {
        QString type;
        const char* file;
        int rows;
    };
    for (const Case& c : {Case{Enterprise, "123456789_i704.dbf", 40},
                          Case{Organ, "123456789_i705.dbf", 21}}) {
        registerUnit(*s, c.type);
        Summary half(*s, {1, 6});
        ASSERT_TRUE(half.compute());
        half.store();
        Summary year(*s, {1, 12});
        ASSERT_TRUE(year.compute());
        year.store();
        Summary reloaded(*s, {1, 6});
        reloaded.reload();
        const QString gzsb = s->folder().folder("GZSB");
        EXPECT_EQ(reloaded.submit(), "你保存在'" + gzsb + "/'里,文件名为:" + c.file);
        const QJsonObject dbf = readWithPython("read_dbf.py", gzsb + "/" + c.file);
        QStringList names;
        for (const QJsonValue& f : dbf["fields"].toArray())
            names << f.toObject()["name"].toString();
        EXPECT_EQ(names, (QStringList{"Gid", "Dep_id", "Tdate", "frmc", "G11", "G12", "G13", "G14",
                                      "G15", "G16", "G17", "G18", "G19", "G20", "G21"}));
        const QJsonArray records = dbf["records"].toArray();
        ASSERT_EQ(records.size(), c.rows);
        const QJsonArray total = records[0].toArray();
        EXPECT_EQ(total[0].toInt(), 1);
        EXPECT_EQ(total[1].toString(), "123456789");
        EXPECT_EQ(total[3].toString(), "测试单位");
        EXPECT_EQ(total[14].toInt(), 21);  // 1 000 + … + 6 000 yuan, not the year's 78
        EXPECT_TRUE(total[7].isNull());

        for (const MonthRange& r : {MonthRange{7, 12}, MonthRange{4, 6}}) {
            Summary other(*s, r);
            ASSERT_TRUE(other.compute());
            other.store();
            EXPECT_FALSE(other.submissionOffered());
            EXPECT_THROW(other.submit(), Error);
        }
        EXPECT_TRUE(Summary(*s, {6, 12}).submissionOffered());
    }
    EXPECT_EQ(QDir(s->folder().folder("GZSB")).entryList({"*.dbf"}, QDir::Files),
              (QStringList{"123456789_i704.dbf", "123456789_i705.dbf"}));
}

TEST(WageSummary, WorkbookLaysOutTheForm)
{
    TestSession s;
    Db& db = s.db();
    person(db, 6, "1", 41, 33, 2, 2, "1985-03", 4400);
    for (const QString& type : {Enterprise, Organ}) {
        registerUnit(*s, type);
        Summary summary(*s, {1, 6});
        ASSERT_TRUE(summary.compute());
        std::vector<int> progress;
        const QString message = summary.exportWorkbook([&](int p) { progress.push_back(p); });
        const QString folder = s->folder().root() + "/XLS";
        EXPECT_EQ(summary.workbookPath(), folder + "/工资1_6.xlsx");
        EXPECT_EQ(message, "你导出到'" + folder + "/'里,文件名为:工资1_6.xlsx");
        EXPECT_EQ(progress.back(), 100);

        const bool organ = type == Organ;
        const int last = organ ? 32 : 51;
        const QJsonObject book = readWithPython("read_xlsx.py", summary.workbookPath());
        EXPECT_EQ(book["sheets"].toArray(), QJsonArray{"人员基本信息"});
        EXPECT_DOUBLE_EQ(book["margins"].toObject()["top"].toDouble(), 100.0 / 72);
        EXPECT_DOUBLE_EQ(book["margins"].toObject()["left"].toDouble(), 30.0 / 72);
        QStringList merges = {"A1:M1", "A9:A10", "B9:B10", "C9:C10", "D9:F9", "G9:K9",
                              "L9:L10", "M9:M10"};
        for (int row = 4; row <= 8; ++row)
            merges << QString("I%1:M%1").arg(row);
        merges.sort();
        EXPECT_EQ(book["merges"].toArray(), QJsonArray::fromStringList(merges));
        const QJsonObject columns = book["columns"].toObject();
        EXPECT_NEAR(columns["A"].toObject()["width"].toDouble(), (organ ? 30 : 40) + 0.7, 0.1);
        EXPECT_NEAR(columns["B"].toObject()["width"].toDouble(), 6.5 + 0.7, 0.1);
        EXPECT_EQ(book["rows"].toObject()["1"].toObject()["height"].toDouble(), 40);

        const QJsonObject cells = book["cells"].toObject();
        const auto cell = [&](const QString& a) { return cells[a].toObject(); };
        EXPECT_EQ(cell("A1")["value"].toString(),
                  organ ? "机关单位汇总表" : "企业事业单位工资情况汇总表");
        EXPECT_EQ(cell("A1")["font"].toString(), "黑体");
        EXPECT_EQ(cell("A1")["size"].toDouble(), 16);
        EXPECT_EQ(cell("A7")["value"].toString(), "单位名称：测试单位");
        EXPECT_EQ(cell("A8")["value"].toString(), "法人单位代码：123456789");
        EXPECT_EQ(cell("I4")["value"].toString(),
                  organ ? "表    号：ZorvI705表" : "表    号： ZorvI704表");
        EXPECT_EQ(cell("I5")["value"].toString(),
                  organ ? "制定单位:Ardelm统计局" : "制定机关：Ardelm统计局");
        EXPECT_EQ(cell("I8")["value"].toString(), "计量单位：   人、元");
        EXPECT_EQ(cell("C9")["value"].toString(), "期末从业人员总数");
        EXPECT_EQ(cell("M9")["value"].toString(), "工资总额");
        EXPECT_EQ(cell("G9")["value"].toString(), "学历状况");
        EXPECT_EQ(cell("D10")["value"].toString(), "女性");
        EXPECT_EQ(cell("K10")["value"].toString(), "初中及以下");
        EXPECT_EQ(cell("A11")["value"].toString(), "甲");
        EXPECT_EQ(cell("A11")["align"].toString(), "center");
        EXPECT_EQ(cell("A12")["value"].toString(), "合计");
        EXPECT_EQ(cell("A12")["align"].toString(), "center");
        EXPECT_EQ(cell("B12")["value"].toString(), "1");  // the row's code
        EXPECT_EQ(cell("C12")["value"].toDouble(), 1);
        EXPECT_EQ(cell("C12")["type"].toString(), "n");
        EXPECT_EQ(cell("M12")["value"].toDouble(), 4);
        EXPECT_EQ(cell(QString("A%1").arg(last))["value"].toString(),
                  organ ? "五、其他人员" : "4、其他岗位工作人员");
        EXPECT_EQ(cell(QString("A%1").arg(last))["bottom"].toString(), "thick");
        EXPECT_EQ(cell("E8")["bottom"].toString(), "thick");
        EXPECT_EQ(cell("E20")["left"].toString(), "thin");
        EXPECT_TRUE(cells[QString("A%1").arg(last + 1)].toObject()["value"].isNull());
    }
}
