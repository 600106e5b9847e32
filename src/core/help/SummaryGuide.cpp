#include "help/SummaryGuide.h"

#include "help/MarkdownTable.h"
#include "help/SelectionWords.h"
#include "reports/CategorySummary.h"
#include "reports/WageSummary.h"

namespace vel::help {

namespace {

QString label(const char* text)
{
    return QString::fromUtf8(text).trimmed();
}

QString rowNumbers(const std::vector<int>& gids)
{
    QStringList out;
    for (int g : gids)
        out << QString::number(g);
    return QStringLiteral("第 %1 行").arg(out.join(u'、'));
}

QString averageWords(AverageRule rule)
{
    if (rule == AverageRule::WithMonthBefore)
        return QStringLiteral("所选首月的前一个月至末月，各月有工资记录的人数之和 ÷（所选月数 + 1），"
                              "四舍五入到整数；首月为 1 月时，前一个月取年初名册的全部人员，"
                              "不论有无工资记录");
    return QStringLiteral("所选首月至末月各月有工资记录的人数之和 ÷ 所选月数，四舍五入到整数");
}

}  // namespace

QString wageSummaryRows(const WageSummaryForm& form)
{
    std::vector<QStringList> rows;
    for (const SummaryCategory& c : form.rules.rows) {
        QString who = selectionWords(c.post);
        if (c.grade)
            who += QStringLiteral("，且") + selectionWords(*c.grade);
        rows.push_back({c.coded ? QString::number(c.gid) : QString(), label(c.label), who,
                        c.qualified ? selectionWords(*c.qualified) : QStringLiteral("——（不填）"),
                        c.parts.empty() ? QString() : rowNumbers(c.parts)});
    }
    return markdownTable({QStringLiteral("代码"), QStringLiteral("指标"),
                          QStringLiteral("统计的人员"),
                          QStringLiteral("“具有国家评定的专业技术职称、技能等级的”一栏"),
                          QStringLiteral("平均人数由下列行相加，工资总额按本行调平")},
                         rows);
}

QString wageSummaryColumns(const WageSummaryForm& form)
{
    const QStringList headers = WageSummary::figureHeaders(form);
    QStringList how(SummaryColumns);
    const QString endMonth = QStringLiteral("末月有工资记录的人员中，");
    how[G11] = QStringLiteral("末月有工资记录的人数");
    how[G12] = endMonth + selectionWords(summaryWomen()) + QStringLiteral(" 的人数");
    how[G13] = endMonth + QStringLiteral("出生年月在 %1 及以后的人数")
                              .arg(birthMonthText(form.rules.youngFrom));
    how[G14] = endMonth + QStringLiteral("符合本行“职称、技能”条件（见上表）的人数");
    for (int k = 0; k < 5; ++k)
        how[G15 + k] =
            endMonth + selectionWords(summaryEducationBands()[k]) + QStringLiteral(" 的人数");
    how[G20] = averageWords(form.rules.average);
    how[G21] = QStringLiteral("所选各月的工资合计，÷ 1000 四舍五入到千元");
    std::vector<QStringList> rows;
    for (int k = 0; k < SummaryColumns; ++k)
        rows.push_back({headers[k].simplified(), how[k]});
    return markdownTable({QStringLiteral("栏目"), QStringLiteral("计算方法")}, rows);
}

QString categoryRows(const std::vector<Category>& rows)
{
    std::vector<QStringList> out;
    int gid = 0;
    for (const Category& c : rows)
        out.push_back({QString::number(++gid), label(c.label), selectionWords(c.who)});
    return markdownTable(
        {QStringLiteral("代码"), QStringLiteral("指标"), QStringLiteral("统计的人员")}, out);
}

QString categoryColumns(const std::vector<HeadedColumn>& columns, int rowCount)
{
    std::vector<QStringList> out;
    for (const HeadedColumn& c : columns)
        for (const CategoryColumn::Part& p : c.column.parts) {
            const bool everyRow = p.firstRow <= 1 && p.lastRow >= rowCount;
            out.push_back({label(c.header), selectionWords(p.who),
                           everyRow ? QStringLiteral("各行")
                                    : QStringLiteral("第 %1 至 %2 行").arg(p.firstRow).arg(p.lastRow)});
        }
    return markdownTable(
        {QStringLiteral("栏目"), QStringLiteral("统计的人员"), QStringLiteral("适用行")}, out);
}

}  // namespace vel::help
