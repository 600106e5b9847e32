#pragma once

#include "Session.h"
#include "checks/DataCheck.h"
#include "db/Db.h"

#include <QString>

#include <set>
#include <string>

// A steady year for the data check: `people` full-time on-post persons in the opening roster and
// every month, named and born apart, each paid the same every month in two parts.
namespace check_year {

using Found = std::set<std::string>;  // "code place"

// What the check finds, as "code place" each.
inline Found found(vel::Session& s, const vel::CheckScope& scope = {})
{
    Found out;
    for (const vel::Finding& f : vel::runDataCheck(s, scope))
        out.insert((f.code + ' ' + f.place.token()).toStdString());
    return out;
}

inline QString number(int i)
{
    return QString::number(1000 + i);
}

inline void fill(vel::Db& db, int people, double wage = 4000)
{
    vel::Transaction tx(db);
    vel::Statement staff(db, "INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok, ssf, sqrz,"
                             " sBirth) VALUES (?, ?, ?, '1', 1, 1, ?)");
    vel::Statement pay(db, "INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sTotal, sFlag,"
                           " wFlag) VALUES (?, ?, ?, ?, 500, ?, '1', '1')");
    for (long long m = 0; m <= 12; ++m)
        for (int i = 0; i < people; ++i) {
            const QString name = QStringLiteral("职工%1").arg(i);
            staff.run({name, number(i), m, QStringLiteral("%1-%2").arg(1960 + i % 40).arg(1 + i % 12)});
            if (m > 0)
                pay.run({number(i), name, m, wage - 500, wage});
        }
    tx.commit();
}

inline void registerUnit(vel::Session& s)
{
    vel::UnitRegistration r;
    r.name = QStringLiteral("审核单位");
    r.code = QStringLiteral("123456789");
    r.type = vel::unit::EnterpriseType;
    r.unitClass = QStringLiteral("否");
    vel::saveRegistration(s.db(), r);
    s.unitRegistered();
}

}  // namespace check_year
