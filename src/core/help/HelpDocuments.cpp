#include "help/HelpDocuments.h"

#include "Errors.h"
#include "help/GeneratedSections.h"

#include <QFile>
#include <QRegularExpression>

namespace vel::help {

const std::vector<Document>& documents()
{
    static const std::vector<Document> all = {
        {UserManual, QStringLiteral("系统使用说明")},
        {FillingInstructions, QStringLiteral("填写说明及指标解释")},
        {Messages, QStringLiteral("提示信息说明")},
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

}  // namespace vel::help
