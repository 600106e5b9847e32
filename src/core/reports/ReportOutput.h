#pragma once

#include "output/DbfWriter.h"
#include "output/FileMessages.h"
#include "reports/FormPeriod.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <string>

namespace vel {

struct UnitAttributes;

// The widths of the report tables' text fields in their submission files: the unit's code (nine
// characters), the date of computation (yyyy-MM-dd) and the unit's name, as long as its
// registration accepts it.
const std::map<std::string, int>& reportTextWidths();

// The whole of a report table as a submission file's rows; `decimalColumns` with two places.
std::function<DbfSource(Db&, const FormPeriod&)>
tableSource(const char* table, const std::vector<std::string>& decimalColumns = {});

// The unit's lines over the sheet that several forms share: the older labor forms', and the
// summaries' (Ⅰ303-1, I704, I705).
QStringList laborUnitLines(const UnitAttributes& unit);
QStringList summaryUnitLines(const UnitAttributes& unit);

// A caption that is the same for every period.
std::function<QString(const FormPeriod&)> fixedCaption(const QString& caption);

}  // namespace vel
