#pragma once
// The unit every benchmark works for, and the files a 16,000-person unit's clerk would import:
// a roster whose every answer is valid for a unit of class "否", varied over the code lists, and a
// wage month paying each of them within the bounds. The benchmarks that time imports, windows
// and saves all start from these.
#include "Session.h"
#include "unit/UnitRegistration.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <stdexcept>

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

namespace bench {

constexpr int People = 16000;

inline void writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
        throw std::runtime_error("cannot write " + path.toStdString());
}

inline QString rosterCsv(int people)
{
    const QStringList posts = {"管理人员", "办事人员", "技师", "高级工", "中级专业技术人员",
                               "单位负责人"};
    const QStringList education = {"大学本科", "大学专科", "硕士研究生", "普通高中", "初中"};
    const QStringList grades = {"无", "中级", "初级"};
    const QStringList skills = {"无", "技师", "高级工"};
    QString csv = "姓名,姓名编号,性别,少数民族,中共党员,出生年月,参加工作年限,其中本岗位年限,"
                  "学历,岗位名称,专业技术等级,技能等级,用工身份,全日制用工\n";
    QTextStream out(&csv);
    for (int i = 0; i < people; ++i)
        out << "员工" << i << ',' << 100000 + i << ',' << (i % 2 ? "男" : "女") << ",否,"
            << (i % 3 ? "否" : "是") << ',' << 1950 + i % 45 << '-'
            << QString::number(1 + i % 12).rightJustified(2, '0') << ',' << i % 30 << ','
            << i % 10 << ',' << education[i % 5] << ',' << posts[i % 6] << ',' << grades[i % 3]
            << ',' << skills[i % 3] << ",在岗职工,是\n";
    out.flush();
    return csv;
}

inline QString wageCsv(int people)
{
    QString csv = "姓名编号,姓名,基本工资,绩效工资,工资性津贴和补贴,其他工资\n";
    QTextStream out(&csv);
    for (int i = 0; i < people; ++i)
        out << 100000 + i << ",员工" << i << ',' << 3000 + i % 500 << ",1200.5,,300\n";
    out.flush();
    return csv;
}

}  // namespace bench
