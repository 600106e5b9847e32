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

// The refusal of a command run without a registered unit, on standard error; false when one is
// registered (and loaded into the session).
bool unitRefused(Session& session);

}  // namespace vel::cli
