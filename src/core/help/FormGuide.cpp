#include "help/FormGuide.h"

#include "help/MarkdownTable.h"
#include "help/SelectionWords.h"
#include "unit/UnitRegistration.h"

#include <algorithm>

namespace vel::help {

namespace {

QString amountWords(Amount a)
{
    switch (a) {
    case Amount::Total:
        return QStringLiteral("工资合计");
    case Amount::Basic:
        return QStringLiteral("基本工资");
    case Amount::Performance:
        return QStringLiteral("绩效工资");
    case Amount::Allowance:
        return QStringLiteral("工资性津贴和补贴");
    case Amount::Other:
        return QStringLiteral("其他工资");
    }
    return {};
}

const QString Persons = QStringLiteral("人");
const QString Thousands = QStringLiteral("千元");
const QString Yuan = QStringLiteral("元");

QString naturalUnit(Measure m)
{
    switch (m) {
    case Measure::WageSum:
    case Measure::WageSumWithOpening:
        return Thousands;
    case Measure::WageYuan:
    case Measure::PeriodWageYuan:
        return Yuan;
    default:
        return Persons;
    }
}

QString measureWords(const FigureRule& r, const AveragesFrom& period)
{
    const QString average =
        QStringLiteral("%1至期末月各月人数之和 ÷（期末月 + 1）").arg(period.start);
    const QString amount = amountWords(r.amount);
    const QString inThousands = QStringLiteral("，先四舍五入到元，再 ÷ 1000 四舍五入到千元");
    const QString inYuan = QStringLiteral("，四舍五入到元");
    switch (r.measure) {
    case Measure::EndCount:
        return QStringLiteral("期末月名册中的人数");
    case Measure::AverageCount:
        return average + QStringLiteral("，四舍五入到整数");
    case Measure::TruncatedAverage:
        return average + QStringLiteral("，舍去小数");
    case Measure::WageSum:
        return QStringLiteral("1 月至期末月的%1之和").arg(amount) + inThousands;
    case Measure::WageSumWithOpening:
        return QStringLiteral("年初名册（0 月）至期末月的%1之和").arg(amount) + inThousands;
    case Measure::WageYuan:
        return QStringLiteral("1 月至期末月的%1之和").arg(amount) + inYuan;
    case Measure::PeriodWageYuan:
        return QStringLiteral("%1至期末月的%2之和").arg(period.start, amount) + inYuan;
    }
    return {};
}

const FormRow* rowAt(const FigureFormRules& rules, const FormCell& cell)
{
    for (const FormHalf& h : rules.halves) {
        if (cell.col < h.labelCol || cell.col > h.lastCol)
            continue;
        for (const FormRow& r : h.rows)
            if (r.row == cell.row)
                return &r;
    }
    return nullptr;
}

// Where a cell stands in reading order: the halves left to right, each top to bottom; the
// supplementary figures, which have no cell, after all of them.
int readingPosition(const FigureFormRules& rules, const FormCell& cell)
{
    constexpr int RowsPerHalf = 1000;
    for (size_t h = 0; h < rules.halves.size(); ++h)
        if (cell.col >= rules.halves[h].labelCol && cell.col <= rules.halves[h].lastCol)
            return static_cast<int>(h) * RowsPerHalf + cell.row;
    return static_cast<int>(rules.halves.size()) * RowsPerHalf;
}

const SupplementLine* supplementOf(const FigureFormRules& rules, const char* field)
{
    for (const SupplementLine& l : rules.supplement)
        if (QLatin1String(l.field) == QLatin1String(field))
            return &l;
    return nullptr;
}

QStringList classCaptions(const QStringList& classes)
{
    QStringList out;
    for (const QString& c : classes)
        out << unitClassCaption(QString(), c);
    return out;
}

QString fieldList(const std::vector<const char*>& fields, const QString& glue)
{
    QStringList out;
    for (const char* f : fields)
        out << QString::fromLatin1(f);
    return out.join(glue);
}

// The line's name, code and unit from the printed row of its cell, or from its supplementary line.
IndicatorLine namedLine(const FigureFormRules& rules, const char* field, const FormCell& cell,
                        const QString& unit)
{
    IndicatorLine line;
    line.field = QString::fromLatin1(field);
    line.unit = unit;
    if (const FormRow* row = rowAt(rules, cell)) {
        line.name = QString::fromUtf8(row->label).trimmed();
        line.code = QString::fromUtf8(row->code);
        if (*row->unit)
            line.unit = QString::fromUtf8(row->unit);
    } else if (const SupplementLine* s = supplementOf(rules, field)) {
        line.name = s->label.trimmed();
    }
    return line;
}

QString averageWageWords(const AverageWageRule& r, WithoutHeads rule)
{
    return QStringLiteral("%1 × 1000 ÷ %2（按表上已取整的数），四舍五入到元；%1 为 0 时为 0，"
                          "%2 为 0 时%3")
        .arg(QString::fromLatin1(r.wage), QString::fromLatin1(r.heads),
             rule == WithoutHeads::Empty ? QStringLiteral("空白") : QStringLiteral("为 0"));
}

QString perHeadWords(const PerHeadRule& r, long long scale)
{
    return QStringLiteral("%1 ÷ %2，%3；%2 为 0 时为 0")
        .arg(QString::fromLatin1(r.amount), QString::fromLatin1(r.heads),
             scale == 100 ? QStringLiteral("四舍五入到分（两位小数）")
                          : QStringLiteral("四舍五入到元"));
}

}  // namespace

std::vector<IndicatorLine> indicatorLines(const FigureFormRules& rules, const AveragesFrom& period)
{
    std::vector<std::pair<int, IndicatorLine>> placed;
    const auto add = [&](const FormCell& cell, IndicatorLine line) {
        placed.emplace_back(readingPosition(rules, cell), std::move(line));
    };
    for (const FigureRule& r : rules.figures) {
        IndicatorLine line = namedLine(rules, r.field, r.cell, naturalUnit(r.measure));
        line.who = selectionWords(r.who);
        if (r.organ)
            line.who += QStringLiteral("。机关单位：") + selectionWords(*r.organ);
        line.how = measureWords(r, period);
        if (const SupplementLine* s = supplementOf(rules, r.field))
            line.how += QStringLiteral("；限%1填报，其他单位空白")
                            .arg(classCaptions(s->classes).join(u'、'));
        add(r.cell, line);
    }
    for (const SumRule& r : rules.sums) {
        IndicatorLine line = namedLine(rules, r.field, r.cell, Persons);
        line.how = fieldList(r.parts, QStringLiteral(" + "));
        add(r.cell, line);
    }
    for (const AverageWageRule& r : rules.averages) {
        IndicatorLine line = namedLine(rules, r.field, r.cell, Yuan);
        line.how = averageWageWords(r, rules.averagesWithoutHeads);
        add(r.cell, line);
    }
    for (const PerHeadRule& r : rules.perHeads) {
        IndicatorLine line = namedLine(rules, r.field, r.cell, Yuan);
        line.how = perHeadWords(r, rules.perHeadScale);
        add(r.cell, line);
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<IndicatorLine> lines;
    for (auto& [position, line] : placed)
        lines.push_back(std::move(line));
    return lines;
}

QString indicatorTable(const FigureFormRules& rules, const AveragesFrom& period)
{
    std::vector<QStringList> rows;
    for (const IndicatorLine& l : indicatorLines(rules, period))
        rows.push_back({l.code, l.name, l.unit, l.who, l.how, l.field});
    QString out = markdownTable({QStringLiteral("代码"), QStringLiteral("指标"),
                                 QStringLiteral("单位"), QStringLiteral("统计的人员"),
                                 QStringLiteral("计算方法"), QStringLiteral("上报字段")},
                                rows);
    QStringList notes;
    for (const BalanceGroup& g : rules.balance)
        notes << QStringLiteral("- %1 各自取整后，调整为合计等于 %2：差额计入排在最前、"
                                "计入后不小于 0 的一项（前面不够扣的项记为 0，例子见上文“调平”）。")
                     .arg(fieldList(g.parts, QStringLiteral("、")), QString::fromLatin1(g.total));
    for (const ClassZeros& z : rules.zeros) {
        QStringList who = classCaptions(z.classes);
        if (z.organ)
            who << unit::OrganType;
        notes << QStringLiteral("- %1：%2 填 0。")
                     .arg(who.join(u'、'), fieldList(z.fields, QStringLiteral("、")));
    }
    if (!notes.isEmpty())
        out += QStringLiteral("\n") + notes.join(u'\n') + QStringLiteral("\n");
    return out;
}

}  // namespace vel::help
