#pragma once

#include "reports/FigureRules.h"

#include <vector>

namespace vel {

// Makes parts that were rounded one by one add up to their total, rounded on its own. The
// difference D = total − sum of parts goes to the first part, in order, that stays at or above 0
// after taking it; a part that would fall below 0 becomes 0 on the way, and the part that takes
// D also takes what those parts gave up, so that the parts always add up to the total. When no
// part before the last can take it, every earlier part is 0 and the last part takes the total.
void balanceParts(long long total, std::vector<long long>& parts);

// A wage total of a form and the figures that split it.
struct BalanceGroup {
    const char* total;
    std::vector<const char*> parts;
};

// balanceParts on the figures, groups in order: a later group sees the parts an earlier one set.
void balanceGroups(Figures& figures, const std::vector<BalanceGroup>& groups);

}  // namespace vel
