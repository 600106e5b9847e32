#include "ColumnMatch.h"

#include "Errors.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace vel {
namespace {

// Lines searched for the heading row when nothing names it: title rows are few.
constexpr int HeadingSearchLines = 50;

const QStringList TotalWords = {QStringLiteral("合计"), QStringLiteral("小计"),
                                QStringLiteral("总计"), QStringLiteral("总合计")};

// What is withheld from a wage or paid out after it: never a part of the gross wage.
bool isDeductionOrPayout(const QString& key)
{
    static const QStringList words = {QStringLiteral("扣"),     QStringLiteral("个人部分"),
                                      QStringLiteral("个税"),   QStringLiteral("所得税"),
                                      QStringLiteral("实发"),   QStringLiteral("合计"),
                                      QStringLiteral("总计"),   QStringLiteral("小计")};
    return std::any_of(words.begin(), words.end(),
                       [&](const QString& w) { return key.contains(w); });
}

QStringList splitAny(const QString& text, const QString& separators)
{
    QStringList parts{QString()};
    for (const QChar c : text) {
        if (separators.contains(c))
            parts << QString();
        else
            parts.back() += c;
    }
    return parts;
}

int columnNamed(const ImportLayout& layout, const QString& key)
{
    for (size_t i = 0; i < layout.columns.size(); ++i)
        if (headingKey(layout.columns[i].name) == key)
            return static_cast<int>(i);
    return -1;
}

QStringList columnNames(const ImportLayout& layout)
{
    QStringList names;
    for (const ImportColumn& c : layout.columns)
        names << headingKey(c.name);
    return names;
}

bool proposedFor(const ImportColumn& column, const QString& key)
{
    if (column.amount && isDeductionOrPayout(key))
        return false;
    if (key == headingKey(column.name) || column.synonyms.contains(key) ||
        column.ownNames.contains(key))
        return true;
    return std::any_of(column.endings.begin(), column.endings.end(),
                       [&](const QString& e) { return key.endsWith(e); });
}

// A row's number and name are there, as the layout needs them.
bool namesAPerson(const ImportLayout& layout, const ColumnMatch& match)
{
    const auto has = [&](int col) { return !match.sources[static_cast<size_t>(col)].isEmpty(); };
    return has(layout.nameColumn) && (!layout.numberRequired || has(layout.numberColumn));
}

QString quotedList(const QStringList& headings)
{
    QStringList quoted;
    for (const QString& h : headings)
        quoted << QStringLiteral("“%1”").arg(h);
    return quoted.join(u'、');
}

// A sum to the fen in the shortest decimal form.
QString fenText(long long fen)
{
    QString text = QString::number(static_cast<double>(fen) / 100, 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == u"-0" ? QStringLiteral("0") : text;
}

bool isTotalRow(const QString& number, const QString& name)
{
    const QString n = headingKey(number);
    const QString m = headingKey(name);
    return (TotalWords.contains(n) && m.isEmpty()) || (TotalWords.contains(m) && n.isEmpty());
}

bool isBlank(const QStringList& cells)
{
    return std::all_of(cells.begin(), cells.end(),
                       [](const QString& c) { return c.trimmed().isEmpty(); });
}

}  // namespace

QString headingKey(const QString& heading)
{
    QString key;
    for (const QChar c : heading)
        if (!c.isSpace())
            key += c;
    return key;
}

QStringList headingKeys(const DelimitedLine& line)
{
    QStringList keys;
    for (const QString& cell : line.cells)
        keys << headingKey(cell);
    while (!keys.isEmpty() && keys.back().isEmpty())
        keys.removeLast();
    return keys;
}

QString ColumnMatch::text(const ImportLayout& layout) const
{
    QStringList items;
    for (size_t i = 0; i < sources.size() && i < layout.columns.size(); ++i)
        if (!sources[i].isEmpty())
            items << headingKey(layout.columns[i].name) + u'=' + sources[i].join(u'+');
    return items.join(u';');
}

QStringList ColumnMatch::headings() const
{
    QStringList all;
    for (const QStringList& s : sources)
        all << s;
    return all;
}

ColumnMatch parseColumnMatch(const ImportLayout& layout, const QString& written)
{
    ColumnMatch match;
    match.sources.resize(layout.columns.size());
    QHash<QString, QString> targetOf;  // source heading -> the target it went to
    for (const QString& item : splitAny(written, QStringLiteral(";；"))) {
        if (item.trimmed().isEmpty())
            continue;
        const qsizetype eq = std::max(item.indexOf(u'='), item.indexOf(u'＝'));
        const QString target = headingKey(item.left(std::max<qsizetype>(eq, 0)));
        if (eq < 0 || target.isEmpty())
            throw Error(QStringLiteral("“%1”应写成“本系统栏目=文件栏目”。").arg(item.trimmed()));
        const int col = columnNamed(layout, target);
        if (col < 0)
            throw Error(QStringLiteral("“%1”不是本系统的栏目。可以指定的栏目：%2")
                            .arg(target, columnNames(layout).join(u'，')));
        QStringList& sources = match.sources[static_cast<size_t>(col)];
        if (!sources.isEmpty())
            throw Error(QStringLiteral("“%1”指定了两次。").arg(target));
        const ImportColumn& column = layout.columns[static_cast<size_t>(col)];
        for (const QString& part : splitAny(item.mid(eq + 1), QStringLiteral("+＋"))) {
            const QString source = headingKey(part);
            if (source.isEmpty())
                throw Error(QStringLiteral("“%1”的文件栏目有空缺。").arg(target));
            if (column.amount && isDeductionOrPayout(source))
                throw Error(QStringLiteral("“%1”是扣款、实发数或合计，不是应发工资的一部分，"
                                           "不能计入“%2”。")
                                .arg(source, target));
            if (targetOf.contains(source))
                throw Error(QStringLiteral("文件栏目“%1”同时对应了“%2”和“%3”。")
                                .arg(source, targetOf.value(source), target));
            targetOf.insert(source, target);
            sources << source;
        }
        if (sources.size() > 1 && !column.amount)
            throw Error(QStringLiteral("“%1”不是金额，只能对应文件中的一个栏目，不能相加。")
                            .arg(target));
    }
    for (int col : {layout.nameColumn, layout.numberColumn})
        if (match.sources[static_cast<size_t>(col)].isEmpty() &&
            (col == layout.nameColumn || layout.numberRequired))
            throw Error(QStringLiteral("没有指定“%1”对应的文件栏目。")
                            .arg(headingKey(layout.columns[static_cast<size_t>(col)].name)));
    return match;
}

MatchedRows applyColumnMatch(const ImportLayout& layout, const ColumnMatch& match,
                             const std::vector<DelimitedLine>& lines)
{
    const QStringList named = match.headings();
    size_t at = lines.size();
    QStringList bestMissing = named;
    for (size_t i = 0; i < lines.size() && at == lines.size(); ++i) {
        const QStringList keys = headingKeys(lines[i]);
        QStringList missing;
        for (const QString& h : named)
            if (!keys.contains(h))
                missing << h;
        if (missing.isEmpty())
            at = i;
        else if (missing.size() < bestMissing.size())
            bestMissing = missing;
    }
    if (at == lines.size())
        throw Error(QStringLiteral("文件中找不到栏目%1。").arg(quotedList(bestMissing)));

    MatchedRows out;
    out.headingLine = lines[at].line;
    out.headings = headingKeys(lines[at]);
    std::vector<std::vector<int>> columns(match.sources.size());
    for (size_t c = 0; c < match.sources.size(); ++c)
        if (match.inOrder)
            columns[c] = {static_cast<int>(c)};
        else for (const QString& h : match.sources[c]) {
            if (out.headings.count(h) > 1)
                throw Error(QStringLiteral("第%1行有两个“%2”栏，无法确定用哪一个。")
                                .arg(out.headingLine)
                                .arg(h));
            columns[c].push_back(static_cast<int>(out.headings.indexOf(h)));
        }

    for (size_t i = at + 1; i < lines.size(); ++i) {
        const DelimitedLine& line = lines[i];
        const auto cell = [&](int index) {
            return index < line.cells.size() ? line.cells[index] : QString();
        };
        if (match.inOrder) {
            qsizetype width = line.cells.size();
            while (width > 0 && line.cells[width - 1].trimmed().isEmpty())
                --width;
            if (width > static_cast<qsizetype>(columns.size()))
                throw Error(QStringLiteral("第%1行有%2列，多于%3的%4列。")
                                .arg(line.line)
                                .arg(width)
                                .arg(layout.sheetName)
                                .arg(columns.size()));
        }
        QStringList cells;
        for (size_t c = 0; c < columns.size(); ++c) {
            if (columns[c].size() == 1) {
                cells << cell(columns[c][0]);
                continue;
            }
            long long fen = 0;
            bool any = false;
            for (size_t k = 0; k < columns[c].size(); ++k) {
                const QString text = cell(columns[c][k]).trimmed();
                if (text.isEmpty())
                    continue;
                bool ok = false;
                const double value = text.toDouble(&ok);
                if (!ok || !std::isfinite(value) || std::fabs(value) > 1e13)
                    throw Error(QStringLiteral("“%1”栏有文字，不能相加计入“%2”：第%3行为“%4”。")
                                    .arg(match.sources[c][static_cast<qsizetype>(k)],
                                         headingKey(layout.columns[c].name))
                                    .arg(line.line)
                                    .arg(text));
                fen += std::llround(value * 100);
                any = true;
            }
            cells << (any ? fenText(fen) : QString());
        }
        if (isTotalRow(cells[layout.numberColumn], cells[layout.nameColumn])) {
            ++out.skipped;
            continue;
        }
        out.rows.push_back({line.line, cells});
    }
    // Below the last person: a grand total without a label in our columns, notes, empty lines.
    const auto person = std::find_if(out.rows.rbegin(), out.rows.rend(), [&](const DelimitedLine& r) {
        return !r.cells[layout.numberColumn].trimmed().isEmpty() ||
               !r.cells[layout.nameColumn].trimmed().isEmpty();
    });
    const auto tail = person.base();
    out.skipped += static_cast<int>(std::count_if(
        tail, out.rows.end(), [](const DelimitedLine& r) { return !isBlank(r.cells); }));
    out.rows.erase(tail, out.rows.end());
    return out;
}

std::optional<ColumnProposal> proposeColumnMatch(const ImportLayout& layout,
                                                 const std::vector<DelimitedLine>& lines)
{
    for (size_t i = 0; i < lines.size() && i < HeadingSearchLines; ++i) {
        const QStringList keys = headingKeys(lines[i]);
        ColumnMatch match;
        match.sources.resize(layout.columns.size());
        QSet<QString> used;
        for (size_t c = 0; c < layout.columns.size(); ++c)
            for (const QString& key : keys) {
                if (key.isEmpty() || used.contains(key) || keys.count(key) > 1 ||
                    !proposedFor(layout.columns[c], key))
                    continue;
                if (!match.sources[c].isEmpty() && !layout.columns[c].amount)
                    break;
                match.sources[c] << key;
                used.insert(key);
            }
        if (namesAPerson(layout, match))
            return ColumnProposal{lines[i].line, keys, match};
    }
    return std::nullopt;
}

std::optional<ColumnMatch> standardColumnMatch(const ImportLayout& layout,
                                               const std::vector<DelimitedLine>& lines)
{
    const QStringList names = columnNames(layout);
    const auto ourColumn = [&](const QString& key) -> qsizetype {
        for (size_t c = 0; c < layout.columns.size(); ++c)
            if (names[static_cast<qsizetype>(c)] == key ||
                layout.columns[c].ownNames.contains(key))
                return static_cast<qsizetype>(c);
        return -1;
    };
    for (size_t i = 0; i < lines.size() && i < HeadingSearchLines; ++i) {
        const QStringList keys = headingKeys(lines[i]);
        ColumnMatch match;
        match.sources.resize(layout.columns.size());
        bool onlyOurs = !keys.isEmpty();
        for (const QString& key : keys) {
            if (key.isEmpty())
                continue;
            const qsizetype col = ourColumn(key);
            if (col < 0) {
                onlyOurs = false;
                break;
            }
            match.sources[static_cast<size_t>(col)] = QStringList{key};
        }
        if (!onlyOurs || !namesAPerson(layout, match))
            continue;
        match.inOrder = true;
        for (qsizetype k = 0; k < keys.size(); ++k)
            if (k >= static_cast<qsizetype>(match.sources.size()) ||
                match.sources[static_cast<size_t>(k)] != QStringList{keys[k]})
                match.inOrder = false;
        return match;
    }
    return std::nullopt;
}

}  // namespace vel
