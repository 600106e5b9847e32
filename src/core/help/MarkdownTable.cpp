#include "help/MarkdownTable.h"

namespace vel::help {

namespace {

QString line(const QStringList& cells)
{
    QStringList escaped;
    for (const QString& c : cells) {
        QString t = c.trimmed();
        t.replace(QLatin1Char('|'), QStringLiteral("\\|"));
        t.replace(QLatin1Char('\n'), QLatin1Char(' '));
        escaped << (t.isEmpty() ? QStringLiteral("—") : t);
    }
    return QStringLiteral("| ") + escaped.join(QStringLiteral(" | ")) + QStringLiteral(" |\n");
}

}  // namespace

QString markdownTable(const QStringList& headers, const std::vector<QStringList>& rows)
{
    QString out = line(headers);
    QStringList rule;
    for (qsizetype i = 0; i < headers.size(); ++i)
        rule << QStringLiteral("---");
    out += QStringLiteral("|") + rule.join(QStringLiteral("|")) + QStringLiteral("|\n");
    for (const QStringList& r : rows)
        out += line(r);
    return out;
}

}  // namespace vel::help
