#include "UnitCommands.h"

#include "CliSupport.h"
#include "Session.h"
#include "ShownText.h"
#include "sheet/SheetClipboard.h"
#include "unit/UnitFigures.h"
#include "unit/UnitList.h"

namespace vel::cli {

int unitShow(Session& session)
{
    const std::optional<UnitRegistration> r = loadRegistration(session.db());
    if (!r) {
        err(QStringLiteral("请先填写单位基本信息！"));
        return Refused;
    }
    out("DepNo=" + r->code);
    out("DepName=" + r->name);
    out("DepType=" + r->type);
    out("DepInfo=" + r->unitClass);
    out("CreateMon=" + r->createMon);
    return 0;
}

namespace {

// The stored figures as the unit window shows them, replaced by those typed.
TypedUnitFigures typedFigures(Session& session, const UnitSetOptions& options)
{
    const UnitFigures stored = loadUnitFigures(session.db());
    const auto text = [](const auto& v) {
        return v ? QString::number(static_cast<double>(*v), 'g', 15) : QString();
    };
    return {options.minWage.value_or(text(stored.minWage)),
            options.lastHeads.value_or(text(stored.lastYearHeads)),
            options.lastWages.value_or(text(stored.lastYearWages))};
}

}  // namespace

int unitSet(Session& session, const UnitSetOptions& options)
{
    const bool registers = options.name || options.code;
    if (!registers && !options.setsFigures()) {
        err(QStringLiteral("unit set 需要 --name 和 --code，或审核用数据 --min-wage、--last-heads、--last-wages。"));
        return Usage;
    }
    if (options.foundedMonth && (*options.foundedMonth < 1 || *options.foundedMonth > 12)) {
        err(QStringLiteral("请输入创办月份。"));
        return Refused;
    }
    const TypedUnitFigures figures = typedFigures(session, options);
    const QString figuresRefusal = unitFiguresRefusal(figures);
    if (!figuresRefusal.isEmpty()) {
        err(figuresRefusal);
        return Refused;
    }
    if (!registers) {
        saveUnitFigures(session.db(), readUnitFigures(figures));
        out(QStringLiteral("保存成功！"));
        return 0;
    }
    UnitRegistration r;
    r.name = options.name.value_or(QString()).trimmed();
    r.code = normalizeUnitCode(options.code.value_or(QString()).trimmed());
    r.type = options.type;
    r.unitClass = options.unitClass;
    r.createMon = createMonFor(options.foundedMonth);
    const QString refusal = validateRegistration(r);
    if (!refusal.isEmpty()) {
        err(refusal);
        return Refused;
    }
    saveUnitInfo(session.db(), r, figures);
    out(QStringLiteral("保存成功！"));
    return 0;
}

int unitList()
{
    for (const KnownUnit& u : UnitList().units())
        out(delimitedLine({u.code, u.name, u.type, u.unitClass, u.folder,
                           dateTimeText(u.lastOpened)},
                          '\t'));
    return 0;
}

}  // namespace vel::cli
