#include "SupplementLine.h"

#include "reports/FormTemplate.h"
#include "sheet/Sheet.h"

namespace vel {

QString SupplementLine::text(const std::optional<long long>& figure) const
{
    const QString head = blanks(indent) + label;
    return figure ? head + blanks(gap) + QString::number(*figure) + blanks(2) + tail
                  : head + blanks(emptyGap) + tail;
}

void writeSupplement(Sheet& sheet,
                     const std::vector<SupplementLine>& lines,
                     const QString& unitClass,
                     Figures& figures)
{
    for (const SupplementLine& line : lines) {
        std::optional<long long>& value = figures[line.field];
        if (!line.classes.contains(unitClass))
            value.reset();
        sheet.setText(line.row, 1, line.text(value));
    }
}

}  // namespace vel
