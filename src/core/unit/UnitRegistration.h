#pragma once

#include <QString>

#include <optional>

namespace vel {

class Db;

namespace unit {
inline const QString OrganType = QStringLiteral("机关单位");
inline const QString EnterpriseType = QStringLiteral("企业事业单位");
inline const QString ClassOther = QStringLiteral("否");
inline const QString ClassIndustrial = QStringLiteral("规上");
inline const QString ClassGeneralContractor = QStringLiteral("是1");
inline const QString ClassLabourSubcontractor = QStringLiteral("是2");
inline const QString QualificationGeneral = QStringLiteral("有总承包和专业承包资质");
inline const QString QualificationLabour = QStringLiteral("有劳务分包资质");
inline const QString ExistedAllYear = QStringLiteral("99");
}  // namespace unit

// The one registered reporting unit (the Dep_Info row whose Flag is '1').
struct UnitRegistration {
    QString name;
    QString code;       // nine characters, the unit number in every submission file name
    QString type;       // unit::OrganType or unit::EnterpriseType
    QString unitClass;  // "否", "规上", "是1", "是2"
    QString createMon = unit::ExistedAllYear;  // "99", or the founding month minus one
};

// The registered unit, class and creation month trimmed; nullopt when none is registered.
// Throws Error when the stored code breaks the code rules: no command may use it.
std::optional<UnitRegistration> loadRegistration(Db& db);

// The class stored for the window's class choice: a qualified construction unit is "是1" only
// with exactly the general-contracting qualification text.
enum class UnitClassChoice { Other, Construction, Industrial };
QString unitClassFor(UnitClassChoice choice, const QString& qualification);

// Creation month for a founding month 1..12, or "99" when the unit existed all year.
QString createMonFor(std::optional<int> foundingMonth);

// Upper-cases letters, as typing into the code boxes does.
QString normalizeUnitCode(const QString& code);
// True for a character the unit code may hold: 0-9, A-Z, a-z.
bool isUnitCodeChar(QChar c);

// Nine characters, each one isUnitCodeChar: what may name the unit's files.
bool isUnitCode(const QString& code);
// Why the submission files could not carry the name (a control character, a character GBK
// cannot hold, more bytes than a field holds); empty when they can.
QString unitNameRefusal(const QString& name);

// The refusal message for a registration that must not be stored; empty when it may be.
QString validateRegistration(const UnitRegistration& r);

enum class SaveKind { FirstRegistration, Change };
SaveKind pendingSaveKind(Db& db);
// Validates and stores in one transaction: a first registration replaces every row with the one
// new row; a change rewrites every row. Throws Error with the refusal message when invalid.
void saveRegistration(Db& db, const UnitRegistration& r);
// The same inside the caller's transaction, `r` validated already.
void writeRegistration(Db& db, const UnitRegistration& r);

// The status-bar text naming the unit's class.
QString unitClassCaption(const QString& type, const QString& unitClass);
// The answer to "是否资质建筑业单位": "是" with the qualification for a qualified construction
// unit, "否" for every other class.
QString qualificationAnswer(const QString& unitClass);

}  // namespace vel
