#include "help/SelectionWords.h"

#include "db/CodeLists.h"
#include "db/Db.h"
#include "staff/StaffSheet.h"

#include <algorithm>

namespace vel::help {

namespace {

// Columns the staff sheet codes by fixed rules rather than a list; the tables hold the same codes.
CodeListId listOf(const StaffColumn& c)
{
    if (c.list)
        return *c.list;
    return c.col == staff::SexCol ? CodeListId::Sex : CodeListId::YesNo;
}

CodeWords::Codes codesIn(const CodeList& list)
{
    CodeWords::Codes out;
    for (const CodeEntry& e : list)
        out.emplace_back(e.id, e.name);
    return out;
}

QString leaderWords(LeaderRule rule)
{
    if (rule == LeaderRule::Heads)
        return QStringLiteral("岗位名称为本机关的最高职级及其下一级");
    return QStringLiteral("岗位名称为本机关最高职级以下第二至第四级，或普通工人");
}

QString birthWords(const Selection& s)
{
    const bool openStart = !s.lowest || *s.lowest <= 0;
    const QString name = CodeWords::columnName(s.column);
    if (openStart && s.highest)
        return QStringLiteral("%1在 %2 及以前").arg(name, birthMonthText(int(*s.highest)));
    if (openStart)
        return QStringLiteral("%1为任意有效年月").arg(name);
    if (!s.highest)
        return QStringLiteral("%1在 %2 及以后").arg(name, birthMonthText(int(*s.lowest)));
    return QStringLiteral("%1 %2 至 %3")
        .arg(name, birthMonthText(int(*s.lowest)), birthMonthText(int(*s.highest)));
}

// A selection whose codes are none of the shipped answers, or that needs one: a part of a
// description that would only confuse.
bool takesNobody(const Selection& s, const CodeWords& words)
{
    if (!s.allOf.empty())
        return std::any_of(s.allOf.begin(), s.allOf.end(),
                           [&](const Selection& p) { return takesNobody(p, words); });
    if (!s.anyOf.empty())
        return std::all_of(s.anyOf.begin(), s.anyOf.end(),
                           [&](const Selection& p) { return takesNobody(p, words); });
    if (s.column.empty() || s.leader != LeaderRule::None || s.column == BirthColumn)
        return false;
    const CodeWords::Codes& codes = words.codes(s.column);
    return std::none_of(codes.begin(), codes.end(),
                        [&](const auto& entry) { return s.matches(entry.first); });
}

QString joined(const std::vector<Selection>& parts, const QString& glue, const CodeWords& words)
{
    QStringList texts;
    for (const Selection& p : parts) {
        if (takesNobody(p, words))
            continue;
        const QString t = selectionWords(p, words);
        texts << (p.joinsOthers() ? QStringLiteral("（%1）").arg(t) : t);
    }
    return texts.join(glue);
}

}  // namespace

CodeWords::CodeWords(Db& db)
{
    CodeLists enterprise;
    enterprise.load(db, QStringLiteral("1"));
    CodeLists organ;
    organ.load(db, QStringLiteral("0"));
    for (const StaffColumn& c : staffColumns()) {
        if (!c.codeField)
            continue;
        const CodeListId id = listOf(c);
        Codes codes = codesIn(enterprise.list(id));
        if (id == CodeListId::Post) {
            for (const auto& entry : codesIn(organ.list(id)))
                if (std::find(codes.begin(), codes.end(), entry) == codes.end())
                    codes.push_back(entry);
            std::sort(codes.begin(), codes.end());
        }
        codes_[c.codeField] = std::move(codes);
    }
}

const CodeWords& CodeWords::shipped()
{
    static const CodeWords words = [] {
        Db db(QStringLiteral(":memory:"));
        return CodeWords(db);
    }();
    return words;
}

const CodeWords::Codes& CodeWords::codes(const std::string& column) const
{
    static const Codes none;
    const auto it = codes_.find(column);
    return it == codes_.end() ? none : it->second;
}

QString CodeWords::columnName(const std::string& column)
{
    for (const StaffColumn& c : staffColumns()) {
        if (column != c.textField && (!c.codeField || column != c.codeField))
            continue;
        QString name = QString::fromUtf8(c.compactHeader ? c.compactHeader : c.header);
        name.remove(QLatin1Char(' '));
        return name;
    }
    return QString::fromStdString(column);
}

QString birthMonthText(int monthNumber)
{
    // Month 0 of a year is December of the year before.
    const int year = (monthNumber - 1) / 12;
    const int month = monthNumber - year * 12;
    return QStringLiteral("%1-%2").arg(year, 4, 10, QLatin1Char('0')).arg(month, 2, 10,
                                                                           QLatin1Char('0'));
}

QString selectionWords(const Selection& s, const CodeWords& words)
{
    if (takesNobody(s, words))
        return QStringLiteral("不计任何人（填 0）");
    if (!s.allOf.empty())
        return joined(s.allOf, QStringLiteral("，且"), words);
    if (!s.anyOf.empty())
        return joined(s.anyOf, QStringLiteral("；或"), words);
    if (s.column.empty())
        return QStringLiteral("全部人员");
    if (s.leader != LeaderRule::None)
        return leaderWords(s.leader);
    if (s.column == BirthColumn)
        return birthWords(s);
    QStringList names;
    for (const auto& [code, name] : words.codes(s.column))
        if (s.matches(code))
            names << name;
    return QStringLiteral("%1 = %2").arg(CodeWords::columnName(s.column), names.join(u'、'));
}

}  // namespace vel::help
