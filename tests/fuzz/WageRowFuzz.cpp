// The wage parser: the parts of a wage row are read as amounts or refused, and the total of
// what is read is a finite figure within the four parts' limit, shown without an exponent.
#include "FuzzSupport.h"
#include "monthly/WageSheet.h"
#include "monthly/WageStore.h"
#include "sheet/Sheet.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace vel;
    Sheet sheet(wage::FirstPersonRow, wage::ColumnCount);
    const QStringList cells = fuzz::typed(data, size).split(u'\t');
    for (int col = 1; col <= std::min<int>(cells.size(), wage::LastPartCol); ++col)
        sheet.setText(wage::FirstPersonRow, col, cells[col - 1]);
    const WageRowTotal row = totalWageRow(sheet, wage::FirstPersonRow);
    fuzz::require(std::isfinite(row.total) && row.total >= 0 &&
                  row.total <= 4 * wage::MaxAmount);
    for (const std::optional<double>& part : row.parts)
        fuzz::require(!part || std::fabs(*part) <= wage::MaxAmount);
    const QString shown = decimalText(row.total);
    fuzz::require(!shown.contains(u'e') && !shown.contains(u'E'));
    bool ok = false;
    fuzz::require(std::fabs(shown.toDouble(&ok) - row.total) <= 1e-6 * std::max(1.0, row.total) &&
                  ok);
    return 0;
}
