#pragma once

#include "ReportFixture.h"
#include "TestSession.h"
#include "unit/UnitRegistration.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// Every form the registered unit draws, each computed for the first kind of period it takes (the
// first quarter, the year, the opening roster, months 1 to 12) on the session's records.
inline std::vector<std::unique_ptr<vel::FormRun>> everyForm(vel::Session& s)
{
    std::vector<std::unique_ptr<vel::FormRun>> runs;
    for (const vel::FormDefinition* form : vel::forms()) {
        if (!form->appliesTo(s.unit().isOrgan()))
            continue;
        vel::FormPeriod period;
        switch (form->periods.front()) {
        case vel::PeriodKind::Quarter:
            period = vel::FormPeriod::ofQuarter(1);
            break;
        case vel::PeriodKind::Year:
            period = vel::FormPeriod::ofYear();
            break;
        case vel::PeriodKind::OpeningRoster:
            period = vel::FormPeriod::ofOpeningRoster();
            break;
        case vel::PeriodKind::MonthRange:
            period = vel::FormPeriod::ofRange(QStringLiteral("1"), QStringLiteral("12"));
            break;
        }
        auto run = std::make_unique<vel::FormRun>(s, *form, period);
        EXPECT_TRUE(run->check().passed) << form->number.toStdString();
        EXPECT_TRUE(run->computeAndStore().passed) << form->number.toStdString();
        runs.push_back(std::move(run));
    }
    return runs;
}

// A year of records for a unit of either kind: both draw every form but the wage summary, which
// is I704 for the enterprise and I705 for the organ.
inline void everyFormYear(TestSession& s, bool organ, const QString& unitName = QStringLiteral("测试单位"))
{
    vel::UnitRegistration r;
    r.name = unitName;
    r.code = QStringLiteral("123456789");
    r.type = organ ? vel::unit::OrganType : vel::unit::EnterpriseType;
    r.unitClass = vel::unit::ClassOther;
    vel::saveRegistration(s.db(), r);
    s->unitRegistered();
    report_fixture::randomYear(s.db(), 7, 60);
}
