#pragma once

#include "checks/CheckRules.h"

namespace vel {

// The rules on wages, each measured against the unit's and the person's own usual month, so that
// a bonus month, a rise or a stretch of sick leave is one finding and the return to normal none.

void findPersonWageSlips(CheckInput& in, Findings& out);   // W02
void findAverageWageJumps(CheckInput& in, Findings& out);  // W03
void findBelowMinimumWage(CheckInput& in, Findings& out);  // W05

}  // namespace vel
