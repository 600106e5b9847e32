#pragma once

#include "checks/CheckRules.h"

namespace vel {

// E04: every submission file of the unit's forms, read back as the receiver reads it, holds the
// figures stored for its period, in its form's fields and records, under the registered unit
// number.
void findFilesOffStored(CheckInput& in, Findings& out);

// E04 on the files of one form and period, as just written by "生成上报".
Findings checkWrittenFiles(Session& session, const FormDefinition& form, const FormPeriod& period);

}  // namespace vel
