#include "CheckYear.h"
#include "PayrollYear.h"
#include "TestSession.h"
#include "checks/CheckNotes.h"
#include "checks/DataCheck.h"
#include "reports/Forms.h"
#include "unit/UnitRegistration.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <set>
#include <stdexcept>
#include <string>

using namespace vel;

namespace {

using check_year::Found;
using check_year::found;

struct Year {
    TestSession s;
    std::vector<payroll_year::Person> persons;

    explicit Year(const payroll_year::Shape& shape)
    {
        check_year::registerUnit(*s);
        if (shape.organ || shape.foundedMonth) {
            UnitRegistration r = *loadRegistration(s.db());
            if (shape.organ)
                r.type = unit::OrganType;
            r.createMon = createMonFor(shape.foundedMonth ? std::optional<int>(shape.foundedMonth)
                                                          : std::nullopt);
            saveRegistration(s.db(), r);
            s->unitRegistered();
        }
        persons = payroll_year::fill(s.db(), shape);
    }
    Db& db() { return s.db(); }

    // A person paid in full every month of the year, never sick: where a slip stands out.
    const payroll_year::Person& steady(int skip = 0) const
    {
        for (const payroll_year::Person& p : persons)
            if (p.firstMonth == 0 && p.lastMonth == 12 && !p.sickFrom && p.fullTime == 1 && skip-- == 0)
                return p;
        throw std::logic_error("no steady person");
    }
};

// Every finding on its own line, for the test's output: what the check says of the year.
void show(const char* year, Session& s)
{
    const Findings all = runDataCheck(s);
    std::cout << year << ": " << all.size() << " findings\n";
    for (const Finding& f : all)
        std::cout << "  " << findingLine(f).toStdString() << '\n';
}

}  // namespace

// The years a clerk really enters: each real event (a bonus month, a restructuring, a sick-leave
// stretch) at most one finding, and no error where the records agree.
TEST(PayrollYearCheck, RealisticYearsGiveAFindingPerRealEventAndNoError)
{
    struct Case {
        const char* what;
        payroll_year::Shape shape;
        size_t most;
    };
    const Case cases[] = {
        {"300-person enterprise", {300, 2012, false, 0, false}, 25},
        {"1,200 persons, a department leaves after June, hires in August", {1200, 7, false, 0, true}, 50},
        {"300-person unit founded in April", {300, 11, false, 4, false}, 25},
        {"60-person organ, steady pay", {60, 3, true, 0, false}, 0},
    };
    for (const Case& c : cases) {
        Year y(c.shape);
        show(c.what, *y.s);
        const Findings all = runDataCheck(*y.s);
        EXPECT_LE(all.size(), c.most) << c.what;
        EXPECT_EQ(countFindings(all).errors, 0) << c.what;
        // No person is named twice by one rule: a stretch is one finding.
        std::set<std::pair<QString, QString>> named;
        for (const Finding& f : all) {
            if (f.place.kind == FindingPlace::Kind::Person) {
                EXPECT_TRUE(named.insert({f.code, f.place.number}).second) << findingLine(f).toStdString();
            }
        }
    }
}

// The mistakes clerks make, planted one at a time into the 300-person year, each found at its
// place; a contradiction between records as an error.
TEST(PayrollYearCheck, PlantedMistakesAreFoundWhereTheyAre)
{
    struct Case {
        const char* what;
        std::function<Found(Year&)> plant;  // returns what must be found beyond the year's own
        bool onlyThose;                     // and nothing else beyond it
    };
    const auto wage = [](Year& y, int month, const QString& number, double total) {
        y.db().exec("UPDATE Wage_Info SET sN1 = ?, sN2 = NULL, sN3 = NULL, sN4 = NULL, sTotal = ?"
                    " WHERE sMon = ? AND sNumber = ?",
                    {total, total, static_cast<long long>(month), number});
    };
    const auto usual = [](Year& y, int month, const QString& number) {
        return std::get<double>(y.db().scalar("SELECT sTotal FROM Wage_Info WHERE sMon = ? AND sNumber = ?",
                                              {static_cast<long long>(month), number}));
    };
    const Case cases[] = {
        {"March's wage file imported again into April",
         [](Year& y) {
             y.db().exec("DELETE FROM Wage_Info WHERE sMon = 4");
             y.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sN3, sN4, sTotal, sFlag, wFlag)"
                         " SELECT sNumber, sName, 4, sN1, sN2, sN3, sN4, sTotal, '1', '1' FROM Wage_Info"
                         " WHERE sMon = 3");
             return Found{"W07 4", "E07 4"};
         },
         false},
        {"a person on July's roster with no wage row",
         [](Year& y) {
             const QString n = y.steady().number;
             y.db().exec("DELETE FROM Wage_Info WHERE sMon = 7 AND sNumber = ?", {n});
             return Found{"E06 7/" + n.toStdString()};
         },
         true},
        {"September's roster cut to exactly half",
         [](Year& y) {
             const long long heads = std::get<long long>(y.db().scalar("SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 8"));
             y.db().exec("DELETE FROM Staff_moninfo WHERE sMon = 9 AND id NOT IN (SELECT id FROM"
                         " Staff_moninfo WHERE sMon = 9 ORDER BY id LIMIT ?)",
                         {heads / 2});
             return Found{"E05 9", "E07 9"};
         },
         false},
        {"a month after the founding month never entered",
         [](Year& y) {
             y.db().exec("DELETE FROM Staff_moninfo WHERE sMon = 5");
             y.db().exec("DELETE FROM Wage_Info WHERE sMon = 5");
             return Found{"E10 5"};
         },
         false},
        {"a wage typed ten times too high",
         [&](Year& y) {
             const QString n = y.steady().number;
             wage(y, 5, n, usual(y, 5, n) * 10);
             return Found{"W02 5/" + n.toStdString()};
         },
         true},
        {"a bonus month's wage typed with two zeros more",
         [&](Year& y) {
             const QString n = y.steady(1).number;
             wage(y, 6, n, usual(y, 6, n) * 100);
             return Found{"W02 6/" + n.toStdString()};
         },
         true},
        {"a roster row that failed the audit",
         [](Year& y) {
             y.db().exec("UPDATE Staff_moninfo SET sIsok = '0' WHERE sMon = 8 AND sNumber = ?",
                         {y.steady().number});
             return Found{"E08 8"};
         },
         true},
        {"a wage row flagged",
         [](Year& y) {
             y.db().exec("UPDATE Wage_Info SET wFlag = '0' WHERE sMon = 2 AND sNumber = ?",
                         {y.steady().number});
             return Found{"E09 2"};
         },
         true},
    };
    const Found before = [] {
        Year y({300, 2012, false, 0, false});
        return found(*y.s);
    }();
    for (const Case& c : cases) {
        Year y({300, 2012, false, 0, false});
        const Found expected = c.plant(y);
        Found added;
        for (const std::string& f : found(*y.s))
            if (!before.count(f))
                added.insert(f);
        for (const std::string& f : expected)
            EXPECT_TRUE(added.count(f)) << c.what << ": " << f << " not found";
        if (c.onlyThose) {
            EXPECT_EQ(added, expected) << c.what;
        }
    }
}

// A form is held up only by what it reads: the year-end talent summary counts December's staff
// and reads no wage.
TEST(PayrollYearCheck, AFormIsHeldUpOnlyByFindingsInWhatItReads)
{
    TestSession s;
    check_year::registerUnit(*s);
    check_year::fill(s.db(), 50);
    s.db().exec("UPDATE Wage_Info SET sN1 = 39500, sTotal = 40000 WHERE sMon = 12 AND sNumber = '1001'");
    s.db().exec("UPDATE Staff_moninfo SET sName = '张三' WHERE sMon = 12 AND sNumber = '1002'");
    const FormDefinition& talent = *formFor("talent", false);
    const FormDefinition& annual = *formFor("annual", false);
    EXPECT_EQ(found(*s, {&talent, std::nullopt, std::nullopt, false}), Found{"W04 12/1002"});
    EXPECT_EQ(found(*s, {&annual, std::nullopt, std::nullopt, false}),
              (Found{"W02 12/1001", "W04 12/1002"}));
    EXPECT_EQ(found(*s, {nullptr, std::nullopt, 12, false}), (Found{"W02 12/1001", "W04 12/1002"}));
}

// An explanation answers for the figures it was written for: once they change it shows as out of
// date and the warning counts as not explained until it is written again.
TEST(PayrollYearCheck, AnExplanationGoesStaleWhenItsFiguresChange)
{
    TestSession s;
    check_year::registerUnit(*s);
    check_year::fill(s.db(), 50);
    s.db().exec("UPDATE Wage_Info SET sN1 = 7500, sTotal = 8000 WHERE sMon = 3");  // a bonus month
    s.db().exec("UPDATE Wage_Info SET sN1 = 5500, sTotal = 6000 WHERE sMon = 5 AND sNumber = '1001'");
    storeCheckNote(s.db(), currentFinding(*s, "W03", "3"), QStringLiteral("一季度绩效"));
    storeCheckNote(s.db(), currentFinding(*s, "W02", "5/1001"), QStringLiteral("补发"));
    EXPECT_EQ(countFindings(runDataCheck(*s)).explained, 2);

    // Another month entered moves the unit's usual month, not March's own figures.
    s.db().exec("UPDATE Wage_Info SET sN1 = 3600, sTotal = 4100 WHERE sMon = 11");
    EXPECT_EQ(countFindings(runDataCheck(*s)).explained, 2);

    s.db().exec("UPDATE Wage_Info SET sN1 = 5600, sTotal = 6100 WHERE sMon = 5 AND sNumber = '1001'");
    const Findings all = runDataCheck(*s);
    const CheckCounts counts = countFindings(all);
    EXPECT_EQ(counts.explained, 1);
    EXPECT_EQ(counts.warnings, 1);
    const auto w02 = std::find_if(all.begin(), all.end(), [](const Finding& f) { return f.code == "W02"; });
    ASSERT_NE(w02, all.end());
    EXPECT_TRUE(findingLine(*w02).endsWith(QStringLiteral(" 说明已过时：补发"))) << findingLine(*w02).toStdString();
    EXPECT_FALSE(submissionAudit(all).question.isEmpty());

    storeCheckNote(s.db(), *w02, QStringLiteral("补发两月"));
    EXPECT_EQ(countFindings(runDataCheck(*s)).explained, 2);
}
