#include "ReportFixture.h"
#include "TestSession.h"
#include "reports/AverageWage.h"
#include "reports/Balancing.h"
#include "reports/LookLeader.h"
#include "reports/ReportTable.h"
#include "reports/Rounding.h"
#include "reports/Selection.h"
#include "reports/StaffCounts.h"
#include "reports/Tally.h"
#include "reports/WageSums.h"

#include <gtest/gtest.h>

#include <limits>

using namespace vel;
using namespace report_fixture;

TEST(ReportMath, RoundingIsHalvesAwayFromZero)
{
    struct Case {
        long long numerator, denominator, expected;
    };
    const Case cases[] = {
        {5, 2, 3},     {-5, 2, -3},  {5, -2, -3},    {7, 2, 4},    {70, 7, 10},
        {14, 4, 4},    {13, 4, 3},   {15, 4, 4},     {0, 13, 0},   {4200, 1000, 4},
        {4800, 1000, 5}, {1500, 1000, 2}, {1499, 1000, 1}, {-1500, 1000, -2},
        // No binary fraction in the way: 0.5 of a huge quotient still goes up.
        {9007199254740993LL * 2 + 1, 2, 9007199254740994LL},
    };
    for (const Case& c : cases)
        EXPECT_EQ(roundedQuotient(c.numerator, c.denominator), c.expected)
            << c.numerator << " / " << c.denominator;
}

TEST(ReportMath, AveragesSumsAndAverageWages)
{
    // The opening roster and months 1 to 6 with 10 persons each.
    EXPECT_EQ(averageOverMonths(70, 7), 10);
    EXPECT_EQ(averageOverMonths(6, 4), 2);  // 1.5
    EXPECT_EQ(averageOverMonths(5, 4), 1);  // 1.25

    // The sum is taken as whole yuan first, then in thousands: 1499.5 yuan is 1500, then 2.
    struct Sum {
        double yuan;
        long long thousands;
    };
    for (const Sum& s : {Sum{4200, 4}, Sum{4800, 5}, Sum{1499.5, 2}, Sum{1499.49, 1},
                         Sum{0, 0}, Sum{-1500, -2}})
        EXPECT_EQ(thousandsOfYuan(std::llround(s.yuan * 1e6)), s.thousands) << s.yuan;

    struct Wage {
        long long thousands, heads;
        WithoutHeads rule;
        std::optional<long long> expected;
    };
    const Wage wages[] = {
        {17, 2, WithoutHeads::Empty, 8500},  {17, 3, WithoutHeads::Zero, 5667},
        {1, 3, WithoutHeads::Zero, 333},     {0, 0, WithoutHeads::Empty, 0},
        {0, 5, WithoutHeads::Empty, 0},      {3, 0, WithoutHeads::Empty, std::nullopt},
        {3, 0, WithoutHeads::Zero, 0},
    };
    for (const Wage& w : wages)
        EXPECT_EQ(averageWage(w.thousands, w.heads, w.rule), w.expected)
            << w.thousands << " / " << w.heads;
}

TEST(ReportMath, BalancingMakesThePartsAddUpToTheTotal)
{
    struct Case {
        long long total;
        std::vector<long long> parts, expected;
    };
    const Case cases[] = {
        {4, {1, 1, 1}, {2, 1, 1}},       // three times 1 400 yuan: 4.2 and 1.4 each
        {5, {2, 2, 2}, {1, 2, 2}},       // three times 1 600 yuan
        {2, {1, 1, 1, 1}, {0, 0, 0, 2}}, // four parts of 500 yuan
        {10, {3, 4, 4}, {2, 4, 4}},
        {11, {0, 5, 7}, {0, 4, 7}},
        // The first part gives up its 1 and the second takes it with D, so that 9 stays 9.
        {9, {1, 5, 5}, {0, 4, 5}},
        {2, {1, 1, 3}, {0, 0, 2}},
        {7, {3, 4}, {3, 4}},
        {0, {0, 0}, {0, 0}},
        {6, {0, 0, 0}, {6, 0, 0}},
    };
    for (const Case& c : cases) {
        std::vector<long long> parts = c.parts;
        balanceParts(c.total, parts);
        EXPECT_EQ(parts, c.expected) << "total " << c.total;
        long long sum = 0;
        for (long long p : parts)
            sum += p;
        EXPECT_EQ(sum, c.total);
    }

    // A later group splits the total an earlier one balanced.
    Figures f = {{"T", 2}, {"A", 1}, {"B", 0}, {"A1", 1}, {"A2", 1}};
    balanceGroups(f, {{"T", {"A", "B"}}, {"A", {"A1", "A2"}}});
    EXPECT_EQ(f["A"], 2);
    EXPECT_EQ(f["A1"], 1);
    EXPECT_EQ(f["A2"], 1);
}

TEST(ReportMath, SelectionsAndTheOrgansRanks)
{
    const Selection operators = postClasses("5", {61, 64});
    for (long long code : {51LL, 56LL, 5LL, 61LL, 64LL})
        EXPECT_TRUE(operators.matches(code)) << code;
    for (long long code : {62LL, 15LL, 41LL, -5LL})
        EXPECT_FALSE(operators.matches(code)) << code;

    struct Case {
        int leader;
        std::vector<long long> heads, office;
    };
    const Case cases[] = {
        {11, {11, 12}, {13, 14, 15, 18}},
        {13, {13, 14}, {15, 16, 17, 18}},
        {14, {14, 15}, {16, 17, 18}},
        {15, {15, 16}, {17, 18}},  // 其他人员 (19) stay with the technical operators
        {16, {16}, {18}},
        {0, {0, 1}, {2, 3, 4, 18}},  // no rank at all: nobody has these codes
        {17, {}, {}},
        {18, {}, {}},
        {19, {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(leaderPosts(LeaderRule::Heads).forLeader(c.leader).codes, c.heads) << c.leader;
        EXPECT_EQ(leaderPosts(LeaderRule::Office).forLeader(c.leader).codes, c.office)
            << c.leader;
    }
    EXPECT_EQ(postClasses("2").forLeader(13).leadingDigits, "2");
}

TEST(ReportMath, LookLeaderTakesTheLowestRankOfAnyMonth)
{
    TestSession s;
    EXPECT_EQ(LookLeader(s.db()), 0);
    addStaff(s.db(), 4, {"1", 1, 21});
    addStaff(s.db(), 4, {"2", 1, std::nullopt});
    EXPECT_EQ(LookLeader(s.db()), 0);
    addStaff(s.db(), 0, {"3", 1, 18});
    addStaff(s.db(), 11, {"4", 1, 13});
    EXPECT_EQ(LookLeader(s.db()), 13);
}

// One pass per table gives what a query per figure gives, months and empty codes included.
TEST(ReportMath, CountsAndSumsEqualTheirOwnQueries)
{
    TestSession s;
    randomYear(s.db(), 7, 80);
    // Persons one month, in the roster twice, and a wage the roster's months do not have.
    addStaff(s.db(), 5, {"T1", 2, 53});
    addStaff(s.db(), 5, {"T1", 2, 53});
    addWage(s.db(), 5, "T1", 100.1, 200.2, std::nullopt, 0.2);

    struct Case {
        Selection who;
        const char* condition;
    };
    const Case cases[] = {
        {everyone(), "1"},
        {codesOf("ssf", {2}), "ssf = 2"},
        {codesOf("sEducation", {5, 6, 7}), "sEducation IN (5, 6, 7)"},
        {postClasses("2"), "sPost LIKE '2%'"},
        {postClasses("5", {61, 64, 19}), "(sPost LIKE '5%' OR sPost IN (61, 64, 19))"},
        {codesOf("sPost", {100}), "sPost = 100"},
        {leaderPosts(LeaderRule::Office).forLeader(11), "sPost IN (13, 14, 15, 18)"},
    };
    const StaffCounts counts(s.db(), 12, {"ssf", "sEducation", "sPost"});
    const WageSums sums(s.db(), 12, {"ssf", "sEducation", "sPost"});
    for (const Case& c : cases) {
        for (const auto& [first, last] : {std::pair{0, 12}, std::pair{5, 5}, std::pair{1, 9}}) {
            const QString where = QString("sMon BETWEEN %1 AND %2 AND %3")
                                      .arg(first)
                                      .arg(last)
                                      .arg(c.condition);
            EXPECT_EQ(counts.count(c.who, first, last), queriedCount(s.db(), where, 0, 0))
                << c.condition << " " << first << ".." << last;
            for (const auto& [amount, column] :
                 {std::pair{Amount::Total, "sTotal"}, std::pair{Amount::Basic, "sN1"},
                  std::pair{Amount::Allowance, "sN3"}, std::pair{Amount::Other, "sN4"}}) {
                const double yuan = queried(s.db(), (std::string("SUM(") + column + ")").c_str(),
                                            "VmonWage", where, 0, 0);
                EXPECT_NEAR(sums.micros(amount, c.who, first, last) / 1e6, yuan, 1e-6)
                    << column << " " << c.condition << " " << first << ".." << last;
            }
        }
    }
}

// Ten times 0.05 yuan is half a yuan, where adding binary fractions gives 0.49999999999999994;
// a sum that ends in half a yuan must round up whatever order the rows come in.
TEST(ReportMath, WageSumsAreExactToTheFen)
{
    TestSession s;
    Transaction tx(s.db());
    for (int i = 0; i < 10; ++i) {
        addStaff(s.db(), 1, {QString::number(i)});
        addWage(s.db(), 1, QString::number(i), 149.9, std::nullopt, std::nullopt, 0.05);
    }
    tx.commit();
    const WageSums sums(s.db(), 1, {});
    EXPECT_EQ(sums.micros(Amount::Other, everyone(), 1, 1), 500000);
    EXPECT_EQ(sums.micros(Amount::Total, everyone(), 1, 1), 1499500000);
    EXPECT_EQ(thousandsOfYuan(sums.micros(Amount::Total, everyone(), 1, 1)), 2);
}

// Amounts that got into the database past the entry checks never wrap into negative figures.
TEST(ReportMath, WageSumsRefuseWhatTheyCannotAddUp)
{
    TestSession s;
    addStaff(s.db(), 1, {"1"});
    addWage(s.db(), 1, "1", 1e14, std::nullopt, std::nullopt, std::nullopt);
    EXPECT_THROW(WageSums(s.db(), 1, {}), ConversionError);

    Tally<1> tally(std::vector<std::string>{});
    tally.add(1, {}, {std::numeric_limits<long long>::max()});
    EXPECT_THROW(tally.add(1, {}, {1}), ConversionError);
}

TEST(ReportMath, AReportRowIsReplacedWithBoundValuesAndNulls)
{
    TestSession s;
    const Figures f = {{"I01", 5}, {"I71", std::nullopt}};
    storeReportRow(s.db(), "JGLabor_info", {"I01", "I71"}, f, "12345678X", "O'Neil 厂");
    storeReportRow(s.db(), "JGLabor_info", {"I01", "I71"}, f, "12345678X", "O'Neil 厂");
    Query q(s.db(), "SELECT COUNT(*) AS n, frdm, I01, I71, frmc FROM JGLabor_info");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.integer("n"), 1);
    EXPECT_EQ(q.text("frdm"), "12345678X");
    EXPECT_EQ(q.integer("I01"), 5);
    EXPECT_TRUE(q.isNull("I71"));
    EXPECT_EQ(q.text("frmc"), "O'Neil 厂");

    // A figure never computed is refused, and the stored row stays.
    EXPECT_THROW(storeReportRow(s.db(), "JGLabor_info", {"I01", "I05"}, f, "1", "x"),
                 std::logic_error);
    EXPECT_EQ(std::get<QString>(s.db().scalar("SELECT frmc FROM JGLabor_info")), "O'Neil 厂");
}
