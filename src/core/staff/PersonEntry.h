#pragma once

#include "staff/StaffSheet.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vel {

class CodeLists;

// The answers of one person on the individual entry form, as typed or chosen.
struct PersonRecord {
    QString name;
    QString number;
    QString sex;
    QString birthYear;
    QString birthMonth;
    QString edu;
    QString nation;  // ethnic minority: "是" or "否"
    QString party;
    QString works;   // whole years since starting work
    QString work;    // of which whole years in the present post
    QString position;  // sGw
    QString post;
    QString grade;    // professional-technical grade; may stay empty
    QString gradeJn;  // skill grade; may stay empty
    QString role;
    QString fullTime;
    QString engineer;     // the construction questions, asked by class
    QString constructor;
    QString siteWorker;
    QString production;
};

// The fields in the order of the form.
enum class PersonField {
    Name, Number, Sex, BirthYear, BirthMonth, Edu, Nation, Party, Works, Work, Position, Post,
    Grade, GradeJn, Role, FullTime, Engineer, Constructor, SiteWorker, Production
};
constexpr int PersonFieldCount = static_cast<int>(PersonField::Production) + 1;

QString& fieldText(PersonRecord& r, PersonField f);
const QString& fieldText(const PersonRecord& r, PersonField f);

namespace person {
inline const QString ErrorsInRed = QStringLiteral("红色为错误项，请改正!");
inline const QString AgeMessage = QStringLiteral("年龄一般不小于15岁，不大于75岁，请核实。");
inline const QString Yes = QStringLiteral("是");
inline const QString No = QStringLiteral("否");
// The last birth year the form accepts without doubt; it offers from staff::FirstOfferedBirthYear.
constexpr int LastAcceptedYear = 1993;
}  // namespace person

// The codes stored beside the answers.
struct PersonCodes {
    int sex = 0;
    int edu = 0;
    int nation = 0;
    int party = 0;
    int post = 0;
    std::optional<int> grade;    // none for an empty grade
    std::optional<int> gradeJn;
    int role = 0;
    int fullTime = 0;
    int engineer = 0;
    int constructor = 0;
    int siteWorker = 0;
    int production = 0;
};

// "是" is 1, any other answer 2.
int yesNoCode(const QString& answer);
PersonCodes personCodes(const PersonRecord& r, const CodeLists& codes);

// Whether a unit of the class is asked the field: the construction questions depend on it.
bool fieldAsked(PersonField f, StaffClass c);
// The entries a chosen field offers, in list order; empty for the typed fields.
QStringList personChoices(PersonField f, const CodeLists& codes);
// A chosen field passes with one of its entries; the two grades also pass empty.
bool choiceOk(PersonField f, const QString& text, const CodeLists& codes);

struct BirthYearCheck {
    bool ok = true;
    QString message;  // shown when not empty
};
// Four digits from the first offered year to the last accepted one pass.
BirthYearCheck checkBirthYear(const QString& year);

// The check on leaving one of the two years boxes.
enum class YearsCheck {
    Incomplete,       // the other box is empty or not yet a number: nothing to compare
    Consistent,       // both boxes pass
    PostExceedsWork,  // both boxes fail
    NotANumber,       // the box being left fails
};
YearsCheck checkYears(const QString& works, const QString& work, PersonField leaving);

// Every field the class asks that fails its check, in form order. Empty required boxes that
// have no check of their own (name, years) are left to missingFieldsMessage.
std::vector<PersonField> failedFields(const PersonRecord& r, const CodeLists& codes, StaffClass c);
// The message naming the required fields when one of them is empty; empty when all are given.
QString missingFieldsMessage(const PersonRecord& r, StaffClass c);
// Both checks of a store; throws Error with the message to show when the record may not be stored.
void validatePerson(const PersonRecord& r, const CodeLists& codes, StaffClass c);

// The form's commands that empty fields, and the fields each empties. What a command leaves
// stands for the next person: after "增加" the role, the full-time answer and the construction
// answers; after "修改" the role and the construction answers; after "取消" the birth month and
// the construction answers.
enum class PersonFormCommand { Add, Modify, Cancel };
std::vector<PersonField> fieldsEmptiedBy(PersonFormCommand command);

// The stored birth text: year, "-", month.
QString birthText(const PersonRecord& r);
// Fills year and month from a stored birth text; an empty one gives 1960 and "01".
void splitBirth(const QString& sBirth, PersonRecord& r);

}  // namespace vel
