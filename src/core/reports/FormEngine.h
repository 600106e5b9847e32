#pragma once

#include "Progress.h"
#include "period/PeriodChecks.h"

#include <QString>

#include <optional>

namespace vel {

class Sheet;

// One form computed for one period, the way its kind of form computes: the figure forms by their
// figure rules, the talent summaries by category counts, the wage summaries by their summary
// lines. The run drives every kind alike.
class FormEngine {
public:
    virtual ~FormEngine() = default;

    // The form's template until compute(), then with every figure.
    virtual Sheet& sheet() = 0;
    // Computes the form into its sheet, or refuses (computing nothing) while the records may
    // not be counted.
    virtual CheckOutcome compute(const Progress& progress) = 0;
    // Stores what compute() found, in one transaction.
    virtual void store() = 0;
    // The line above the sheet that names the period, where the form shows one.
    virtual std::optional<QString> periodLine() const = 0;
};

}  // namespace vel
