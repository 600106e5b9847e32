#include "StaffRules.h"

#include "Session.h"
#include "db/CodeLists.h"
#include "staff/BirthMonth.h"
#include "unit/UnitRegistration.h"

#include <algorithm>

namespace vel {
namespace {

const QString Yes = QStringLiteral("是");
const QString No = QStringLiteral("否");
// The fixed codes of the answers the rules code themselves; the code tables give them the
// same meaning.
const QString YesCode = QStringLiteral("1");
const QString NoCode = QStringLiteral("2");
const QString CertyNoCode = QStringLiteral("1");
const QString Dispatched = QStringLiteral("劳务派遣人员");

const QStringList CivilServantPosts = {"11", "12", "13", "14", "15"};
// Posts an organ may not fill with dispatched workers: the civil servants and ordinary workers.
const QStringList OrganOwnPosts = {"11", "12", "13", "14", "15", "18"};

bool pass(Sheet& sheet, int row, int col, const QString& code = {})
{
    sheet.setMark(row, col, CellMark::None);
    if (const int codeCol = staffColumn(col).codeCol)
        sheet.setText(row, codeCol, code);
    return true;
}

bool fail(Sheet& sheet, int row, int col, CellMark mark = CellMark::Error)
{
    sheet.setMark(row, col, mark);
    if (const int codeCol = staffColumn(col).codeCol)
        sheet.setText(row, codeCol, QString());
    return false;
}

struct Birth {
    QString text;
    bool ok;
};

// Brings the ways clerks write a birth month ("1967年5月20日", "67年5月", "1967.10.5",
// "1967-5") to "1967-05" and checks year and month.
Birth normalizeBirth(QString t)
{
    const QChar yearSign(u'年');
    const QChar monthSign(u'月');
    if (t.contains(yearSign)) {
        const int monthAt = t.indexOf(monthSign);
        if (monthAt >= 0)
            t.truncate(monthAt + 1);
        int yearAt = t.indexOf(yearSign);
        if (yearAt == 2) {
            t.prepend(QStringLiteral("19"));
            yearAt += 2;
        } else if (yearAt == 3) {
            // No century can be guessed for a three-digit year.
            return {t, false};
        }
        if (yearAt >= 0) {
            const int monthEnd = t.indexOf(monthSign);
            if ((monthEnd >= 0 ? monthEnd : t.size()) - yearAt - 1 <= 1)
                t.insert(yearAt + 1, u'0');
            t[yearAt] = u'-';
        }
        const int monthSignAt = t.indexOf(monthSign);
        if (monthSignAt >= 0)
            t.remove(monthSignAt, 1);
    }
    if (const int dot = t.indexOf(u'.'); dot >= 0) {
        const QString rest = t.mid(dot + 1);
        QString month = rest.left(rest.indexOf(u'.'));  // the whole rest without a second dot
        if (month.size() < 2)
            month.prepend(u'0');
        t = t.left(dot) + u'-' + month;
    }
    // Checked as every report reads it, and stored in the one form they all read alike.
    const std::optional<BirthMonth> birth = readBirthMonth(t);
    if (!birth || birth->year < staff::FirstBirthYear || birth->year > staff::LastBirthYear)
        return {t, false};
    return {storedBirthText(*birth), true};
}

}  // namespace

bool StaffPassResult::allRowsOk() const
{
    return std::all_of(rows.begin(), rows.end(), [](const StaffRowResult& r) { return r.passed; });
}

StaffRules::StaffRules(const CodeLists& codes, const UnitAttributes& attributes)
    : codes_(codes),
      class_(staffClassOf(attributes.CurDepInfo)),
      organ_(attributes.isOrgan())
{
}

bool StaffRules::codeFromList(Sheet& sheet, int row, int col) const
{
    const QString text = sheet.text(row, col);
    const CodeListId list = *staffColumn(col).list;
    for (const CodeEntry& e : codes_.list(list))
        if (e.name == text)
            return pass(sheet, row, col, QString::number(e.id));
    return fail(sheet, row, col);
}

bool StaffRules::codeYesNo(Sheet& sheet, int row, int col) const
{
    const QString text = sheet.text(row, col);
    if (text == u"0") {
        sheet.setText(row, col, No);
        return pass(sheet, row, col, NoCode);
    }
    if (text == u"1") {
        sheet.setText(row, col, Yes);
        return pass(sheet, row, col, YesCode);
    }
    return codeFromList(sheet, row, col);
}

bool StaffRules::clearSpace(Sheet& sheet, int row) const
{
    QString name = trimBlanks(sheet.text(row, staff::NameCol));
    name.remove(u' ');
    // A name of blanks alone is refused but kept, so the rows below it stay people.
    if (name.isEmpty())
        return fail(sheet, row, staff::NameCol);
    sheet.setText(row, staff::NameCol, name);
    return pass(sheet, row, staff::NameCol);
}

bool StaffRules::getSexCode(Sheet& sheet, int row) const
{
    const QString text = sheet.text(row, staff::SexCol);
    if (text == u"男")
        return pass(sheet, row, staff::SexCol, QStringLiteral("1"));
    if (text == u"女")
        return pass(sheet, row, staff::SexCol, QStringLiteral("2"));
    return fail(sheet, row, staff::SexCol);
}

bool StaffRules::getNationCode(Sheet& sheet, int row) const
{
    return codeYesNo(sheet, row, staff::NationCol);
}

bool StaffRules::getPartyCode(Sheet& sheet, int row) const
{
    const QString text = sheet.text(row, staff::PartyCol);
    if (text == Yes || text == u"1") {
        sheet.setText(row, staff::PartyCol, Yes);
        return pass(sheet, row, staff::PartyCol, YesCode);
    }
    if (text == No || text == u"0") {
        sheet.setText(row, staff::PartyCol, No);
        return pass(sheet, row, staff::PartyCol, NoCode);
    }
    return fail(sheet, row, staff::PartyCol);
}

bool StaffRules::checkBirthday(Sheet& sheet, int row) const
{
    const Birth birth = normalizeBirth(sheet.text(row, staff::BirthCol));
    sheet.setText(row, staff::BirthCol, birth.text);
    return birth.ok ? pass(sheet, row, staff::BirthCol) : fail(sheet, row, staff::BirthCol);
}

bool StaffRules::checkWorkYears(Sheet& sheet, int row, int col) const
{
    return isWorkYears(sheet.text(row, col)) ? pass(sheet, row, col) : fail(sheet, row, col);
}

bool StaffRules::getEduCode(Sheet& sheet, int row) const
{
    return codeFromList(sheet, row, staff::EduCol);
}

bool StaffRules::getPostCode(Sheet& sheet, int row) const
{
    return codeFromList(sheet, row, staff::PostCol);
}

void StaffRules::setCivilServantFullTime(Sheet& sheet, int row) const
{
    const QString post = trimBlanks(sheet.text(row, staffColumn(staff::PostCol).codeCol));
    if (CivilServantPosts.contains(post))
        sheet.setText(row, staff::FullTimeCol, Yes);
}

bool StaffRules::getGradeCode(Sheet& sheet, int row) const
{
    return codeFromList(sheet, row, staff::GradeCol);
}

bool StaffRules::getGradeJnCode(Sheet& sheet, int row) const
{
    return codeFromList(sheet, row, staff::GradeJnCol);
}

bool StaffRules::getRoleCode(Sheet& sheet, int row) const
{
    if (!codeFromList(sheet, row, staff::RoleCol))
        return false;
    if (organ_) {
        const QString post = trimBlanks(sheet.text(row, staffColumn(staff::PostCol).codeCol));
        if (OrganOwnPosts.contains(post) &&
            trimBlanks(sheet.text(row, staff::RoleCol)) == Dispatched)
            return fail(sheet, row, staff::RoleCol);
    }
    return true;
}

bool StaffRules::getYesNoCode(Sheet& sheet, int row, int col) const
{
    return codeYesNo(sheet, row, col);
}

bool StaffRules::getCertyCode(Sheet& sheet, int row, bool zeroIsNo) const
{
    if (zeroIsNo && sheet.text(row, staff::SiteWorkerCol) == u"0") {
        sheet.setText(row, staff::SiteWorkerCol, No);
        return pass(sheet, row, staff::SiteWorkerCol, CertyNoCode);
    }
    return codeFromList(sheet, row, staff::SiteWorkerCol);
}

bool StaffRules::checkNameNumber(Sheet& sheet, int row, CellMark mark) const
{
    // A number of blanks names nobody, just like an empty one.
    if (trimBlanks(sheet.text(row, staff::NumberCol)).isEmpty())
        return fail(sheet, row, staff::NumberCol, mark);
    return pass(sheet, row, staff::NumberCol);
}

StaffRowResult StaffRules::auditRow(Sheet& sheet, int row, const StaffPass& p) const
{
    StaffRowResult result;
    result.row = row;
    const auto check = [&result](bool ok, int col) {
        if (!ok) {
            result.passed = false;
            result.failedColumns.push_back(col);
        }
    };
    if (p.clearSpace)
        check(clearSpace(sheet, row), staff::NameCol);
    check(getSexCode(sheet, row), staff::SexCol);
    check(getNationCode(sheet, row), staff::NationCol);
    check(getPartyCode(sheet, row), staff::PartyCol);
    check(checkBirthday(sheet, row), staff::BirthCol);
    check(checkWorkYears(sheet, row, staff::WorksCol), staff::WorksCol);
    check(checkWorkYears(sheet, row, staff::WorkCol), staff::WorkCol);
    check(getEduCode(sheet, row), staff::EduCol);
    check(getPostCode(sheet, row), staff::PostCol);
    if (p.civilServantFullTime)
        setCivilServantFullTime(sheet, row);
    check(getGradeCode(sheet, row), staff::GradeCol);
    check(getGradeJnCode(sheet, row), staff::GradeJnCol);
    check(getRoleCode(sheet, row), staff::RoleCol);
    check(getYesNoCode(sheet, row, staff::FullTimeCol), staff::FullTimeCol);
    for (int col = staff::EngineerCol; col <= staff::ProductionCol; ++col) {
        if (!staffColumnUsed(col, class_))
            continue;
        check(col == staff::SiteWorkerCol ? getCertyCode(sheet, row, p.certyZeroIsNo)
                                          : getYesNoCode(sheet, row, col),
              col);
    }
    if (p.nameNumber != CellMark::None)
        check(checkNameNumber(sheet, row, p.nameNumber), staff::NumberCol);
    std::sort(result.failedColumns.begin(), result.failedColumns.end());
    return result;
}

StaffPassResult StaffRules::runPass(Sheet& sheet, const StaffPass& p) const
{
    const SheetBatch batch(sheet);
    StaffPassResult result;
    const int last = lastPersonRow(sheet);
    for (int row = staff::FirstPersonRow; row <= last; ++row)
        result.rows.push_back(auditRow(sheet, row, p));
    return result;
}

}  // namespace vel
