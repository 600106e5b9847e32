#include "WageCarry.h"

#include "db/Db.h"
#include "monthly/WageSheet.h"
#include "monthly/WageStore.h"
#include "sheet/Sheet.h"
#include "staff/PersonMatch.h"

#include <vector>

namespace vel {

QString wageCarryRefusal(Db& db, int month)
{
    if (month < 2 || month > 12)
        return QStringLiteral("%1月没有上一月，无法导入上一月工资。").arg(month);
    if (!monthHasWages(db, month - 1))
        return QStringLiteral("%1月没有已存储的工资，无法导入。").arg(month - 1);
    if (!db.exists("SELECT 1 FROM Staff_moninfo WHERE sMon = ?", {static_cast<long long>(month)}))
        return QStringLiteral("名册内没有数据！");
    return {};
}

WageCarryResult carryWages(Db& db, int month, Sheet& sheet)
{
    PersonMatch match;
    std::vector<QStringList> previous;
    {
        Query q(db, "SELECT * FROM Wage_Info WHERE sMon = ? ORDER BY id",
                {static_cast<long long>(month - 1)});
        while (q.next()) {
            match.add(q.text("sNumber"), q.text("sName"));
            previous.push_back(storedWageCells(q));
        }
    }

    WageCarryResult result;
    const SheetBatch batch(sheet);
    sheet.clearRange(wage::FirstPersonRow, 1, sheet.maxRow(), wage::ColumnCount,
                     ClearWhat::Everything);
    Query roster(db, "SELECT sNumber, sName FROM Staff_moninfo WHERE sMon = ? ORDER BY id",
                 {static_cast<long long>(month)});
    for (int row = wage::FirstPersonRow; row <= sheet.maxRow() && roster.next(); ++row) {
        const QString number = roster.text("sNumber");
        const QString name = roster.text("sName");
        sheet.setText(row, wage::NumberCol, number);
        sheet.setText(row, wage::NameCol, name);
        const int paid = match.take(number, name);
        if (paid < 0) {
            ++result.joined;
            continue;
        }
        ++result.carried;
        const QStringList& cells = previous[static_cast<size_t>(paid)];
        for (int col = wage::FirstPartCol; col <= wage::TotalCol; ++col)
            sheet.setText(row, col, cells[col - 1]);
    }
    result.left = static_cast<int>(match.unused().size());
    return result;
}
QString wageCarryMessage(const WageCarryResult& result)
{
    return QStringLiteral("导入成功，共计%1人：%2人沿用上月工资，%3人为新增人员（工资待填写）；"
                          "上月%4人不在本月名单中，未导入。")
        .arg(result.persons())
        .arg(result.carried)
        .arg(result.joined)
        .arg(result.left);
}

}  // namespace vel
