#include "Finding.h"

#include "checks/CheckRules.h"
#include "reports/FormDefinition.h"

#include <QRegularExpression>

#include <algorithm>

namespace vel {

FindingPlace FindingPlace::ofMonth(int month)
{
    FindingPlace p;
    p.kind = Kind::Month;
    p.month = month;
    return p;
}

FindingPlace FindingPlace::ofPerson(int month, const QString& number)
{
    FindingPlace p = ofMonth(month);
    p.kind = Kind::Person;
    p.number = number;
    return p;
}

FindingPlace FindingPlace::ofFigure(const FormDefinition& form, std::optional<FormPeriod> period,
                                    const QString& cell)
{
    FindingPlace p;
    p.kind = Kind::Figure;
    p.form = &form;
    p.period = std::move(period);
    p.cell = cell;
    return p;
}

FindingPlace FindingPlace::ofFile(const FormDefinition& form, const FormPeriod& period,
                                  const QString& file)
{
    FindingPlace p;
    p.kind = Kind::File;
    p.form = &form;
    p.period = period;
    p.file = file;
    return p;
}

QString formToken(const FormDefinition& form, const std::optional<FormPeriod>& period)
{
    QString token = form.number.toLower();
    if (!period)
        return token;
    if (period->kind == PeriodKind::Quarter)
        token += QStringLiteral("q%1").arg(period->quarter);
    else if (period->kind == PeriodKind::MonthRange)
        token += QStringLiteral("m%1-%2").arg(period->range().from).arg(period->range().to);
    return token;
}

QString FindingPlace::token() const
{
    switch (kind) {
    case Kind::Month:
        return QString::number(month);
    case Kind::Person:
        // A name number holds no blank: the roster's audit refuses one.
        return QStringLiteral("%1/%2").arg(month).arg(number);
    case Kind::Figure:
        return formToken(*form, period) + ':' + cell;
    case Kind::File:
        return file;
    }
    return {};
}

QString FindingPlace::periodText() const
{
    if (kind == Kind::Month || kind == Kind::Person)
        return QString::number(month);
    if (!period)
        return {};
    switch (period->kind) {
    case PeriodKind::Quarter:
        return QStringLiteral("q%1").arg(period->quarter);
    case PeriodKind::MonthRange:
        return QStringLiteral("%1-%2").arg(period->range().from).arg(period->range().to);
    case PeriodKind::Year:
        return QStringLiteral("全年");
    case PeriodKind::OpeningRoster:
        return QStringLiteral("0");
    }
    return {};
}

std::pair<int, int> monthsRead(const FormDefinition& form, const FormPeriod& period)
{
    if (const auto* counted = std::get_if<CategoryFormSetup>(&form.engine))
        return {counted->month, counted->month};
    switch (period.kind) {
    case PeriodKind::Quarter:
        return {0, period.quarter * 3};
    case PeriodKind::Year:
        return {0, 12};
    case PeriodKind::MonthRange:
        return {std::max(0, period.range().from - 1), period.range().to};
    case PeriodKind::OpeningRoster:
        return {0, 0};
    }
    return {0, 12};
}

QString Finding::figures() const
{
    if (!ownFigures.isEmpty())
        return ownFigures;
    static const QRegularExpression number(QStringLiteral("\\d+(\\.\\d+)?"));
    QStringList found;
    for (auto it = number.globalMatch(message); it.hasNext();)
        found << it.next().captured();
    return found.join(' ');
}

bool readsWages(const FormDefinition& form)
{
    return !std::holds_alternative<CategoryFormSetup>(form.engine);
}

bool touches(const Finding& finding, const FormDefinition& form, const FormPeriod& period)
{
    const FindingPlace& p = finding.place;
    if (finding.forms.contains(form.number))
        return true;
    if (p.kind == FindingPlace::Kind::Month || p.kind == FindingPlace::Kind::Person) {
        const CheckRule* rule = checkRule(finding.code);
        if (rule && rule->mendedIn == MendedIn::Wages && !readsWages(form))
            return false;
        const auto [first, last] = monthsRead(form, period);
        return p.lastMonth() >= first && p.month <= last;
    }
    if (p.form != &form)
        return false;
    return !p.period || formToken(form, p.period) == formToken(form, period);
}

}  // namespace vel
