#pragma once

#include "TestSession.h"

// A registered unit with staff in the opening roster and months 1 and 2, wages in months 1 and 2.
inline void registerUnit(vel::Session& s)
{
    vel::UnitRegistration r;
    r.name = "单位";
    r.code = "123456789";
    r.type = vel::unit::EnterpriseType;
    r.unitClass = "否";
    vel::saveRegistration(s.db(), r);
}

inline void staffRow(vel::Db& db, int month, const QString& name, const QString& number = "1")
{
    db.exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok) VALUES (?, ?, ?, '1')",
            {name, number, static_cast<long long>(month)});
}

inline void wageRow(vel::Db& db, int month, const QString& number = "1")
{
    db.exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sTotal, sFlag, wFlag)"
            " VALUES (?, '甲', ?, 3000, '1', '1')",
            {number, static_cast<long long>(month)});
}

inline void fillYearStart(vel::Session& s)
{
    registerUnit(s);
    for (int month = 0; month <= 2; ++month) {
        staffRow(s.db(), month, "甲");
        if (month > 0)
            wageRow(s.db(), month);
    }
}

inline long long countOf(vel::Db& db, const char* sql)
{
    return std::get<long long>(db.scalar(sql));
}
