#include "TestSession.h"
#include "period/MonthMenus.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vel;

namespace {

std::vector<int> openList(const MonthFlags& f)
{
    std::vector<int> out;
    for (int m = 1; m <= 12; ++m)
        if (f[m])
            out.push_back(m);
    return out;
}

struct MonthCase {
    const char* createMon;
    std::optional<int> lastWage;
    std::vector<int> open;
    std::optional<int> toolButton;
};

}  // namespace

TEST(MonthMenus, SequenceAndToolButtonWalk)
{
    const std::vector<MonthCase> cases = {
        {"99", std::nullopt, {1}, 1},
        {"99", 3, {1, 2, 3, 4}, 4},
        {"99", 11, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 12},
        {"99", 12, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 12},
        {"99", 0, {1}, 1},             // wage rows of month 0 do not close month 1
        {"4", 7, {5, 6, 7, 8}, 8},     // founded in May, wages up to July
        {"8", std::nullopt, {9}, 9},   // founded in September, no wages yet
        {"8", 3, {9}, 9},              // older wages below the founding month change nothing
        {"0", std::nullopt, {1}, 1},   // founded in January
        {"11", std::nullopt, {12}, 12},
        {"11", 12, {12}, 12},
        {"abc", 5, {}, std::nullopt},  // a damaged creation month opens nothing
    };
    for (const MonthCase& c : cases) {
        SCOPED_TRACE(std::string(c.createMon) + " / " +
                     (c.lastWage ? std::to_string(*c.lastWage) : std::string("none")));
        const MonthFlags open = openWageMonths(c.createMon, c.lastWage);
        EXPECT_EQ(openList(open), c.open);
        EXPECT_EQ(wageEntryMonth(c.createMon, open), c.toolButton);
    }
}

TEST(MonthMenus, ToolButtonStopsAtTheFirstGapAndDecemberFoundingNeedsItsEntry)
{
    MonthFlags open{};
    open[3] = open[4] = open[6] = true;  // a gap at 5
    EXPECT_EQ(wageEntryMonth("2", open), 4);
    // The walk runs the month where it stops even when that month's own entry is closed.
    EXPECT_EQ(wageEntryMonth("4", open), 6);
    EXPECT_EQ(wageEntryMonth("11", open), std::nullopt);
}

TEST(MonthMenus, SessionReadsLastWageMonthAndOpeningRoster)
{
    TestSession s;
    EXPECT_FALSE(s->refreshEntryMenus());
    EXPECT_EQ(openList(s->refreshMonthMenus()), std::vector<int>{1});
    EXPECT_EQ(s->lastWageMonth(), 0);

    s.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon) VALUES ('1', 'a', '2')");
    s.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon) VALUES ('a', '1', 0)");
    EXPECT_EQ(openList(s->refreshMonthMenus()), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(s->lastWageMonth(), 2);
    EXPECT_TRUE(s->refreshEntryMenus());
}
