#include "UnitCommands.h"

#include "CliSupport.h"
#include "Session.h"
#include "ShownText.h"
#include "sheet/SheetClipboard.h"
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

int unitSet(Session& session, const UnitSetOptions& options)
{
    if (options.foundedMonth && (*options.foundedMonth < 1 || *options.foundedMonth > 12)) {
        err(QStringLiteral("请输入创办月份。"));
        return Refused;
    }
    UnitRegistration r;
    r.name = options.name.trimmed();
    r.code = normalizeUnitCode(options.code.trimmed());
    r.type = options.type;
    r.unitClass = options.unitClass;
    r.createMon = createMonFor(options.foundedMonth);
    const QString refusal = validateRegistration(r);
    if (!refusal.isEmpty()) {
        err(refusal);
        return Refused;
    }
    saveRegistration(session.db(), r);
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
