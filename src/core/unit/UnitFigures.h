#pragma once

#include <QString>

#include <optional>

namespace vel {

class Db;

// What the data check compares the unit's year with, each empty until known: the local monthly
// minimum wage ("当地月最低工资标准"), last year's year-end head count and last year's wage total
// in thousands of yuan (as I102-1 gives them).
struct UnitFigures {
    std::optional<double> minWage;
    std::optional<long long> lastYearHeads;
    std::optional<double> lastYearWages;
};

// The stored figures; all empty in a file of an older version opened only for reading.
UnitFigures loadUnitFigures(Db& db);

// The figures as typed in the unit window: an empty box is an empty figure. The refusal names the
// box whose text is no figure (a negative one, or a head count with a fraction); empty when all are.
struct TypedUnitFigures {
    QString minWage;
    QString lastYearHeads;
    QString lastYearWages;
};
QString unitFiguresRefusal(const TypedUnitFigures& typed);
// Throws Error with the refusal; stores nothing then.
UnitFigures readUnitFigures(const TypedUnitFigures& typed);

// Replaces the stored figures; write… inside the caller's transaction.
void saveUnitFigures(Db& db, const UnitFigures& figures);
void writeUnitFigures(Db& db, const UnitFigures& figures);

struct UnitRegistration;
// "单位信息"'s save: the registration and the figures in one transaction. Throws Error with the
// refusal, storing nothing, when either is refused.
void saveUnitInfo(Db& db, const UnitRegistration& registration, const TypedUnitFigures& figures);

}  // namespace vel
