#include "PersonEntry.h"

#include "Errors.h"
#include "db/CodeLists.h"
#include "io/DelimitedFile.h"
#include "staff/BirthMonth.h"

namespace vel {
namespace {

using F = PersonField;

const QString MissingConstruction = QStringLiteral(
    "姓名、姓名编号、出生年月、学历、性别、是否少数名族、是否党员、工作年限、岗位名称、\n"
    "用工身份、是否全日制、是否工程技术人员、是否一级建造师、现场施工人员以及本职工作与建筑施工有关为必填项，\n"
    "请核实！");
const QString MissingOther = QStringLiteral(
    "姓名、姓名编号、出生年月、学历、性别、是否少数名族、是否党员、\n"
    "工作年限、岗位名称、用工身份、是否全日制为必填项，请核实！");

const F RequiredFields[] = {F::Name, F::Number, F::Sex,    F::BirthYear, F::BirthMonth,
                            F::Edu,  F::Post,   F::Nation, F::Party,     F::Works,
                            F::Work, F::Role,   F::FullTime};
const F ConstructionFields[] = {F::Engineer, F::Constructor, F::SiteWorker, F::Production};

std::optional<CodeListId> listOf(F f)
{
    switch (f) {
    case F::Sex:
        return CodeListId::Sex;
    case F::Edu:
        return CodeListId::Edu;
    case F::Post:
        return CodeListId::Post;
    case F::Grade:
        return CodeListId::Grade;
    case F::GradeJn:
        return CodeListId::GradeJn;
    case F::Role:
        return CodeListId::Role;
    case F::FullTime:
    case F::Engineer:
    case F::Constructor:
    case F::Production:
        return CodeListId::YesNo;
    case F::SiteWorker:
        return CodeListId::Certy;
    default:
        return std::nullopt;
    }
}

// Whole years as the boxes take them: digits only, blanks around allowed.
bool isYears(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    for (QChar c : t)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool isFourDigits(const QString& text)
{
    return text.size() == 4 && isYears(text);
}

std::optional<int> gradeCode(const QString& text, int code)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    return code;
}

}  // namespace

QString& fieldText(PersonRecord& r, PersonField f)
{
    switch (f) {
    case F::Name: return r.name;
    case F::Number: return r.number;
    case F::Sex: return r.sex;
    case F::BirthYear: return r.birthYear;
    case F::BirthMonth: return r.birthMonth;
    case F::Edu: return r.edu;
    case F::Nation: return r.nation;
    case F::Party: return r.party;
    case F::Works: return r.works;
    case F::Work: return r.work;
    case F::Position: return r.position;
    case F::Post: return r.post;
    case F::Grade: return r.grade;
    case F::GradeJn: return r.gradeJn;
    case F::Role: return r.role;
    case F::FullTime: return r.fullTime;
    case F::Engineer: return r.engineer;
    case F::Constructor: return r.constructor;
    case F::SiteWorker: return r.siteWorker;
    case F::Production: return r.production;
    }
    return r.name;
}

const QString& fieldText(const PersonRecord& r, PersonField f)
{
    return fieldText(const_cast<PersonRecord&>(r), f);
}

int yesNoCode(const QString& answer)
{
    return answer == person::Yes ? 1 : 2;
}

PersonCodes personCodes(const PersonRecord& r, const CodeLists& codes)
{
    PersonCodes c;
    c.sex = codes.sexCode(r.sex);
    c.edu = codes.eduCode(r.edu);
    c.nation = yesNoCode(r.nation);
    c.party = yesNoCode(r.party);
    c.post = codes.postCode(r.post);
    c.grade = gradeCode(r.grade, codes.gradeCode(r.grade));
    c.gradeJn = gradeCode(r.gradeJn, codes.gradeJnCode(r.gradeJn));
    c.role = codes.codeOf(CodeListId::Role, r.role);
    c.fullTime = yesNoCode(r.fullTime);
    c.engineer = yesNoCode(r.engineer);
    c.constructor = yesNoCode(r.constructor);
    c.siteWorker = codes.codeOf(CodeListId::Certy, r.siteWorker);
    c.production = yesNoCode(r.production);
    return c;
}

bool fieldAsked(PersonField f, StaffClass c)
{
    switch (f) {
    case F::Engineer:
        return staffColumnUsed(staff::EngineerCol, c);
    case F::Constructor:
        return staffColumnUsed(staff::ConstructorCol, c);
    case F::SiteWorker:
        return staffColumnUsed(staff::SiteWorkerCol, c);
    case F::Production:
        return staffColumnUsed(staff::ProductionCol, c);
    default:
        return true;
    }
}

QStringList personChoices(PersonField f, const CodeLists& codes)
{
    if (f == F::Nation || f == F::Party)
        return {person::Yes, person::No};
    if (f == F::BirthYear) {
        QStringList years;
        for (int y = staff::FirstOfferedBirthYear; y <= staff::LastOfferedBirthYear; ++y)
            years << QString::number(y);
        return years;
    }
    if (f == F::BirthMonth) {
        QStringList months;
        for (int m = 1; m <= 12; ++m)
            months << QStringLiteral("%1").arg(m, 2, 10, QChar('0'));
        return months;
    }
    if (const std::optional<CodeListId> list = listOf(f))
        return codes.names(*list);
    return {};
}

bool choiceOk(PersonField f, const QString& text, const CodeLists& codes)
{
    if ((f == F::Grade || f == F::GradeJn) && text.isEmpty())
        return true;
    return personChoices(f, codes).contains(text);
}

BirthYearCheck checkBirthYear(const QString& year)
{
    if (!isFourDigits(year))
        return {false, QString()};
    const int y = year.toInt();
    if (y >= staff::FirstOfferedBirthYear && y <= person::LastAcceptedYear)
        return {true, QString()};
    return {false, person::AgeMessage};
}

YearsCheck checkYears(const QString& works, const QString& work, PersonField leaving)
{
    const QString& left = leaving == F::Works ? works : work;
    const QString& other = leaving == F::Works ? work : works;
    if (!left.trimmed().isEmpty() && !isYears(left))
        return YearsCheck::NotANumber;
    if (left.trimmed().isEmpty() || !isYears(other))
        return YearsCheck::Incomplete;
    return work.trimmed().toInt() > works.trimmed().toInt() ? YearsCheck::PostExceedsWork
                                                            : YearsCheck::Consistent;
}

std::vector<PersonField> failedFields(const PersonRecord& r, const CodeLists& codes, StaffClass c)
{
    std::vector<PersonField> failed;
    const bool worksGiven = !r.works.trimmed().isEmpty();
    const bool workGiven = !r.work.trimmed().isEmpty();
    const bool postExceedsWork = isYears(r.works) && isYears(r.work) &&
                                 r.work.trimmed().toInt() > r.works.trimmed().toInt();
    for (int i = 0; i < PersonFieldCount; ++i) {
        const F f = static_cast<F>(i);
        if (!fieldAsked(f, c))
            continue;
        bool ok = true;
        switch (f) {
        case F::Name:
        case F::Number:
        case F::Position:
            break;
        case F::BirthYear:
            ok = checkBirthYear(r.birthYear).ok;
            break;
        case F::BirthMonth:
            ok = r.birthMonth.isEmpty() || choiceOk(f, r.birthMonth, codes);
            break;
        case F::Works:
            ok = (!worksGiven || isYears(r.works)) && !postExceedsWork;
            break;
        case F::Work:
            ok = (!workGiven || isYears(r.work)) && !postExceedsWork;
            break;
        default:
            ok = choiceOk(f, fieldText(r, f), codes);
        }
        if (!ok)
            failed.push_back(f);
    }
    return failed;
}

QString missingFieldsMessage(const PersonRecord& r, StaffClass c)
{
    bool missing = false;
    for (F f : RequiredFields)
        missing = missing || fieldText(r, f).trimmed().isEmpty();
    if (c == StaffClass::Construction)
        for (F f : ConstructionFields)
            missing = missing || fieldText(r, f).trimmed().isEmpty();
    if (!missing)
        return QString();
    return c == StaffClass::Construction ? MissingConstruction : MissingOther;
}

void validatePerson(const PersonRecord& r, const CodeLists& codes, StaffClass c)
{
    // The typed boxes; the others hold list entries.
    for (const auto& [text, label] : {std::pair{&r.name, "姓名"}, {&r.number, "姓名编号"},
                                      {&r.position, "岗位"}}) {
        const qsizetype at = controlCharAt(*text);
        if (at >= 0)
            throw Error(QStringLiteral("“%1”含有控制字符 %2，请删除。")
                            .arg(QString::fromUtf8(label), charCodeText((*text)[at])));
    }
    if (!failedFields(r, codes, c).empty())
        throw Error(person::ErrorsInRed);
    const QString missing = missingFieldsMessage(r, c);
    if (!missing.isEmpty())
        throw Error(missing);
}

std::vector<PersonField> fieldsEmptiedBy(PersonFormCommand command)
{
    switch (command) {
    case PersonFormCommand::Add:
        return {F::Name, F::Number, F::Position, F::Works, F::Work, F::Sex, F::Edu, F::Post,
                F::Grade, F::GradeJn, F::Nation, F::Party, F::BirthYear, F::BirthMonth};
    case PersonFormCommand::Modify:
        return {F::Name, F::Number, F::Position, F::Works, F::Work, F::Sex, F::Edu, F::Post,
                F::Grade, F::GradeJn, F::Nation, F::Party, F::FullTime, F::BirthYear,
                F::BirthMonth};
    case PersonFormCommand::Cancel:
        return {F::Name, F::Number, F::Position, F::BirthYear, F::Works, F::Work, F::Sex, F::Edu,
                F::Post, F::Grade, F::GradeJn, F::Nation, F::Party, F::Role, F::FullTime};
    }
    return {};
}

QString birthText(const PersonRecord& r)
{
    return r.birthYear.trimmed() + "-" + r.birthMonth.trimmed();
}

void splitBirth(const QString& sBirth, PersonRecord& r)
{
    if (sBirth.trimmed().isEmpty()) {
        r.birthYear = QStringLiteral("1960");
        r.birthMonth = QStringLiteral("01");
        return;
    }
    // Read as the audit and the reports read it: "1967-5" and "1967-005" are both May.
    if (const std::optional<BirthMonth> birth = readBirthMonth(sBirth)) {
        const QString stored = storedBirthText(*birth);
        r.birthYear = stored.left(4);
        r.birthMonth = stored.mid(5);
        return;
    }
    // A birth no rule reads is shown as it stands, for the checks to mark.
    r.birthYear = sBirth.left(4);
    r.birthMonth = sBirth.mid(5, 2);
}

}  // namespace vel
