#include "UsageErrors.h"

#include <CLI/CLI.hpp>

#include <QRegularExpression>

namespace vel::cli {
namespace {

// The part of the parser's text that `pattern` captures: option names and values as typed.
QString captured(const QString& text, const char* pattern)
{
    const QRegularExpressionMatch m = QRegularExpression(QString::fromLatin1(pattern)).match(text);
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

}  // namespace

QString usageErrorText(const CLI::ParseError& e)
{
    const QString text = QString::fromStdString(e.what());
    if (dynamic_cast<const CLI::ExtrasError*>(&e))
        return QStringLiteral("命令行中有多余或不认识的内容：%1。请用 --help 查看这条命令的写法。")
            .arg(captured(text, "not expected: (.*)$"));
    if (dynamic_cast<const CLI::RequiredError*>(&e)) {
        const QString name = captured(text, "^(\\S+) is required$");
        if (!name.isEmpty())
            return QStringLiteral("缺少 %1。请用 --help 查看这条命令的写法。").arg(name);
        if (text.startsWith(QLatin1String("A subcommand")))
            return QStringLiteral("缺少要执行的命令。请用 --help 查看这条命令的写法。");
        return QStringLiteral("缺少必需的选项。请用 --help 查看这条命令的写法。");
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e)) {
        QString name = captured(text, "arguments to (\\S+),");
        if (name.isEmpty())
            name = captured(text, "^(\\S+?):");
        return name.isEmpty() ? QStringLiteral("有选项后面的值个数不对。请用 --help 查看这条命令的写法。")
                              : QStringLiteral("%1 后面的值个数不对。请用 --help 查看这条命令的写法。").arg(name);
    }
    if (dynamic_cast<const CLI::ConversionError*>(&e)) {
        const QString name = captured(text, "^Could not convert: (\\S+) =");
        if (!name.isEmpty())
            return QStringLiteral("%1 的值“%2”不是所要求的数。请用 --help 查看这条命令的写法。")
                .arg(name, captured(text, "^Could not convert: \\S+ = (.*)$"));
        return QStringLiteral("有选项的值不合要求。请用 --help 查看这条命令的写法。");
    }
    if (dynamic_cast<const CLI::ValidationError*>(&e)) {
        const QString name = captured(text, "^(\\S+?):");
        return name.isEmpty() ? QStringLiteral("有选项的值不在可选的范围内。请用 --help 查看这条命令的写法。")
                              : QStringLiteral("%1 的值不在可选的范围内。请用 --help 查看这条命令的写法。").arg(name);
    }
    if (dynamic_cast<const CLI::RequiresError*>(&e))
        return QStringLiteral("%1 需要同时给出 %2。请用 --help 查看这条命令的写法。")
            .arg(captured(text, "^(\\S+) requires"), captured(text, "requires (\\S+)$"));
    if (dynamic_cast<const CLI::ExcludesError*>(&e))
        return QStringLiteral("%1 和 %2 不能同时使用。请用 --help 查看这条命令的写法。")
            .arg(captured(text, "^(\\S+) excludes"), captured(text, "excludes (\\S+)$"));
    return QStringLiteral("命令行写得不对。请用 --help 查看这条命令的写法。");
}

}  // namespace vel::cli
