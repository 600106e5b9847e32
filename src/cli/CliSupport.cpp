#include "CliSupport.h"

#include "period/PeriodChecks.h"

#include <cstdio>

namespace vel::cli {

void out(const QString& line)
{
    std::fputs((line + '\n').toUtf8().constData(), stdout);
}

void err(const QString& line)
{
    std::fputs((line + '\n').toUtf8().constData(), stderr);
}

QString terminalText(QString message)
{
    message.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    message.replace(u'\r', u'\n');
    return message;
}

bool checksPass(const CheckOutcome& outcome, bool yes)
{
    for (const QString& message : outcome.messages)
        err(terminalText(message));
    if (!outcome.passed) {
        if (!outcome.question.isEmpty())
            err(terminalText(outcome.question));
        return false;
    }
    if (outcome.question.isEmpty() || yes)
        return true;
    err(terminalText(outcome.question));
    err(QStringLiteral("加 --yes 确认后执行。"));
    return false;
}

}  // namespace vel::cli
