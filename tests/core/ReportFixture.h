#pragma once

#include "Session.h"
#include "reports/FormRun.h"
#include "reports/Forms.h"
#include "reports/Rounding.h"

#include <SQLiteCpp/Statement.h>

#include <QString>

#include <optional>
#include <random>

// Staff and wage rows for the reports, written straight into the tables as a stored roster and
// stored wages would hold them.
namespace report_fixture {

using Code = std::optional<long long>;

// A person's codes in one month; an unset code is stored as null.
struct Person {
    QString number;
    Code ssf = 1;
    Code sPost = std::nullopt;
    Code sSex = std::nullopt;
    Code sqrz = std::nullopt;
    Code sEducation = std::nullopt;
    Code syg = std::nullopt;
    Code sgc = std::nullopt;
    Code sjzs = std::nullopt;
    Code ssg = std::nullopt;
    Code sPostGrade = std::nullopt;
    Code sJGrade = std::nullopt;
    Code sNation = std::nullopt;
    Code sParty = std::nullopt;
    std::optional<QString> sBirth = std::nullopt;
};

inline vel::SqlValue value(const Code& c)
{
    return c ? vel::SqlValue(*c) : vel::SqlValue(nullptr);
}

inline void addStaff(vel::Db& db, int month, const Person& p)
{
    db.exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok, ssf, sPost, sSex, sqrz,"
            " sEducation, syg, sgc, sjzs, ssg, sPostGrade, sJGrade, sNation, sParty, sBirth)"
            " VALUES ('职工', ?, ?, '1', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {p.number, static_cast<long long>(month), value(p.ssf), value(p.sPost), value(p.sSex),
             value(p.sqrz), value(p.sEducation), value(p.syg), value(p.sgc), value(p.sjzs),
             value(p.ssg), value(p.sPostGrade), value(p.sJGrade), value(p.sNation),
             value(p.sParty), p.sBirth ? vel::SqlValue(*p.sBirth) : vel::SqlValue(nullptr)});
}

inline void addStaff(vel::Db& db, int firstMonth, int lastMonth, const Person& p)
{
    for (int m = firstMonth; m <= lastMonth; ++m)
        addStaff(db, m, p);
}

using Part = std::optional<double>;

// A wage row that passed both checks; the total is the parts' sum unless given.
inline void addWage(vel::Db& db, int month, const QString& number, Part n1, Part n2 = {},
                    Part n3 = {}, Part n4 = {}, std::optional<double> total = {})
{
    const auto v = [](const Part& p) { return p ? vel::SqlValue(*p) : vel::SqlValue(nullptr); };
    const double sum = n1.value_or(0) + n2.value_or(0) + n3.value_or(0) + n4.value_or(0);
    db.exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sN3, sN4, sTotal, sFlag,"
            " wFlag) VALUES (?, '职工', ?, ?, ?, ?, ?, ?, '1', '1')",
            {number, static_cast<long long>(month), v(n1), v(n2), v(n3), v(n4),
             total.value_or(sum)});
}

inline void registerUnit(vel::Session& s, const QString& type, const QString& unitClass)
{
    vel::UnitRegistration r;
    r.name = QStringLiteral("测试单位");
    r.code = QStringLiteral("123456789");
    r.type = type;
    r.unitClass = unitClass;
    vel::saveRegistration(s.db(), r);
    s.unitRegistered();
}

// A form run as the tests drive it, step by step: the form of the command that fits the unit
// registered in the session, its engine's results at hand.
class FormUnderTest : public vel::FormRun {
public:
    FormUnderTest(vel::Session& s, const QString& command, const vel::FormPeriod& period)
        : FormRun(s, *vel::formFor(command, s.unit().isOrgan()), period)
    {
    }

    const vel::Figures& figures() const
    {
        return dynamic_cast<const vel::FigureForm&>(engine()).figures();
    }
    QString submissionPath() const { return submissionPaths().first(); }
};

// A year of `people` persons in random categories, some codes empty, some persons joining or
// leaving and some changing post or status from month to month; wages in quarter yuan (exact in
// binary, so that a query's own sum agrees to the fen) with parts, and a wage row each month of a
// person not in the month's roster.
inline void randomYear(vel::Db& db, unsigned seed, int people)
{
    std::mt19937 rng(seed);
    const auto pick = [&](std::initializer_list<long long> codes) -> Code {
        std::uniform_int_distribution<size_t> d(0, codes.size());
        const size_t i = d(rng);
        return i == codes.size() ? Code() : Code(*(codes.begin() + i));
    };
    const auto chance = [&](int percent) {
        return std::uniform_int_distribution<int>(0, 99)(rng) < percent;
    };
    const auto posts = {11LL, 12LL, 13LL, 14LL, 15LL, 18LL, 19LL, 21LL, 22LL, 23LL, 31LL,
                        32LL, 33LL, 34LL, 35LL, 41LL, 42LL, 51LL, 52LL, 53LL, 54LL, 55LL,
                        56LL, 61LL, 62LL, 63LL, 64LL};
    // Births at the age bands' limits, in both ways of writing a month, and some that are no
    // month at all.
    const QStringList births = {"1977-01", "1976-12", "1976-1", "1972-02", "1972-01", "1972-1",
                                "1967-02", "1967-01", "1962-02", "1962-01", "1957-02", "1957-01",
                                "1957-1",  "1985-06", "1969-11", "1950-03", "",       "1977-13",
                                "生日"};
    vel::Transaction tx(db);
    for (int i = 0; i < people; ++i) {
        Person p;
        p.number = QString::number(1000 + i);
        p.sSex = pick({1, 2});
        p.sqrz = pick({1, 2});
        p.sEducation = pick({1, 2, 3, 4, 5, 6, 7, 8, 9});
        p.syg = pick({1, 2});
        p.sgc = pick({1, 2});
        p.sjzs = pick({1, 2});
        p.ssg = pick({1, 2, 3});
        p.sNation = pick({1, 2});
        p.sParty = pick({1, 2});
        const int birth = std::uniform_int_distribution<int>(0, static_cast<int>(births.size()))(rng);
        p.sBirth = birth < births.size() ? std::optional<QString>(births[birth]) : std::nullopt;
        for (int month = 0; month <= 12; ++month) {
            if (month == 0 || chance(15)) {
                p.sPost = pick(posts);
                p.ssf = pick({1, 2, 3});
                p.sPostGrade = pick({10, 31, 32, 33, 34, 35});
                p.sJGrade = pick({50, 51, 52, 53, 54, 55});
            }
            if (chance(10))
                continue;
            addStaff(db, month, p);
            // Wages are entered for months 1 to 12; rows of month 0 (for the heads and the ranks)
            // must stay out of every figure but the unit heads' wages.
            if (month == 0 && !(p.sPost && *p.sPost < 30))
                continue;
            const auto quarters = [&](int from, int to) {
                return std::uniform_int_distribution<int>(from * 4, to * 4)(rng) / 4.0;
            };
            addWage(db, month, p.number, quarters(500, 6000), quarters(0, 3000),
                    chance(30) ? Part() : Part(quarters(0, 900)), quarters(0, 500));
        }
    }
    for (int month = 1; month <= 12; ++month)
        addWage(db, month, QStringLiteral("99999"), 4000);
    tx.commit();
}

// A figure as its own query gives it: `condition` selects rows of `source` (":e" the end month,
// ":l" the organ's lowest rank), `aggregate` is COUNT(*) or SUM(amount).
inline double queried(vel::Db& db, const char* aggregate, const char* source,
                      const QString& condition, int endMonth, int leaderPost)
{
    SQLite::Statement q(db.handle(), std::string("SELECT ") + aggregate + " FROM " + source +
                                         " WHERE " + condition.toStdString());
    if (condition.contains(":e"))
        q.bind(":e", endMonth);
    if (condition.contains(":l"))
        q.bind(":l", leaderPost);
    q.executeStep();
    return q.getColumn(0).getDouble();
}

// A count: persons of one month or person-months of several.
inline long long queriedCount(vel::Db& db, const QString& condition, int endMonth, int leaderPost)
{
    return static_cast<long long>(
        queried(db, "COUNT(*)", "Staff_moninfo", condition, endMonth, leaderPost));
}

// A wage sum in thousands: whole yuan first, then thousands, each rounded halves away from zero.
inline long long queriedThousands(vel::Db& db, const char* amount, const QString& condition,
                                  int endMonth, int leaderPost)
{
    const double yuan = queried(db, (std::string("SUM(") + amount + ")").c_str(), "VmonWage",
                                condition, endMonth, leaderPost);
    return vel::roundedQuotient(std::llround(yuan), 1000);
}

}  // namespace report_fixture
