#pragma once

// A statistical year as payrolls really are, for the data check's tests and benchmark: monthly
// churn with part-month wages for joiners and leavers, quarterly performance pay by rating, a
// 13th month in December, a rise from July, a summer allowance, long sick leave paid at the
// legal floor, and on request a restructuring (a department leaves after June, a batch of hires
// in August) or a unit founded mid-year; or a government organ with steady pay. Made from a
// seed, so each shape gives the same year every time.
#include "db/Db.h"
#include "unit/UnitFigures.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <random>
#include <vector>

namespace payroll_year {

struct Shape {
    int persons = 300;
    unsigned seed = 2012;
    bool organ = false;          // steady pay, few changes of staff
    int foundedMonth = 0;        // 1..12: founded that month (no opening roster); 0 all year
    bool restructuring = false;  // a sixth leaves after June, an eighth more join in August
};

// The local minimum wage the year is paid against; sick pay is 80 % of it.
constexpr double MinWage = 2000;
constexpr double SickPay = MinWage * 0.8;

struct Person {
    QString number;
    QString name;
    QString birth;
    long long fullTime = 1;  // sqrz: 1 full-time, 2 part-time
    double base = 0;         // monthly base pay before the rise
    double allowance = 0;
    int firstMonth = 0;      // on the rosters from this month
    int lastMonth = 12;      // to this one
    int sickFrom = 0;        // months sickFrom..sickTo paid at the floor; 0 never sick
    int sickTo = 0;
    int department = 0;
};

inline QString personName(int i)
{
    static const char16_t* const family = u"王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗";
    static const char16_t* const first = u"伟芳娜敏静丽强磊军洋勇艳杰娟涛明超秀霞平刚桂英华建国玉兰志红";
    static const char16_t* const second = u"文华明英平林云东海峰波宇鑫浩然博宁安欣悦辉军琳佳思雨晨阳凯";
    const auto at = [](const char16_t* s, int k) { return QChar(s[k]); };
    return QString(at(family, i % 20)) + at(first, (i / 20) % 30) + at(second, (i / 600) % 30);
}

class Generator {
public:
    explicit Generator(const Shape& shape) : shape_(shape), rng_(shape.seed) {}

    // The persons and their monthly pay, written into the rosters and wages of the database.
    void write(vel::Db& db)
    {
        makePersons();
        vel::Transaction tx(db);
        vel::Statement staff(db, "INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok, ssf, sqrz,"
                                 " sBirth, sSex) VALUES (?, ?, ?, '1', 1, ?, ?, ?)");
        vel::Statement pay(db, "INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sN3, sN4, sTotal,"
                               " sFlag, wFlag) VALUES (?, ?, ?, ?, ?, ?, ?, ?, '1', '1')");
        for (int m = firstMonth() == 1 ? 0 : firstMonth(); m <= 12; ++m)
            for (const Person& p : persons_) {
                if (m < p.firstMonth || m > p.lastMonth)
                    continue;
                staff.run({p.name, p.number, static_cast<long long>(m), p.fullTime, p.birth,
                           static_cast<long long>(1 + p.department % 2)});
                if (m == 0)
                    continue;
                const std::array<double, 4> parts = wage(p, m);
                const double total = cents(parts[0] + parts[1] + parts[2] + parts[3]);
                pay.run({p.number, p.name, static_cast<long long>(m), parts[0], parts[1], parts[2],
                         parts[3], total});
                yearWages_ += total;
            }
        tx.commit();
    }

    const std::vector<Person>& persons() const { return persons_; }

    // What the clerk types into "数据审核用数据" for this year.
    vel::UnitFigures figures() const
    {
        long long december = 0;
        for (const Person& p : persons_)
            december += p.lastMonth == 12 ? 1 : 0;
        // Last year a little smaller and paid a little less per head, as years go.
        const long long lastHeads = december * 97 / 100;
        const double perHead = yearWages_ / 1000 / static_cast<double>(december);
        return {MinWage, lastHeads, std::round(static_cast<double>(lastHeads) * perHead * 0.95)};
    }

private:
    int firstMonth() const { return shape_.foundedMonth > 0 ? shape_.foundedMonth : 1; }

    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    double chance() { return std::uniform_real_distribution<double>(0, 1)(rng_); }
    static double cents(double v) { return std::round(v * 100) / 100; }

    void addPerson(int firstMonth)
    {
        Person p;
        const int i = static_cast<int>(persons_.size());
        p.number = QString::number(100000 + i);
        p.name = personName(i);
        p.birth = QStringLiteral("%1-%2").arg(1962 + uniform(0, 40)).arg(uniform(1, 12), 2, 10, QChar('0'));
        p.firstMonth = firstMonth;
        p.department = uniform(0, 5);
        if (shape_.organ) {
            p.base = 100 * uniform(40, 90);
            p.allowance = 100 * uniform(10, 25);
        } else {
            // Pay spread as payrolls are: most near the middle, a few managers far above.
            p.base = 100 * std::round(std::exp(std::normal_distribution<double>(8.5, 0.35)(rng_)) / 100);
            p.allowance = 50 * uniform(4, 16);
            if (chance() < 0.04) {
                p.fullTime = 2;
                p.base = 100 * uniform(10, 16);
                p.allowance = 0;
            }
        }
        persons_.push_back(p);
    }

    void makePersons()
    {
        const int start = shape_.foundedMonth > 0 ? shape_.foundedMonth : 0;
        for (int i = 0; i < shape_.persons; ++i)
            addPerson(start);
        if (shape_.organ) {
            // One change of staff every few months.
            for (int m = 2; m <= 12; m += 4) {
                persons_[static_cast<size_t>(uniform(0, shape_.persons - 1))].lastMonth = m;
                addPerson(m + 1);
            }
            return;
        }
        // Long sick leave: about one person in a hundred, four to six months at the floor.
        for (int s = 0; s < std::max(1, shape_.persons / 100); ++s) {
            Person& p = persons_[static_cast<size_t>(uniform(0, shape_.persons - 1))];
            if (p.fullTime != 1 || p.sickFrom)
                continue;
            p.sickFrom = uniform(3, 6);
            p.sickTo = p.sickFrom + uniform(3, 5);
        }
        if (shape_.restructuring)
            for (Person& p : persons_)
                if (p.department == 0)
                    p.lastMonth = 6;
        // Churn: one to two in a hundred leave each month and as many join. Who leaves in
        // December is on no roster yet of next year: the year's records show no leaving then.
        for (int m = std::max(1, start); m < 12; ++m) {
            const int moves = uniform(std::max(2, shape_.persons / 150), std::max(5, shape_.persons / 60));
            for (int k = 0; k < moves; ++k) {
                Person& p = persons_[static_cast<size_t>(uniform(0, shape_.persons - 1))];
                if (p.lastMonth == 12 && !p.sickFrom && p.firstMonth < m)
                    p.lastMonth = m;
            }
            const int hires = uniform(std::max(2, shape_.persons / 150), std::max(5, shape_.persons / 60));
            for (int k = 0; k < hires; ++k)
                addPerson(m + 1);
        }
        if (shape_.restructuring)
            for (int k = 0; k < shape_.persons / 8; ++k)
                addPerson(8);
        // Each quarter's rating: A 15 %, B 35 %, C 40 %, D 10 %.
        for (const Person& p : persons_)
            for (int q = 0; q < 4; ++q) {
                const double r = chance();
                ratings_[p.number][static_cast<size_t>(q)] = r < 0.15 ? 1.2 : r < 0.5 ? 0.8 : r < 0.9 ? 0.5 : 0;
            }
    }

    // Basic pay, performance pay, allowances, other pay (overtime and the 13th month).
    std::array<double, 4> wage(const Person& p, int m)
    {
        if (shape_.organ) {
            // The same every month; a year-end allowance of a few hundred in December.
            return {p.base, 0, p.allowance, m == 12 ? 400.0 : 0.0};
        }
        if (m >= p.sickFrom && m <= p.sickTo && p.sickFrom)
            return {SickPay, 0, 0, 0};
        const double base = m >= 7 ? cents(p.base * 1.08) : p.base;
        double performance = cents(base * 0.2);
        if (m % 3 == 0)
            performance += cents(base * ratings_[p.number][static_cast<size_t>(m / 3 - 1)] * 1.5);
        double allowance = p.allowance;
        if (m >= 6 && m <= 9 && p.fullTime == 1)
            allowance += 300;  // the summer allowance
        double other = 10 * uniform(0, 60);  // overtime differs from month to month
        if (m == 12)
            other += base;  // the 13th month
        std::array<double, 4> parts{base, performance, allowance, other};
        // Joiners and leavers are paid for the days they worked.
        const bool joined = p.firstMonth == m && m > firstMonth();
        if (joined || (p.lastMonth == m && m < 12)) {
            const double share = uniform(3, 27) / 30.0;
            for (double& part : parts)
                part = cents(part * share);
        }
        return parts;
    }

    Shape shape_;
    std::mt19937 rng_;
    std::vector<Person> persons_;
    double yearWages_ = 0;
    std::map<QString, std::array<double, 4>> ratings_;
};

// The year of the shape written into the database, with the unit's figures stored; the persons.
inline std::vector<Person> fill(vel::Db& db, const Shape& shape)
{
    Generator g(shape);
    g.write(db);
    vel::saveUnitFigures(db, g.figures());
    return g.persons();
}

}  // namespace payroll_year
