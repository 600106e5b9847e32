#pragma once

// A year of 16,000 persons in the opening roster and every month, a third in each employment
// status, each paid 3,500 yuan every month; with `submitted`, the unit registered and the four
// files of I202-1 and I102-1 written.
#include "BenchUnit.h"
#include "Session.h"
#include "db/Db.h"
#include "reports/FormRun.h"
#include "reports/Forms.h"

namespace bench {

inline void fillSixteenThousandYear(vel::Session& session, bool submitted)
{
    using namespace vel;
    {
        Transaction tx(session.db());
        Statement staff(session.db(),
                        "INSERT INTO Staff_moninfo (sName, sNumber, sMon, ssf, sIsok) VALUES (?, ?, ?, ?, '1')");
        Statement wage(session.db(),
                       "INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sTotal, sFlag, wFlag)"
                       " VALUES (?, ?, ?, 3000, 500, 3500, '1', '1')");
        for (long long m = 0; m <= 12; ++m)
            for (int i = 0; i < People; ++i) {
                const QString number = QString::number(100000 + i);
                staff.run({QStringLiteral("员工%1").arg(i), number, m, static_cast<long long>(i % 3 + 1)});
                if (m > 0)
                    wage.run({number, QStringLiteral("员工%1").arg(i), m});
            }
        tx.commit();
    }
    if (!submitted)
        return;
    registerBenchUnit(session, "否");
    for (int quarter = 1; quarter <= 3; ++quarter) {
        FormRun report(session, *formFor("quarterly", false), FormPeriod::ofQuarter(quarter));
        report.compute();
        report.submit();
    }
    FormRun annual(session, *formFor("annual", false), FormPeriod::ofYear());
    annual.compute();
    annual.submit();
}

}  // namespace bench
