#pragma once

#include "db/Db.h"
#include "reports/FormDefinition.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace vel {

// Every form the program draws, in their order in the menus, the help and the lists: each
// `const FormDefinition& …Form()` defined in reports/forms, found there by the build.
const std::vector<const FormDefinition*>& forms();

// The form a command draws for a unit of this kind (the wage summary is I704, or I705 for a
// government organ); nullptr for a command no form has.
const FormDefinition* formFor(const QString& command, bool organ);

// The commands of the forms, each once, in the forms' order.
QStringList formCommands();

// The stored tables of every form, each once: what the schema creates.
std::vector<const StoredTable*> formTables();

// The same tables as the database makes them: given to every opening of a unit's file, so a
// file from before a form gains its table.
const std::vector<OwnedTable>& formTableSchemas();

}  // namespace vel
