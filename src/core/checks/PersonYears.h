#pragma once

#include "checks/YearRecords.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace vel {

// A person's month as the wage rules compare it.
struct PersonMonth {
    bool onRoster = false;
    bool fullTimeOnPost = false;
    std::optional<double> total;  // none without a wage row
    bool partsEmpty = false;
    // The month they joined or left: paid for part of it, so not compared.
    bool partMonth = false;
    // Full-time on post and paid below the local minimum wage (W05's case, such as sick pay).
    bool belowMinimum = false;

    // A whole month's pay, to compare.
    bool full() const { return onRoster && total && !partsEmpty && !partMonth; }
};

// One person's year, by name number: months 0..12.
struct PersonYear {
    QString number;
    QString name;
    std::array<PersonMonth, 13> months;

    // Their typical month beside `month`: the (lower) median total of their other full months not
    // below the minimum wage, so that one unusual month or a stretch of sick pay does not move it;
    // none with too few to tell. The months `leftOut` (such as the unit's bonus months) do not
    // count.
    std::optional<double> typical(int month, const std::array<bool, 13>& leftOut = {}) const;
};

// Every person of the year with a roster row or a wage row in months 1..12. A person joins in the
// first month they are on a roster when the month before it has one, and leaves in the last
// month they are on a roster when the month after it has one.
// `minWage` is the local minimum wage, when known.
std::vector<PersonYear> personYears(const YearRecords& year, std::optional<double> minWage);

}  // namespace vel
