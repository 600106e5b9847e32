#pragma once

#include "checks/CheckRules.h"

namespace vel {

// The rules where a month's records contradict each other or another month's: what the forms
// would silently leave out or refuse.

void findRosterWithoutWages(CheckInput& in, Findings& out);  // E06
void findWagesOffRoster(CheckInput& in, Findings& out);      // E07
void findFailedRosterRows(CheckInput& in, Findings& out);    // E08
void findFailedWageRows(CheckInput& in, Findings& out);      // E09
void findMissingMonths(CheckInput& in, Findings& out);       // E10
void findCopiedWageMonths(CheckInput& in, Findings& out);    // W07

}  // namespace vel
