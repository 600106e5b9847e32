#pragma once

#include "checks/CheckRules.h"

namespace vel {

// The rules on the monthly rosters, each month against the month before.

void findCutRosters(CheckInput& in, Findings& out);        // E05
void findHeadCountJumps(CheckInput& in, Findings& out);    // W01
void findDoubleEntries(CheckInput& in, Findings& out);     // W04

}  // namespace vel
