#pragma once

#include <QString>

namespace vel {

class Session;

// The main window's status line: the step a clerk turns to next ("下一步：…"), found with the
// checks the commands run, so that it names only a command that opens, or what must be corrected
// before the next one does. A folder opened for reading says so instead. Empty when nothing is
// left to do. Sets nothing that the commands read.
QString nextStepHint(Session& session);

}  // namespace vel
