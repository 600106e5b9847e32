#pragma once
// The unit every benchmark works for.
#include "Session.h"
#include "unit/UnitRegistration.h"

namespace vel {

// `unitClass` "是1" for a unit that answers every staff column, "否" for one that answers few.
inline void registerBenchUnit(Session& session, const char* unitClass)
{
    UnitRegistration r;
    r.name = "基准单位";
    r.code = "123456789";
    r.type = unit::EnterpriseType;
    r.unitClass = unitClass;
    saveRegistration(session.db(), r);
    session.unitRegistered();
}

}  // namespace vel
