#include "CliSupport.h"

#include "Session.h"

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

bool unitRefused(Session& session)
{
    if (session.unitRegistered())
        return false;
    err(QStringLiteral("请先填写单位基本信息！"));
    return true;
}

}  // namespace vel::cli
