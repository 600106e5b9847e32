#include "CliSupport.h"

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

}  // namespace vel::cli
