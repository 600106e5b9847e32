#include "CliSupport.h"

#include "ShownText.h"
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

bool checksPass(const CheckOutcome& outcome, bool yes)
{
    for (const QString& message : outcome.messages)
        err(plainLineBreaks(message));
    if (!outcome.passed) {
        if (!outcome.question.isEmpty())
            err(plainLineBreaks(outcome.question));
        return false;
    }
    if (outcome.question.isEmpty() || yes)
        return true;
    err(plainLineBreaks(outcome.question));
    err(QStringLiteral("加 --yes 确认后执行。"));
    return false;
}

}  // namespace vel::cli
