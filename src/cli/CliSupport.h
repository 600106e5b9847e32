#pragma once

#include <QString>

namespace vel {
class Session;
}

namespace vel::cli {

// Exit code of a refused command: the refusal went to standard error, nothing was written.
constexpr int Refused = 1;

void out(const QString& line);
void err(const QString& line);

}  // namespace vel::cli
