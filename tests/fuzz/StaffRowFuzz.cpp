// The full audit of one staff row against the shipped code lists, for every unit class: any
// answers are coded or failed, and a passing row has a code for every coded answer it gives.
#include "FuzzSupport.h"
#include "sheet/Sheet.h"
#include "staff/StaffRules.h"

#include <QStringList>

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace vel;
    if (size == 0)
        return 0;
    static const QString classes[] = {"否", "规上", "是1", "是2"};
    fuzz::Unit& unit = fuzz::Unit::shared();
    UnitAttributes attributes = unit.attributes;
    attributes.CurDepInfo = classes[data[0] % 4];
    attributes.CurDepType = data[0] & 4 ? QStringLiteral("机关单位") : QStringLiteral("企业事业单位");
    const StaffRules rules(unit.codes, attributes);

    Sheet sheet(staff::FirstPersonRow, staff::ColumnCount);
    const QStringList cells = fuzz::typed(data + 1, size - 1).split(u'\t');
    for (int col = 1; col <= std::min<int>(cells.size(), staff::AnswerCount); ++col)
        sheet.setText(staff::FirstPersonRow, col, cells[col - 1]);
    const StaffRowResult result =
        rules.auditRow(sheet, staff::FirstPersonRow, staffpass::OpeningSave);
    fuzz::require(result.passed == result.failedColumns.empty());
    if (result.passed)
        for (const StaffColumn& c : staffColumns())
            if (c.codeField && staffColumnUsed(c.col, staffClassOf(attributes.CurDepInfo)))
                fuzz::require(!sheet.text(staff::FirstPersonRow, c.codeCol).isEmpty());
    return 0;
}
