#pragma once

#include "reports/FigureRules.h"

#include <optional>
#include <vector>

namespace vel {

// What an average wage shows when its wage figure is not 0 but its head count is below 1: the
// quarterly form leaves the cell empty, the annual form writes 0.
enum class WithoutHeads { Empty, Zero };

// The average wage in yuan from a wage figure in thousands of yuan and an average head count,
// both as the form shows them (rounded): figure × 1000 ÷ heads in the "0" format; 0 when the
// figure is 0. nullopt for an empty cell.
std::optional<long long> averageWage(long long thousands, long long heads, WithoutHeads rule);

// amount × scale ÷ heads in the "0" format, 0 without heads: a remuneration per head in yuan
// (scale 1) or in fen (scale 100), from the figures as the form shows them.
long long perHead(long long amount, long long heads, long long scale = 1);

// An average wage of a form: its column and cell, from a wage figure and an average head count.
struct AverageWageRule {
    const char* field;
    FormCell cell;
    const char* wage;
    const char* heads;
};

void averageWages(Figures& figures, const std::vector<AverageWageRule>& rules, WithoutHeads rule);

}  // namespace vel
