#pragma once

#include "Session.h"
#include "sheet/Sheet.h"
#include "staff/RosterFile.h"
#include "staff/RosterStore.h"
#include "staff/StaffRules.h"

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <vector>

// Rosters brought in as `roster import` brings them: a file read, coded, audited and stored.
namespace roster_import {

struct Person {
    QString name;
    QString number;
    QString role;  // 在岗职工, 劳务派遣人员 or 其他从业人员
};

// Writes the persons, with answers every one of them passes the audit with, as a roster file in
// `folder` and imports it as the month's roster.
inline void importRoster(vel::Session& s, const QString& folder, int month,
                         const std::vector<Person>& people)
{
    const QString path = folder + QStringLiteral("/roster-%1.csv").arg(month);
    QString text = QStringLiteral("姓名,姓名编号,性别,少数民族,中共党员,出生年月,参加工作年限,"
                                  "其中本岗位年限,学历,岗位名称,专业技术等级,技能等级,用工身份,"
                                  "全日制用工\n");
    for (const Person& p : people)
        text += QStringLiteral("%1,%2,男,否,否,1970-01,10,5,大学专科,管理人员,无,无,%3,是\n")
                    .arg(p.name, p.number, p.role);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
    f.close();
    vel::Sheet sheet(vel::Sheet::DefaultMaxRow, vel::staff::ColumnCount);
    const vel::StaffClass staffClass = vel::staffClassOf(s.unit().CurDepInfo);
    vel::placeRosterFile(vel::readRosterFile(s.db(), path), sheet, staffClass);
    s.codes().load(s.db(), s.postFilter());
    const vel::StaffPassResult audit = vel::auditAndReplaceRoster(
        s.db(), month, sheet, vel::StaffRules(s.codes(), s.unit()), staffClass);
    ASSERT_TRUE(audit.allRowsOk()) << "month " << month;
}

}  // namespace roster_import
