#include "UnitRegistration.h"

#include "Errors.h"
#include "db/Db.h"
#include "io/DelimitedFile.h"
#include "output/DbfWriter.h"

#include <algorithm>

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
    // The code names every file the program writes: a stored one must pass the rules it was
    // typed under, whatever put it into the database.
    if (!isUnitCode(r.code))
        throw Error(QStringLiteral("数据库 %1 中登记的组织机构代码“%2”不符合规则（应为9位数字或字母），"
                                   "不能使用。请用“veldrassa-cli unit set”重新登记单位。")
                        .arg(db.path(), r.code));
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

bool isUnitCode(const QString& code)
{
    return code.size() == 9 && std::all_of(code.begin(), code.end(), isUnitCodeChar);
}

QString unitNameRefusal(const QString& name)
{
    if (const qsizetype at = controlCharAt(name); at >= 0)
        return QStringLiteral("单位名称含有控制字符 %1，请删除。").arg(charCodeText(name[at]));
    const std::optional<QByteArray> bytes = gbkBytes(name);
    if (!bytes) {
        const QString ch = firstNonGbkCharacter(name);
        if (!ch.isEmpty())
            return QStringLiteral("单位名称含有上报文件（GBK编码）无法表示的字符“%1”，请改写。").arg(ch);
        return QStringLiteral("单位名称无法转换为上报文件的GBK编码，请改写。");
    }
    if (bytes->size() > DbfMaxTextBytes)
        return QStringLiteral("单位名称过长：上报文件最多容纳%1个字节（%2个汉字），该名称有%3个字节。")
            .arg(DbfMaxTextBytes)
            .arg(DbfMaxTextBytes / 2)
            .arg(bytes->size());
    return {};
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
    if (!isUnitCode(r.code))
        return QStringLiteral("非法字符");
    const QString nameRefusal = unitNameRefusal(r.name.trimmed());
    if (!nameRefusal.isEmpty())
        return nameRefusal;
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
    Transaction tx(db);
    writeRegistration(db, r);
    tx.commit();
}

void writeRegistration(Db& db, const UnitRegistration& r)
{
    const QString name = r.name.trimmed();
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

QString qualificationAnswer(const QString& unitClass)
{
    // The classes as unitClassCaption reads them: any value but the three others is labour
    // subcontracting.
    const QString c = unitClass.trimmed();
    if (c == unit::ClassOther || c == unit::ClassIndustrial)
        return QStringLiteral("否");
    return QStringLiteral("是（%1）")
        .arg(c == unit::ClassGeneralContractor ? unit::QualificationGeneral
                                               : unit::QualificationLabour);
}

}  // namespace vel
