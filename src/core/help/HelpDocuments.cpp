#include "help/HelpDocuments.h"

#include "Errors.h"
#include "help/GeneratedSections.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace vel::help {

const std::vector<Document>& documents()
{
    static const std::vector<Document> all = {
        {UserManual, QStringLiteral("系统使用说明")},
        {FillingInstructions, QStringLiteral("填写说明及指标解释")},
        {Messages, QStringLiteral("提示信息说明")},
        {CheckRules, QStringLiteral("审核规则")},
    };
    return all;
}

QString resourcePath(const QString& relative)
{
    return QStringLiteral(":/help/") + relative;
}

QString markdown(const QString& id)
{
    QFile file(resourcePath(id + QStringLiteral(".md")));
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("帮助文档“%1”不存在。").arg(id));
    QString text = QString::fromUtf8(file.readAll());

    static const QRegularExpression marker(QStringLiteral("^<!-- 生成: *(\\S+) *-->$"),
                                           QRegularExpression::MultilineOption);
    QString filled;
    qsizetype from = 0;
    for (auto it = marker.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const std::optional<QString> section = generatedSection(m.captured(1));
        if (!section)
            throw Error(QStringLiteral("帮助文档“%1”引用了不存在的内容“%2”。")
                            .arg(id, m.captured(1)));
        filled += text.mid(from, m.capturedStart() - from) + *section;
        from = m.capturedEnd();
    }
    return filled + text.mid(from);
}

namespace {

QString plainHeadingText(QString text)
{
    static const QRegularExpression link(QStringLiteral("!?\\[([^\\]]*)\\]\\([^)]*\\)"));
    static const QRegularExpression marks(QStringLiteral("\\*+|`+|~~"));
    text.replace(link, QStringLiteral("\\1"));
    text.remove(marks);
    return text.trimmed();
}

QString anchorOf(const QString& text)
{
    QString anchor;
    for (const QChar c : text.toLower()) {
        if (c == u' ')
            anchor += u'-';
        else if (c.isLetterOrNumber() || c.isMark() || c == u'-' || c == u'_')
            anchor += c;
    }
    return anchor;
}

}  // namespace

std::vector<Heading> headings(const QString& markdown)
{
    static const QRegularExpression atx(
        QStringLiteral("^ {0,3}(#{1,6})(?:[ \\t]+(.*?))?(?:[ \\t]+#+)?[ \\t]*$"));
    static const QRegularExpression fence(QStringLiteral("^ {0,3}(```|~~~)"));
    std::vector<Heading> found;
    QSet<QString> used;
    bool inFence = false;
    for (const QString& line : markdown.split(u'\n')) {
        const QString bare = line.endsWith(u'\r') ? line.chopped(1) : line;
        if (fence.match(bare).hasMatch()) {
            inFence = !inFence;
            continue;
        }
        const QRegularExpressionMatch m = atx.match(bare);
        if (inFence || !m.hasMatch())
            continue;
        Heading h{static_cast<int>(m.capturedLength(1)), plainHeadingText(m.captured(2)), {}};
        const QString base = anchorOf(h.text);
        h.anchor = base;
        for (int n = 1; used.contains(h.anchor); ++n)
            h.anchor = base + QStringLiteral("-%1").arg(n);
        used.insert(h.anchor);
        found.push_back(h);
    }
    return found;
}

std::optional<QString> staffAnswersAnchor()
{
    for (const Heading& h : headings(markdown(FillingInstructions)))
        if (h.level >= 2
            && (h.text.contains(QStringLiteral("从业人员")) || h.text.contains(QStringLiteral("人员情况"))))
            return h.anchor;
    return std::nullopt;
}

}  // namespace vel::help
