#pragma once

#include "checks/CheckRules.h"

#include <optional>

namespace vel {

// E04: every submission file of the unit's forms, read back as the receiver reads it, holds the
// figures stored for its period, in its form's fields and records, under the registered unit
// number.
void findFilesOffStored(CheckInput& in, Findings& out);

// Whether the form's first file for the period, read as the receiver reads it, holds what the
// records give now; nullopt when there is no such file.
std::optional<bool> submissionCurrent(Session& session, const FormDefinition& form,
                                      const FormPeriod& period);

// E04 on the files of one form and period, as just written by "生成上报".
Findings checkWrittenFiles(Session& session, const FormDefinition& form, const FormPeriod& period);

}  // namespace vel
