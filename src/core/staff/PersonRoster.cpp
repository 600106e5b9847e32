#include "PersonRoster.h"

#include "Errors.h"
#include "db/CodeLists.h"
#include "monthly/WageStore.h"

#include <utility>

namespace vel {
namespace {

const std::array<PersonListColumn, PersonListColumnCount> Columns = {{
    {"id", "编号"},
    {"sNumber", "姓名编号"},
    {"sName", "姓名"},
    {"sTsex", "性别"},
    {"sWorks", "工作年限"},
    {"sWork", "现岗位年限"},
    {"sTnation", "是否少数民族"},
    {"sTparty", "是否中国党员"},
    {"sBirth", "出生年月"},
    {"sTedu", "学  历"},
    {"sGw", ""},
    {"sTpost", "岗位名称"},
    {"sTGrade", "具有国家评定专业技术职称"},
    {"sTJGrade", "具有国家评定的专业技能等"},
    {"sTsf", "用工身份"},
    {"sTqrz", "全日制用工"},
    {"sTgc", "工程技术人员"},
    {"sTjzs", "一级建造师"},
    {"sTsg", "现场施工人员"},
    {"sTyg", "是否直接从事生产经营活动 "},
}};
constexpr int IdColumn = 0;
constexpr int PositionColumn = 10;
constexpr int FirstConstructionColumn = 16;  // sheet column 15

using Assignments = std::vector<std::pair<const char*, SqlValue>>;

SqlValue textOrNull(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return nullptr;
    return t;
}

SqlValue codeOrNull(const std::optional<int>& code)
{
    if (!code)
        return nullptr;
    return static_cast<long long>(*code);
}

SqlValue code(int c)
{
    return static_cast<long long>(c);
}

// The answers every unit gives, with their codes.
Assignments commonAnswers(const PersonRecord& r, const PersonCodes& c)
{
    return {
        {"sName", r.name.trimmed()},
        {"sNumber", r.number.trimmed()},
        {"sTsex", r.sex.trimmed()},
        {"sSex", code(c.sex)},
        {"sBirth", birthText(r)},
        {"sTnation", r.nation.trimmed()},
        {"sNation", code(c.nation)},
        {"sTparty", r.party.trimmed()},
        {"sParty", code(c.party)},
        {"sTedu", r.edu.trimmed()},
        {"sEducation", code(c.edu)},
        {"sWorks", r.works.trimmed().toLongLong()},
        {"sWork", r.work.trimmed().toLongLong()},
        {"sTpost", r.post.trimmed()},
        {"sPost", code(c.post)},
        {"sTGrade", textOrNull(r.grade)},
        {"sPostGrade", codeOrNull(c.grade)},
        {"sTJGrade", textOrNull(r.gradeJn)},
        {"sJGrade", codeOrNull(c.gradeJn)},
        {"sTsf", r.role.trimmed()},
        {"ssf", code(c.role)},
        {"sTqrz", r.fullTime.trimmed()},
        {"sqrz", code(c.fullTime)},
    };
}

// The construction questions the class is asked; the others are left alone.
void addConstructionAnswers(Assignments& a, const PersonRecord& r, const PersonCodes& c,
                            StaffClass staffClass)
{
    if (fieldAsked(PersonField::Engineer, staffClass)) {
        a.push_back({"sTgc", r.engineer.trimmed()});
        a.push_back({"sgc", code(c.engineer)});
    }
    if (fieldAsked(PersonField::Constructor, staffClass)) {
        a.push_back({"sTjzs", r.constructor.trimmed()});
        a.push_back({"sjzs", code(c.constructor)});
    }
    if (fieldAsked(PersonField::SiteWorker, staffClass)) {
        a.push_back({"sTsg", r.siteWorker.trimmed()});
        a.push_back({"ssg", code(c.siteWorker)});
    }
    if (fieldAsked(PersonField::Production, staffClass)) {
        a.push_back({"sTyg", r.production.trimmed()});
        a.push_back({"syg", code(c.production)});
    }
}

Assignments answers(const PersonRecord& r, const CodeLists& codes, StaffClass staffClass)
{
    const PersonCodes c = personCodes(r, codes);
    Assignments a = commonAnswers(r, c);
    addConstructionAnswers(a, r, c, staffClass);
    a.push_back({"sIsok", QStringLiteral("1")});
    return a;
}

// LIKE takes % and _ as wildcards; a searched text means itself.
QString likeContaining(const QString& text)
{
    QString escaped;
    for (QChar ch : text) {
        if (ch == '\\' || ch == '%' || ch == '_')
            escaped += '\\';
        escaped += ch;
    }
    return "%" + escaped + "%";
}

}  // namespace

const std::array<PersonListColumn, PersonListColumnCount>& personListColumns()
{
    return Columns;
}

bool personListColumnShown(int column, StaffClass c)
{
    if (column == IdColumn || column == PositionColumn)
        return false;
    if (column >= FirstConstructionColumn)
        return staffColumnUsed(staff::EngineerCol + column - FirstConstructionColumn, c);
    return true;
}

PersonRoster::PersonRoster(Db& db, int month) : db_(db), month_(month), read_(db)
{
    if (month < 0 || month > 12)
        throw Error(QStringLiteral("月份有误：%1").arg(month));
}

long long PersonRoster::add(const PersonRecord& r, const CodeLists& codes, StaffClass c)
{
    validatePerson(r, codes, c);
    Assignments a = answers(r, codes, c);
    a.push_back({"sGw", textOrNull(r.position)});
    a.push_back({"sMon", static_cast<long long>(month_)});

    std::string columns;
    std::string marks;
    SqlParams params;
    for (const auto& [column, value] : a) {
        columns += (columns.empty() ? "" : ", ") + std::string(column);
        marks += marks.empty() ? "?" : ", ?";
        params.push_back(value);
    }
    return read_.write(db_, [&] {
        db_.exec("INSERT INTO Staff_moninfo (" + columns + ") VALUES (" + marks + ")", params);
        const auto id = static_cast<long long>(db_.handle().getLastInsertRowid());
        recheckWagePersons(db_, month_);
        return id;
    });
}

std::optional<PersonRecord> PersonRoster::load(long long id)
{
    Query q(db_, "SELECT * FROM Vmon WHERE id = ? AND sMon = ?", {id, static_cast<long long>(month_)});
    if (!q.next())
        return std::nullopt;
    PersonRecord r;
    r.name = q.text("sName");
    r.number = q.text("sNumber");
    r.position = q.text("sGw");
    r.works = q.text("sWorks");
    r.work = q.text("sWork");
    r.nation = q.text("sTnation");
    r.party = q.text("sTparty");
    r.role = q.text("sTsf");
    r.fullTime = q.text("sTqrz");
    r.engineer = q.text("sTgc");
    r.constructor = q.text("sTjzs");
    r.siteWorker = q.text("sTsg");
    r.production = q.text("sTyg");
    r.sex = q.text("sTsex");
    r.edu = q.text("sTedu");
    r.post = q.text("sTpost");
    r.grade = q.text("sTGrade");
    r.gradeJn = q.text("sTJGrade");
    splitBirth(q.text("sBirth"), r);
    return r;
}

bool PersonRoster::modify(long long id, const PersonRecord& r, const CodeLists& codes, StaffClass c)
{
    validatePerson(r, codes, c);
    std::string sets;
    SqlParams params;
    for (const auto& [column, value] : answers(r, codes, c)) {
        sets += (sets.empty() ? "" : ", ") + std::string(column) + " = ?";
        params.push_back(value);
    }
    params.push_back(id);
    params.push_back(static_cast<long long>(month_));
    return read_.write(db_, [&] {
        db_.exec("UPDATE Staff_moninfo SET " + sets + " WHERE id = ? AND sMon = ?", params);
        const bool changed = db_.handle().getChanges() > 0;
        recheckWagePersons(db_, month_);
        return changed;
    });
}

bool PersonRoster::remove(long long id)
{
    return read_.write(db_, [&] {
        db_.exec("DELETE FROM Staff_moninfo WHERE id = ? AND sMon = ?",
                 {id, static_cast<long long>(month_)});
        const bool removed = db_.handle().getChanges() > 0;
        recheckWagePersons(db_, month_);
        return removed;
    });
}

int PersonRoster::clear()
{
    return read_.write(db_, [&] {
        db_.exec("DELETE FROM Staff_moninfo WHERE sMon = ?", {static_cast<long long>(month_)});
        const int removed = db_.handle().getChanges();
        recheckWagePersons(db_, month_);
        return removed;
    });
}

std::vector<PersonListRow> PersonRoster::list(const std::string& condition,
                                              const SqlParams& params, const char* order)
{
    SqlParams all = params;
    all.push_back(static_cast<long long>(month_));
    read_.take(db_);
    Query q(db_, "SELECT * FROM Vmon WHERE " + condition + " sMon = ? ORDER BY " + order, all);
    std::vector<PersonListRow> rows;
    while (q.next()) {
        PersonListRow row;
        row.id = q.integer("id");
        for (const PersonListColumn& c : Columns)
            row.cells << q.text(c.field);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<PersonListRow> PersonRoster::all()
{
    return list("", {});
}

std::vector<PersonListRow> PersonRoster::find(const QString& text)
{
    const QString pattern = likeContaining(text.trimmed());
    return list("(sName LIKE ? ESCAPE '\\' OR sNumber LIKE ? ESCAPE '\\') AND", {pattern, pattern});
}

std::vector<PersonListRow> PersonRoster::sameNames()
{
    return list("sName IN (SELECT sName FROM Staff_moninfo WHERE sMon = ? GROUP BY sName"
                " HAVING COUNT(sName) > 1) AND",
                {static_cast<long long>(month_)});
}

std::vector<PersonListRow> PersonRoster::sameNumbers()
{
    return list("sNumber IN (SELECT sNumber FROM Staff_moninfo WHERE sMon = ? GROUP BY sNumber"
                " HAVING COUNT(sNumber) > 1) AND",
                {static_cast<long long>(month_)}, "sNumber, id");
}

std::vector<PersonListRow> PersonRoster::faulty()
{
    return list("sIsok = '0' AND", {});
}

}  // namespace vel
