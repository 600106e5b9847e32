#pragma once

#include <QString>

namespace vel {
class Session;
struct CheckOutcome;
}

namespace vel::cli {

// Exit code of a refused command: the refusal went to standard error, nothing was written.
constexpr int Refused = 1;

void out(const QString& line);
void err(const QString& line);

// Prints a command's checks on standard error; true when the command may go on. A question is
// answered Yes by `yes`; without it the command is refused and says so.
bool checksPass(const CheckOutcome& outcome, bool yes = false);

}  // namespace vel::cli
