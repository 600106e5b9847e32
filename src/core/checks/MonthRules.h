#pragma once

#include "checks/CheckRules.h"

namespace vel {

// The rules on the monthly rosters and wages, each month against the month before.

void findCutRosters(CheckInput& in, Findings& out);        // E05
void findHeadCountJumps(CheckInput& in, Findings& out);    // W01
void findPersonWageSlips(CheckInput& in, Findings& out);   // W02
void findAverageWageJumps(CheckInput& in, Findings& out);  // W03
void findDoubleEntries(CheckInput& in, Findings& out);     // W04
void findBelowMinimumWage(CheckInput& in, Findings& out);  // W05

}  // namespace vel
