#include "CliSupport.h"

#include "ShownText.h"
#include "period/PeriodChecks.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vel::cli {
namespace {

// Why the first write to standard output failed; 0 while none has.
int outputFailure = 0;

void put(const QString& text, std::FILE* stream)
{
    const QByteArray bytes = text.toUtf8();
    errno = 0;
    const size_t written = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    if (written != static_cast<size_t>(bytes.size()) && stream == stdout && !outputFailure)
        outputFailure = errno ? errno : EIO;
}

}  // namespace

void out(const QString& line)
{
    put(line + '\n', stdout);
}

void err(const QString& line)
{
    put(line + '\n', stderr);
}

void write(const QString& text)
{
    put(text, stdout);
}

int finishOutput(int code)
{
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return code;
    const int cause = outputFailure ? outputFailure : errno ? errno : EIO;
    err(QStringLiteral("无法写入标准输出（%1），输出不完整。")
            .arg(QString::fromLocal8Bit(std::strerror(cause))));
    return code == 0 ? Refused : code;
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
