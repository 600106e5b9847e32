#include "UnitFigures.h"

#include "Errors.h"
#include "db/Db.h"
#include "unit/UnitRegistration.h"

#include <cmath>

namespace vel {
namespace {

SqlValue value(const std::optional<double>& v)
{
    return v ? SqlValue(*v) : SqlValue(nullptr);
}

// A typed figure: empty, or a number at or above 0 (whole when `whole`).
std::optional<std::optional<double>> typedFigure(const QString& text, bool whole)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::optional<double>();
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0 || (whole && v != std::floor(v)))
        return std::nullopt;
    return std::optional<double>(v);
}


}  // namespace

UnitFigures loadUnitFigures(Db& db)
{
    UnitFigures f;
    if (!db.exists("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'Unit_Figures'"))
        return f;
    Query q(db, "SELECT MinWage, LastYearHeads, LastYearWages FROM Unit_Figures LIMIT 1");
    if (!q.next())
        return f;
    if (!q.isNull("MinWage"))
        f.minWage = q.number("MinWage");
    if (!q.isNull("LastYearHeads"))
        f.lastYearHeads = q.integer("LastYearHeads");
    if (!q.isNull("LastYearWages"))
        f.lastYearWages = q.number("LastYearWages");
    return f;
}

QString unitFiguresRefusal(const TypedUnitFigures& typed)
{
    const struct {
        const QString& text;
        bool whole;
        const char* box;
    } boxes[] = {{typed.minWage, false, "当地月最低工资标准"},
                 {typed.lastYearHeads, true, "上年年末从业人员"},
                 {typed.lastYearWages, false, "上年工资总额"}};
    for (const auto& b : boxes)
        if (!typedFigure(b.text, b.whole))
            return QStringLiteral("“%1”应为不小于0的%2，或者空着：%3")
                .arg(QString::fromUtf8(b.box),
                     b.whole ? QStringLiteral("整数") : QStringLiteral("数"), b.text.trimmed());
    return {};
}

UnitFigures readUnitFigures(const TypedUnitFigures& typed)
{
    const QString refusal = unitFiguresRefusal(typed);
    if (!refusal.isEmpty())
        throw Error(refusal);
    UnitFigures f;
    f.minWage = *typedFigure(typed.minWage, false);
    if (const std::optional<double> heads = *typedFigure(typed.lastYearHeads, true))
        f.lastYearHeads = static_cast<long long>(*heads);
    f.lastYearWages = *typedFigure(typed.lastYearWages, false);
    return f;
}

void writeUnitFigures(Db& db, const UnitFigures& f)
{
    db.exec("DELETE FROM Unit_Figures");
    db.exec("INSERT INTO Unit_Figures (MinWage, LastYearHeads, LastYearWages) VALUES (?, ?, ?)",
            {value(f.minWage),
             f.lastYearHeads ? SqlValue(*f.lastYearHeads) : SqlValue(nullptr),
             value(f.lastYearWages)});
}

void saveUnitFigures(Db& db, const UnitFigures& f)
{
    Transaction tx(db);
    writeUnitFigures(db, f);
    tx.commit();
}

void saveUnitInfo(Db& db, const UnitRegistration& registration, const TypedUnitFigures& typed)
{
    const QString refusal = validateRegistration(registration);
    if (!refusal.isEmpty())
        throw Error(refusal);
    const UnitFigures figures = readUnitFigures(typed);
    Transaction tx(db);
    writeRegistration(db, registration);
    writeUnitFigures(db, figures);
    tx.commit();
}

}  // namespace vel
