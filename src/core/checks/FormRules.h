#pragma once

#include "checks/CheckRules.h"

namespace vel {

// The rules on the stored forms: each form in itself, against the records, against another
// form, and the year against last year.

void findUnbalancedForms(CheckInput& in, Findings& out);    // E01
void findFormsOffRecords(CheckInput& in, Findings& out);    // E02
void findFormsDisagreeing(CheckInput& in, Findings& out);   // E03
void findYearAgainstLastYear(CheckInput& in, Findings& out);  // W06

}  // namespace vel
