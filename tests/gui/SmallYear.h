#pragma once

#include "Session.h"
#include "db/Db.h"
#include "unit/UnitRegistration.h"

// A registered enterprise with `persons` office clerks in every roster, each paid 3,000 yuan in
// every month: the report windows' year.
inline void fillSmallYear(vel::Session& s, int persons)
{
    vel::UnitRegistration r;
    r.name = "测试单位";
    r.code = "12345678X";
    r.type = vel::unit::EnterpriseType;
    r.unitClass = "否";
    vel::saveRegistration(s.db(), r);
    s.unitRegistered();
    vel::Transaction tx(s.db());
    for (int month = 0; month <= 12; ++month)
        for (int p = 1; p <= persons; ++p) {
            s.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sSex, sEducation, sPost, ssf,"
                        " sqrz, sIsok, sMon) VALUES (?, ?, 1, 3, 41, 1, 1, '1', ?)",
                        {QString("人%1").arg(p), QString::number(p), static_cast<long long>(month)});
            if (month > 0)
                s.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sTotal, sFlag,"
                            " wFlag) VALUES (?, ?, ?, 3000, 3000, '1', '1')",
                            {QString::number(p), QString("人%1").arg(p),
                             static_cast<long long>(month)});
        }
    tx.commit();
}
