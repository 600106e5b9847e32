#include "FormRules.h"

#include "Session.h"
#include "checks/CheckLimits.h"
#include "checks/StoredFigures.h"
#include "reports/FormDefinition.h"
#include "reports/Forms.h"
#include "reports/Rounding.h"
#include "reports/WageSums.h"
#include "unit/UnitFigures.h"

#include <QStringList>

#include <algorithm>
#include <set>
#include <cmath>

namespace vel {
namespace {

namespace L = check_limits;

// The figures every employees-and-wages form has under these columns.
const char* const HeadsColumn = "I01";  // persons at the end of the period
const char* const WagesColumn = "I12";  // the period's wage total

QString whole(double v)
{
    return QString::number(std::llround(v));
}

// How far `after` is from `before`, in percent of `before`.
QString percentOf(double before, double after)
{
    return before > 0 ? whole(std::fabs(after - before) * 100 / before) + '%' : QStringLiteral("—");
}

QString more(double before, double after)
{
    return after > before ? QStringLiteral("多") : QStringLiteral("少");
}

QString shown(const std::optional<long long>& v)
{
    return v ? QString::number(*v) : QStringLiteral("空");
}

// The period a form's stored row holds: the submission's, for the form being submitted; the year
// for a form drawn only for the year; else not known.
std::optional<FormPeriod> storedPeriod(const CheckInput& in, const FormDefinition& form)
{
    if (in.form == &form && in.period)
        return in.period;
    if (form.periods.size() == 1 && form.periods.front() == PeriodKind::Year)
        return FormPeriod::ofYear();
    return std::nullopt;
}

QString periodName(const FormPeriod& p)
{
    static const char* const quarters[] = {"一", "二", "三"};
    if (p.kind == PeriodKind::Quarter && p.quarter >= 1 && p.quarter <= 3)
        return QStringLiteral("%1季度").arg(QString::fromUtf8(quarters[p.quarter - 1]));
    if (p.kind == PeriodKind::MonthRange)
        return QStringLiteral("%1-%2月").arg(p.range().from).arg(p.range().to);
    return QStringLiteral("全年");
}

void addUpFinding(Findings& out, const FormDefinition& form, const std::optional<FormPeriod>& period,
                  const std::string& total, const std::vector<std::string>& parts,
                  const StoredFigures& figures)
{
    long long sum = 0;
    QStringList names;
    for (const std::string& p : parts) {
        sum += storedValue(figures, p);
        names << QString::fromStdString(p);
    }
    const long long stored = storedValue(figures, total);
    if (stored == sum)
        return;
    out.push_back({"E01", FindingPlace::ofFigure(form, period, QString::fromStdString(total)),
                   QStringLiteral("%1已存的%2为%3，其分项%4之和为%5，相差%6")
                       .arg(form.number, QString::fromStdString(total))
                       .arg(stored)
                       .arg(names.join(QStringLiteral("+")))
                       .arg(sum)
                       .arg(stored - sum)});
}

void perHeadFinding(Findings& out, const FormDefinition& form, const std::optional<FormPeriod>& period,
                    const char* field, const char* amount, const char* heads,
                    std::optional<long long> expected, const StoredFigures& figures)
{
    const auto it = figures.find(field);
    const std::optional<long long> stored = it == figures.end() ? std::nullopt : it->second;
    if (stored == expected)
        return;
    out.push_back({"E01", FindingPlace::ofFigure(form, period, QString::fromLatin1(field)),
                   QStringLiteral("%1已存的%2为%3，按%4（%5）÷%6（%7）应为%8")
                       .arg(form.number, QString::fromLatin1(field), shown(stored),
                            QString::fromLatin1(amount))
                       .arg(storedValue(figures, amount))
                       .arg(QString::fromLatin1(heads))
                       .arg(storedValue(figures, heads))
                       .arg(shown(expected))});
}

void checkFigureForm(CheckInput& in, const FormDefinition& form, const FigureFormSetup& setup,
                     Findings& out)
{
    const std::optional<StoredFigures> row = storedFormRow(in.session.db(), form);
    if (!row)
        return;
    const std::optional<FormPeriod> period = storedPeriod(in, form);
    const FigureFormRules& r = setup.rules;
    // What this unit does not report is stored as 0 after the sums counted it.
    Figures scratch;
    const UnitAttributes& unit = in.session.unit();
    std::set<std::string> blanked;
    for (const char* f : zeroUnreported(scratch, r.zeros, unit.CurDepInfo, unit.isOrgan()))
        blanked.insert(f);
    const auto addsUp = [&](const char* total, const std::vector<const char*>& parts) {
        if (blanked.count(total) ||
            std::any_of(parts.begin(), parts.end(), [&](const char* p) { return blanked.count(p) > 0; }))
            return;
        addUpFinding(out, form, period, total, {parts.begin(), parts.end()}, *row);
    };
    for (const BalanceGroup& g : r.balance)
        addsUp(g.total, g.parts);
    for (const SumRule& s : r.sums)
        addsUp(s.field, s.parts);
    for (const AverageWageRule& a : r.averages)
        perHeadFinding(out, form, period, a.field, a.wage, a.heads,
                       averageWage(storedValue(*row, a.wage), storedValue(*row, a.heads),
                                   r.averagesWithoutHeads),
                       *row);
    for (const PerHeadRule& p : r.perHeads)
        perHeadFinding(out, form, period, p.field, p.amount, p.heads,
                       perHead(storedValue(*row, p.amount), storedValue(*row, p.heads),
                               r.perHeadScale),
                       *row);
}

void checkSummaryCopies(CheckInput& in, const FormDefinition& form, const SummarySetup& setup,
                        Findings& out)
{
    const SummaryRules& rules = wageSummaryForm(setup.form).rules;
    for (const MonthRange& range : form.submission.ranges) {
        const std::map<int, StoredFigures> rows = storedSummaryCopy(in.session.db(), form, range);
        if (rows.empty())
            continue;
        const FormPeriod period = FormPeriod::ofRange(range);
        for (const SummaryCategory& c : rules.rows) {
            if (c.parts.empty())
                continue;
            for (const char* column : {"G20", "G21"}) {
                long long sum = 0;
                QStringList parts;
                for (int part : c.parts) {
                    const auto row = rows.find(part);
                    sum += row == rows.end() ? 0 : storedValue(row->second, column);
                    parts << QString::number(part);
                }
                const auto parent = rows.find(c.gid);
                const long long stored = parent == rows.end() ? 0 : storedValue(parent->second, column);
                if (stored == sum)
                    continue;
                out.push_back(
                    {"E01",
                     FindingPlace::ofFigure(form, period, QStringLiteral("%1.%2").arg(c.gid).arg(column)),
                     QStringLiteral("%1（%2）已存的第%3行%4为%5，其分项（第%6行）之和为%7，相差%8")
                         .arg(form.number, periodName(period))
                         .arg(c.gid)
                         .arg(QString::fromLatin1(column))
                         .arg(stored)
                         .arg(parts.join(QStringLiteral("、")))
                         .arg(sum)
                         .arg(stored - sum)});
            }
        }
    }
}

// The forms of the year and quarters whose head count and wage total are those of the records
// up to their end month: their I12 rule says how the wages are rounded.
const FigureRule* wageRule(const FigureFormSetup& setup)
{
    for (const FigureRule& r : setup.rules.figures)
        if (std::string(r.field) == WagesColumn &&
            (r.measure == Measure::WageSum || r.measure == Measure::WageYuan))
            return &r;
    return nullptr;
}

long long recordWages(const YearRecords& year, const FigureRule& rule, int endMonth)
{
    const long long micros = year.formWageMicros(1, endMonth);
    return rule.measure == Measure::WageSum ? thousandsOfYuan(micros) : wholeYuan(micros);
}

QString wageUnit(const FigureRule& rule)
{
    return rule.measure == Measure::WageSum ? QStringLiteral("千元") : QStringLiteral("元");
}

int endMonth(const FormPeriod& p)
{
    return p.kind == PeriodKind::Quarter ? p.quarter * 3 : 12;
}

}  // namespace

void findUnbalancedForms(CheckInput& in, Findings& out)
{
    for (const FormDefinition* form : forms()) {
        if (!in.concerns(*form) || !form->appliesTo(in.session.unit().isOrgan()))
            continue;
        if (const auto* setup = std::get_if<FigureFormSetup>(&form->engine))
            checkFigureForm(in, *form, *setup, out);
        else if (const auto* summary = std::get_if<SummarySetup>(&form->engine))
            checkSummaryCopies(in, *form, *summary, out);
    }
}

void findFormsOffRecords(CheckInput& in, Findings& out)
{
    const YearRecords& year = in.records();
    for (const FormDefinition* form : forms()) {
        const auto* setup = std::get_if<FigureFormSetup>(&form->engine);
        const bool quarterOrYear = std::all_of(
            form->periods.begin(), form->periods.end(),
            [](PeriodKind k) { return k == PeriodKind::Quarter || k == PeriodKind::Year; });
        const FigureRule* wages = setup ? wageRule(*setup) : nullptr;
        if (!wages || !quarterOrYear || !in.concerns(*form))
            continue;
        const std::optional<StoredFigures> row = storedFormRow(in.session.db(), *form);
        if (!row)
            continue;
        const std::optional<FormPeriod> known = storedPeriod(in, *form);
        std::vector<FormPeriod> candidates;
        if (known)
            candidates = {*known};
        else
            for (int q = 1; q <= 3; ++q)
                if (year.months[static_cast<size_t>(q * 3)].hasRoster())
                    candidates.push_back(FormPeriod::ofQuarter(q));
        if (candidates.empty())
            continue;
        const long long heads = storedValue(*row, HeadsColumn);
        const long long wageTotal = storedValue(*row, WagesColumn);
        const auto headsOf = [&](const FormPeriod& p) {
            return static_cast<long long>(year.months[static_cast<size_t>(endMonth(p))].roster.size());
        };
        const auto matches = [&](const FormPeriod& p) {
            return headsOf(p) == heads && recordWages(year, *wages, endMonth(p)) == wageTotal;
        };
        if (std::any_of(candidates.begin(), candidates.end(), matches))
            continue;
        // Of a quarter not known, the one nearest the stored row: its head count first, then
        // its wages.
        const auto distance = [&](const FormPeriod& p) {
            return std::make_pair(std::llabs(headsOf(p) - heads),
                                  std::llabs(recordWages(year, *wages, endMonth(p)) - wageTotal));
        };
        const FormPeriod p = *std::min_element(
            candidates.begin(), candidates.end(),
            [&](const FormPeriod& a, const FormPeriod& b) { return distance(a) < distance(b); });
        const int e = endMonth(p);
        const QString which = known ? QString() : QStringLiteral("（按%1核对）").arg(periodName(p));
        if (headsOf(p) != heads)
            out.push_back({"E02", FindingPlace::ofFigure(*form, known, HeadsColumn),
                           QStringLiteral("%1（%2）已存的从业人员期末人数为%3人，%4月名册为%5人%6")
                               .arg(form->number, periodName(p))
                               .arg(heads)
                               .arg(e)
                               .arg(headsOf(p))
                               .arg(which)});
        const long long records = recordWages(year, *wages, e);
        if (records != wageTotal)
            out.push_back({"E02", FindingPlace::ofFigure(*form, known, WagesColumn),
                           QStringLiteral("%1（%2）已存的从业人员工资总额为%3%4，按1-%5月已存工资应为%6%4%7")
                               .arg(form->number, periodName(p))
                               .arg(wageTotal)
                               .arg(wageUnit(*wages))
                               .arg(e)
                               .arg(records)
                               .arg(which)});
    }
}

void findFormsDisagreeing(CheckInput& in, Findings& out)
{
    Db& db = in.session.db();
    const FormDefinition& annual = formForUnit(in.session, "annual");
    const FormDefinition& summary = formForUnit(in.session, "wage-summary");
    const FormDefinition& basic = formForUnit(in.session, "basic-annual");
    // Its findings stand in the summary and I102-2, never in I102-1.
    if (!in.concerns(summary) && !in.concerns(basic))
        return;
    const std::optional<StoredFigures> year = storedFormRow(db, annual);
    // I102-1 is the measure only while it holds what the records give (else E02 says so); a form
    // that then disagrees with it was drawn from other records, or keeps other figures.
    const FigureRule* wages = wageRule(std::get<FigureFormSetup>(annual.engine));
    const YearRecords& records = in.records();
    if (!year || !wages ||
        storedValue(*year, HeadsColumn) != static_cast<long long>(records.months[12].roster.size()) ||
        storedValue(*year, WagesColumn) != recordWages(records, *wages, 12))
        return;

    const MonthRange wholeYear{1, 12};
    const std::map<int, StoredFigures> copy = storedSummaryCopy(db, summary, wholeYear);
    if (const auto total = copy.find(1); in.concerns(summary) && total != copy.end()) {
        const std::optional<FormPeriod> period = FormPeriod::ofRange(wholeYear);
        const long long heads = storedValue(total->second, "G11");
        if (heads != storedValue(*year, HeadsColumn))
            out.push_back({"E03", FindingPlace::ofFigure(summary, period, QStringLiteral("1.G11")),
                           QStringLiteral("%1的从业人员期末人数为%2人，1-12月%3合计的期末从业人员总数为%4人")
                               .arg(annual.number)
                               .arg(storedValue(*year, HeadsColumn))
                               .arg(summary.number)
                               .arg(heads)});
        const long long wages = storedValue(total->second, "G21");
        const long long difference = storedValue(*year, WagesColumn) - wages;
        if (std::llabs(difference) > L::SummaryWageToleranceThousands)
            out.push_back(
                {"E03", FindingPlace::ofFigure(summary, period, QStringLiteral("1.G21")),
                 QStringLiteral("%1的工资总额为%2千元，1-12月%3合计的工资总额为%4千元，相差%5千元"
                                "（两表取整不同，最多相差%6千元）")
                     .arg(annual.number)
                     .arg(storedValue(*year, WagesColumn))
                     .arg(summary.number)
                     .arg(wages)
                     .arg(difference)
                     .arg(L::SummaryWageToleranceThousands)});
    }

    if (const std::optional<StoredFigures> labor = in.concerns(basic) ? storedFormRow(db, basic)
                                                                       : std::nullopt) {
        const std::optional<FormPeriod> period = FormPeriod::ofYear();
        const long long heads = storedValue(*labor, HeadsColumn);
        if (heads != storedValue(*year, HeadsColumn))
            out.push_back({"E03", FindingPlace::ofFigure(basic, period, HeadsColumn),
                           QStringLiteral("%1的从业人员期末人数为%2人，%3为%4人")
                               .arg(annual.number)
                               .arg(storedValue(*year, HeadsColumn))
                               .arg(basic.number)
                               .arg(heads)});
        // I102-2 keeps whole yuan; I102-1 turns the same whole yuan into thousands.
        const long long yuan = storedValue(*labor, WagesColumn);
        if (roundedQuotient(yuan, 1000) != storedValue(*year, WagesColumn))
            out.push_back({"E03", FindingPlace::ofFigure(basic, period, WagesColumn),
                           QStringLiteral("%1的工资总额为%2千元，%3为%4元（合%5千元）")
                               .arg(annual.number)
                               .arg(storedValue(*year, WagesColumn))
                               .arg(basic.number)
                               .arg(yuan)
                               .arg(roundedQuotient(yuan, 1000))});
    }
}

void findYearAgainstLastYear(CheckInput& in, Findings& out)
{
    const UnitFigures last = loadUnitFigures(in.session.db());
    const YearRecords& year = in.records();
    const MonthRecords& december = year.months[12];
    if (!last.lastYearHeads || !december.hasRoster())
        return;
    const FormDefinition& annual = formForUnit(in.session, "annual");
    const FormDefinition& basic = formForUnit(in.session, "basic-annual");
    if (!in.concerns(annual) && !in.concerns(basic))
        return;
    const QStringList alsoBasic{basic.number};
    const std::optional<FormPeriod> wholeYear = FormPeriod::ofYear();
    const double heads = static_cast<double>(december.roster.size());
    const double lastHeads = static_cast<double>(*last.lastYearHeads);
    if (L::changedBy(lastHeads, heads, L::YearHeadChangePercent, L::YearHeadChangePersons))
        out.push_back({"W06", FindingPlace::ofFigure(annual, wholeYear, HeadsColumn),
                       QStringLiteral("年末从业人员%1人，上年%2人，%3%4人（%5）")
                           .arg(whole(heads), whole(lastHeads), more(lastHeads, heads),
                                whole(std::fabs(heads - lastHeads)), percentOf(lastHeads, heads)),
                       alsoBasic});
    if (!last.lastYearWages || lastHeads <= 0 || !december.hasWages())
        return;
    // Both years' wage total over their year-end head count: the figures known of last year.
    const double thousands = static_cast<double>(thousandsOfYuan(year.formWageMicros(1, 12)));
    const double average = std::round(thousands * 1000 / heads);
    const double lastAverage = std::round(*last.lastYearWages * 1000 / lastHeads);
    if (L::changedBy(lastAverage, average, L::YearAverageChangePercent, L::YearAverageChangeYuan))
        out.push_back({"W06", FindingPlace::ofFigure(annual, wholeYear, WagesColumn),
                       QStringLiteral("人均工资（工资总额÷年末人数）%1元，上年%2元，%3%4元（%5）")
                           .arg(whole(average), whole(lastAverage), more(lastAverage, average),
                                whole(std::fabs(average - lastAverage)),
                                percentOf(lastAverage, average)),
                       alsoBasic});
}

}  // namespace vel
