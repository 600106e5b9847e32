#pragma once

#include "reports/FormPeriod.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vel {

class Db;
struct FormDefinition;
class Session;

// A stored form's figures by column, as whole numbers in the unit the form computes them in
// (hundredths for the figures it keeps in fen); nullopt for an empty one.
using StoredFigures = std::map<std::string, std::optional<long long>>;

// The one row of a figure form's table; nullopt when none is stored.
std::optional<StoredFigures> storedFormRow(Db& db, const FormDefinition& form);

// A wage summary's stored copy of a range, by Gid; empty when none is stored for the form.
std::map<int, StoredFigures> storedSummaryCopy(Db& db, const FormDefinition& form,
                                               const MonthRange& range);

// A stored figure, an empty or missing one as 0.
long long storedValue(const StoredFigures& figures, const std::string& column);

// The form of a command for the registered unit's kind.
const FormDefinition& formForUnit(Session& session, const char* command);

}  // namespace vel
