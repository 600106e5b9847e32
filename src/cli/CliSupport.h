#pragma once

#include <QString>

namespace vel {
class Session;
struct CheckOutcome;
}

namespace vel::cli {

// Exit codes, the same for every command: 1 when a command refused or failed (the reason went to
// standard error, nothing was written), 2 when the command line itself was wrong.
constexpr int Refused = 1;
constexpr int Usage = 2;

// Whole texts, whatever they hold: a line of data or a message.
void out(const QString& line);
void err(const QString& line);
// Text that brings its own line ends.
void write(const QString& text);

// Flushes standard output; a write that failed (a full disk, a closed output) turns `code` into
// Refused with a message, so that a cut file never passes for a whole one.
int finishOutput(int code);

// Prints a command's checks on standard error; true when the command may go on. A question is
// answered Yes by `yes`; without it the command is refused and says so.
bool checksPass(const CheckOutcome& outcome, bool yes = false);

}  // namespace vel::cli
