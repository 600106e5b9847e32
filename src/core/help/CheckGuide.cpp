#include "help/CheckGuide.h"

#include "checks/CheckRules.h"

#include <QStringList>

namespace vel::help {

QString checkRulesGuide()
{
    QStringList lines;
    for (const CheckRule& r : checkRules()) {
        const bool mustBeCorrected = r.isError();
        lines << QStringLiteral("### %1 %2（%3）")
                   .arg(QString::fromLatin1(r.code), r.title,
                        mustBeCorrected ? QStringLiteral("错误") : QStringLiteral("警告"));
        lines << QStringLiteral("检查：") + r.checks;
        if (!r.limits.isEmpty())
            lines << QStringLiteral("界限：") + r.limits;
        lines << QStringLiteral("处理：") + r.todo;
    }
    return lines.join(QStringLiteral("\n\n")) + QStringLiteral("\n");
}

}  // namespace vel::help
