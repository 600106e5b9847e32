#pragma once

#include <QString>

namespace vel {

class Db;

namespace periodEnd {
inline const QString FromStaffQuestion = QStringLiteral("从[从业人员]中汇总？");
inline const QString Illegal = QStringLiteral("非法数字，请核实！");
inline const QString Generated = QStringLiteral("期末从业人员数量生成成功！");
inline const QString AffectsReports = QStringLiteral("将影响报表生成！");
inline const QString Set = QStringLiteral("设置成功！");
QString countQuestion(long long count);
}  // namespace periodEnd

// The persons of the legacy staff table, the total "从[从业人员]中汇总" offers.
long long legacyStaffCount(Db& db);

// "非法数字，请核实！" when the trimmed text holds anything but the digits 0-9; empty when it may
// be stored (an empty text may: it stores an empty total).
QString periodEndTotalRefusal(const QString& text);

// Replaces the one Initial_Info row with the unit's trimmed number and total, in one
// transaction. Throws Error with the refusal for an illegal total, storing nothing.
void storePeriodEndTotal(Db& db, const QString& unitCode, const QString& total);

}  // namespace vel
