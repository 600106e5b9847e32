#pragma once

#include "reports/Tally.h"

namespace vel {

// The amounts of a wage row: its total and its four parts (sTotal, sN1 to sN4).
enum class Amount { Total, Basic, Performance, Allowance, Other };

// Wage sums from VmonWage, the wage rows joined to their month's roster, by the staff codes of
// the person. Sums are kept in millionths of a yuan as whole numbers: exact, so that a sum ending
// in half a yuan rounds the same whatever order the rows come in.
class WageSums {
public:
    // Reads the wages of months 0..lastMonth once, by the codes of `columns`; `joined` as Tally
    // takes them.
    WageSums(Db& db, int lastMonth, std::vector<std::string> columns,
             std::vector<std::string> joined = {});

    // The sum of `amount` over the wage rows of months first..last that `who` takes, in
    // millionths of a yuan; 0 when there are none. An empty amount adds nothing.
    long long micros(Amount amount, const Selection& who, int firstMonth, int lastMonth) const;

private:
    Tally<5> tally_;
};

// A stored amount in millionths of a yuan, the unit every wage sum is kept in; refuses an amount
// beyond any wage, which would not fit the sums.
long long amountMicros(double yuan);

// A sum taken as a whole number of yuan in the "0" format.
long long wholeYuan(long long micros);
// A sum taken as a whole number of yuan, then divided by 1000, each step in the "0" format.
long long thousandsOfYuan(long long micros);

}  // namespace vel
