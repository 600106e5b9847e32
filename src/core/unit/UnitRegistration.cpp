#include "UnitRegistration.h"

#include "db/Db.h"

namespace vel {

std::optional<UnitRegistration> loadRegistration(Db& db)
{
    Query q(db, "SELECT * FROM Dep_Info WHERE Flag = '1'");
    if (!q.next())
        return std::nullopt;
    UnitRegistration r;
    r.name = q.text("DepName");
    r.code = q.text("DepNo");
    r.type = q.text("DepType");
    r.unitClass = q.text("DepInfo").trimmed();
    r.createMon = q.text("CreateMon").trimmed();
    return r;
}

QString unitClassFor(UnitClassChoice choice, const QString& qualification)
{
    switch (choice) {
    case UnitClassChoice::Other:
        return unit::ClassOther;
    case UnitClassChoice::Industrial:
        return unit::ClassIndustrial;
    case UnitClassChoice::Construction:
        break;
    }
    return qualification == unit::QualificationGeneral ? unit::ClassGeneralContractor
                                                       : unit::ClassLabourSubcontractor;
}

QString createMonFor(std::optional<int> foundingMonth)
{
    return foundingMonth ? QString::number(*foundingMonth - 1) : unit::ExistedAllYear;
}

QString normalizeUnitCode(const QString& code)
{
    QString out = code;
    for (QChar& c : out)
        if (c >= 'a' && c <= 'z')
            c = c.toUpper();
    return out;
}

bool isUnitCodeChar(QChar c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

QString validateRegistration(const UnitRegistration& r)
{
    bool monthOk = r.createMon == unit::ExistedAllYear;
    bool isNumber = false;
    const int m = r.createMon.toInt(&isNumber);
    if (isNumber && m >= 0 && m <= 11 && r.createMon == QString::number(m))
        monthOk = true;
    if (!monthOk)
        return QStringLiteral("请输入创办月份。");
    if (r.name.trimmed().isEmpty() || r.code.size() != 9 || r.code.contains(' '))
        return QStringLiteral("请确认单位名称或法人代码是否填写正确！");
    for (QChar c : r.code)
        if (!isUnitCodeChar(c))
            return QStringLiteral("非法字符");
    if (r.type != unit::OrganType && r.type != unit::EnterpriseType)
        return QStringLiteral("单位属性必须是“机关单位”或“企业事业单位”。");
    if (r.unitClass != unit::ClassOther && r.unitClass != unit::ClassIndustrial &&
        r.unitClass != unit::ClassGeneralContractor && r.unitClass != unit::ClassLabourSubcontractor)
        return QStringLiteral("类型必须是“否”“规上”“是1”或“是2”。");
    if (r.type == unit::OrganType && r.unitClass == unit::ClassIndustrial)
        return QStringLiteral("机关单位，不可能是规模以上工业单位！");
    if (r.type == unit::OrganType && r.unitClass != unit::ClassOther)
        return QStringLiteral("机关单位，不可能是资质建筑业单位！");
    return {};
}

SaveKind pendingSaveKind(Db& db)
{
    return db.exists("SELECT 1 FROM Dep_Info WHERE Flag = '1'") ? SaveKind::Change
                                                                : SaveKind::FirstRegistration;
}

void saveRegistration(Db& db, const UnitRegistration& r)
{
    const QString refusal = validateRegistration(r);
    if (!refusal.isEmpty())
        throw Error(refusal);
    const QString name = r.name.trimmed();
    Transaction tx(db);
    if (pendingSaveKind(db) == SaveKind::FirstRegistration) {
        db.exec("DELETE FROM Dep_Info");
        db.exec("INSERT INTO Dep_Info (DepName, DepNo, DepType, DepInfo, Flag, CreateMon)"
                " VALUES (?, ?, ?, ?, '1', ?)",
                {name, r.code, r.type, r.unitClass, r.createMon});
    } else {
        db.exec("UPDATE Dep_Info SET DepName = ?, DepNo = ?, DepType = ?, DepInfo = ?,"
                " CreateMon = ?",
                {name, r.code, r.type, r.unitClass, r.createMon});
    }
    tx.commit();
}

QString unitClassCaption(const QString& type, const QString& unitClass)
{
    if (type.trimmed() == unit::OrganType)
        return unit::OrganType;
    const QString c = unitClass.trimmed();
    if (c == unit::ClassIndustrial)
        return QStringLiteral("规模以上工业单位");
    if (c == unit::ClassOther)
        return QStringLiteral("其他企业事业单位");
    if (c == unit::ClassGeneralContractor)
        return QStringLiteral("有总承包和专业承包资质的建筑业单位");
    return QStringLiteral("有劳务分包资质的建筑业单位");
}

}  // namespace vel
