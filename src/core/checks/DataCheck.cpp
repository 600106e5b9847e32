#include "DataCheck.h"

#include "Errors.h"
#include "Session.h"
#include "checks/CheckNotes.h"
#include "db/ReadTransaction.h"
#include "reports/FormDefinition.h"

#include <algorithm>

namespace vel {
namespace {

// The period of a form whose months reach furthest.
FormPeriod widestPeriod(const FormDefinition& form)
{
    const auto has = [&](PeriodKind k) {
        return std::find(form.periods.begin(), form.periods.end(), k) != form.periods.end();
    };
    if (has(PeriodKind::Year))
        return FormPeriod::ofYear();
    if (has(PeriodKind::MonthRange))
        return FormPeriod::ofRange(MonthRange{1, 12});
    if (has(PeriodKind::Quarter))
        return FormPeriod::ofQuarter(3);
    return FormPeriod::ofOpeningRoster();
}

bool inScope(const Finding& f, const CheckScope& scope)
{
    if (scope.month) {
        const FindingPlace& p = f.place;
        if ((p.kind != FindingPlace::Kind::Month && p.kind != FindingPlace::Kind::Person) ||
            *scope.month < p.month || *scope.month > p.lastMonth())
            return false;
    }
    return !scope.form || touches(f, *scope.form, scope.period.value_or(widestPeriod(*scope.form)));
}

// Whether the rule can find anything in the scope: a month holds no form's figures or files, and
// a form without wages is not concerned by the rules on wages.
bool runsFor(const CheckRule& rule, const CheckScope& scope)
{
    if (rule.readsFiles && !scope.files)
        return false;
    if (scope.month && rule.placesInForms)
        return false;
    return !scope.form || rule.placesInForms || rule.mendedIn != MendedIn::Wages ||
           readsWages(*scope.form);
}

constexpr int FindingsNamed = 10;

QStringList namedLines(const Findings& findings)
{
    QStringList lines;
    for (const Finding& f : findings) {
        if (lines.size() == FindingsNamed) {
            lines << QStringLiteral("……共%1条").arg(findings.size());
            break;
        }
        lines << findingLine(f);
    }
    return lines;
}

}  // namespace

Findings runDataCheck(Session& session, const CheckScope& scope)
{
    const ReadTransaction oneState(session.db());
    session.unitRegistered();
    CheckInput input(session, scope.form, scope.form ? scope.period : std::nullopt);
    Findings errors;
    Findings warnings;
    for (const CheckRule& rule : checkRules()) {
        if (!runsFor(rule, scope))
            continue;
        Findings found;
        rule.find(input, found);
        for (Finding& f : found)
            if (inScope(f, scope))
                (rule.isError() ? errors : warnings).push_back(std::move(f));
    }
    const auto notes = loadCheckNotes(session.db());
    for (Finding& f : warnings)
        if (const auto note = notes.find({f.code, f.place.token()}); note != notes.end()) {
            f.note = note->second.text;
            f.noteDate = note->second.date;
            // Explanations kept before they were tied to figures stay as they were.
            f.noteStale = !note->second.figures.isNull() && note->second.figures != f.figures();
        }
    errors.insert(errors.end(), std::make_move_iterator(warnings.begin()),
                  std::make_move_iterator(warnings.end()));
    return errors;
}

CheckCounts countFindings(const Findings& findings)
{
    CheckCounts c;
    for (const Finding& f : findings)
        ++(f.isError() ? c.errors : f.explained() ? c.explained : c.warnings);
    return c;
}

QString countLine(const CheckCounts& c)
{
    return QStringLiteral("错误%1条，未说明的警告%2条，已说明的警告%3条")
        .arg(c.errors)
        .arg(c.warnings)
        .arg(c.explained);
}

QString findingLine(const Finding& f)
{
    QString line = f.code + ' ' + f.place.token() + ' ' + f.message;
    if (f.explained())
        line += QStringLiteral(" 说明：") + f.note;
    else if (f.noteStale)
        line += QStringLiteral(" 说明已过时：") + f.note;
    return line;
}

CheckOutcome submissionAudit(const Findings& findings)
{
    Findings errors;
    Findings open;
    for (const Finding& f : findings) {
        if (f.isError())
            errors.push_back(f);
        else if (!f.explained())
            open.push_back(f);
    }
    if (!errors.empty()) {
        CheckOutcome out = CheckOutcome::refused(
            QStringLiteral("数据审核发现错误，不能生成上报文件，请先改正：\n") +
                namedLines(errors).join('\n'),
            MessageKind::Error);
        return out;
    }
    CheckOutcome out;
    if (!open.empty())
        out.question = QStringLiteral("数据审核有%1条警告还没有说明：\n%2\n"
                                      "请在“数据审核”中核对并写明说明。仍然生成上报文件吗？")
                           .arg(open.size())
                           .arg(namedLines(open).join('\n'));
    return out;
}

Finding currentFinding(Session& session, const QString& code, const QString& place)
{
    const CheckRule* rule = checkRule(code);
    if (!rule)
        throw Error(QStringLiteral("没有审核规则%1。").arg(code));
    CheckInput input(session);
    Findings found;
    rule->find(input, found);
    for (Finding& f : found)
        if (f.place.token() == place)
            return f;
    throw Error(QStringLiteral("现在没有%1在“%2”的审核发现；代码和位置请照 check 列出的填写。")
                    .arg(rule->code, place));
}

}  // namespace vel
