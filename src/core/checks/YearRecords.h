#pragma once

#include <QHash>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace vel {

class Db;

// A person of a month's roster, as the data check reads them.
struct RosterPerson {
    QString number;
    QString name;
    QString birth;  // as stored
    std::optional<long long> ssf;
    std::optional<long long> sqrz;
    bool failed = false;  // failed the roster's audit (sIsok '0')
};

// A wage row of a month.
struct WageRow {
    QString number;
    QString name;
    double total = 0;
    bool partsEmpty = false;  // none of the four parts holds a value
    bool failed = false;      // flagged by the wage checks (sFlag or wFlag '0')
};

struct MonthRecords {
    std::vector<RosterPerson> roster;
    std::vector<WageRow> wages;
    double wageTotal = 0;
    // The wages the forms count, in millionths of a yuan, exact: a wage row joins every roster
    // row of its month with its number, so one of a person not on the roster counts nothing.
    long long formWageMicros = 0;

    bool hasRoster() const { return !roster.empty(); }
    bool hasWages() const { return !wages.empty(); }
    // The month's average wage: its wage total over its wage rows; nullopt without wages.
    std::optional<double> averageWage() const;
};

// Every month's roster and wages (0 the opening roster), read once for all rules.
struct YearRecords {
    std::array<MonthRecords, 13> months;

    // The last month 1..12 that has a roster; 0 when none has.
    int lastRosterMonth() const;
    // The last month 1..12 that has a roster or wages; 0 when none has.
    int lastEnteredMonth() const;
    // The wages the forms count of months first..last, in millionths of a yuan.
    long long formWageMicros(int first, int last) const;
};

YearRecords loadYearRecords(Db& db);

}  // namespace vel
